"""The quiz page end to end in headless Chromium, as the program's own session does it under Wine:
answers typed and committed with Enter and by leaving the box, verdict words and colours, score and
code, comments and solution pictures, "Cacher", "Sauver" (its file judged again by `fenok-pack try`, the
program's own judging), reload, "Reprendre des réponses…", a two-answer quiz, a text quiz, an audio
quiz's play and stop, keyboard only, 200 % zoom and a phone's screen, the accessibility contract, quiz
text that is markup, the network forbidden, and damaged pages.

Usage: session.py PAGES_DIR FENOK_PACK SHOTS_DIR   (PAGES_DIR holds demo, deux, texte and audio .html)"""
import os
import subprocess
import sys
import tempfile
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

from browser import DESKTOP, PHONE, Browser, Checks

# The program's colours behind verdict words, as the browser reports them.
GREEN, RED, AMBER, PALE_YELLOW = "rgb(0, 255, 0)", "rgb(255, 0, 0)", "rgb(255, 203, 38)", "rgb(255, 255, 192)"

pages, pack, shots = sys.argv[1:4]
check = Checks("session")
downloads = tempfile.mkdtemp(prefix="fenok-web-downloads-")
browser = Browser(downloads)


def page(name):
    return os.path.join(pages, name + ".html")


def colour(element):
    return browser.run("return getComputedStyle(arguments[0]).backgroundColor", element).replace("rgba", "rgb") \
        .replace(", 1)", ")")


def boxes():
    return browser.finds("input[type=text]")


def verdicts():
    return [box.get_attribute("aria-describedby") and
            browser.find("#" + box.get_attribute("aria-describedby")).text for box in boxes()]


def score():
    return browser.find("#score").text, browser.find("#code").text


def judged_by_the_program(quiz, answers):
    """What `fenok-pack try` prints for a saved-answers file: the verdicts, the counter and the code."""
    out = subprocess.run([pack, "try", quiz, answers], capture_output=True, check=False).stdout.decode("utf-8")
    lines = out.rstrip("\r\n").split("\n")
    return [line.rsplit("-> ", 1)[1] for line in lines[:-2]], lines[-2], lines[-1]


def no_sideways_scroll():
    return browser.run("return document.documentElement.scrollWidth <= window.innerWidth")


def commit(box, text, key):
    box.send_keys(Keys.CONTROL, "a")
    box.send_keys(text + key)


def saved_file(name):
    path = os.path.join(downloads, name)
    for _ in range(100):
        if os.path.exists(path) and not os.path.exists(path + ".crdownload"):
            return path
        time.sleep(0.05)
    return path


# --- The picture quiz: the contract, typing, verdicts, score, comments, Cacher, Sauver, reload -------
browser.open(page("demo"))
check.eq("html lang", browser.run("return document.documentElement.lang"), "fr")
check.eq("document title is the quiz title", browser.driver.title, "Drapeaux d'Europe et d'ailleurs")
check.true("a policy forbids the network",
           "default-src 'none'" in browser.find("meta[http-equiv=Content-Security-Policy]").get_attribute("content"))
first = boxes()[0]
check.eq("box name", first.accessible_name, "Question 1")
live = browser.find("#" + first.get_attribute("aria-describedby"))
check.eq("the box is described by its verdict, a polite live region", live.get_attribute("aria-live"), "polite")
check.eq("checkbox name", browser.find("#hide").accessible_name, "Cacher")
check.eq("button name", browser.find("#save").accessible_name, "Sauver")
link = browser.find("#link")
check.true("the link opens a web page in a new tab without opener",
           link.get_attribute("href").startswith("http") and link.get_attribute("target") == "_blank" and
           "noopener" in link.get_attribute("rel"))
picture_before = browser.find(".cell img").get_attribute("src")

