#!/usr/bin/env python3
"""A whole corpus project converted into a site, opened in headless Chromium.

Converts a real project file with `quorbel convert PROJECT.vbp -o FOLDER`,
opens FOLDER/index.html and checks that
- the index loads, names the project and lists modules with procedure links;
- following procedure links of the index (an even spread of them) loads the
  module's code page with the procedure's anchor at the top of the window;
- following call links inside code pages does the same for their targets;
- in a module's frame set, a call link to another module shows that
  module's code at the anchor and its header page with its lists.

Screenshots of the index and of the frame set after the link are written to
the output folder to be looked at.
Exits 77 (skipped) without a browser or without the corpus, 1 on a failure.
"""

import argparse
import json
import pathlib
import subprocess
import sys
from urllib.parse import unquote, urldefrag, urljoin

from devtools import Browser, find_browser
from failures import Failures
from pagescripts import AT_ANCHOR as CODE_FRAME_AT_ANCHOR, LOADED as FRAMES_LOADED

SKIP = 77
WIDTH, HEIGHT, SCALE = 900, 700, 1
PROJECT = "jpbro__VbFcgi/src/VbFcgiAppDemo/VbFcgiApp.vbp"
LINKS_TO_FOLLOW = 12

# (name) => true when the document shows the anchor name at the top of the
# window, or as near to it as the page's length lets it; otherwise a text.
AT_ANCHOR = """
(name) => {
  const anchor = document.getElementsByName(name)[0];
  if (!anchor) return 'no anchor named ' + name;
  if (document.readyState !== 'complete') return 'still loading';
  const top = anchor.getBoundingClientRect().top;
  const last = document.scrollingElement.scrollHeight - innerHeight;
  if (Math.abs(top) < 2) return true;
  const pinned = scrollY <= 0 || scrollY >= last - 1;
  return pinned && top >= 0 && top < innerHeight ? true : `anchor ${top} px from the top, scrolled ${scrollY} of ${last}`;
}
"""


def spread(items, count):
    """count items taken evenly from items, first and last included."""
    if len(items) <= count:
        return list(items)
    step = (len(items) - 1) / (count - 1)
    return [items[round(i * step)] for i in range(count)]


def follow(browser, failures, url):
    """Loads url and checks that its anchor stands at the top."""
    page, anchor = urldefrag(url)
    error = browser.navigate(url)
    if not failures.check(error is None, f"{url} did not load: {error}"):
        return
    name = unquote(anchor)
    try:
        browser.wait_for(f"({AT_ANCHOR})({json.dumps(name)})", f"{url}: at anchor {name}", timeout=5)
        print(f"  {url}: at its anchor")
    except AssertionError as error:
        failures.check(False, str(error))


# The first link of the code frame that leads to another module, clicked;
# its address, or null when the code frame holds none.
CLICK_MODULE_LINK = """
(() => {
  const here = frames.code.location.href.split('#')[0];
  const link = [...frames.code.document.links].find(a => a.hash && a.href.split('#')[0] !== here);
  if (!link) return null;
  link.click();
  return link.href;
})()
"""


def follow_between_frame_sets(browser, failures, frame_pages, shot):
    """Clicks a link to another module in the first frame set that has one;
    checks that the code frame reaches the anchor and the header frame shows
    the other module's header page with its lists (screenshot to shot)."""
    for page in frame_pages:
        browser.navigate(page)
        browser.wait_for(FRAMES_LOADED, f"{page}: both frames loaded")
        target = browser.evaluate(CLICK_MODULE_LINK)
        if target is None:
            continue
        header = urljoin(target, "Header.html")
        code, anchor = urldefrag(target)
        try:
            browser.wait_for(f"frames.header.location.href === {json.dumps(header)} && ({FRAMES_LOADED})"
                             f" && frames.code.location.href === {json.dumps(target)}",
                             f"{page}: frames after the link to {target}", timeout=5)
            lists = browser.evaluate("frames.header.document.querySelectorAll('select').length")
            failures.check(lists == 2, f"{header} shows {lists} lists")
            at = browser.evaluate(f"({CODE_FRAME_AT_ANCHOR})({json.dumps(unquote(anchor))})")
            failures.check(at is True, f"{code} in the code frame: {at}")
            shot.write_bytes(browser.screenshot())
            print(f"  {page}: the link to {target} brought {header}; screenshot {shot}")
        except AssertionError as error:
            failures.check(False, str(error))
        return
    failures.check(False, "no frame set of the site holds a link to another module")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quorbel", required=True, help="the command line program")
    parser.add_argument("--corpus", required=True, help="folder of VB6 sources")
    parser.add_argument("--out", required=True, help="folder for the site and the screenshot")
    args = parser.parse_args()
    program = find_browser()
    if program is None:
        print("SKIPPED: no headless Chromium ($QUORBEL_CHROMIUM, or chromium-headless-shell or chromium on PATH)")
        return SKIP
    project = pathlib.Path(args.corpus) / PROJECT
    if not project.is_file():
        print(f"SKIPPED: no project {project} (configure with -DQUORBEL_CORPUS_DIR=FOLDER)")
        return SKIP
    out = pathlib.Path(args.out)
    site = out / "site"
    out.mkdir(parents=True, exist_ok=True)
    command = [args.quorbel, "convert", "--quiet", "--settings", str(out / "no-such-settings.db")]
    subprocess.run(command + ["-o", str(site), str(project)], check=True)
    index = site / "index.html"

    failures = Failures()
    browser = Browser(program, WIDTH, HEIGHT, SCALE)
    try:
        error = browser.navigate(index.as_uri())
        if not failures.check(error is None, f"{index} did not load: {error}"):
            return 1
        browser.wait_for("document.readyState === 'complete'", "index loaded")
        state = browser.evaluate(
            "({title: document.querySelector('h1') ? document.querySelector('h1').textContent : '',"
            " links: [...document.links].map(a => a.href)})"
        )
        failures.check(state["title"].strip() != "", "the index names no project")
        procedures = [url for url in state["links"] if "#" in url]
        failures.check(len(procedures) >= 10, f"the index links only {len(procedures)} procedures")
        shot = out / "index.png"
        shot.write_bytes(browser.screenshot())
        print(f"index: {len(state['links'])} links, screenshot {shot}")

        pages = set()
        for url in spread(procedures, LINKS_TO_FOLLOW):
            follow(browser, failures, url)
            pages.add(urldefrag(url)[0])
        calls = []
        for page in sorted(pages):
            browser.navigate(page)
            browser.wait_for("document.readyState === 'complete'", f"{page} loaded")
            calls += browser.evaluate(
                "[...document.links].filter(a => a.hash && a.getAttribute('STYLE')).map(a => a.href).slice(0, 3)"
            )
        failures.check(len(calls) > 0, "no code page of the followed ones holds a call link")
        for url in spread(calls, LINKS_TO_FOLLOW):
            follow(browser, failures, url)
        frame_pages = [url for url in state["links"] if "#" not in url and url.endswith(".html")
                       and not url.endswith("/index.html")]
        follow_between_frame_sets(browser, failures, frame_pages, out / "frames-after-link.png")
    finally:
        browser.close()
    return failures.exit_status()


if __name__ == "__main__":
    sys.exit(main())
