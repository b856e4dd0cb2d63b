#!/usr/bin/env python3
"""Assembles the web player page, fenok-web.html: the page's HTML with its style, its script (the
emscripten glue, then the page's own) and the WebAssembly bytes in base64, under the policy of
page_assembly.py.

The result keeps two markers for the packer, each exactly once: @FENOK_TITLE@ (the quiz's title) and
@FENOK_QUIZ@ (the quiz's resources in base64)."""
import argparse
import sys

from page_assembly import fill, policy, read_base64, read_text, refuse_early_endings, write_text

QUIZ_MARKERS = ("@FENOK_TITLE@", "@FENOK_QUIZ@")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for name in ("template", "style", "entries", "script", "glue", "wasm", "output"):
        parser.add_argument("--" + name, required=True)
    args = parser.parse_args()
    style = read_text(args.style)
    script = read_text(args.glue).strip() + "\n" + read_text(args.entries) + read_text(args.script)
    refuse_early_endings("make_player.py", style=style, script=script)
    parts = {"@CSP@": policy(script, style), "@STYLE@": style, "@SCRIPT@": script, "@PLAYER@": read_base64(args.wasm)}
    page = fill(read_text(args.template), parts)
    for marker in QUIZ_MARKERS:
        if page.count(marker) != 1:
            sys.exit(f"make_player.py: {marker} appears {page.count(marker)} times instead of once")
    write_text(args.output, page)


if __name__ == "__main__":
    main()
