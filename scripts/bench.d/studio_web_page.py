"""The studio page in headless Chromium on the 96 photos of `bench pack`: time to ready (from the start
of loading, median of several openings), the quiz's folder (its description and photos) chosen in the
page's folder input until every question and thumbnail is drawn, the quiz page created from it until
downloaded, and the time an answer typed takes to go through the studio and be drawn (median of many
keystrokes).

Usage: studio_web_page.py STUDIO.html QUIZ_FOLDER COUNT DOWNLOADS -> "ready MS", "opened S",
"created S", "typing MS" """
import glob
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "web"))
from browser import Browser  # noqa: E402

OPENINGS = 5
KEYSTROKES = 40
PAGE_KIND = 2  # the create dialog's third kind: the quiz page

studio, quiz, count, downloads = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
browser = Browser(downloads=downloads, accept_leaving=True)
try:
    ready = [browser.open(studio) for _ in range(OPENINGS)]
    print(f"ready {statistics.median(ready[1:]):.0f}")  # the first opening also fills the browser's caches

    start = time.perf_counter()
    browser.find("#new-folder").send_keys(os.path.abspath(quiz))
    while browser.run("return document.querySelectorAll('#c1020 [role=option] canvas').length") < count or \
            browser.run("return document.body.getAttribute('aria-busy')"):
        time.sleep(0.02)
    print(f"opened {time.perf_counter() - start:.2f}")

    before = set(glob.glob(os.path.join(downloads, "*")))
    start = time.perf_counter()
    browser.find("#c40011").click()
    browser.finds("#create-kinds input")[PAGE_KIND].click()
    browser.find("#create-ok").click()
    while not [f for f in set(glob.glob(os.path.join(downloads, "*"))) - before if not f.endswith(".crdownload")]:
        time.sleep(0.02)
    print(f"created {time.perf_counter() - start:.2f}")

    # Each keystroke as the page takes it: the studio's C++ judges the change, then the page draws.
    typing = browser.run("""
        const box = document.getElementById('c1037'), times = [];
        for (let i = 0; i < arguments[0]; ++i) {
          const start = performance.now();
          box.value += String.fromCharCode(65 + i % 26);
          box.dispatchEvent(new Event('input', { bubbles: true }));
          times.push(performance.now() - start);
        }
        return times;""", KEYSTROKES)
    print(f"typing {statistics.median(typing):.1f}")
finally:
    browser.close()
