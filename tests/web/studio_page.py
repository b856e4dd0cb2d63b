"""The studio page in headless Chromium, as an author with only a browser uses it: phone photos (a
camera's names, a WebP, a name that is markup) chosen in the page's file input, answers typed with
Enter from one to the next, a removal undone, the page reloaded and the kept quiz resumed, then the
quiz created in its three kinds, each downloaded. The downloads land in WORK/downloads as quiz32.exe,
quiz64.exe and quiz.html, and the description the page kept as WORK/kept.toml, for the caller to read
back and build again; the page it created is played here. Last, an
iPhone's HEIC, which Chromium cannot decode, and a WebP too large for a quiz are chosen for
"Ajouter…": the studio names them; a folder of thousands of pictures is opened; folders are dropped on
the page; and a browser too old for the studio is told so.
Usage: studio_page.py STUDIO.html PHOTOS WORK SHOTS HEIC HUGE.webp CROWDED_FOLDER"""
import base64
import glob
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import DESKTOP, Browser, Checks  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

QUESTIONS, ANSWER, REMOVE, CREATE, TRY = "#c1020", "#c1037", "#c1022", "#c40011", "#c40010"
TABLET = (820, 1180)
DOWNLOAD_SECONDS = 20
# The answers typed, by the photo's name; the others keep the answer their name gives.
TYPED = {"IMG_20240612_101500.jpg": "PARIS"}
KINDS = ("quiz32.exe", "quiz64.exe", "quiz.html")  # the create dialog's kinds, in its order
KIND_NAMES = ["Programme 32 bits, pour tout Windows", "Programme 64 bits", "Page web, pour tout appareil"]
# What assistive technology names the controls: the Windows studio's labels, without colon or mnemonic.
NAMES = {"#c1001": "Titre", "#c1002": "Auteur", "#c1037": "Réponse", "#c1039": "Variantes acceptées",
         "#c1041": "Essayer une réponse", QUESTIONS: "Questions", "#c1061": "Problèmes", "#c40020": "Annuler",
         "#c40021": "Rétablir", TRY: "Essayer le quiz", CREATE: "Créer le quiz…"}

PICTURES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "samples", "demo", "pictures")

checks = Checks("studio-page")


def rows(b):
    return b.run("return [...document.querySelectorAll('#c1020 [role=option]')]"
                 ".map((o) => [o.textContent, o.querySelector('canvas').width > 0, o.getAttribute('aria-selected')])")


def settle(b):
    """Waits until the page has handed every chosen file to the studio."""
    deadline = time.time() + 20
    while time.time() < deadline and b.run("return document.body.getAttribute('aria-busy')"):
        time.sleep(0.05)


def choose_photos(b, photos):
    files = sorted(os.path.abspath(os.path.join(photos, name)) for name in os.listdir(photos))
    b.find("#new-files").send_keys("\n".join(files))
    deadline = time.time() + 20
    while time.time() < deadline and len(rows(b)) == 0:
        time.sleep(0.1)
    settle(b)
    return files


def type_answers(b):
    """Selects each photo's question in the list and types over its answer, Enter going on."""
    for index, (cells, _, _) in enumerate(rows(b)):
        b.finds(f"{QUESTIONS} [role=option]")[index].click()
        file_name = b.run("return document.getElementById('c1032').value")
        if file_name in TYPED:
            box = b.find(ANSWER)
            box.click()
            box.send_keys(Keys.CONTROL, "a")
            box.send_keys(TYPED[file_name], Keys.ENTER)
            return index
    return -1


def asks_before_leaving(b):
    return b.run("const e = new Event('beforeunload', { cancelable: true }); window.dispatchEvent(e); "
                 "return e.defaultPrevented")


def wait_download(folder, before):
    deadline = time.time() + DOWNLOAD_SECONDS
    while time.time() < deadline:
        done = [f for f in set(glob.glob(os.path.join(folder, "*"))) - before if not f.endswith(".crdownload")]
        if done and os.path.getsize(done[0]) > 0:
            time.sleep(0.3)  # the last bytes flushed
            return done[0]
        time.sleep(0.1)
    return None