commit(boxes()[0], "FRANCE", Keys.ENTER)
commit(boxes()[1], "italie", Keys.TAB)
commit(boxes()[2], "BELGIKUE", Keys.TAB)
commit(boxes()[3], "ZZZZ", Keys.TAB)
shown = verdicts()
check.eq("verdicts of Enter and of leaving a box", shown[:5], ["BRAVO", "BRAVO", "Quasiment", "FAUX", "?"])
check.eq("verdict colours", [colour(browser.find(f"#verdict-{4001 + i}")) for i in range(4)], [GREEN, GREEN, AMBER, RED])
check.eq("score and code", score(), (" 2 / 10", "Deux"))
check.true("a solved question's comment is shown", browser.finds(".comment")[0].value_of_css_property("visibility") == "visible")
check.true("an open question's comment is not", browser.finds(".comment")[3].value_of_css_property("visibility") == "hidden")
check.true("a solved question shows its solution picture", browser.find(".cell img").get_attribute("src") != picture_before)
browser.shot(os.path.join(shots, "page.png"))

browser.find("#hide").click()
shown_media = browser.run("return [...document.querySelectorAll('.cell .media')].map(m => !m.hidden)")
check.eq("Cacher hides the solved questions' pictures", shown_media[:4], [False, False, True, True])
browser.find("#hide").click()

browser.find("#save").click()
saved = saved_file("demo.txt")
check.eq("Sauver writes the program's answers file",
         open(saved, "rb").read() if os.path.exists(saved) else None,
         b"FRANCE\r\nitalie\r\nBELGIKUE\r\nZZZZ\r\n" + b"\r\n" * 6)
program = judged_by_the_program(page("demo"), saved)
check.eq("the program judges the saved file as the page did", (verdicts(), *score()), program)

browser.reload()
check.eq("reload restores the answers", [box.get_attribute("value") for box in boxes()][:4],
         ["FRANCE", "italie", "BELGIKUE", "ZZZZ"])
check.eq("and judges them again", (verdicts(), *score()), program)

resumed = os.path.join(downloads, "resumed.txt")
open(resumed, "wb").write("FRANCE\r\nITALIE\r\nBELGIQUE\r\n\r\nAutriche\r\nSuède\r\n".encode("cp1252"))
browser.find("#resume-file").send_keys(resumed)
time.sleep(0.5)
check.eq("Reprendre des réponses reads a file of the program", (verdicts(), *score()),
         judged_by_the_program(page("demo"), resumed))

# Keyboard only: Tab from the top of the page to the first box, type, Enter.
browser.reload()
browser.run("document.activeElement.blur(); window.scrollTo(0, 0)")
actions = ActionChains(browser.driver)
for _ in range(12):
    actions.send_keys(Keys.TAB)
    actions.perform()
    if browser.run("return document.activeElement.id") == "box-4001":
        break
ActionChains(browser.driver).key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL).send_keys("france" + Keys.ENTER).perform()
check.eq("playable with the keyboard alone", verdicts()[0], "BRAVO")

