#!/usr/bin/env python3
"""The HTML export as a browser reads it.

For every case export_cases describes (each sample game as it ships, and a
copy whose game name, set names, number labels and database file name hold
markup characters), udbtool exports the page with the game's template, and
headless Chromium loads it and prints its DOM. Then:

- every list column holds one line per entry: as many <br> as entries, and
  line i is entry i's text;
- every text a tag filled reads back as the raw text (escaped characters
  come back as themselves, nothing is decoded twice);
- the DOM holds exactly the template's elements, with their attributes, in
  their places and with their own text, plus the <br> the lists add: no
  element of the template is lost and no text became an element.

usage: html_export_in_browser.py UDBTOOL EXPORT_CASES SAMPLES WORKDIR
"""

import html.parser
import json
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

BROWSER_SECONDS = 120  # one page; a cold start on a loaded machine is slow
VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}
MARK_START, MARK_END = "\ue000", "\ue001"  # stand for a template tag in the parsed template
LIST_TAGS = {"dbase_seq", "dbase_numbers", "dbase_file_name"}

failures = []


def fail(case, message):
    failures.append(f"{case}: {message}")


class Element:
    def __init__(self, tag, attrs, depth):
        self.tag, self.attrs, self.depth = tag, attrs, depth
        self.children = []  # Element or str

    def key(self):
        return (self.depth, self.tag, self.attrs)

    def own_text(self):
        return "".join(c for c in self.children if isinstance(c, str))


class TreeBuilder(html.parser.HTMLParser):
    """Elements in document order, each with its children."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = Element("#document", (), -1)
        self.stack = [self.root]
        self.elements = []

    def handle_starttag(self, tag, attrs):
        element = Element(tag, tuple(sorted((n, v or "") for n, v in attrs)), len(self.stack) - 1)
        self.stack[-1].children.append(element)
        self.elements.append(element)
        if tag not in VOID:
            self.stack.append(element)

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag not in VOID:
            self.stack.pop()

    def handle_endtag(self, tag):
        for i in range(len(self.stack) - 1, 0, -1):
            if self.stack[i].tag == tag:
                del self.stack[i:]
                return

    def handle_data(self, data):
        children = self.stack[-1].children
        if children and isinstance(children[-1], str):
            children[-1] += data
        else:
            children.append(data)


def parse(text):
    builder = TreeBuilder()
    builder.feed(text)
    builder.close()
    return builder


# A template tag: "<#", its name, then parameters (a value may be quoted and
# hold blanks and ">"), then ">".
TEMPLATE_TAG = re.compile(r'<#([^\s>]*)((?:\s+[^\s>=]*(?:=(?:"[^"]*"|[^\s>]*))?)*)\s*>')
LEVEL = re.compile(r'(?i)(?:^|\s)level=(?:"([^"]*)"|([^\s>]*))')


def level_of(parameters):
    match = LEVEL.search(parameters)
    value = (match.group(1) if match.group(1) is not None else match.group(2)) if match else "1"
    return int(value) if re.fullmatch(r"[+-]?\d+", value) else None


def page_text(text):
    """Bytes of the page's code page, as the browser decodes them."""
    raw = text.encode("latin-1")
    return "".join(bytes([b]).decode("cp1252", errors="ignore") or chr(b) for b in raw)


def expand(tag, parameters, case):
    """What a tag fills in: one text, or per entry a list of lines."""
    name = tag.lower()
    level = level_of(parameters)
    if name == "lotto_dbase_caption":
        return case["gameName"]
    if name == "dbase_numbers_caption":
        return case["setNames"][level - 1] if level and 1 <= level <= len(case["setNames"]) else ""
    if name == "dbase_seq":
        return [row["seq"] for row in case["rows"]]
    if name == "dbase_numbers":
        return [row["sets"][level - 1] for row in case["rows"]]
    if name == "dbase_file_name":
        return [row["source"] for row in case["rows"]]
    return ""


def split_marks(text):
    """Text and the indexes of the template tags in it, in order."""
    parts = re.split(MARK_START + r"(\d+)" + MARK_END, text)
    return parts[0::2], [int(i) for i in parts[1::2]]


def normal(text):
    return " ".join(text.split())


def check_list_cell(case, where, texts, values, dom):
    """A cell whose own text is one list tag: a line per entry, each ended by <br>."""
    lines, line = [], ""
    for child in dom.children:
        if isinstance(child, str):
            line += child
        elif child.tag == "br":
            lines.append(line)
            line = ""
        else:
            fail(case, f"{where}: an element <{child.tag}> among the lines")
    lines.append(line)
    expected = list(values) + [""]
    expected[0] = texts[0] + expected[0]
    expected[-1] += texts[1]
    if len(lines) - 1 != len(values):
        fail(case, f"{where}: {len(lines) - 1} lines for {len(values)} entries")
    for i, (got, want) in enumerate(zip(lines, expected)):
        if got != want:
            fail(case, f"{where}: line {i + 1} reads {got!r}, not {want!r}")
            break


