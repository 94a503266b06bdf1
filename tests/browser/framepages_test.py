#!/usr/bin/env python3
"""The frame set of a corpus source, opened in headless Chromium.

Converts one real source twice with `quorbel convert` (the settings of a
fresh machine, then explicit colours given with --set), opens each frame page
and checks that
- both frames load: the header page with its SUBS and FUNCTIONS lists, the
  code page with its top anchor;
- choosing each entry of both lists scrolls the code frame to the entry's
  anchor, by a click and by the keyboard (ArrowDown on the focused list);
- every link of the comment block resolves: each procedure link scrolls to
  its anchor when clicked, the e-mail link is a mail address, a file link
  loads, a web address is well formed;
- a screenshot shows the colours of the settings: keyword, identifier,
  comment and text runs each hold pixels of their colour, and the page and
  header backgrounds are the most frequent colours of their frames.

The screenshots are written to the output folder to be looked at. Exits 77
(skipped) without a browser or without the corpus, 1 on a failure.
"""

import argparse
import collections
import json
import os
import pathlib
import re
import subprocess
import sys

from devtools import Browser, find_browser
from pngpixels import Picture
from failures import Failures
from pagescripts import AT_ANCHOR, LOCATE_COLOUR, LOADED

SKIP = 77
WIDTH, HEIGHT, SCALE = 900, 600, 2
TOLERANCE = 12  # per channel, for a pixel to count as a colour

# The page colours of a fresh machine's settings.
DEFAULT_COLOURS = {"key": "1D048E", "id": "B67C30", "comment": "378C13", "text": "000000", "page": "FFFFFF"}
# Colours chosen for the run with --set, unlike every default.
SET_COLOURS = {"key": "B0186A", "id": "D35400", "comment": "0A7E8C", "text": "5B2C6F", "page": "FFF8DC"}
SET_KEYS = {
    "key": "HTMLComment-Key Color",
    "id": "HTMLComment-ID Color",
    "comment": "HTMLComment-Comment Color",
    "text": "HTMLComment-Text Color",
    "page": "HTMLComment-Page BG Color",
}
HEADER_BACKGROUND = "BDBBBA"
DECLARATION = re.compile(r"^\s*(?:(?:Public|Private|Friend|Static)\s+)*(Sub|Function)\s+\w", re.I | re.M)
DECLARED_SUB = re.compile(r"\bDeclare\s+Sub\s", re.I)


def pick_source(corpus):
    """The first module (by path) long enough to scroll, with at least three
    Subs and three Functions, and no declared external Sub: such a Sub is
    listed under the text up to its "(", which ends in a blank, and a
    browser drops a trailing blank from an address, so its entry cannot
    reach its anchor."""
    for path in sorted(p for p in pathlib.Path(corpus).rglob("*") if p.suffix.lower() == ".bas" and p.is_file()):
        text = path.read_bytes().decode("latin-1")
        kinds = collections.Counter(m.group(1).lower() for m in DECLARATION.finditer(text))
        if (
            300 <= text.count("\n") <= 3000
            and kinds["sub"] >= 3
            and kinds["function"] >= 3
            and not DECLARED_SUB.search(text)
        ):
            return path
    return None


def convert(quorbel, source, folder, settings):
    folder.mkdir(parents=True, exist_ok=True)
    frame_page = folder / (source.stem + ".html")
    command = [quorbel, "convert", "--quiet", "--settings", str(folder / "no-such-settings.db")]
    for key, value in settings.items():
        command += ["--set", f"{key}={value}"]
    subprocess.run(command + ["-o", str(frame_page), str(source)], check=True)
    return frame_page


def js_string(text):
    return json.dumps(text)


def check_frames(browser, failures):
    browser.wait_for(LOADED, "both frames loaded")
    state = browser.evaluate(
        "({header: frames.header.location.href, code: frames.code.location.href,"
        " lists: [...frames.header.document.querySelectorAll('select')].map(s => s.name),"
        " top: frames.code.document.getElementsByName('1TopOfPage').length})"
    )
    failures.check(state["header"].endswith("/Header.html"), f"header frame shows {state['header']}")
    failures.check(state["code"].endswith("/Code.html"), f"code frame shows {state['code']}")
    failures.check(state["lists"] == ["SUBS", "FUNCTIONS"], f"header page lists {state['lists']}")
    failures.check(state["top"] == 1, "code page has no anchor 1TopOfPage")


