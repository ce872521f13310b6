// SPDX-License-Identifier: GPL-3.0-or-later
// What the window and the exercise share: building elements and saying the
// core's utterances through the page's one status region.

export const rgb = ({ red, green, blue }) => `rgb(${red}, ${green}, ${blue})`;

// The page's HTML holds the window and the bar already drawn, by this same
// code at build time, so that a pupil sees them before the core arrives. Each
// element a builder makes is numbered within its part; where the page holds the
// element of that number, the builder takes it over, with what was typed into
// it and the focus, instead of making a new one. Outside a part nothing is
// numbered, and every element is new.
let part = null;
let made = 0;
// At build time every numbered element is marked, for the page to take over.
const drawing = Boolean(globalThis.kviltoraDrawing);
export function buildingPart(name) {
  part = name;
  made = 0;
}
// Taken over once and by mark, wherever it is by then: a part may first empty
// the drawn element that its own builder fills again.
let drawn = null;
function drawnOrNew(tag) {
  if (part === null) return document.createElement(tag);
  const key = `${part}-${made++}`;
  if (drawing) {
    const made = document.createElement(tag);
    made.dataset.drawn = key;
    return made;
  }
  drawn ??= new Map([...document.querySelectorAll('[data-drawn]')].map((e) => [e.dataset.drawn, e]));
  const taken = drawn.get(key);
  if (taken?.localName !== tag) return document.createElement(tag);
  drawn.delete(key);
  takenOver.add(taken);
  return taken;
}
// A drawn element has its properties already: a text set again, even the same,
// is a new text that the browser lays out anew.
export function element(tag, properties = {}) {
  const made = drawnOrNew(tag);
  for (const [name, value] of Object.entries(properties)) {
    if (made[name] !== value) made[name] = value;
  }
  return made;
}
// A taken element keeps its mark, which style.css places it by: set again, each
// place would only make the browser work out the whole window's style once more.
const takenOver = new WeakSet();
export const drawnAlready = (element) => takenOver.has(element);

// A part's own look, fetched the first time the part opens: a page that never
// shows the part never downloads it. Unstyled is still the part.
const styles = new Map();
export function styleSheet(href) {
  // A page that holds the look already, as the single-file edition does, fetches nothing.
  if (!styles.has(href) && document.getElementById(href.replace(/\.css$/, '-style'))) {
    styles.set(href, Promise.resolve());
  }
  if (!styles.has(href)) {
    styles.set(href, new Promise((done) => {
      const link = element('link', { rel: 'stylesheet', href });
      link.addEventListener('load', done);
      link.addEventListener('error', done);
      document.head.append(link);
    }));
  }
  return styles.get(href);
}

// What a screen reader is told after an event, the core's one utterance: read,
// never seen. The region holds one text, replaced whole, so that it is read at
// once and in order. Screen readers skip a text that repeats the one just read,
// so every other announcement ends in a no-break space, which none of them says:
// the region's text changes even when the words are the same.
buildingPart('status');
const spoken = element('div', { className: 'spoken' });
buildingPart(null);
spoken.setAttribute('role', 'status');
if (!spoken.isConnected) document.body.append(spoken);
let sayings = 0;
export function say(said) {
  if (said) spoken.textContent = said + (++sayings % 2 ? '' : '\u00a0');
}

