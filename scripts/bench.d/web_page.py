"""The quiz page in headless Chromium: time to ready (its boxes there, from the start of loading) and
verdicts per second judged inside the page, on the answers of bench/verdict.cpp (40 characters: equal,
one letter off, nothing alike, in equal numbers).

Usage: web_page.py PAGE -> prints "ready MS" (median of several openings) and "verdicts N" """
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "web"))
from browser import Browser  # noqa: E402

OPENINGS = 7
EXPECTED = "LE CHATEAU DE VERSAILLES ET SES JARDINS."
TYPED = ["le chateau de versailles et ses jardins.", "LE CHATEAU DE VERSAILES ET SES JARDINS..",
         "UNE PETITE MAISON DANS LA PRAIRIE VERTE!"]
LINES_EACH = 5000
WARM_UP_EACH = 1000  # judged first, untimed: the browser compiles hot code fully only once it runs
BATCHES = 7          # timed one after the other; the median counts, as a busy machine slows some

page = sys.argv[1]
browser = Browser()
ready = []
for _ in range(OPENINGS):
    ready.append(browser.open(page))
print(f"ready {statistics.median(ready[1:]):.0f}")  # the first opening also starts the browser's caches
batch = lambda each: "\n".join(f"{typed}\t{EXPECTED}" for typed in TYPED for _ in range(each))
browser.run("fenokPage.verdicts(arguments[0], [], false)", batch(WARM_UP_EACH))
lines = batch(LINES_EACH)
rates = []
for _ in range(BATCHES):
    seconds, judged = browser.run("""
      const start = performance.now();
      const verdicts = fenokPage.verdicts(arguments[0], [], false);
      return [(performance.now() - start) / 1000, verdicts.split('\\n').length - 1];""", lines)
    rates.append(judged / seconds)
print(f"verdicts {statistics.median(rates):.0f}")
browser.close()
