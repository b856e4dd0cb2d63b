"""The studio page in headless Chromium on the 96 photos of `bench pack`: time to ready (from the start
of loading, median of several openings), the quiz's folder (its description and photos) chosen in the
page's folder input until every question and thumbnail is drawn, the quiz page created from it until
downloaded (each the median of a few sessions, each in a fresh browser), and the time an answer typed
takes to go through the studio and be drawn (median of many keystrokes).

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
SESSIONS = 3  # folders opened and pages created, each in a fresh browser (a shared machine's noise)
KEYSTROKES = 40
PAGE_KIND = 2  # the create dialog's third kind: the quiz page

studio, quiz, count, downloads = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]


def open_and_create(browser, downloads):
    """The folder opened, then the quiz page created from it: the seconds each took."""
    start = time.perf_counter()
    browser.find("#new-folder").send_keys(os.path.abspath(quiz))
    while browser.run("return document.querySelectorAll('#c1020 [role=option] canvas').length") < count or \
            browser.run("return document.body.getAttribute('aria-busy')"):
        time.sleep(0.02)
    opened = time.perf_counter() - start

    before = set(glob.glob(os.path.join(downloads, "*")))
    start = time.perf_counter()
    browser.find("#c40011").click()
    browser.finds("#create-kinds input")[PAGE_KIND].click()
    browser.find("#create-ok").click()
    while not [f for f in set(glob.glob(os.path.join(downloads, "*"))) - before if not f.endswith(".crdownload")]:
        time.sleep(0.02)
    return opened, time.perf_counter() - start


openings, creations = [], []
for session in range(SESSIONS):
    # A folder of downloads each: a browser does not download again a name the folder holds.
    folder = os.path.join(downloads, str(session))
    os.makedirs(folder, exist_ok=True)
    browser = Browser(downloads=folder, accept_leaving=True)
    try:
        ready = [browser.open(studio) for _ in range(OPENINGS)]
        opened, created = open_and_create(browser, folder)
        openings.append(opened)
        creations.append(created)
        if session < SESSIONS - 1:
            continue
        # the first opening also fills the browser's caches
        print(f"ready {statistics.median(ready[1:]):.0f}")
        print(f"opened {statistics.median(openings):.2f}")
        print(f"created {statistics.median(creations):.2f}")

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