def check_page(case, template_text, dom_text):
    tags = []

    def mark(match):
        tags.append((match.group(1), match.group(2)))
        return f"{MARK_START}{len(tags) - 1}{MARK_END}"

    template = parse(TEMPLATE_TAG.sub(mark, template_text.replace("\r\n", "\n")))
    dom = parse(dom_text)
    name = case["name"]

    dom_elements = [e for e in dom.elements if e.tag != "br"]
    template_elements = [e for e in template.elements if e.tag != "br"]
    want_keys = [e.key() for e in template_elements]
    got_keys = [e.key() for e in dom_elements]
    if want_keys != got_keys:
        at = next((i for i, (a, b) in enumerate(zip(want_keys, got_keys)) if a != b), min(len(want_keys), len(got_keys)))
        fail(name, f"the elements differ from the template's at element {at + 1}: template "
                   f"{want_keys[at:at + 2]}, page {got_keys[at:at + 2]} "
                   f"({len(want_keys)} elements in the template, {len(got_keys)} on the page)")
        return
    rows = len(case["rows"])
    list_cells = 0
    for t, d in zip(template_elements, dom_elements):
        where = f"<{t.tag}> #{template_elements.index(t) + 1}"
        texts, marks = split_marks(t.own_text())
        values = [expand(*tags[i], case) for i in marks]
        if any(isinstance(v, list) for v in values):
            if len(values) != 1 or any(normal(x) for x in texts):
                fail(name, f"{where}: a list tag must stand alone in its element for this check")
                continue
            list_cells += 1
            check_list_cell(name, where, texts, values[0], d)
            continue
        brs = sum(1 for c in d.children if isinstance(c, Element) and c.tag == "br")
        template_brs = sum(1 for c in t.children if isinstance(c, Element) and c.tag == "br")
        if brs != template_brs:
            fail(name, f"{where}: {brs} <br> where the template has {template_brs}")
        want = "".join(x + (values[i] if i < len(values) else "") for i, x in enumerate(texts))
        if normal(d.own_text()) != normal(want):
            fail(name, f"{where}: reads {normal(d.own_text())!r}, not {normal(want)!r}")
    if rows and not list_cells:
        fail(name, "the template lists no entries")


def browser():
    for name in ("chromium", "chromium-browser"):
        if shutil.which(name):
            return name
    sys.exit("html_export_in_browser: no chromium on the PATH (scripts/install-deps.sh installs it)")


def dump_dom(chromium, page, profile):
    started = time.monotonic()
    run = subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                          f"--user-data-dir={profile}", "--dump-dom", page.as_uri()],
                         capture_output=True, timeout=BROWSER_SECONDS)
    took = time.monotonic() - started
    if run.returncode != 0 or b"<html" not in run.stdout:
        sys.exit(f"html_export_in_browser: chromium could not read {page} (exit {run.returncode}):\n"
                 + run.stderr.decode(errors="replace")[-2000:])
    return run.stdout.decode("utf-8"), took


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    udbtool, export_cases, samples, work = sys.argv[1:]
    work = Path(work).resolve()
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    subprocess.run([export_cases, samples, str(work)], check=True)
    cases = json.loads((work / "cases.json").read_text(encoding="ascii"))
    chromium = browser()

    markup_in_numbers = False
    for number, case in enumerate(cases, 1):
        case["gameName"] = page_text(case["gameName"])
        case["setNames"] = [page_text(s) for s in case["setNames"]]
        for row in case["rows"]:
            row["sets"] = [page_text(s) for s in row["sets"]]
            row["source"] = page_text(row["source"])
        if "markup" in case["name"]:
            # The case must put markup where every kind of tag fills in.
            for text in [case["gameName"], *case["setNames"], *(r["source"] for r in case["rows"])]:
                if not all(c in text for c in '<&"'):
                    fail(case["name"], f"{text!r} holds no markup to escape")
            markup_in_numbers |= any("<" in s for r in case["rows"] for s in r["sets"])

        page = work / f"page{number}.html"
        export = subprocess.run([udbtool, "export-html", case["game"], case["database"], str(page), case["template"]],
                                capture_output=True, text=True)
        if export.returncode != 0:
            fail(case["name"], f"udbtool export-html failed: {export.stderr.strip()}")
            continue
        dom, took = dump_dom(chromium, page, work / "profile")
        (work / f"page{number}.dom.html").write_text(dom, encoding="utf-8")
        template_text = page_text(Path(case["template"]).read_bytes().decode("latin-1"))
        before = len(failures)
        check_page(case, template_text, dom)
        print(f"{case['name']}: {len(case['rows'])} entries, read by the browser in {took:.1f} s: "
              f"{'ok' if len(failures) == before else 'FAILED'}")
    if not markup_in_numbers:
        fail("all cases", "no number label holds markup")

    for failure in failures:
        print("FAIL", failure)
    print(f"{len(cases)} pages, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
