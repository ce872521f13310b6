// SPDX-License-Identifier: GPL-3.0-or-later
// Квилтора's window as a web page. Source: https://kviltora.example/source/
//
// The page binds the way the desktop window does: every user action is one of
// the core's entry points, and then every element is redrawn from the form and
// the lines the core returns are said. Texts, captions, places, colours, fonts,
// limits and rules all come from the core.
//
// The page's HTML already shows the window and the bar, drawn at build time by
// this same script; the script takes them over once the window's core is
// ready, and the teaching parts' module loads on their first use.

import * as common from './common.js';
import * as windowModule from './window.js';
import * as links from './links.js';
import { buildingPart } from './common.js';
import { buildWindow, followMinimumFontSize } from './window.js';
import { addressed, followAddress } from './links.js';
import { loadCore, loadParts } from './core_loader.js';
import { replayEarly, takeOverInput } from './early.js';

const failure = document.getElementById('failure');
failure.hidden = true; // the module runs; the notice returns only if it fails
failure.classList.remove('now');
// What the parts' modules import from the page's.
const shared = { $common: common, $window: windowModule, $links: links };

// Start-up is a few short tasks, so that a tap or a key the browser already has
// never waits long: the core's start is one, and taking the window over another.
const nextTask = () => globalThis.scheduler?.yield?.() ?? new Promise((done) => setTimeout(done));

// The teaching parts, once, on their first use; a part that fails to load says
// so, and loads on the next use if the line is back.
function teachingParts(form, page) {
  let built = null;
  let loading = null;
  const notice = document.getElementById('parts-failure');
  const parts = () => {
    loading ??= loadParts(shared).then(
      ({ core, modules }) => {
        if (notice) notice.hidden = true;
        return (built = modules.buildParts(core, form, page));
      },
      (error) => {
        loading = null;
        if (notice) notice.hidden = false;
        throw error;
      },
    );
    return loading;
  };
  return { parts, built: () => built };
}

// A press on the drawn bar before its part is there loads the part and is then
// made again, on the part's own button; meanwhile the bar is busy, for a screen
// reader to say so.
function usedFirst(bar, parts, built) {
  bar?.addEventListener('click', (event) => {
    const pressed = event.target.closest('button');
    if (!pressed || built()) return;
    bar.setAttribute('aria-busy', 'true');
    parts().then(
      () => {
        bar.removeAttribute('aria-busy');
        pressed.focus({ preventScroll: true }); // the part's builder moved it
        pressed.click();
      },
      () => bar.removeAttribute('aria-busy'),
    );
  });
}

async function start() {
  const core = await loadCore();
  await nextTask();
  const form = addressed(new core.Form());
  followMinimumFontSize();
  buildingPart('window');
  const page = buildWindow(core, form);
  buildingPart(null); // the lists' rows are drawn already, and stay
  // What was typed and done in the drawn window before now is done again,
  // once the window's own rules hold: the form's load would clear the box.
  const input = takeOverInput(page);
  form.load();
  page.showLoaded();
  const bar = document.getElementById('practice-start');
  if (bar) page.layout.carry(bar);
  page.layout.arrange();
  const { parts, built } = teachingParts(form, page);
  usedFirst(bar, parts, built);
  const opened = followAddress(form, page.redraw, parts, built);
  replayEarly(input);
  // Focus starts at the top of the description, as a text box's caret does on the
  // desktop, unless the pupil has already gone somewhere. The column has the
  // description last; there a page's first Tab starts at the top.
  const untouched = document.activeElement === document.body || !document.activeElement;
  if (untouched && page.layout.arrangement() !== 'column') {
    page.first.setSelectionRange(0, 0);
    page.first.focus();
    page.first.scrollTop = 0;
  }
  // A page in a learning platform or opened by one starts the session at once.
  if (window.parent !== window || window.opener || globalThis.kviltoraDrawing) {
    parts().catch(() => {});
  }
  await opened.catch(() => {});
  performance.mark('kviltora-ready'); // for the start-up figure of make bench
  return parts;
}

// Kept for offline use once the page has worked, the teaching parts with it,
// and registered in idle time once the window is on the screen, which the
// worker's fetches and start would otherwise delay; a failed registration only
// means the page needs the network next time. A page its worker served asks at
// once for a new release, which the browser itself puts off while visits are
// short: the release then comes with the next visit. A first visit has just
// fetched the worker and asks nothing.
const served = navigator.serviceWorker?.controller;
const idle = (task) => (globalThis.requestIdleCallback ?? setTimeout)(task);
const afterPaint = (task) => requestAnimationFrame(() => setTimeout(() => idle(task)));
const register = () =>
  navigator.serviceWorker
    ?.register('sw.js')
    .then((registration) => served && registration.update())
    .catch(() => {});
// For the build, which draws the page with this script: the parts, once drawn.
globalThis.kviltoraStarted = start().then(
  (parts) => {
    afterPaint(register);
    return parts;
  },
  (error) => {
    failure.hidden = false;
    failure.classList.add('now');
    throw error;
  },
);
globalThis.kviltoraStarted.catch(() => {});