def create_all(b, downloads):
    for index, name in enumerate(KINDS):
        before = set(glob.glob(os.path.join(downloads, "*")))
        b.find(CREATE).click()
        checks.true(f"the create dialog opens ({name})", b.run("return document.getElementById('create').open"))
        if index == 0:
            checks.true("the three kinds by their names", b.find("#create-kinds").text.split("\n") == KIND_NAMES,
                  b.find("#create-kinds").text)
        b.finds("#create-kinds input")[index].click()
        b.find("#create-ok").click()
        made = wait_download(downloads, before)
        checks.true(f"{name} downloaded", made is not None, b.messages())
        if made:
            shutil.move(made, os.path.join(downloads, name))
        checks.true(f"{name}: the studio says it is made, nothing wrong", "error" not in b.run(
            "return [...document.querySelectorAll('.message')].map((m) => m.className).join(' ')"), b.messages())
        checks.true(f"{name}: named by its file, not by the module's folders",
                    "Le quiz est créé : Mon quiz." in b.messages() and "/quiz/" not in b.messages(), b.messages())


def reopen_made(b, downloads, kept_rows, work):
    """The page created, opened again to be edited: the same questions, the pictures as stored; what is
    no quiz is said so, and the quiz on screen stays."""
    b.find("#open-files").send_keys(os.path.join(downloads, "quiz.html"))
    settle(b)
    time.sleep(0.5)
    checks.true("a page created opens again to be edited", [r[0] for r in rows(b)] == kept_rows
          and all(r[1] for r in rows(b)) and "est ouvert pour être modifié" in b.messages(), [rows(b), b.messages()])
    fake = os.path.join(work, "pas-un-quiz.exe")
    with open(fake, "w") as out:
        out.write("not a program")
    b.run("document.getElementById('open-files').value = ''")  # (a multiple input adds to what it holds)
    b.find("#open-files").send_keys(fake)
    time.sleep(0.5)
    checks.true("a file that is no quiz is said so, the quiz stays",
          "ni un programme Windows ni une page de quiz" in b.messages() and len(rows(b)) == len(kept_rows),
          b.messages())


def add_unreadable(b, heic, huge, count):
    """Pictures this browser cannot decode, or must not, chosen in the page's picker for the studio's
    own "Ajouter…": each is left out, named, with what to do or why."""
    b.find("#c1021").click()
    b.find("#pick-files").send_keys(os.path.abspath(heic) + "\n" + os.path.abspath(huge))
    deadline = time.time() + 10
    while time.time() < deadline and os.path.basename(heic) not in b.messages():
        time.sleep(0.1)
    said = b.messages()
    checks.true("a HEIC this browser cannot decode is named, with what to do",
                os.path.basename(heic) in said and "ouvrez le studio dans un navigateur qui le lit" in said, said)
    checks.true("a WebP too large for a quiz is named as such, never decoded",
                f"« {os.path.basename(huge)} » est trop grande" in said, said)
    checks.true("and both are left out", len(rows(b)) == count, rows(b))


def open_crowded_folder(b, folder):
    """A folder of thousands of pictures: the first 96 become the quiz, the others are listed, left out."""
    b.find("#new-folder").send_keys(os.path.abspath(folder))
    deadline = time.time() + 60
    while time.time() < deadline and "au plus 96 questions" not in b.messages():
        time.sleep(0.2)
    settle(b)
    checks.true("a folder of thousands of pictures: 96 questions, the others said left out",
                len(rows(b)) == 96 and "au plus 96 questions" in b.messages(), len(rows(b)))