# 200 % zoom: half the CSS pixels, every box still on the page.
browser.screen(DESKTOP[0] // 2, DESKTOP[1] // 2)
browser.reload()
check.true("200 % zoom: no sideways scrolling", no_sideways_scroll())
check.true("200 % zoom: every box whole on the page", browser.run(
    "return [...document.querySelectorAll('input[type=text], .verdict')].every(e => "
    "{const r = e.getBoundingClientRect(); return r.width > 20 && r.left >= 0 && r.right <= window.innerWidth;})"))
browser.screen(*PHONE, mobile=True)
browser.reload()
check.true("phone: no sideways scrolling", no_sideways_scroll())
check.eq("phone: one column", browser.run(
    "return new Set([...document.querySelectorAll('.cell')].map(c => c.getBoundingClientRect().left)).size"), 1)
browser.shot(os.path.join(shots, "page-phone.png"))
browser.screen(*DESKTOP)

# --- Two answers a question -----------------------------------------------------------------------
browser.open(page("deux"))
check.eq("second box name", boxes()[1].accessible_name, "Question 1, 2e réponse")
check.eq("captions", [c.text for c in browser.finds(".cell")[0].find_elements("css selector", ".caption")],
         ["Forme", "Couleur"])
commit(boxes()[0], "cercle", Keys.ENTER)
check.eq("one right box does not solve a question", score()[0], " 0 / 6")
commit(boxes()[1], "rouge", Keys.ENTER)
check.eq("both do", (verdicts()[:2], score()[0]), (["BRAVO", "BRAVO"], " 1 / 6"))

# --- A text quiz ----------------------------------------------------------------------------------
browser.open(page("texte"))
check.eq("question texts on pale yellow", colour(browser.find(".question-text")), PALE_YELLOW)
commit(boxes()[0], "paris", Keys.ENTER)
commit(boxes()[1], "MADRIT", Keys.ENTER)
check.eq("text quiz verdicts", verdicts()[:2], ["BRAVO", "Quasiment"])
boxes()[2].send_keys("LISBONNE")
boxes()[2].send_keys(Keys.F1)
check.eq("F1 tries the answer on every unsolved box", [box.get_attribute("value") for box in boxes()],
         ["paris"] + ["LISBONNE"] * 9)
spread = os.path.join(downloads, "spread.txt")
open(spread, "wb").write(("paris\r\n" + "LISBONNE\r\n" * 9).encode("cp1252"))
check.eq("and judges each as the program does", (verdicts(), *score()), judged_by_the_program(page("texte"), spread))

# --- An audio quiz: play, another play, stop ------------------------------------------------------
browser.open(page("audio"))
clips = browser.finds("audio")
plays = browser.finds(".clip-buttons button:first-child")
stops = browser.finds(".clip-buttons button:last-child")
playing = lambda: [not browser.run("return arguments[0].paused", clip) for clip in clips]
plays[0].click()
time.sleep(0.3)
check.eq("play starts the question's clip", playing()[:3], [True, False, False])
plays[2].click()
time.sleep(0.3)
check.eq("another play stops it and starts its own", playing()[:3], [False, False, True])
stops[0].click()
time.sleep(0.2)
check.eq("any stop stops the clip playing", playing()[:3], [False, False, False])
check.eq("from its start", browser.run("return arguments[0].currentTime", clips[2]), 0)

# --- Quiz text is text; the network is forbidden; a damaged page says so ---------------------------
browser.open(page("markup"))
check.eq("a title in markup shows as typed", browser.find("#title").text, "<img src=x onerror=window.hacked=1>")
check.eq("and runs nothing", browser.run("return window.hacked === undefined && !document.querySelector('header img')"), True)
browser.run("window.blocked = []; document.addEventListener('securitypolicyviolation', e => blocked.push(e.blockedURI));"
            "fetch('http://127.0.0.1:9/').catch(() => {}); const i = new Image(); i.src = 'http://127.0.0.1:9/x.png';")
time.sleep(0.5)
check.eq("the policy blocks every address on the network", len(browser.run("return blocked")), 2)

errors = [e for e in browser.errors() if "127.0.0.1" not in e]
check.eq("no script errors", errors, [])

html = open(page("demo"), encoding="utf-8").read()
quiz_start = html.index('id="fenok-quiz">')
damaged = os.path.join(pages, "damaged.html")
# Cut inside the content, the page has no quiz: the program's own message and its placeholder quiz.
for name, cut, words, questions in (
        ("quiz cut short", quiz_start + (len(html) - quiz_start) * 2 // 3, "abîmée", 10),
        ("content cut short", quiz_start + 60, "Reponses non trouvées", 7),
        ("player cut short", html.index('id="fenok-player">') + 5000, "lecteur de quiz", 0)):
    open(damaged, "w", encoding="utf-8").write(html[:cut])
    browser.open(damaged)
    check.true(f"a page with its {name} says so in French", words in browser.messages(), browser.messages())
    check.eq(f"and plays what it still carries ({name})", len(browser.finds(".cell")), questions)

browser.close()
sys.exit(check.finish())