def expect_at_anchor(browser, failures, name, how):
    try:
        browser.wait_for(f"({AT_ANCHOR})({js_string(name)})", f"{how}: code frame at anchor {name}", timeout=5)
        return True
    except AssertionError as error:
        return failures.check(False, str(error))


def move_away(browser, name):
    """Scrolls the code frame so that the anchor name is far from where a
    jump puts it."""
    browser.evaluate(
        f"(() => {{ const w = frames.code, a = w.document.getElementsByName({js_string(name)})[0];"
        " const y = a ? a.getBoundingClientRect().top + w.scrollY : 0;"
        " w.scrollTo(0, y > w.innerHeight / 2 ? 0 : w.document.scrollingElement.scrollHeight); })()"
    )


def check_lists(browser, failures):
    jumps = 0
    for list_name in ("SUBS", "FUNCTIONS"):
        select = f"frames.header.document.forms[0].elements.{list_name}"
        values = browser.evaluate(f"[...{select}.options].map(o => o.value)")
        failures.check(len(values) >= 2, f"{list_name} lists no procedure")
        # A click on the list, the entry already chosen (the click handler).
        for index in [*range(1, len(values)), 0]:
            move_away(browser, values[index])
            browser.evaluate(f"{select}.selectedIndex = {index}; {select}.click()")
            jumps += expect_at_anchor(browser, failures, values[index], f"{list_name} click on entry {index}")
        # The keyboard: ArrowDown on the focused list chooses the next entry.
        browser.evaluate(f"{select}.selectedIndex = 0; {select}.focus()")
        for index in range(1, len(values)):
            move_away(browser, values[index])
            browser.press("ArrowDown", "ArrowDown", 40)
            chosen = browser.evaluate(f"{select}.selectedIndex")
            failures.check(chosen == index, f"{list_name}: ArrowDown chose entry {chosen}, not {index}")
            jumps += expect_at_anchor(browser, failures, values[index], f"{list_name} ArrowDown to entry {index}")
            browser.press("Enter", "Enter", 13)
            jumps += expect_at_anchor(browser, failures, values[index], f"{list_name} Enter on entry {index}")
    print(f"  {jumps} list choices jumped to their anchors")


def check_comment_links(browser, failures):
    """Returns the links to load once the frame set is no longer needed."""
    links = browser.evaluate(
        "[...frames.code.document.querySelector('table').querySelectorAll('a')]"
        ".map(a => [a.getAttribute('href'), a.href])"
    )
    failures.check(len(links) >= 4, f"the comment block holds only {len(links)} links")
    to_load = []
    for index, (written, absolute) in enumerate(links):
        if written.startswith("#"):
            move_away(browser, written[1:])
            browser.evaluate(f"frames.code.document.querySelector('table').querySelectorAll('a')[{index}].click()")
            expect_at_anchor(browser, failures, written[1:], f"comment block link {written}")
        elif written.lower().startswith("mailto:"):
            failures.check(
                re.fullmatch(r"[^@\s]+@[^@\s]+\.[^@\s]+", written[7:]), f"e-mail link {written} is no address"
            )
        elif written.lower().startswith("file:"):
            to_load.append(absolute)
        else:
            # The tests run without a network: a web address is only parsed.
            host = browser.evaluate(
                f"(() => {{ try {{ return new URL({js_string(written)}).host }} catch (e) {{ return '' }} }})()"
            )
            failures.check(written.startswith(("http://", "https://")) and host, f"link {written} is no web address")
    print(f"  {len(links)} comment block links")
    return to_load


def colour_distance(pixel, colour):
    expected = bytes.fromhex(colour)
    return max(abs(a - b) for a, b in zip(pixel, expected))


def frame_box(browser, frame):
    return browser.evaluate(
        f"(() => {{ const r = frames.{frame}.frameElement.getBoundingClientRect();"
        " return [r.left, r.top, r.width, r.height] })()"
    )


def most_frequent(picture, box):
    left, top, width, height = (int(v * SCALE) for v in box)
    counts = collections.Counter(
        picture.pixel(x, y) for y in range(top + 2, top + height - 2, 3) for x in range(left + 2, left + width - 2, 3)
    )
    return counts.most_common(1)[0][0]