# A folder dropped on the page, as the browser hands it: entries read a batch at a time (one here), each
# file given when asked.
DROP_FOLDER = """
    const entry = (node) => node.children ? {
      isFile: false, isDirectory: true, name: node.name,
      createReader() {
        const children = node.children.map(entry);
        let next = 0;
        return { readEntries(done) { setTimeout(() => done(children.slice(next, next += 1))); } };
      },
    } : {
      isFile: true, isDirectory: false, name: node.name,
      file(done) { setTimeout(() => done(new File([Uint8Array.from(atob(node.bytes), (c) => c.charCodeAt(0))], node.name))); },
    };
    const dropped = new Event('drop', { bubbles: true, cancelable: true });
    Object.defineProperty(dropped, 'dataTransfer', { value: { items: [{ webkitGetAsEntry: () => entry(arguments[0]) }], files: [] } });
    document.dispatchEvent(dropped);"""


def drop_folders(b, pictures):
    """Folders dropped on the page: one of photos, whose own folder is left alone; one holding a
    description, whose pictures are in a folder of their own."""
    def picture(name):
        with open(os.path.join(pictures, name), "rb") as f:
            return base64.b64encode(f.read()).decode()

    def drop(folder):
        b.run(DROP_FOLDER, folder)
        time.sleep(0.3)
        settle(b)
        return [r[0] for r in rows(b)]

    photos = {"name": "Vacances", "children": [
        {"name": "tour-eiffel.jpg", "bytes": picture("france.jpg")},
        {"name": "brouillons", "children": [{"name": "notre-dame.jpg", "bytes": picture("belgique.jpg")}]},
        {"name": "arc-de-triomphe.jpg", "bytes": picture("belgique.jpg")}]}
    found = drop(photos)
    checks.true("a folder of photos dropped: a question a photo, its own folders left alone",
                sorted(found) == ["1 ARC DE TRIOMPHE", "2 TOUR EIFFEL"], found)
    described = {"name": "Glissé", "children": [
        {"name": "quiz.toml", "bytes": base64.b64encode(
            'title = "Glissé"\nmedia = "pictures"\n\n[[question]]\nanswer = "UN"\npicture = "images/un.jpg"\n\n'
            '[[question]]\nanswer = "DEUX"\npicture = "images/deux.jpg"\n'.encode()).decode()},
        {"name": "images", "children": [{"name": "un.jpg", "bytes": picture("france.jpg")},
                                        {"name": "deux.jpg", "bytes": picture("belgique.jpg")}]}]}
    found = drop(described)
    checks.true("a folder with its description dropped: the quiz it describes, its pictures in their folder",
                found == ["1 UN", "2 DEUX"] and all(r[1] for r in rows(b)) and b.driver.title.startswith("Glissé"),
                [found, b.driver.title])


def too_old_browser(studio):
    """A browser whose WebAssembly lacks vector instructions (Safari before 16.4) is told what to do."""
    b = Browser()
    try:
        b.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                 {"source": "WebAssembly.validate = () => false;"})
        b.driver.get("file://" + os.path.abspath(studio))
        said = ""
        for _ in range(100):
            said = b.run("return document.getElementById('messages').textContent")
            if said:
                break
            time.sleep(0.05)
        checks.true("a browser too old for the studio is told to update it, in French",
                    "trop ancien" in said and "Mettez-le à jour" in said, said)
        checks.true("and nothing else went wrong", not b.errors(), b.errors())
    finally:
        b.close()


