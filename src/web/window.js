// SPDX-License-Identifier: GPL-3.0-or-later
// Квилтора's window on the page, drawn from the core's look and redrawn from the
// form after every user action.

import { drawnAlready, element, rgb, say } from './common.js';

export const windowArea = document.getElementById('window');

// The window's lengths go to style.css as pixels at the browser's default text
// size, which it turns into rem; the column keeps only the order and the fonts.
// A drawn control has its place, names and marks from the page's HTML already.
function place(element, control, look) {
  if (drawnAlready(element)) return;
  const px = (twips) => twips / look.twipsPerPixel;
  const at = { left: control.left, top: control.top, width: control.width, height: control.height };
  for (const [side, twips] of Object.entries(at)) element.style.setProperty(`--${side}`, px(twips));
  element.style.setProperty('--points', control.points);
  element.style.setProperty('--column', control.column);
  element.style.fontWeight = control.bold ? '700' : '400';
  if (control.back) element.style.backgroundColor = rgb(control.back);
  element.dataset.control = control.name;
  element.dataset.paper = control.paper;
  if (control.tooltip) element.title = control.tooltip;
  if (control.accessibleName) element.setAttribute('aria-label', control.accessibleName);
}

function textBox(control, form, redraw) {
  if (control.locked) return lockedBox(control, form, redraw);
  const box = element('input', { type: 'text', spellcheck: false });
  box.autocomplete = 'off'; // the browser keeps nothing the pupil types
  passEdits(box, control.index, form, redraw);
  return box;
}

// The form decides what a box keeps of each edit, and the box shows it; a word an
// input method is still composing is left alone until it is done.
function passEdits(box, index, form, redraw) {
  const edited = (event) => {
    if (event.isComposing) return;
    const caret = form.userText1Change(index, box.value, box.selectionEnd ?? 0);
    if (box.value === form.text(index)) return;
    redraw(index); // the form kept less than the box shows, which the form does not see as a change
    box.setSelectionRange(caret, caret);
  };
  box.addEventListener('input', edited);
  box.addEventListener('compositionend', edited);
}

// A locked box is read, selected and copied, never changed. Browsers move no
// caret in a read-only textarea: its arrow keys scroll, and a screen reader,
// which reads a box line by line at its caret, says nothing. So the box is
// editable to the browser, read-only to a screen reader, opens no on-screen
// keyboard, and refuses every edit (typing, paste, cut, drop, undo) before it
// happens; whatever a browser still lets through, the form turns back.
function lockedBox(control, form, redraw) {
  const box = element('textarea', { spellcheck: false });
  box.setAttribute('aria-readonly', 'true');
  box.setAttribute('inputmode', 'none');
  box.addEventListener('beforeinput', (event) => event.preventDefault());
  passEdits(box, control.index, form, redraw);
  return box;
}

// A list box of the page's own, so that it looks and behaves alike on every
// browser: visible rows, its own scroll, one row selected, keys as in a listbox.
function listBox(index, form, respond) {
  const list = element('div', { className: 'list', tabIndex: 0 });
  list.setAttribute('role', 'listbox');
  // Scrolls the list alone: scrollIntoView would move the page around it too.
  const reveal = (row) => {
    if (!row) return;
    const below = row.offsetTop + row.offsetHeight - list.clientHeight;
    list.scrollTop = Math.max(below, Math.min(list.scrollTop, row.offsetTop));
  };
  const choose = (row) => {
    respond(form.userDiapazonClick(index, row));
    reveal(list.children[form.listIndex(index)]);
  };
  list.addEventListener('focus', () => say(form.userDiapazonFocus(index)));
  // A screen reader may count a list's items from its first child, and say
  // nothing at all, not even the list's name, for a list without children. An
  // empty group, always the last child, gives every list one; it says nothing.
  const child = element('div', { id: `list-end-${index}` });
  child.setAttribute('role', 'group');
  if (!child.isConnected) document.body.append(child); // a drawn one stays where it is
  list.setAttribute('aria-owns', child.id);
  list.addEventListener('click', (event) => {
    const row = [...list.children].indexOf(event.target.closest('[role="option"]'));
    if (row >= 0) choose(row);
  });
  const typed = { text: '', at: -Infinity };
  list.addEventListener('keydown', (event) => {
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    const last = list.children.length - 1;
    const row = form.listIndex(index);
    // A page is the rows the list shows at once: all of them where it wraps them.
    const rows = [...list.children];
    const inView = rows.filter((row) => row.offsetTop + row.offsetHeight <= list.clientHeight);
    const page = Math.max(1, inView.length);
    const target = {
      ArrowDown: row + 1,
      ArrowUp: row < 0 ? 0 : row - 1,
      Home: 0,
      End: last,
      PageDown: row + page,
      PageUp: row < 0 ? 0 : row - page,
    }[event.key] ?? typeAhead(list, typed, event, row);
    if (target === undefined) return;
    event.preventDefault();
    const next = Math.max(0, Math.min(last, target));
    if (last >= 0 && next !== row) choose(next);
  });
  return list;
}

