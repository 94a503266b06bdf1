"""JavaScript run in the frame page (the top document) by the browser test.
Its two frames are reached by name: frames.header and frames.code."""

# True once both frames hold their loaded pages.
LOADED = """
frames.length === 2 && !!frames.header && !!frames.code &&
frames.header.location.href !== 'about:blank' && frames.code.location.href !== 'about:blank' &&
frames.header.document.readyState === 'complete' && frames.code.document.readyState === 'complete'
"""

# (name) => true when the code frame shows the anchor name: its address ends
# in #name and the anchor stands at the top of the frame, or as near to it
# as the page's length lets it; otherwise a text that says where it is.
AT_ANCHOR = """
(name) => {
  const w = frames.code, d = w.document, anchor = d.getElementsByName(name)[0];
  if (!anchor) return 'no anchor named ' + name;
  const hash = decodeURIComponent(w.location.hash.slice(1));
  if (hash !== name) return 'the address ends in #' + hash;
  const top = anchor.getBoundingClientRect().top;
  const last = d.scrollingElement.scrollHeight - w.innerHeight;
  if (Math.abs(top) < 2) return true;
  const pinned = w.scrollY <= 0 || w.scrollY >= last - 1;
  return pinned && top >= 0 && top < w.innerHeight ? true :
      `anchor ${top} px from the top, scrolled ${w.scrollY} of ${last}`;
}
"""

# (colour) => the first run of two or more visible characters written in a
# FONT of that colour (six hexadecimal digits) that lies wholly in the code
# frame's view: {rect: [left, top, width, height], text}, the rectangle in
# the frame's coordinates; else {scrollTo: y} to bring the first such run
# into view; null when the page has none.
LOCATE_COLOUR = """
(colour) => {
  const w = frames.code, d = w.document, want = colour.toUpperCase();
  let first = null;
  for (const font of d.querySelectorAll('font[color]')) {
    if (font.getAttribute('color').replace('#', '').toUpperCase() !== want) continue;
    for (const node of font.childNodes) {
      if (node.nodeType !== Node.TEXT_NODE) continue;
      const word = /\\S{2,}/.exec(node.data);
      if (!word) continue;
      const range = d.createRange();
      range.setStart(node, word.index);
      range.setEnd(node, word.index + word[0].length);
      const r = range.getBoundingClientRect();
      if (r.width < 1) continue;
      if (r.top >= 0 && r.bottom <= w.innerHeight && r.left >= 0 && r.right <= w.innerWidth)
        return {rect: [r.left, r.top, r.width, r.height], text: word[0]};
      if (first === null) first = Math.max(0, r.top + w.scrollY - 40);
    }
  }
  return first === null ? null : {scrollTo: first};
}
"""