def check_colours(browser, failures, colours, shot_path):
    # Both lists back on their titles, nothing focused; the rarest kind,
    # comments, first, so that one picture mostly holds every kind.
    browser.evaluate(
        "for (const list of frames.header.document.querySelectorAll('select')) list.selectedIndex = 0;"
        " frames.header.document.activeElement.blur(); frames.code.scrollTo(0, 0)"
    )
    picture = None
    code_left, code_top, _, _ = frame_box(browser, "code")
    shots = 0
    for kind in ("comment", "key", "id", "text"):
        found = browser.evaluate(f"({LOCATE_COLOUR})({js_string(colours[kind])})")
        if found is None:
            failures.check(False, f"the code page has no {kind} run in {colours[kind]}")
            continue
        if "scrollTo" in found:
            browser.evaluate(f"frames.code.scrollTo(0, {found['scrollTo']})")
            found = browser.evaluate(f"({LOCATE_COLOUR})({js_string(colours[kind])})")
            picture = None
        if picture is None:
            shots += 1
            png = browser.screenshot()
            name = shot_path if shots == 1 else shot_path.with_name(f"{shot_path.stem}-{shots}.png")
            name.write_bytes(png)
            picture = Picture(png)
        left, top, width, height = found["rect"]
        pixels = [
            picture.pixel(x, y)
            for y in range(int((code_top + top) * SCALE), int((code_top + top + height) * SCALE))
            for x in range(int((code_left + left) * SCALE), int((code_left + left + width) * SCALE))
        ]
        hits = sum(colour_distance(p, colours[kind]) <= TOLERANCE for p in pixels)
        print(f"  {kind} run {found['text']!r}: {hits} of {len(pixels)} pixels in {colours[kind]}")
        failures.check(
            hits >= max(4, len(pixels) // 50), f"{kind} run {found['text']!r} shows {hits} pixels of {colours[kind]} among {len(pixels)}"
        )
    if picture is None:
        return
    page = most_frequent(picture, frame_box(browser, "code"))
    failures.check(
        colour_distance(page, colours["page"]) <= 2,
        f"code frame background is {bytes(page).hex()}, not {colours['page']}",
    )
    header = most_frequent(picture, frame_box(browser, "header"))
    failures.check(
        colour_distance(header, HEADER_BACKGROUND) <= 2,
        f"header frame background is {bytes(header).hex()}, not {HEADER_BACKGROUND}",
    )
    print(f"  colours checked on {shots} screenshot(s), first: {shot_path}")


def run(browser, frame_page, colours, failures):
    print(f"{frame_page}:")
    error = browser.navigate(frame_page.as_uri())
    if not failures.check(error is None, f"{frame_page} did not load: {error}"):
        return
    check_frames(browser, failures)
    check_lists(browser, failures)
    check_colours(browser, failures, colours, frame_page.with_suffix(".png"))
    for url in check_comment_links(browser, failures):
        error = browser.navigate(url)
        failures.check(error is None, f"comment block link {url} did not load: {error}")
        print(f"  loaded {url}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quorbel", required=True, help="the command line program")
    parser.add_argument("--corpus", required=True, help="folder of VB6 sources")
    parser.add_argument("--out", required=True, help="folder for the pages and screenshots")
    args = parser.parse_args()
    program = find_browser()
    if program is None:
        print(
            "SKIPPED: no headless Chromium ($QUORBEL_CHROMIUM, or chromium-headless-shell or chromium on PATH);"
            " scripts/setup installs it"
        )
        return SKIP
    if not os.path.isdir(args.corpus):
        print(f"SKIPPED: no corpus at {args.corpus} (configure with -DQUORBEL_CORPUS_DIR=FOLDER)")
        return SKIP
    source = pick_source(args.corpus)
    if source is None:
        print(f"FAILED: no module in {args.corpus} has three Subs, three Functions and 300 lines")
        return 1
    print(f"source: {source}\nbrowser: {program}")
    out = pathlib.Path(args.out)
    default_page = convert(args.quorbel, source, out / "default", {})
    settings = {SET_KEYS[kind]: value for kind, value in SET_COLOURS.items()}
    settings["Comments-Web Site Info"] = default_page.as_uri()
    set_page = convert(args.quorbel, source, out / "set", settings)
    failures = Failures()
    browser = Browser(program, WIDTH, HEIGHT, SCALE)
    try:
        run(browser, default_page, DEFAULT_COLOURS, failures)
        run(browser, set_page, SET_COLOURS, failures)
    finally:
        browser.close()
    return failures.exit_status()


if __name__ == "__main__":
    sys.exit(main())
