#!/usr/bin/env python3
"""Writes hostile pages and menu files into a style folder, for the bounds of
the page builder and the menus.

    bench/hostile/make_pages.py DIR
    tavq-render --folder DIR siblings.json out.png
    tavq-render --folder DIR window.json out.png
    tavq-render --folder DIR hugepage.json out.png
    tavq-render --folder DIR longtext.json out.png
    tavq-render --folder DIR listitems.json out.png
    tavq-render --folder DIR nested.json out.png
    tavq-render --folder DIR menubar.json out.png --menu bar=bigmenu.json

Run each under /usr/bin/time -v for wall time and peak memory.
"""
import json
import os
import sys

STYLE = {"style": [
    {"type": 1, "name": "bar", "drawImg": False, "clr": "ffeeeeee"},
    {"type": 1, "name": "item", "drawImg": False, "clr": "ffdddddd"},
    {"type": 2, "name": "text", "size": 13, "clr": "333333"},
]}


def write(folder, name, document):
    with open(os.path.join(folder, name), "w", encoding="utf-8") as out:
        json.dump(document, out, ensure_ascii=False)


def label(i, text="x"):
    return {"type": "qtlabel", "name": "l%d" % i, "x": i % 700, "y": (i // 700) % 500,
            "w": 40, "h": 16, "style": [["text", 0, 0]], "attr": {"text": text}}


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write(folder, "style.json", STYLE)
    # Qt paints siblings recursively: one stack frame per sibling.
    write(folder, "siblings.json", {"w": 800, "h": 600,
                                    "elements": [label(i) for i in range(30000)]})
    # The window's buffers take w * h * 4 bytes.
    write(folder, "window.json", {"w": 20000, "h": 20000, "elements": [label(0)]})
    # 100 MB, beyond what a page may be; then the longest text a page can hold.
    write(folder, "hugepage.json", {"w": 800, "h": 600,
                                    "elements": [label(0, "long text " * 10000000)]})
    write(folder, "longtext.json", {"w": 800, "h": 600,
                                    "elements": [label(0, "long text " * 400000)]})
    # Documents that parse into millions of values: a list of 4 MiB of items,
    # and items nested 900 deep, whose indented text grows with the square of the depth.
    def combo(items):
        return ('{"w": 800, "h": 600, "elements": [{"type": "qtcombobox", "name": "c", '
                '"x": 0, "y": 0, "w": 100, "h": 20, "attr": {"items": %s}}]}' % items)
    with open(os.path.join(folder, "listitems.json"), "w") as out:
        out.write(combo(",".join(['"a"'] * 1000000).join("[]")))
    with open(os.path.join(folder, "nested.json"), "w") as out:
        out.write(combo('["a",' + ",".join(["[" * 900 + "]" * 900] * 2300) + "]"))
    # A menu bar given a menu file of 100,000 items.
    write(folder, "menubar.json", {"w": 800, "h": 600, "elements": [
        {"type": "qtmenubar", "name": "bar", "x": 0, "y": 0, "w": 800, "h": 30}]})
    write(folder, "bigmenu.json", {"background": "bar", "item0": "item", "text0": "text",
                                   "items": [{"text": "item %d" % i} for i in range(100000)]})


if __name__ == "__main__":
    main()
