#!/usr/bin/env python3
"""The league page in a real browser.

Writes the page of the sample league (with a player named like markup, one
with Windows-1252 letters and a signing) and of a generated league of 2,000
free agents, then has headless Chromium load each: the rows, the escaping,
sorting and filtering through the page's own script, and a screenshot at desktop and phone width. tidy checks the HTML.

usage: browser_test.py LEAGUEPAGE_TOOL SAMPLE_LEAGUE
With BIDMARK_PAGE_SHOTS set to a folder, the screenshots are kept there.
"""
import html.parser
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
CRLF = b"\r\n"


class Dom(html.parser.HTMLParser):
    """The tables of a page by id (rows of cell texts, with the row's hidden
    flag), the attributes of every element with an id, the script count."""

    def __init__(self, text):
        super().__init__()
        self.tables, self.ids, self.scripts = {}, {}, 0
        self.sort = {}
        self._table = self._row = self._cell = None
        self.feed(text)

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids[attrs["id"]] = attrs
        if tag == "script":
            self.scripts += 1
        elif tag == "table":
            self._table = self.tables.setdefault(attrs.get("id"), [])
        elif tag == "tr" and self._table is not None:
            self._row = {"hidden": "hidden" in attrs, "cells": []}
        elif tag == "td" and self._row is not None:
            self._cell = []
        elif tag == "th" and "aria-sort" in attrs:
            self.sort[len(self.sort)] = attrs["aria-sort"]

    def handle_endtag(self, tag):
        if tag == "td" and self._cell is not None:
            self._row["cells"].append("".join(self._cell))
            self._cell = None
        elif tag == "tr" and self._row is not None:
            if self._row["cells"]:
                self._table.append(self._row)
            self._row = None
        elif tag == "table":
            self._table = None

    def handle_data(self, data):
        if self._cell is not None:
            self._cell.append(data)


class Browser:
    def __init__(self, work):
        self.profile = os.path.join(work, "profile")

    def run(self, page, *options):
        command = ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-dev-shm-usage",
                   "--user-data-dir=" + self.profile, *options, "file://" + page]
        done = subprocess.run(command, capture_output=True, timeout=120)
        if done.returncode != 0:
            raise AssertionError("chromium failed: " + done.stderr.decode(errors="replace")[-2000:])
        return done.stdout.decode("utf-8")

    def dom(self, page, script=None):
        if script:  # the same page with a few steps of the test run after its own script
            with open(page, encoding="utf-8") as source:
                text = source.read()
            page = page + ".steps.html"
            with open(page, "w", encoding="utf-8") as target:
                target.write(text.replace("</body>", "<script>" + script + "</script>\n</body>"))
        return Dom(self.run(page, "--dump-dom"))

    def screenshot(self, page, png, width, height):
        self.run(page, "--screenshot=" + png, "--window-size=%d,%d" % (width, height), "--hide-scrollbars")
        with open(png, "rb") as shot:
            assert shot.read(8) == b"\x89PNG\r\n\x1a\n", png


def check(condition, what):
    if not condition:
        raise AssertionError(what)


def click(column, times=1):
    return "var b=document.querySelectorAll('#agents th button')[%d];for(var i=0;i<%d;++i)b.click();" % (column, times)


def numbers(rows, column):
    return [float(row["cells"][column]) if row["cells"][column] != "\u2013" else -1 for row in rows]


def tool(*arguments):
    subprocess.run([sys.argv[1], *arguments], check=True, capture_output=True)


def sample_league(work, sample):
    folder = os.path.join(work, "sample")
    shutil.copytree(sample, folder)
    with open(os.path.join(folder, "fa.txt"), "ab") as fa:
        fa.write(b"<script>x</script>     24   UFA     850000  LW 71" + CRLF)
        fa.write(b"<TOR> 1.5/3 a <b>bold</b> & role" + CRLF + CRLF)
        fa.write(b"Zo\xeb \x80uro \xc5str\xf6m        22   RFA    1200000   G 80" + CRLF + CRLF)
    with open(os.path.join(folder, "signed.txt"), "wb") as signed:
        signed.write(b"------ FA01 Signed Players----" + CRLF)
        signed.write(b"Benno Tamski           27   UFA    1660000   C 66" + CRLF)
        signed.write(b"<SIGNED> <TOR> 2.5/4 +1.0 " + CRLF)
    tool("values", folder)
    return folder


