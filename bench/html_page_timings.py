#!/usr/bin/python3
"""How quickly pages made by dictdump --format html load and filter in
headless Chromium, timed as the browser test times them.

    bench/html_page_timings.py RUNS PAGE...

Loads each page RUNS times, the pages in turn (so that two versions of a
page are timed under the same load), and prints per load the time to
DOMContentLoaded and of the filter 'table_19' (setting the search box,
its input event, and the layout after it), then the least, median and
most of each per page. Times on a shared machine vary with its load:
compare pages timed in the same run.
"""
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "dictdump"))
from headless_chromium import browser  # noqa: E402

LOADED = ("var n = performance.getEntriesByType('navigation')[0];"
          " return n.domContentLoadedEventEnd - n.startTime")
FILTER = ("var box = document.getElementById('dd_search'), t = performance.now();"
          " box.value = 'table_19'; box.dispatchEvent(new Event('input'));"
          " document.body.offsetHeight; return performance.now() - t")


def spread(values):
    return "%6.0f %6.0f %6.0f" % (min(values), statistics.median(values), max(values))


def main():
    runs, pages = int(sys.argv[1]), [os.path.abspath(p) for p in sys.argv[2:]]
    times = {page: ([], []) for page in pages}
    driver = browser()
    try:
        for _ in range(runs):
            for page in pages:
                driver.get("file://" + page)
                loaded, filtered = driver.execute_script(LOADED), driver.execute_script(FILTER)
                times[page][0].append(loaded)
                times[page][1].append(filtered)
                print("%s: DOMContentLoaded %.0f ms, filter %.1f ms" % (page, loaded, filtered), flush=True)
    finally:
        driver.quit()
    print("ms, least median most: DOMContentLoaded | filter")
    for page in pages:
        print("%s: %s | %s" % (page, spread(times[page][0]), spread(times[page][1])))
    return 0


if __name__ == "__main__":
    sys.exit(main())
