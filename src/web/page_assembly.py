"""What both assembled pages share: a script and a style put inline under a Content-Security-Policy
that allows exactly them (by their hashes), WebAssembly, and pictures and media from data: and blob:
addresses, workers from blob: addresses where a page asks, nothing else (no network at all); markers
of a template filled in one pass."""
import base64
import hashlib
import re
import sys


def digest(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode("utf-8")).digest()).decode("ascii") + "'"


def policy(script, style, also="", workers=False):
    """The policy of a page of this script and style. A page opened from it (a blob: address) is held
    to its policy too: also, the policy of such a page, lends its script and style hashes. workers: the
    page runs its own script in workers, from blob: addresses."""
    scripts = " ".join([digest(script)] + re.findall(r"script-src ([^;]*?)\s*'wasm-unsafe-eval'", also))
    styles = " ".join([digest(style)] + re.findall(r"style-src ([^;]*)", also))
    return "; ".join([
        "default-src 'none'",
        f"script-src {scripts} 'wasm-unsafe-eval'",
        f"style-src {styles.strip()}",
        "img-src data: blob:",
        "media-src data: blob:",
        *(["worker-src blob:"] if workers else []),
        "base-uri 'none'",
        "form-action 'none'",
    ])


def refuse_early_endings(tool, **texts):
    """Inline texts must not close their element before their end."""
    for what, text in texts.items():
        for closing in ("</script", "</style"):
            if closing in text.lower():
                sys.exit(f"{tool}: the {what} holds '{closing}', which would end its element early")


def fill(template, parts):
    """One pass over the template: what is put in is never scanned for markers again."""
    return re.sub("|".join(map(re.escape, parts)), lambda m: parts[m.group(0)], template)


def read_text(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def read_base64(path):
    with open(path, "rb") as f:
        return base64.b64encode(f.read()).decode("ascii")


def write_text(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)
