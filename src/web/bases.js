// SPDX-License-Identifier: GPL-3.0-or-later
// The number-systems part: the pupil types a number and chooses two bases, the
// core converts it and returns the worked example line by line, and the page
// draws and says what it returns. It takes the window's place until
// «Към прозореца», as the exercise does.

import { element, say, styleSheet } from './common.js';
import { windowArea } from './window.js';
import { dismissNotice, replaceAddress } from './links.js';

function labelled(control, caption) {
  const field = element('div', { className: 'field' });
  field.append(element('label', { htmlFor: control.id, textContent: caption }), control);
  return field;
}

function baseList(id, bases) {
  const list = element('select', { id });
  list.append(...bases.map((base) => element('option', { value: base, textContent: base })));
  return list;
}

function button(caption, act) {
  const made = element('button', { type: 'button', textContent: caption });
  made.addEventListener('click', act);
  return made;
}

const lines = (texts, className) =>
  texts.map((text) => element('p', { className, textContent: text }));

// The button that opens the part, in the bar of `actions` after the others;
// `showWindow` lays the window out again when it comes back. `practice` runs
// an exercise on the conversion chosen, in the part's place.
export function numberSystems(core, form, actions, showWindow, practice) {
  const captions = core.basesCaptions();
  const section = element('section', { id: 'bases', hidden: true });
  const heading = element('h1', { textContent: captions.heading, tabIndex: -1 });
  const box = element('input', { type: 'text', id: 'bases-number', spellcheck: false });
  box.autocomplete = 'off';
  box.setAttribute('autocapitalize', 'off');
  const from = baseList('bases-from', captions.bases);
  const to = baseList('bases-to', captions.bases);
  const fields = element('div', { className: 'fields' });
  const convert = button(captions.convert, () => converted());
  // Beside «Преобразувай», and named apart from the page's «Упражнение».
  const refusal = element('p', { className: 'refusal', hidden: true });
  const refused = (text) => {
    refusal.textContent = text;
    refusal.hidden = !text;
    if (text) refusal.scrollIntoView({ block: 'nearest' });
  };
  const exercise = button(practice.conversionCaption, () =>
    practice.convertWith(...basesChosen(), { section, opener: exercise, refused }),
  );
  fields.append(
    labelled(box, captions.number),
    labelled(from, captions.from),
    labelled(to, captions.to),
    convert,
    exercise,
  );
  // One paragraph per line, so that a screen reader's arrows read it line by line.
  const solution = element('section', { className: 'solution' });
  const solutionTitle = element('h2', { id: 'bases-solution', textContent: captions.solution });
  solution.setAttribute('aria-labelledby', solutionTitle.id);
  const worked = element('div', { className: 'worked' });
  solution.append(solutionTitle, worked);
  const back = button(captions.back, () => leave());
  back.className = 'end';
  section.append(heading, fields, refusal, solution, back);
  windowArea.after(section); // never inside the window, where the column carries the bar

  const choose = ({ from: fromBase, to: toBase, number }) => {
    from.value = fromBase;
    to.value = toBase;
    box.value = number;
  };
  const start = { from: captions.defaultFrom, to: captions.defaultTo, number: '' };
  choose(start);
  const basesChosen = () => [box.value, Number(from.value), Number(to.value)];

  const converted = () => {
    const done = core.convertBases(...basesChosen());
    worked.replaceChildren(
      ...lines(done.refusal ? [done.refusal] : [], 'refusal'),
      ...lines(done.steps, 'step'),
      ...lines(done.result ? [done.result] : [], 'result'),
      ...lines(done.check, 'check'),
    );
    replaceAddress(done.link);
    dismissNotice();
    say(done.said);
  };
  box.addEventListener('keydown', (event) => {
    if (event.key !== 'Enter' || event.isComposing) return;
    event.preventDefault();
    converted();
  });

  const close = () => {
    if (section.hidden) return false;
    section.hidden = true;
    windowArea.hidden = false;
    actions.hidden = false;
    showWindow();
    return true;
  };
  // Orca ignores the page's focus once the part that held it is gone, so the
  // focus moves first and the part it leaves goes two frames later, as the
  // exercise does it.
  const later = (act) => requestAnimationFrame(() => requestAnimationFrame(act));
  const leave = () => {
    windowArea.hidden = false;
    actions.hidden = false;
    showWindow();
    replaceAddress(form.link());
    opener.focus();
    later(() => !actions.hidden && (section.hidden = true));
  };
  // A link's choice, worked at once when it names a number; a link's notice is
  // said in place of the heading.
  const show = async (choice, notice = '') => {
    await styleSheet('bases.css');
    section.hidden = false;
    choose(choice);
    worked.replaceChildren();
    box.focus();
    later(() => {
      if (section.hidden) return;
      windowArea.hidden = true;
      actions.hidden = true;
    });
    if (choice.number) converted();
    else if (!notice) say(captions.heading);
  };
  const opener = button(captions.open, () => {
    choose(start);
    replaceAddress(core.basesLink(...basesChosen()));
    show(start);
  });
  [...actions.querySelectorAll('button')].at(-1).after(opener); // after «Работен лист»
  return { bases: show, close };
}