// Typing jumps to the next row that starts with what was typed within a short
// while; the same character again goes on to the next such row.
function typeAhead(list, typed, event, row) {
  if ([...event.key].length !== 1) return undefined;
  const again = event.timeStamp - typed.at < 400 && typed.text !== event.key;
  typed.text = again ? typed.text + event.key : event.key;
  typed.at = event.timeStamp;
  const rows = [...list.children];
  const from = typed.text.length === 1 ? row + 1 : Math.max(row, 0);
  for (let step = 0; step < rows.length; ++step) {
    const at = (from + step) % rows.length;
    if (rows[at].textContent.startsWith(typed.text)) return at;
  }
  return row;
}

function showsItems(list, items) {
  const rows = list.children;
  return rows.length === items.length && items.every((item, i) => rows[i].textContent === item);
}

// The rows stay and only the texts that differ change, and only the rows whose
// choice changed are touched: a click restyles no row it did not change.
function showItems(list, items, selected) {
  const rows = list.children;
  if (!showsItems(list, items)) {
    while (rows.length > items.length) list.lastElementChild.remove();
    const kept = rows.length;
    items.slice(0, kept).forEach((item, i) => {
      if (rows[i].textContent !== item) rows[i].textContent = item;
    });
    list.append(...items.slice(kept).map((item, i) => optionRow(list, kept + i, item)));
  }
  const chosen = rows[selected] ?? null;
  const was = list.querySelector('[aria-selected="true"]');
  if (was === chosen) return;
  was?.setAttribute('aria-selected', 'false');
  chosen?.setAttribute('aria-selected', 'true');
  if (chosen) list.setAttribute('aria-activedescendant', chosen.id);
  else list.removeAttribute('aria-activedescendant');
}

function optionRow(list, i, item) {
  const row = element('div', { id: `${list.dataset.control}-${i}`, textContent: item });
  row.setAttribute('role', 'option');
  row.setAttribute('aria-selected', 'false');
  return row;
}

// Which arrangement shows is style.css's choice, made in one place there; the
// page follows it where CSS alone cannot: the keyboard visits the controls in the
// order they are seen, and in the column a locked box grows to its whole text,
// so that the page scrolls and not the box.
function arranger(placed) {
  const inColumn = [...placed].sort((a, b) => a.control.column - b.control.column);
  // Beside the column, the keyboard's order, after the title, which never takes the
  // focus: read from the top, the page starts with it. A screen reader that takes
  // in the page only once the window is there then rests on the title, and hears
  // the focus land on the description; resting on the description itself, it
  // would hear nothing when the focus lands there.
  const title = inColumn[0];
  const inWindow = [title, ...placed.filter((shown) => shown !== title)];
  const locked = placed.filter(({ control }) => control.locked).map(({ elements }) => elements[0]);
  let shown = 'window';
  const growsItself = CSS.supports('field-sizing', 'content'); // as style.css asks there
  // Every height is cleared before any is measured, and the page's height is held
  // meanwhile, so that the page keeps its scroll.
  const fit = (boxes) => {
    if (shown !== 'column' || growsItself || !boxes.length) return;
    windowArea.style.minHeight = `${windowArea.offsetHeight}px`;
    boxes.forEach((box) => (box.style.height = '0'));
    const heights = boxes.map((box) => box.scrollHeight + box.offsetHeight - box.clientHeight);
    boxes.forEach((box, i) => (box.style.height = `${heights[i]}px`));
    windowArea.style.minHeight = '';
  };
  // The page's own buttons, once carried: below the window beside it, and in the
  // column right after its title row, so that a phone shows them on its first screen.
  let carried = null;
  const carry = (bar) => {
    carried = { bar, home: bar.previousElementSibling, after: title.elements.at(-1) };
    bar.style.setProperty('--column', title.control.column);
    arrange();
  };
  const keepingFocus = (move) => {
    const focused = document.activeElement;
    move();
    if (document.activeElement !== focused) focused?.focus({ preventScroll: true });
  };
  // Read again whenever the page changes size: a phone turned, a zoom, a window resized.
  const arrange = () => {
    shown = getComputedStyle(windowArea).getPropertyValue('--arrangement').trim();
    const order = (shown === 'column' ? inColumn : inWindow).flatMap(({ elements }) => elements);
    const children = [...windowArea.children].filter((element) => element !== carried?.bar);
    if (order.some((element, i) => children[i] !== element)) {
      keepingFocus(() => windowArea.append(...order));
    }
    const at = carried && (shown === 'column' ? carried.after : carried.home);
    if (at && at.nextElementSibling !== carried.bar) keepingFocus(() => at.after(carried.bar));
    locked.forEach((box) => (box.style.height = ''));
    fit(locked);
  };
  return { arrange, fit, carry, arrangement: () => shown };
}

