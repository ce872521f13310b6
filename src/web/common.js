// SPDX-License-Identifier: GPL-3.0-or-later
// What the window and the exercise share: building elements and saying the
// core's utterances through the page's one status region.

export const rgb = ({ red, green, blue }) => `rgb(${red}, ${green}, ${blue})`;
export const element = (tag, properties) => Object.assign(document.createElement(tag), properties);

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
const spoken = element('div', { className: 'spoken' });
spoken.setAttribute('role', 'status');
document.body.append(spoken);
let sayings = 0;
export function say(said) {
  if (said) spoken.textContent = said + (++sayings % 2 ? '' : '\u00a0');
}

