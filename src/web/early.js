// SPDX-License-Identifier: GPL-3.0-or-later
// What a pupil did in the drawn window before its core was ready. The page's
// own first script notes each press of a button, each row chosen and each key
// in a list, with what the text boxes held at that moment; typing needs no
// note, for the box keeps it. Once the window is bound, it is all done again,
// in the order it was done: the text goes through the form's rule for an edit,
// as if just typed, and each press and key is made again.

import { windowArea } from './window.js';

// Before the form loads, which sets every box to its own text.
export function takeOverInput() {
  const noted = self.kviltoraEarly ?? [];
  self.kviltoraEarly = null; // the page's own handlers take it from here
  const boxes = [...windowArea.querySelectorAll('input')];
  const focused = boxes.find((box) => box === document.activeElement);
  const caret = focused?.selectionEnd ?? null;
  return { noted, boxes, typed: boxes.map((box) => box.value), focused, caret };
}

function type(box, text, caret = text.length) {
  box.value = text;
  box.setSelectionRange(caret, caret);
  box.dispatchEvent(new Event('input'));
}

// A box is typed into again only where its text changed since the last note:
// what the form made of it since stays.
export function replayEarly({ noted, boxes, typed, focused, caret }) {
  let seen = boxes.map((box) => box.defaultValue);
  const typeChanged = (texts, caretOf) =>
    boxes.forEach((box, i) => texts[i] !== seen[i] && type(box, texts[i], caretOf(box)));
  for (const { kind, target, key, texts } of noted) {
    typeChanged(texts, () => undefined);
    seen = texts;
    if (kind === 'click') target.click();
    else target.dispatchEvent(new KeyboardEvent('keydown', { key, bubbles: true, cancelable: true }));
  }
  typeChanged(typed, (box) => (box === focused && caret !== null ? caret : undefined));
}
