// SPDX-License-Identifier: GPL-3.0-or-later
// A worksheet for a class, drawn by the core from a seed: the exercises with
// ruled space for the doublings, then the answer key on a page of its own. On
// screen it takes the window's place until the pupil goes back.

import { element, say, styleSheet } from './common.js';
import { windowArea } from './window.js';
import { replaceAddress } from './links.js';

function button(caption, act) {
  const made = element('button', { type: 'button', textContent: caption });
  made.addEventListener('click', act);
  return made;
}

function exercisePart(exercise, ruledLines) {
  const part = element('section', { className: 'exercise' });
  const ruled = element('div', { className: 'ruled' });
  ruled.append(...Array.from({ length: ruledLines }, () => element('div')));
  part.append(element('h2', { textContent: exercise.heading }), ruled);
  return part;
}

function keyPart(exercise) {
  const part = element('section', { className: 'answer' });
  part.append(element('h3', { textContent: exercise.heading }));
  part.append(...exercise.answers.map((line) => element('p', { textContent: line })));
  return part;
}

function sheetElement(sheet, tools) {
  const shown = element('article', { id: 'sheet' });
  const title = element('h1', { textContent: sheet.title, tabIndex: -1 });
  const key = element('section', { className: 'key' });
  key.append(element('h1', { textContent: sheet.keyTitle }), ...sheet.exercises.map(keyPart));
  shown.append(tools, title, element('p', { className: 'task', textContent: sheet.task }));
  shown.append(...sheet.exercises.map((e) => exercisePart(e, sheet.ruledLines)), key);
  return shown;
}

// The button that opens a new sheet from the window, in the bar of `actions`, and the views the address
// opens: a sheet of a given choice, or the window again.
export function worksheets(core, form, actions) {
  const captions = core.sheetCaptions();
  const windowTitle = document.title;
  let shown = null;
  const back = () => {
    showWindow();
    replaceAddress(form.link());
    opener.focus();
  };
  const tools = () => {
    const bar = element('div', { className: 'sheet-tools' });
    bar.append(button(captions.print, () => window.print()), button(captions.back, back));
    return bar;
  };
  const showSheet = async (choice) => {
    const sheet = core.worksheet(choice.seed, choice.rangeRow, choice.countRow);
    await styleSheet('worksheet.css');
    showWindow();
    shown = sheetElement(sheet, tools());
    document.body.classList.add('sheet-open');
    windowArea.after(shown);
    document.title = sheet.title;
    shown.querySelector('h1').focus();
    say(sheet.title);
  };
  const showWindow = () => {
    shown?.remove();
    shown = null;
    document.title = windowTitle;
    document.body.classList.remove('sheet-open');
  };
  const opener = button(captions.open, () => {
    const choice = form.newSheet();
    replaceAddress(core.sheetLink(choice.seed, choice.rangeRow, choice.countRow));
    showSheet(choice);
  });
  actions.querySelector('button').after(opener); // beside the exercise's
  return { sheet: showSheet, window: showWindow };
}
