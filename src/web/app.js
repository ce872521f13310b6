// SPDX-License-Identifier: GPL-3.0-or-later
// Квилтора's window as a web page. Source: https://kviltora.example/source/
//
// The page binds the way the desktop window does: every user action is one of
// the core's entry points, and then every element is redrawn from the form and
// the lines the core returns are said. Texts, captions, places, colours, fonts,
// limits and rules all come from the core.

import { buildPractice } from './practice.js';
import { buildWindow, followMinimumFontSize, windowArea } from './window.js';
import { addressed, exerciseAddress, followAddress } from './links.js';
import { worksheets } from './worksheet.js';
import { numberSystems } from './bases.js';
import { loadCore } from './core_loader.js';
import { lmsSession } from './scorm.js';
import { tellFramer } from './embed.js';

const failure = document.getElementById('failure');
failure.hidden = true; // the module runs; the notice returns only if it fails

// Start-up is a few short tasks, so that a tap or a key the browser already has
// never waits long; the window stays hidden until the last of them shows it.
const nextTask = () => globalThis.scheduler?.yield?.() ?? new Promise((done) => setTimeout(done));

async function start() {
  const loaded = loadCore();
  // The fonts load beside the core: the device's own at once, else the page's
  // subset. One that fails leaves the system's serif, not a page that fails.
  const faces = ['400', '700'].map((weight) => `${weight} 1em "Kviltora Serif"`);
  const fonts = Promise.all(faces.map((face) => document.fonts.load(face).catch(() => [])));
  const core = await loaded;
  await nextTask();
  const form = addressed(new core.Form());
  followMinimumFontSize();
  const page = buildWindow(core, form);
  await nextTask();
  // A finished exercise goes to the learning platform and the framing page, where there are any.
  const lms = lmsSession(core);
  const reported = (report) => {
    lms.report(report);
    tellFramer(report);
  };
  // Its startWith(fraction, count) starts an exercise that the page itself chooses.
  const practice = buildPractice(core, form, windowArea, page.layout.arrange,
    exerciseAddress(core, form), reported);
  const sheets = worksheets(core, form, practice.bar);
  const bases = numberSystems(core, form, practice.bar, page.layout.arrange, practice);
  // The help stands in the page itself, so that it is a plain link; it joins the bar's buttons.
  const help = document.getElementById('help-link');
  if (help) {
    practice.bar.querySelector('button:last-of-type').after(help);
    help.hidden = false;
  }
  page.layout.carry(practice.bar);
  form.load();
  // The window shows with its own fonts, never a fallback that swaps later.
  await fonts;
  await nextTask();
  windowArea.hidden = false;
  page.layout.arrange();
  // In the same task as the window is shown: a link's example is the first thing painted.
  const views = {
    sheet: sheets.sheet,
    practice: practice.startWith,
    bases: bases.bases,
    window: () => {
      practice.leave();
      sheets.window();
      bases.close();
    },
  };
  followAddress(form, page.redraw, views);
  // Focus starts at the top of the description, as a text box's caret does on the
  // desktop. The column has the description last; there a page's first Tab starts at the top.
  if (page.layout.arrangement() !== 'column') {
    page.first.setSelectionRange(0, 0);
    page.first.focus();
    page.first.scrollTop = 0;
  }
  performance.mark('kviltora-ready'); // for the start-up figure of make bench
}

// Kept for offline use once the page has worked, and registered once the window
// is on the screen, which the worker's fetches and start would otherwise delay;
// a failed registration only means the page needs the network next time. A page
// its worker served asks at once for a new release, which the browser itself
// puts off while visits are short: the release then comes with the next visit.
// A first visit has just fetched the worker and asks nothing.
const served = navigator.serviceWorker?.controller;
const afterPaint = (task) => requestAnimationFrame(() => setTimeout(task));
const register = () =>
  navigator.serviceWorker
    ?.register('sw.js')
    .then((registration) => served && registration.update())
    .catch(() => {});
start().then(
  () => afterPaint(register),
  () => {
    windowArea.hidden = true;
    windowArea.replaceChildren();
    failure.hidden = false;
    failure.classList.add('now');
  },
);
