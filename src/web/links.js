// SPDX-License-Identifier: GPL-3.0-or-later
// The page's address as a link to what it shows: the core reads a fragment into
// what it opens, or the one line that says why it cannot, and writes the
// fragment of what the window shows after each click; the page only moves them
// between the address bar, the form and the screen.

import { element, say } from './common.js';
import { windowArea } from './window.js';

let notice = null;
let onClick = () => {};

// The form's entry points, and the kind of control whose click each reports.
const ACTIONS = { userCommand1Click: 'button', userDiapazonClick: 'list', userText1Change: null };

// The form as the page's views use it: after every user action the notice of a
// bad link goes, and the address follows the click where the core says it changes.
export function addressed(form) {
  return new Proxy(form, {
    get(target, name) {
      const value = target[name];
      if (typeof value !== 'function') return value;
      if (!Object.hasOwn(ACTIONS, name)) return value.bind(target);
      return (...args) => {
        const result = value.apply(target, args);
        dismissNotice();
        if (ACTIONS[name]) onClick(ACTIONS[name], args[0]);
        return result;
      };
    },
  });
}

// No new history entry: Back still leaves the page, and the bar always holds
// what is on screen. An empty fragment is the plain address.
export function replaceAddress(fragment) {
  const plain = location.pathname + location.search;
  history.replaceState(history.state, '', fragment ? `#${fragment}` : plain);
}

function showNotice(text) {
  dismissNotice();
  notice = element('p', { className: 'notice', textContent: text });
  windowArea.before(notice);
  say(text);
}

export function dismissNotice() {
  notice?.remove();
  notice = null;
}

// The address of an exercise while it runs, and of the window once it ends.
export function exerciseAddress(core, form) {
  return (fraction, count) =>
    replaceAddress(fraction === null ? form.link() : core.practiceLink(fraction, count));
}

// Opens the address's fragment now and whenever it changes (Back, Forward, an
// edit in the address bar). Links are read and written by the teaching parts:
// `parts()` loads them, once, and gives their readLink, link and views, which
// show the rest of what a link opens (a worksheet, an exercise, the number
// systems, or the window again); `built()` gives them only if they are there.
// The plain address needs no part: it is the window as at start.
export function followAddress(form, redraw, parts, built) {
  onClick = (kind, index) => {
    if (form.changesLink(kind, index)) parts().then((shown) => replaceAddress(shown.link()));
  };
  const show = (link, views) => {
    const said = form.openLink(link);
    views?.window();
    redraw();
    if (!link) return dismissNotice();
    if (link.shows === 'bases') views.bases(link.bases, link.notice);
    if (link.notice) showNotice(link.notice);
    else if (link.shows === 'sheet') views.sheet(link.sheet);
    else if (link.shows === 'practice') views.practice(link.fraction, link.count);
    else dismissNotice();
    if (link.shows === 'example') say(said);
  };
  // What the address names when a part has loaded: it may have changed meanwhile.
  const open = () => {
    if (location.hash.length <= 1) return Promise.resolve(show(null, built()?.views));
    return parts().then(
      (shown) => location.hash.length > 1 && show(shown.readLink(location.hash), shown.views),
    );
  };
  window.addEventListener('hashchange', () => open().catch(() => {}));
  return open();
}
