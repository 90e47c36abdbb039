#!/usr/bin/env python3
"""Brings translations/kelvopad_en.ts up to date with the sources.

The program's texts are Japanese string literals that are translated where
they reach the screen (see src/core/app/UiText.h), so lupdate, which looks
for tr() calls, cannot find them. This script collects every string literal
that holds Japanese from src/ (adjacent literals joined, as the compiler
joins them), keeps the translations the file has, adds new texts as
unfinished and marks texts no longer in the sources as vanished. Qt Linguist
edits the file as usual; the build compiles it with lrelease.

    scripts/update-translations.py            update the file
    scripts/update-translations.py --check    list texts without a finished
                                              translation; exit 1 if any
"""
import os
import re
import sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
TS = os.path.join(ROOT, "translations", "kelvopad_en.ts")
CONTEXT = "kelvo"
JAPANESE = re.compile("[\u3000-\u9fff\uff00-\uffef]")
# A caption without Japanese still has its mnemonic in brackets: "HTML(&H)".
MNEMONIC = re.compile(r"\(&\w\)")
# A literal, with an optional u/u8/L prefix; comments are removed first.
LITERAL = re.compile(r'(?:u8|u|L)?"((?:[^"\\\n]|\\.)*)"')
ADJACENT = re.compile(r'"\s*(?:u8|u|L)?"')
ESCAPES = {"n": "\n", "t": "\t", "\\": "\\", '"': '"', "'": "'", "r": "\r", "0": "\0"}
# Texts put together at run time from pieces of the literals: the name of a
# file chooser's filter is shown without its patterns.
DERIVED = ["画像ﾌｧｲﾙ", "全てのﾌｧｲﾙ"]
# Files that the interface's language chooses, translated as texts are.
LOCALIZED_FILES = ["help/index.html"]


def unescape(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            if nxt == "x":
                m = re.match(r"[0-9a-fA-F]+", text[i + 2:])
                out.append(chr(int(m.group(0), 16)))
                i += 2 + len(m.group(0))
                continue
            out.append(ESCAPES.get(nxt, nxt))
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


def strip_comments(code):
    # Line comments outside literals; the sources have no block comments
    # holding quotes.
    lines = []
    for line in code.split("\n"):
        in_str, j = False, 0
        while j < len(line):
            if line[j] == "\\" and in_str:
                j += 2
                continue
            if line[j] == '"':
                in_str = not in_str
            elif not in_str and line.startswith("//", j):
                line = line[:j]
                break
            j += 1
        lines.append(line)
    return "\n".join(lines)


def source_texts():
    """(text, file) for every Japanese literal, in file order, once each."""
    seen, texts = set(), []
    for root, dirs, files in os.walk(os.path.join(ROOT, "src")):
        dirs.sort()
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(root, name)
            with open(path, encoding="utf-8") as f:
                code = ADJACENT.sub("", strip_comments(f.read()))
            for m in LITERAL.finditer(code):
                text = unescape(m.group(1))
                if (JAPANESE.search(text) or MNEMONIC.search(text)) and text not in seen:
                    seen.add(text)
                    texts.append((text, os.path.relpath(path, ROOT)))
    for text in DERIVED + LOCALIZED_FILES:
        if text not in seen:
            seen.add(text)
            texts.append((text, ""))
    return texts


def read_ts():
    found = {}
    if not os.path.exists(TS):
        return found
    for message in ET.parse(TS).getroot().iter("message"):
        source = message.findtext("source")
        tr = message.find("translation")
        finished = tr is not None and tr.get("type") not in ("unfinished", "vanished", "obsolete")
        found[source] = (tr.text or "" if tr is not None else "", finished)
    return found


def write_ts(texts, old):
    root = ET.Element("TS", version="2.1", language="en_US", sourcelanguage="ja_JP")
    context = ET.SubElement(root, "context")
    ET.SubElement(context, "name").text = CONTEXT
    current = set()
    for text, path in texts:
        current.add(text)
        message = ET.SubElement(context, "message")
        if path:
            ET.SubElement(message, "location", filename="../" + path)
        ET.SubElement(message, "source").text = text
        translation, finished = old.get(text, ("", False))
        tr = ET.SubElement(message, "translation")
        tr.text = translation
        if not finished:
            tr.set("type", "unfinished")
    for text, (translation, _) in old.items():
        if text not in current and translation:
            message = ET.SubElement(context, "message")
            ET.SubElement(message, "source").text = text
            tr = ET.SubElement(message, "translation", type="vanished")
            tr.text = translation
    ET.indent(root)
    with open(TS, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        f.write(ET.tostring(root, encoding="unicode"))
        f.write("\n")


def main():
    texts = source_texts()
    old = read_ts()
    if "--check" in sys.argv:
        missing = [t for t, _ in texts if not old.get(t, ("", False))[1]]
        for t in missing:
            print(repr(t))
        return 1 if missing else 0
    write_ts(texts, old)
    done = sum(1 for t, _ in texts if old.get(t, ("", False))[1])
    print("%d texts, %d translated" % (len(texts), done))
    return 0


if __name__ == "__main__":
    sys.exit(main())
