#!/usr/bin/env python3
"""Assembles the studio page, fenok-studio.html: its HTML, style and script (the emscripten glue, then
the page's own) under the policy of page_assembly.py, with in base64 the studio's WebAssembly module
and the players it writes quizzes from (the 32- and 64-bit programs and the web player page).

The page draws the Windows studio's own form: its controls, their order, their labels and the menu's
commands are read here from the window's resource script and its header of numbers, and handed to the
page as JSON, so that both windows say the same words."""
import argparse
import json
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from page_assembly import fill, policy, read_base64, read_text, refuse_early_endings, write_text  # noqa: E402

CONTROL_KINDS = ("GROUPBOX", "LTEXT", "CTEXT", "EDITTEXT", "COMBOBOX", "PUSHBUTTON", "LISTBOX", "CONTROL")
NO_TEXT = ("EDITTEXT", "COMBOBOX", "LISTBOX")  # their first argument is the id
ROW_SPREAD = 3


def numbers(header):
    """Every #define NAME number of the header."""
    return {name: int(value) for name, value in re.findall(r"^#define\s+(\w+)\s+(-?\d+)\b", header, re.M)}


def statements(block):
    """The block's statements, a statement continued on the next line when a line ends with a comma."""
    joined, pending = [], ""
    for line in block.splitlines():
        line = re.sub(r"^\s*//.*", "", line).strip()
        if not line:
            continue
        pending = f"{pending} {line}" if pending else line
        if not pending.endswith(","):
            joined.append(pending)
            pending = ""
    return joined


def arguments(text):
    """Comma-separated arguments; quoted strings keep their commas."""
    return [a.strip() for a in re.findall(r'"(?:[^"]|"")*"|[^,]+', text)]


def unquote(text):
    """A resource string's text: "" is a quote, \\t a tab (a menu item's shortcut follows it)."""
    return text[1:-1].replace('""', '"').replace("\\t", "\t") if text.startswith('"') else text


def form(rc, ids):
    """The dialog's controls in Tab order: kind, id (-1: a label of no id), text, place in dialog units."""
    block = re.search(r"DIALOGEX.*?\nBEGIN\n(.*?)\nEND", rc, re.S).group(1)
    controls = []
    for statement in statements(block):
        kind, _, rest = statement.partition(" ")
        if kind not in CONTROL_KINDS:
            sys.exit(f"make_studio.py: unknown control in the studio's window: {statement}")
        args = arguments(rest)
        text = "" if kind in NO_TEXT else unquote(args.pop(0))
        identifier = args.pop(0)
        window_class = args.pop(0) if kind == "CONTROL" else ""
        if kind == "CONTROL":
            args.pop(0)  # its styles come before its place
        place = [int(a) for a in args[:4]]
        number = -1 if identifier == "IDC_STATIC" else ids.get(identifier)
        if number is None:
            sys.exit(f"make_studio.py: {identifier} has no number in the studio's header")
        controls.append({"kind": window_class or kind, "id": number, "text": text, "place": place})
    return controls


def sections(controls, ids):
    """The controls by the part of the window they are in (a group box's, the questions between the
    groups, the problems under them) and, within it, by row: controls whose tops are within
    ROW_SPREAD dialog units of the row's first share it (a label sits a little lower than its field)."""
    groups = [c for c in controls if c["kind"] == "GROUPBOX"]
    problems_top = next(c["place"][1] for c in controls if c["id"] == ids["STUDIO_PROBLEMS_LABEL"])

    def section_of(control):
        x, y = control["place"][:2]
        for group in groups:
            left, top, width, height = group["place"]
            if left <= x < left + width and top <= y < top + height:
                return group["id"]
        return "questions" if y < problems_top else "problems"

    parts = []
    for control in controls:
        if control["kind"] == "GROUPBOX":
            parts.append({"section": control["id"], "text": control["text"], "rows": []})
            continue
        name = section_of(control)
        part = next((p for p in parts if p["section"] == name), None)
        if part is None:
            part = {"section": name, "text": "", "rows": []}
            parts.append(part)
        rows = part["rows"]
        if rows and abs(control["place"][1] - rows[-1][0]["place"][1]) <= ROW_SPREAD:
            rows[-1].append(control)
        else:
            rows.append([control])
    return parts


def menu(rc, ids):
    """The menu's commands: id -> text (its mnemonic and shortcut kept; the page strips them)."""
    return {ids[name]: unquote(text) for text, name in re.findall(r'MENUITEM\s+("(?:[^"]|"")*")\s*,\s*(\w+)', rc)}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for name in ("template", "style", "entries", "script", "glue", "wasm", "rc", "ids", "player32", "player64", "web_player",
                 "output"):
        parser.add_argument("--" + name.replace("_", "-"), dest=name, required=True)
    args = parser.parse_args()
    ids = numbers(read_text(args.ids))
    rc = read_text(args.rc)
    window = json.dumps({"ids": ids, "sections": sections(form(rc, ids), ids), "menu": menu(rc, ids)},
                        ensure_ascii=False)
    style = read_text(args.style)
    script = read_text(args.glue).strip() + "\n" + read_text(args.entries) + read_text(args.script)
    refuse_early_endings("make_studio.py", style=style, script=script, window=window)
    web_player = read_text(args.web_player)
    # The quiz page the studio tries a quiz in opens from this one, under both policies.
    player_policy = re.search(r'http-equiv="Content-Security-Policy" content="([^"]*)"', web_player)
    if not player_policy:
        sys.exit("make_studio.py: the web player page has no policy")
    parts = {
        "@CSP@": policy(script, style, player_policy.group(1), workers=True), "@STYLE@": style, "@SCRIPT@": script, "@WINDOW@": window,
        "@MODULE@": read_base64(args.wasm), "@PLAYER32@": read_base64(args.player32),
        "@PLAYER64@": read_base64(args.player64), "@WEBPLAYER@": read_base64(args.web_player),
    }
    write_text(args.output, fill(read_text(args.template), parts))


if __name__ == "__main__":
    main()
