"""Debian's Chromium driven headless through its chromedriver, as the
browser test and bench/html_page_timings.py use it."""
from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1280,900", "--force-prefers-reduced-motion"):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
