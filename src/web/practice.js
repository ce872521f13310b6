// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise beside the window: the pupil answers, the core checks, and the
// page draws and says what the core returns. It takes the window's place while
// it runs and gives it back untouched.

import { element, say } from './common.js';

// The summary's table: each step's exact product beside the computer's line,
// the lines where they part marked in words as well as in looks.
function summaryTable(captions, lines) {
  const table = element('table');
  const head = table.createTHead().insertRow();
  for (const caption of [captions.step, captions.exact, captions.computer, captions.mark]) {
    head.append(element('th', { scope: 'col', textContent: caption }));
  }
  const body = table.createTBody();
  for (const line of lines) {
    const row = body.insertRow();
    row.dataset.differs = line.differs;
    const mark = line.differs ? captions.differs : '';
    for (const text of [line.step, line.exact, line.computer, mark]) {
      row.insertCell().textContent = text;
    }
  }
  return table;
}

// The summary of a conversion exercise: the pupil's first answers beside the
// worked values, those that differ marked in words as well as in looks.
function pupilTable(captions, names, lines) {
  const table = element('table');
  const head = table.createTHead().insertRow();
  for (const caption of [captions.step, names.asked, names.worked, names.pupil, captions.mark]) {
    head.append(element('th', { scope: 'col', textContent: caption }));
  }
  const body = table.createTBody();
  for (const line of lines) {
    const row = body.insertRow();
    row.dataset.differs = line.differs;
    const mark = line.differs ? captions.differs : '';
    for (const text of [line.step, line.asked, line.worked, line.pupil, mark]) {
      row.insertCell().textContent = text;
    }
  }
  return table;
}

