#!/usr/bin/python3
"""dictdump --format html in headless Chromium.

Loads the sample's page and a page of names that need escaping, and checks
the links, the sections, the search box and '/'; loads a page of 2,000
generated tables and records how long it takes to load and to filter
(printed, and written to WORK/browser-timings.txt: speed is judged in
bench/, not here); saves a screenshot of the sample's page as
WORK/shop.png. Fails when Chromium or its driver is missing.

    browser_test.py MKDICT DICTDUMP SOURCE_DIR SCHEMA_GENERATOR WORK
"""
import os
import re
import shutil
import subprocess
import sys
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from headless_chromium import browser

MKDICT, DICTDUMP, SOURCE, GENERATOR, WORK = sys.argv[1:6]
FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print("FAILED: " + what)


def build(ddl_path, folder):
    shutil.rmtree(folder, ignore_errors=True)
    subprocess.run([MKDICT, ddl_path, "-o", folder], check=True, stdout=subprocess.DEVNULL)


def page(folder, name, *extra):
    path = os.path.join(WORK, name)
    subprocess.run([DICTDUMP, "-C", folder, "--format", "html", "-o", path, *extra], check=True)
    return path


def visible_links(driver):
    return driver.execute_script(
        "return Array.prototype.filter.call(document.querySelectorAll('nav li a'),"
        " function (a) { return a.offsetParent !== null; }).map(function (a) { return a.textContent; })")


def check_structure(driver, path, expected_names):
    """Every link leads to a section whose heading is the link's text."""
    html = open(path, encoding="utf-8").read()
    check(not re.search(r"<(link|img|iframe|object|embed)\b|\bsrc=|@import|url\(|https?://", html),
          path + ": refers to something outside itself")
    driver.get("file://" + path)
    check(driver.execute_script("return performance.getEntriesByType('resource').length") == 0,
          path + ": loads resources")
    links = driver.find_elements(By.CSS_SELECTOR, "nav a[href^='#']")
    sections = driver.find_elements(By.CSS_SELECTOR, "main > section[id]")
    ids = [s.get_attribute("id") for s in sections]
    check(len(set(ids)) == len(ids), path + ": section ids repeat: %s" % ids)
    names = [a.get_attribute("textContent") for a in links]
    check(names == expected_names, path + ": links %s, expected %s" % (names, expected_names))
    check(len(sections) == len(links), path + ": %d links, %d sections" % (len(links), len(sections)))
    for a in links:
        target = a.get_attribute("href").split("#", 1)[1]
        heading = driver.execute_script(
            "var s = document.getElementById(arguments[0]);"
            "return s && s.tagName == 'SECTION' ? s.querySelector('h2').textContent : null", target)
        check(heading == a.get_attribute("textContent"), path + ": link to #%s leads to %r" % (target, heading))
    check(len(driver.find_elements(By.CSS_SELECTOR, "input[type=search]")) == 1, path + ": no search box")


def test_sample(driver):
    shop = os.path.join(WORK, "shop")
    build(os.path.join(SOURCE, "sample", "shop.ddl"), shop)
    path = page(shop, "shop.html")
    check_structure(driver, path, ["Customers", "Order Items", "Orders", "Order Archive", "Products"])
    check(len(driver.find_elements(By.CSS_SELECTOR, "#customers table.fields tr")) == 9,
          "Customers: not 8 field rows")
    summary = driver.find_element(By.ID, "dd_summary").text
    check(re.search(r"\b5 31 12 58 2,735\b", summary.replace("\n", " ")) is not None, "summary: " + summary)
    box = driver.find_element(By.ID, "dd_search")
    box.send_keys("ORDER")
    check(len(visible_links(driver)) == 3, "search 'ORDER': %d links shown" % len(visible_links(driver)))
    box.send_keys("s")
    check(visible_links(driver) == ["Orders"], "search 'ORDERs' shows others")
    box.clear()
    box.send_keys(" ")
    box.send_keys(Keys.BACKSPACE)
    check(len(visible_links(driver)) == 5, "cleared search: not every link shown")
    driver.find_element(By.TAG_NAME, "h1").click()
    driver.find_element(By.TAG_NAME, "body").send_keys("/")
    check(driver.switch_to.active_element == box, "'/' does not focus the search box")
    driver.save_screenshot(os.path.join(WORK, "shop.png"))


def test_names(driver):
    folder = os.path.join(WORK, "names")
    build(os.path.join(SOURCE, "tests", "dictdump", "html_names.ddl"), folder)
    names = ["A<b>&\"c'd", "Order Items", "order-items", "README", "| pipe *star* [link](x) `tick`"]
    check_structure(driver, page(folder, "names.html"), names)
    check_structure(driver, page(folder, "names-system.html", "--system"), names[:4] + ["X$Extra"] + names[4:])
    cell = driver.execute_script("return document.querySelector('table.fields td:nth-child(2)').textContent")
    check(cell == "<Id>", "field name shown as %r" % cell)


def test_large(driver):
    folder = os.path.join(WORK, "large")
    ddl = os.path.join(WORK, "large.ddl")
    generated = subprocess.run([GENERATOR, "2000", "ddl"], check=True, capture_output=True, text=True).stdout
    # The rows are no part of the page: only the schema is built.
    schema = re.sub(r"^INSERT INTO .*?;$", "", generated, flags=re.S | re.M)
    with open(ddl, "w", encoding="utf-8") as out:
        out.write(schema)
    build(ddl, folder)
    path = page(folder, "large.html")
    driver.get("file://" + path)
    loaded = driver.execute_script(
        "var n = performance.getEntriesByType('navigation')[0]; return n.domContentLoadedEventEnd - n.startTime")
    check(len(driver.find_elements(By.CSS_SELECTOR, "main > section")) == 2000, "large page: not 2,000 sections")
    filtered = driver.execute_script(
        "var box = document.getElementById('dd_search'), t = performance.now();"
        "box.value = 'table_19'; box.dispatchEvent(new Event('input'));"
        "document.body.offsetHeight; return performance.now() - t")
    check(len(visible_links(driver)) == 100, "large page, 'table_19': %d links shown" % len(visible_links(driver)))
    timings = ("2,000-table page (%d bytes): DOMContentLoaded %.0f ms (aim: at most 2,000), "
               "filter %.1f ms (aim: at most 200)\n" % (os.path.getsize(path), loaded, filtered))
    print(timings, end="")
    with open(os.path.join(WORK, "browser-timings.txt"), "a", encoding="utf-8") as out:
        out.write(time.strftime("%Y-%m-%d %H:%M UTC ", time.gmtime()) + timings)


def main():
    os.makedirs(WORK, exist_ok=True)
    driver = browser()
    try:
        test_sample(driver)
        test_names(driver)
        test_large(driver)
    finally:
        driver.quit()
    if FAILURES:
        print("%d checks failed" % len(FAILURES))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
