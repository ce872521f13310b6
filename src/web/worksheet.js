// SPDX-License-Identifier: GPL-3.0-or-later
// A worksheet for a class, drawn by the core from a seed: the pupil's name line,
// the tasks with labelled lines for their steps and check, then the answer key
// on a page of its own. On screen it takes the window's place until the
// teacher goes back, the key hidden until asked for.

import { element, say, styleSheet } from './common.js';
import { windowArea } from './window.js';
import { replaceAddress } from './links.js';

function button(caption, act) {
  const made = element('button', { type: 'button', textContent: caption });
  made.addEventListener('click', act);
  return made;
}

// A line to write on, named by its label.
function writingLine(label) {
  const line = element('div', { className: 'line' });
  line.append(element('span', { className: 'label', textContent: label }));
  return line;
}

function exercisePart(exercise) {
  const part = element('section', { className: 'exercise' });
  const ruled = element('div', { className: 'ruled' });
  ruled.append(...exercise.stepLines.map(writingLine));
  const whole = element('div', { className: 'whole' });
  whole.append(...exercise.wholeLines.map(writingLine));
  part.append(element('h2', { textContent: exercise.heading }), ruled, whole);
  return part;
}

function keyPart(exercise) {
  const part = element('section', { className: 'answer' });
  part.append(element('h3', { textContent: exercise.heading }));
  part.append(...exercise.answers.map((line) => element('p', { textContent: line })));
  return part;
}

// The kinds of task, one box each, ticked as the sheet holds them.
function kindsChoice(captions, kinds, chosen) {
  const set = element('fieldset', { className: 'kinds' });
  set.append(element('legend', { textContent: captions.kindsLegend }));
  for (const { letter, name } of captions.kinds) {
    const box = element('input', { type: 'checkbox', value: letter, checked: kinds.includes(letter) });
    const label = element('label');
    label.append(box, ` ${name}`);
    set.append(label);
  }
  set.addEventListener('change', () => {
    chosen([...set.querySelectorAll('input:checked')].map((box) => box.value).join(''));
  });
  return set;
}

function sheetElement(sheet, tools, key) {
  const shown = element('article', { id: 'sheet' });
  const title = element('h1', { textContent: sheet.title, tabIndex: -1 });
  const pupil = element('div', { className: 'pupil' });
  pupil.append(...sheet.pupil.map(writingLine));
  key.replaceChildren(element('h1', { textContent: sheet.keyTitle }), ...sheet.exercises.map(keyPart));
  shown.append(...tools, title, pupil, element('p', { className: 'task', textContent: sheet.task }));
  shown.append(...sheet.exercises.map(exercisePart), key);
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
  // The key stays off the screen until asked for, so that a projected sheet
  // shows no answers; on paper it comes after the tasks, unless left out.
  const tools = (choice) => {
    const key = element('section', { className: 'key', hidden: true });
    const bar = element('div', { className: 'sheet-tools' });
    const toggle = button(captions.showKey, () => {
      key.hidden = !key.hidden;
      toggle.textContent = key.hidden ? captions.showKey : captions.hideKey;
      toggle.setAttribute('aria-expanded', String(!key.hidden));
    });
    toggle.setAttribute('aria-expanded', 'false');
    const withoutKey = button(captions.withoutKey, () => {
      shown.classList.add('without-key');
      window.print();
      shown.classList.remove('without-key');
    });
    bar.append(button(captions.print, () => window.print()), withoutKey, toggle,
      button(captions.back, back));
    const kinds = kindsChoice(captions, choice.kinds, (letters) => {
      const chosen = { ...choice, kinds: letters };
      replaceAddress(core.sheetLink(chosen.seed, chosen.rangeRow, chosen.countRow, chosen.kinds));
      showSheet(chosen, `.kinds input[value="${document.activeElement?.value}"]`);
    });
    return { parts: [bar, kinds], key };
  };
  // `focus` names the part that keeps the focus when the sheet is drawn anew.
  const showSheet = async (choice, focus = 'h1') => {
    const sheet = core.worksheet(choice.seed, choice.rangeRow, choice.countRow, choice.kinds);
    await styleSheet('worksheet.css');
    showWindow();
    const { parts, key } = tools({ ...choice, kinds: sheet.kinds });
    shown = sheetElement(sheet, parts, key);
    document.body.classList.add('sheet-open');
    windowArea.after(shown);
    document.title = sheet.title;
    (shown.querySelector(focus) ?? shown.querySelector('h1')).focus();
    if (focus === 'h1') say(sheet.title);
  };
  const showWindow = () => {
    shown?.remove();
    shown = null;
    document.title = windowTitle;
    document.body.classList.remove('sheet-open');
  };
  const opener = button(captions.open, () => {
    const choice = form.newSheet();
    replaceAddress(core.sheetLink(choice.seed, choice.rangeRow, choice.countRow, choice.kinds));
    showSheet(choice);
  });
  actions.querySelector('button').after(opener); // beside the exercise's
  return { sheet: showSheet, window: showWindow };
}