def main():
    studio, photos, work, shots, heic, huge, crowded = sys.argv[1:8]
    downloads = os.path.join(work, "downloads")
    shutil.rmtree(downloads, ignore_errors=True)
    os.makedirs(downloads)
    b = Browser(downloads=downloads, accept_leaving=True)
    try:
        checks.true("the page starts", b.open(studio) is not None, b.messages())
        checks.true("it says how to begin, in French", "Choisissez les images" in b.find("#start").text)
        checks.true("the tab names the studio", b.driver.title == "fenok studio", b.driver.title)
        choose_photos(b, photos)
        found = rows(b)
        checks.true("and then the quiz open, by its title", b.driver.title == "Mon quiz - fenok studio", b.driver.title)
        checks.true("a question a photo", len(found) == len(os.listdir(photos)), found)
        checks.true("every row has its thumbnail (the WebP decoded by the browser)", all(r[1] for r in found), found)
        checks.true("a name that is markup stays text", b.run("return window.hacked === undefined && "
                                                        "!document.querySelector('#form img')"))
        checks.true("the camera's name gives no answer: a problem is listed",
              len(b.finds("#c1061 button")) > 0, b.find("#c1061").text)
        b.shot(os.path.join(shots, "studio-page-desktop.png"))
        names = {css: b.find(css).accessible_name for css in NAMES}
        checks.true("controls named as the Windows studio labels them", names == NAMES, names)
        checks.true("the trial's verdict describes its box",
              b.find("#c1041").get_attribute("aria-describedby") == "c1042")
        checks.true("the questions' options begin with their number",
              all(r[0].startswith(f"{i + 1} ") for i, r in enumerate(rows(b))), rows(b))

        typed_row = type_answers(b)
        checks.true("the answer typed shows in the list", typed_row >= 0 and TYPED["IMG_20240612_101500.jpg"] in rows(b)[typed_row][0],
              rows(b))
        checks.true("Enter goes on to the next question", typed_row >= 0 and rows(b)[(typed_row + 1) % len(found)][2] == "true"
              and b.run("return document.activeElement.id") == ANSWER[1:], rows(b))

        count = len(rows(b))
        b.find(REMOVE).click()
        checks.true("Retirer removes the selected question", len(rows(b)) == count - 1)
        b.find("body").send_keys(Keys.CONTROL, "z")
        checks.true("Ctrl+Z brings it back", len(rows(b)) == count, rows(b))
        kept_rows = [r[0] for r in rows(b)]
        checks.true("leaving with changes not created asks first", asks_before_leaving(b))

        time.sleep(1)  # the page keeps the quiz a moment after the last change
        b.reload()
        checks.true("the reloaded page offers the kept quiz, by its title",
                    b.run("return !document.getElementById('offer').hidden")
                    and "« Mon quiz »" in b.find("#offer").text, b.find("#offer").text)
        b.find("#offer button").click()
        settle(b)
        checks.true("resumed: the same questions and answers", [r[0] for r in rows(b)] == kept_rows, [rows(b), kept_rows])
        checks.true("resumed: the pictures again, the WebP too", all(r[1] for r in rows(b)), rows(b))

        b.screen(*TABLET, mobile=True)
        time.sleep(0.3)
        b.shot(os.path.join(shots, "studio-page-tablet.png"))
        b.screen(*DESKTOP)

        handles = len(b.driver.window_handles)
        b.find(TRY).click()
        time.sleep(1)
        checks.true("Essayer le quiz opens the quiz page in a tab", len(b.driver.window_handles) == handles + 1,
              b.messages())
        studio_tab = b.driver.current_window_handle
        b.driver.switch_to.window(b.driver.window_handles[-1])
        checks.true("the quiz tried plays, a box a question", b.wait_ready() is not None
              and len(b.finds("input[type=text]")) == count, b.messages())
        b.driver.close()
        b.driver.switch_to.window(studio_tab)
        create_all(b, downloads)
        # The quiz as the page keeps it, for the caller to build with fenok-pack and compare.
        with open(os.path.join(work, "kept.toml"), "w", encoding="utf-8") as out:
            out.write(b.run("const m = window.fenokStudioPage.module; m.call('kept', []); return m.json().description"))
        time.sleep(1)
        checks.true("once created, leaving asks nothing", not asks_before_leaving(b))
        errors = b.errors()
        checks.true("no error in the console", not errors, errors)

        reopen_made(b, downloads, kept_rows, work)
        add_unreadable(b, heic, huge, len(kept_rows))
        open_crowded_folder(b, crowded)
        drop_folders(b, PICTURES)
        page = os.path.join(downloads, "quiz.html")
        if os.path.exists(page):
            b.driver.switch_to.window(b.driver.window_handles[0])
            checks.true("the page created plays", b.open(page) is not None, b.messages())
            checks.true("with a box a question", len(b.finds("input[type=text]")) == count, len(b.finds("input[type=text]")))
    finally:
        b.close()
    too_old_browser(studio)
    sys.exit(checks.finish())


if __name__ == "__main__":
    main()
