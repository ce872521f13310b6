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
// edit in the address bar). `views` shows the rest of what a link opens: a
// worksheet, an exercise, the number systems, or the window again.
export function followAddress(form, redraw, views) {
  onClick = (kind, index) => {
    const link = form.linkAfterClick(kind, index);
    if (link !== null) replaceAddress(link);
  };
  const open = () => {
    const opened = form.openLink(location.hash);
    views.window();
    redraw();
    if (opened.shows === 'bases') views.bases(opened.bases, opened.notice);
    if (opened.notice) showNotice(opened.notice);
    else if (opened.shows === 'sheet') views.sheet(opened.sheet);
    else if (opened.shows === 'practice') views.practice(opened.fraction, opened.count);
    else dismissNotice();
    if (opened.shows === 'example') say(opened.said);
  };
  window.addEventListener('hashchange', open);
  open();
}