// A minimum font size raises the text but not lengths in rem; the root takes the
// raised size, so that the window grows with its text and no caption is cut.
export function followMinimumFontSize() {
  const root = document.documentElement;
  const probe = document.body.appendChild(element('div'));
  probe.style.textIndent = '1rem';
  const text = parseFloat(getComputedStyle(root).fontSize);
  const rem = parseFloat(getComputedStyle(probe).textIndent);
  probe.remove();
  if (text > rem) root.style.fontSize = `${text}px`;
}

// Printing draws a box only as far as it is scrolled, so every locked box has a
// copy of its text that only paper shows.
function paperCopy(control) {
  const copy = element('div', { className: 'paper' });
  if (drawnAlready(copy)) return copy;
  copy.dataset.paper = control.paper;
  copy.style.setProperty('--column', control.column);
  return copy;
}

// Drawn, the window has its size and colour from style.css; set again on the
// body, the size would have the browser work out the whole page's style anew.
function sizeWindow(look) {
  const px = (twips) => twips / look.twipsPerPixel;
  windowArea.style.setProperty('--width', px(look.width));
  document.body.style.setProperty('--window-width', px(look.width)); // the page's buttons line up with it
  windowArea.style.setProperty('--height', px(look.height));
  windowArea.style.backgroundColor = rgb(look.back);
}

export function buildWindow(core, form) {
  const look = core.windowLook();
  const boxes = [];
  const lists = [];
  const copies = [];
  let layout;
  // Only what the form reports changed is read and redrawn, and the box just
  // edited, whatever the form reports.
  const redraw = (edited) => {
    const changed = form.changes();
    const boxesNow = [...new Set([...changed.boxes, edited])].filter((i) => i !== undefined);
    const texts = new Map(boxesNow.map((i) => [i, form.text(i).replaceAll('\r\n', '\n')]));
    const items = new Map(changed.lists.map((i) => [i, form.items(i)]));
    // New contents start at their top. Every scroll is reset before anything
    // changes, while the layout is still clean, so that one layout follows.
    texts.forEach((text, i) => boxes[i].value !== text && (boxes[i].scrollTop = 0));
    items.forEach((shown, i) => !showsItems(lists[i], shown) && (lists[i].scrollTop = 0));
    texts.forEach((text, i) => {
      const box = boxes[i];
      // A locked box's caret goes to the start of a new text, so that a screen
      // reader reads it from its first line when it takes the focus.
      if (box.value !== text) {
        box.value = text;
        if (box.tagName === 'TEXTAREA') box.setSelectionRange(0, 0);
      }
      box.disabled = !form.enabled(i);
      const name = form.text1AccessibleName(i);
      if (box.getAttribute('aria-label') !== name) box.setAttribute('aria-label', name);
    });
    items.forEach((shown, i) => showItems(lists[i], shown, form.listIndex(i)));
    const grown = [...texts].filter(([i, text]) => copies[i] && copies[i].textContent !== text);
    grown.forEach(([i, text]) => (copies[i].textContent = text));
    layout?.fit(grown.map(([i]) => boxes[i]));
  };
  const respond = (said) => {
    redraw();
    say(said);
  };
  const make = {
    textBox: (control) => (boxes[control.index] = textBox(control, form, redraw)),
    list: (control) => (lists[control.index] = listBox(control.index, form, respond)),
    label: (control) =>
      element('div', { className: 'label', textContent: form.labelCaption(control.index) }),
    button: (control) => {
      const caption = form.commandCaption(control.index);
      const button = element('button', { type: 'button', textContent: caption });
      button.addEventListener('click', () => respond(form.userCommand1Click(control.index)));
      return button;
    },
  };
  const placed = look.controls.map((control) => {
    const shown = make[control.kind](control);
    place(shown, control, look);
    if (!control.locked) return { control, elements: [shown] };
    return { control, elements: [shown, (copies[control.index] = paperCopy(control))] };
  });
  // Drawn already, the controls stay where they are: moving the box would take
  // away its focus and caret.
  const elements = placed.flatMap(({ elements }) => elements);
  if (elements.some((shown) => shown.parentElement !== windowArea)) windowArea.append(...elements);
  document.title = look.caption;
  const drawn = elements.every(drawnAlready);
  if (!drawn) sizeWindow(look);
  layout = arranger(placed);
  window.addEventListener('resize', layout.arrange);
  // The form just loaded is what a drawn window shows, and its changes need only
  // be read, unless a box holds something else by now: what the pupil typed, or
  // what a browser put back from the last visit.
  const asDrawn = () => drawn && boxes.every((box) => box.value === box.defaultValue);
  const showLoaded = () => (asDrawn() ? form.changes() : redraw());
  return { redraw, showLoaded, layout, first: boxes[0] };
}

