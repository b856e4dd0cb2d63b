"""The studio page in WebKitGTK, the engine of Safari: a short session under a virtual display. The
page starts, two photos (a JPEG and a WebP, which only the browser decodes) are dropped on it, each
becomes a question with its thumbnail, and a screenshot of the window is written.
Usage: webkit_studio.py STUDIO.html JPEG WEBP SCREENSHOT (needs DISPLAY)"""
import base64
import json
import os
import sys
import time

# Drawn in software, as a virtual display without a GPU wants (and alike on every machine).
os.environ.setdefault("WEBKIT_DISABLE_COMPOSITING_MODE", "1")
os.environ.setdefault("WEBKIT_DISABLE_DMABUF_RENDERER", "1")

import cairo  # noqa: E402,F401 (lets PyGObject hand over the snapshot's surface)
import gi  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Checks  # noqa: E402

gi.require_version("Gtk", "3.0")
gi.require_version("WebKit2", "4.1")
from gi.repository import GLib, Gtk, WebKit2  # noqa: E402

WAIT_SECONDS = 30
checks = Checks("webkit-studio")


class Page:
    def __init__(self, path):
        self.window = Gtk.Window(title="fenok studio WebKit")
        self.window.set_default_size(1100, 800)
        self.view = WebKit2.WebView()
        self.view.get_settings().set_allow_file_access_from_file_urls(True)
        self.window.add(self.view)
        self.window.show_all()
        self.view.load_uri("file://" + os.path.abspath(path))

    def run(self, script):
        """The script's value as JSON text (the script is an expression), once WebKit answered."""
        answer = {}

        def finished(view, result):
            try:
                answer["value"] = view.evaluate_javascript_finish(result).to_json(0)
            except GLib.Error as error:
                answer["error"] = error.message

        self.view.evaluate_javascript(f"JSON.parse(JSON.stringify({script}) ?? 'null')", -1, None, None, None, finished)
        while not answer:
            Gtk.main_iteration_do(True)
        return json.loads(answer["value"]) if "value" in answer else None

    def snapshot(self, path):
        """The page as WebKit drew it (its own picture: a screen grab misses what it composites)."""
        done = {}

        def finished(view, result):
            try:
                view.get_snapshot_finish(result).write_to_png(path)
                done["ok"] = True
            except GLib.Error as error:
                done["ok"] = False
                print(f"webkit-studio: no snapshot: {error.message}")

        self.view.get_snapshot(WebKit2.SnapshotRegion.VISIBLE, WebKit2.SnapshotOptions.NONE, None, finished)
        while not done:
            Gtk.main_iteration_do(True)
        return done["ok"]

    def wait(self, script):
        deadline = time.time() + WAIT_SECONDS
        while time.time() < deadline:
            value = self.run(script)
            if value:
                return value
            for _ in range(20):
                Gtk.main_iteration_do(False)
            time.sleep(0.05)
        return None


DROP = """(() => {
  const bytes = (text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
  const transfer = new DataTransfer();
  transfer.items.add(new File([bytes('%s')], 'tour-eiffel.jpg', { type: 'image/jpeg' }));
  transfer.items.add(new File([bytes('%s')], 'arc-de-triomphe.webp', { type: 'image/webp' }));
  document.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  return true;
})()"""

ROWS = ("[...document.querySelectorAll('#c1020 [role=option]')]"
        ".map((o) => [o.textContent, o.querySelector('canvas').width > 0])")


def main():
    studio, jpeg, webp, shot = sys.argv[1:5]
    page = Page(studio)
    checks.true("the page starts", page.wait("document.body && document.body.dataset.ready") is not None,
          page.run("document.getElementById('messages').innerText"))
    encoded = [base64.b64encode(open(p, "rb").read()).decode("ascii") for p in (jpeg, webp)]
    page.run(DROP % tuple(encoded))
    rows = page.wait(f"({ROWS}).length === 2 && !document.body.getAttribute('aria-busy') && {ROWS}")
    checks.true("two photos dropped, two questions", rows and [r[0] for r in rows] == ["1 ARC DE TRIOMPHE", "2 TOUR EIFFEL"],
          rows)
    checks.true("each with its thumbnail, the WebP too", rows and all(r[1] for r in rows), rows)
    checks.true("nothing went wrong", page.run("document.querySelectorAll('.message.error').length") == 0,
          page.run("document.getElementById('messages').innerText"))
    checks.true("a screenshot of the page", page.snapshot(shot))
    sys.exit(checks.finish())


if __name__ == "__main__":
    main()