// `shown(fraction, count)` hears of each exercise started, `shown(null)` of its end;
// `ended(report)` of each doubling exercise done to its summary. The same part runs
// the conversion exercise of the number-systems part too.
export function buildPractice(core, form, windowArea, showWindow, shown = () => {},
  ended = () => {}) {
  const doubling = new core.Practice();
  let practice = doubling;
  const captions = core.practiceCaptions();
  const conversionNames = core.conversionPracticeCaptions();

  const bar = element('div', { id: 'practice-start' });
  const open = element('button', { type: 'button', textContent: captions.start });
  const refusal = element('p', { className: 'refusal', hidden: true });
  bar.append(open, refusal);

  // The exercise stands above its button, so that neither moves while the other goes.
  const section = element('section', { id: 'practice', hidden: true });
  const heading = element('h1');
  const worked = element('ul', { className: 'worked' });
  const question = element('p', { className: 'question' });
  // The mark says right or wrong without colour; the words after it say it to a screen reader.
  const mark = element('span', { className: 'mark' });
  mark.setAttribute('aria-hidden', 'true');
  const feedbackText = element('span');
  const feedback = element('p', { className: 'feedback' });
  feedback.append(mark, feedbackText);
  const asking = element('div', { className: 'asking' });
  const box = element('input', { type: 'text', id: 'practice-answer', spellcheck: false });
  box.autocomplete = 'off';
  box.setAttribute('inputmode', 'decimal');
  const check = element('button', { type: 'button', textContent: captions.check });
  asking.append(element('label', { htmlFor: box.id, textContent: captions.answer }), box, check);
  const end = element('button', { type: 'button', className: 'end', textContent: captions.end });
  const summary = element('div', { className: 'summary', hidden: true });
  section.append(heading, worked, question, feedback, asking, summary, end);
  windowArea.after(section, bar);

  const drawDoublingSummary = () => {
    const { score, lines, why, exactBinary, binaryNote } = practice.summary();
    summary.replaceChildren(
      element('h2', { textContent: captions.summary }),
      element('p', { textContent: score }),
      summaryTable(captions, lines),
      element('p', { textContent: why }),
      element('p', { className: 'binary', textContent: exactBinary }),
      element('p', { textContent: binaryNote }),
    );
  };
  const drawConversionSummary = () => {
    const { score, lines, result, check } = practice.summary();
    summary.replaceChildren(
      element('h2', { textContent: captions.summary }),
      element('p', { textContent: score }),
      pupilTable(captions, conversionNames, lines),
      element('p', { className: 'binary', textContent: result }),
      ...check.map((line) => element('p', { textContent: line })),
    );
  };
  let drawSummary = drawDoublingSummary;

  const draw = () => {
    refusal.textContent = doubling.refusal();
    refusal.hidden = !refusal.textContent;
    // Where the pupil looks: on a phone the bar may stand far below the top.
    if (!refusal.hidden) refusal.scrollIntoView({ block: 'nearest' });
    if (!practice.running()) return;
    heading.textContent = practice.heading();
    // The sheet only grows while an exercise runs: a new step's line is added.
    const lines = practice.worked();
    if (lines.length < worked.children.length) worked.replaceChildren();
    const added = lines.slice(worked.children.length);
    worked.append(...added.map((line) => element('li', { textContent: line })));
    question.textContent = practice.question();
    const verdict = practice.verdict();
    feedback.dataset.verdict = verdict;
    mark.textContent = verdict ? captions[`${verdict}Mark`] : '';
    feedbackText.textContent = practice.feedback();
    const finished = practice.finished();
    if (!finished) asking.hidden = false; // a finished exercise's questions go with swap
    summary.hidden = !finished;
    if (finished) drawSummary();
  };

  // Orca, told that the part holding the focus is gone, moves its own focus
  // on without a word and then ignores the page's. So the focus moves first,
  // and the part it leaves goes two frames later (the browser tells a screen
  // reader of a frame's changes together), if it is still to go.
  const swap = (shown, target, left, leaves) => {
    shown.hidden = false;
    target.focus();
    const later = () => leaves() && (left.hidden = true);
    requestAnimationFrame(() => requestAnimationFrame(later));
  };

  // The answer stays in the box, selected, so that the next one replaces it.
  const answer = () => {
    const wasFinished = practice.finished();
    const said = practice.check(box.value);
    draw();
    if (practice.finished()) swap(summary, end, asking, () => practice.finished());
    else box.select();
    say(said);
    // Only the doubling exercise has a fraction and a count to report.
    if (practice === doubling && practice.finished() && !wasFinished) ended(practice.report());
  };
  check.addEventListener('click', answer);
  box.addEventListener('keydown', (event) => {
    if (event.key !== 'Enter' || event.isComposing) return;
    event.preventDefault();
    answer();
  });

  // Where «Край» goes: the window, or the part that started the exercise.
  const toWindow = {
    hide: () => (windowArea.hidden = true),
    show: () => {
      windowArea.hidden = false;
      showWindow();
    },
    left: bar,
    focus: open,
  };
  let from = toWindow;
  const begin = (said, place) => {
    draw();
    if (practice.running()) {
      from = place;
      place.hide();
      box.value = '';
      swap(section, box, place.left, () => practice.running());
    }
    say(said);
  };
  const startWith = (fraction, count) => {
    practice = doubling;
    drawSummary = drawDoublingSummary;
    begin(practice.start(fraction, count), toWindow);
    if (practice.running()) shown(fraction, count);
  };
  // A conversion of the number-systems part, in the place of `part`, whose
  // `refused` line shows a refusal and whose `opener` gets the focus back.
  const conversion = new core.ConversionPractice();
  const convertWith = (number, fromBase, toBase, part) => {
    practice = conversion;
    drawSummary = drawConversionSummary;
    const said = practice.start(number, fromBase, toBase);
    part.refused(practice.refusal());
    // The part holds the focus, so it goes and comes back with swap alone, the
    // focus moved first.
    begin(said, { hide: () => {}, show: () => {}, left: part.section, focus: part.opener });
  };
  open.addEventListener('click', () => {
    const { fraction, count } = form.practiceInput();
    startWith(fraction, count);
  });
  const leave = () => {
    practice.end();
    draw();
    from.show();
    swap(from.left, from.focus, section, () => !practice.running());
    const left = from;
    from = toWindow;
    return left;
  };
  end.addEventListener('click', () => {
    if (leave() === toWindow) shown(null);
  });
  return {
    startWith,
    convertWith,
    conversionCaption: conversionNames.start,
    bar,
    leave: () => practice.running() && leave(),
  };
}
