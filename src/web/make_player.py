#!/usr/bin/env python3
"""Assembles the web player page, fenok-web.html: the page's HTML with its style, its script (the
emscripten glue, then the page's own) and the WebAssembly bytes in base64, under a Content-Security-
Policy that allows exactly that script and that style, WebAssembly, and pictures and media from data:
and blob: addresses, nothing else (no network at all).

The result keeps two markers for the packer, each exactly once: @FENOK_TITLE@ (the quiz's title) and
@FENOK_QUIZ@ (the quiz's resources in base64)."""
import argparse
import base64
import hashlib
import re
import sys

QUIZ_MARKERS = ("@FENOK_TITLE@", "@FENOK_QUIZ@")


def digest(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode("utf-8")).digest()).decode("ascii") + "'"


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for name in ("template", "style", "script", "glue", "wasm", "output"):
        parser.add_argument("--" + name, required=True)
    args = parser.parse_args()
    read = lambda path: open(path, encoding="utf-8").read()
    style = read(args.style)
    script = read(args.glue).strip() + "\n" + read(args.script)
    player = base64.b64encode(open(args.wasm, "rb").read()).decode("ascii")
    for what, text, closing in (("style", style, "</style"), ("script", script, "</script")):
        if closing in text.lower():
            sys.exit(f"make_player.py: the {what} holds '{closing}', which would end its element early")
    policy = "; ".join([
        "default-src 'none'",
        f"script-src {digest(script)} 'wasm-unsafe-eval'",
        f"style-src {digest(style)}",
        "img-src data: blob:",
        "media-src data: blob:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    parts = {"@CSP@": policy, "@STYLE@": style, "@SCRIPT@": script, "@PLAYER@": player}
    # One pass over the template: what is put in is never scanned for markers again.
    page = re.sub("|".join(map(re.escape, parts)), lambda m: parts[m.group(0)], read(args.template))
    for marker in QUIZ_MARKERS:
        if page.count(marker) != 1:
            sys.exit(f"make_player.py: {marker} appears {page.count(marker)} times instead of once")
    with open(args.output, "w", encoding="utf-8", newline="\n") as out:
        out.write(page)


if __name__ == "__main__":
    main()