def player_count(folder):
    with open(os.path.join(folder, "fa.txt"), "rb") as fa:
        return sum(1 for line in fa.read().split(CRLF)
                   if len(line) >= 42 and line[22:23] == b" " and line[23:25].isdigit()
                   and line[25:28] == b"   " and line[31:32] == b" ")


def check_sample(browser, folder, page):
    agents = player_count(folder)
    with open(page, encoding="utf-8") as source:  # what a browser without scripts shows
        plain = Dom(source.read())
    rows = plain.tables["agents"]
    check(len(rows) == agents, "%d rows for %d free agents" % (len(rows), agents))
    check("hidden" in plain.ids["tools"], "the tools show without scripts")
    check(plain.scripts == 1, "one script, the page's own")
    names = [row["cells"][0] for row in rows]
    check("<script>x</script>" in names, "the markup name is text")
    check("Zo\u00eb \u20acuro \u00c5str\u00f6m" in names, "Windows-1252 letters read right")
    check(len(plain.tables["signed"]) == 1 and plain.tables["signed"][0]["cells"][0] == "Benno Tamski",
          "the signing of the last merge")

    scripted = browser.dom(page)
    check("hidden" not in scripted.ids["tools"], "the script shows its tools")
    check([row["cells"][0] for row in scripted.tables["agents"]] == names, "fa.txt order until sorted")

    sorted_up = browser.dom(page, click(3))
    overall = numbers(sorted_up.tables["agents"], 3)
    check(overall == sorted(overall) and len(overall) == agents, "sorted by OV, ascending")
    check(sorted_up.sort == {0: "ascending"}, "the OV head says how it sorts")

    filtered = browser.dom(page, "var f=document.getElementById('filter');f.value='PELL';"
                                 "f.dispatchEvent(new Event('input'));")
    shown = [row["cells"][0] for row in filtered.tables["agents"] if not row["hidden"]]
    check(shown and all("pell" in name.lower() for name in shown) and len(shown) < agents, "filtered by name")


def check_generated(browser, work):
    folder = os.path.join(work, "generated")
    os.mkdir(folder)
    tool("generate", folder, "2000")
    tool("values", folder)
    page = os.path.join(work, "generated.html")
    tool("page", folder, page)
    dom = browser.dom(page, click(6, 2))
    values = numbers(dom.tables["agents"], 6)
    check(len(values) == 2000, "%d rows of 2,000 free agents" % len(values))
    check(values == sorted(values, reverse=True), "sorted by value, descending")
    return page


def tidy(page):
    done = subprocess.run(["tidy", "-e", "-q", page], capture_output=True)
    check(done.returncode == 0, "tidy: " + done.stderr.decode(errors="replace")[:2000])


def main():
    missing = [program for program in ("chromium", "tidy") if shutil.which(program) is None]
    if missing:
        print("skipped: %s not installed (scripts/test.sh installs them)" % " and ".join(missing))
        return SKIP
    with tempfile.TemporaryDirectory(prefix="bidmark-page-") as work:
        browser = Browser(work)
        folder = sample_league(work, sys.argv[2])
        page = os.path.join(work, "league.html")
        tool("page", folder, page)
        tidy(page)
        check_sample(browser, folder, page)
        generated = check_generated(browser, work)
        tidy(generated)
        shots = os.environ.get("BIDMARK_PAGE_SHOTS") or work
        browser.screenshot(page, os.path.join(shots, "league-page.png"), 1280, 900)
        browser.screenshot(page, os.path.join(shots, "league-page-phone.png"), 390, 844)
    print("league page checked in chromium and tidy")
    return 0


if __name__ == "__main__":
    sys.exit(main())
