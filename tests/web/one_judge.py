"""One judge: the pairs of pairs.tsv judged inside a quiz page in Chromium give the verdicts that
`fenok-pack verdict --batch` gives, strictly, with tolerant accents, and with answers accepted beside
the expected one.

Usage: one_judge.py PAGE FENOK_PACK"""
import os
import subprocess
import sys

from browser import Browser, Checks

page, pack = sys.argv[1:3]
pairs = open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "pairs.tsv"), encoding="utf-8").read()
ALSO = ["MATOU", "MINOU", "LE CHÂTEAU"]
WAYS = {"strict": ([], False), "tolerant": ([], True), "with variants": (ALSO, False),
        "tolerant with variants": (ALSO, True)}

check = Checks("one-judge")
browser = Browser()
browser.open(page)
for name, (also, tolerant) in WAYS.items():
    options = (["--tolerant"] if tolerant else []) + [arg for form in also for arg in ("--also", form)]
    tool = subprocess.run([pack, "verdict", "--batch", *options], input=pairs.encode("utf-8"), capture_output=True,
                          check=False)
    expected = tool.stdout.decode("utf-8").splitlines()
    judged = browser.run("return fenokPage.verdicts(arguments[0], arguments[1], arguments[2])", pairs, also, tolerant)
    check.eq(f"{name}: {len(expected)} pairs judged in the page as by fenok-pack",
             list(zip(pairs.splitlines(), judged.splitlines())), list(zip(pairs.splitlines(), expected)))
    if tool.returncode != 0:
        check.fail(f"fenok-pack verdict: {tool.stderr.decode('utf-8')}")
browser.close()
sys.exit(check.finish())
