// SPDX-License-Identifier: GPL-3.0-or-later
// Квилтора's window as a web page. Source: https://kviltora.example/source/
//
// The page binds the way the desktop window does: a user action updates the
// form through the core's binding, raises the form's event, and then every
// element is redrawn from the form. Texts, captions, places, colours, fonts and
// limits all come from the core.

const failure = document.getElementById('failure');
const stage = document.getElementById('stage');
const windowArea = document.getElementById('window');
failure.hidden = true; // the module runs; the notice returns only if it fails

// The form's one editable box; the other two are locked, as on the desktop.
const INPUT_BOX = 1;

const rgb = ({ red, green, blue }) => `rgb(${red}, ${green}, ${blue})`;
const element = (tag, properties) => Object.assign(document.createElement(tag), properties);

// What a screen reader is told after an event, in the core's words: read, never seen.
const spoken = element('div', { className: 'spoken' });
spoken.setAttribute('role', 'status');
document.body.append(spoken);
function say(lines) {
  const paragraphs = lines.map((line) => element('p', { textContent: line }));
  if (paragraphs.length) spoken.replaceChildren(...paragraphs);
}

function place(element, control, look) {
  const px = (twips) => `${twips / look.twipsPerPixel}px`;
  Object.assign(element.style, {
    left: px(control.left),
    top: px(control.top),
    width: px(control.width),
    height: px(control.height),
    fontSize: `${control.points}pt`,
    fontWeight: control.bold ? '700' : '400',
  });
  if (control.back) element.style.backgroundColor = rgb(control.back);
  element.dataset.control = control.name;
  if (control.tooltip) element.title = control.tooltip;
  if (control.accessibleName) element.setAttribute('aria-label', control.accessibleName);
}

function textBox(index, look, form, redraw) {
  if (index !== INPUT_BOX) {
    return element('textarea', { readOnly: true, spellcheck: false });
  }
  const box = element('input', { type: 'text', maxLength: look.inputMaxUnits, spellcheck: false });
  box.autocomplete = 'off'; // the browser keeps nothing the pupil types
  box.addEventListener('input', () => {
    const kept = look.fitInput(box.value);
    if (kept !== box.value) {
      const caret = Math.min(box.selectionStart, kept.length);
      box.value = kept;
      box.setSelectionRange(caret, caret);
    }
    form.setText(index, kept);
    redraw();
  });
  return box;
}

// A list box of the page's own, so that it looks and behaves alike on every
// browser: visible rows, its own scroll, one row selected, keys as in a listbox.
function listBox(index, form, redraw) {
  const list = element('div', { className: 'list', tabIndex: 0 });
  list.setAttribute('role', 'listbox');
  // Scrolls the list alone: scrollIntoView would move the page around it too.
  const reveal = (row) => {
    if (!row) return;
    const below = row.offsetTop + row.offsetHeight - list.clientHeight;
    list.scrollTop = Math.max(below, Math.min(list.scrollTop, row.offsetTop));
  };
  const choose = (row) => {
    form.select(index, row);
    form.clickList(index);
    redraw();
    say(form.spokenAfterList(index));
    reveal(list.children[form.listIndex(index)]);
  };
  list.addEventListener('focus', () => say(form.spokenOnListFocus(index)));
  list.addEventListener('click', (event) => {
    const row = [...list.children].indexOf(event.target.closest('[role="option"]'));
    if (row >= 0) choose(row);
  });
  const typed = { text: '', at: -Infinity };
  list.addEventListener('keydown', (event) => {
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    const last = list.children.length - 1;
    const row = form.listIndex(index);
    const rowHeight = list.firstElementChild?.offsetHeight || 1;
    const page = Math.max(1, Math.floor(list.clientHeight / rowHeight));
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

function showItems(list, items, selected) {
  const rows = list.children;
  if (!showsItems(list, items)) {
    list.replaceChildren(
      ...items.map((item, i) => {
        const row = element('div', { id: `${list.dataset.control}-${i}`, textContent: item });
        row.setAttribute('role', 'option');
        return row;
      }),
    );
  }
  for (let i = 0; i < rows.length; ++i) {
    rows[i].setAttribute('aria-selected', String(i === selected));
  }
  if (selected >= 0) list.setAttribute('aria-activedescendant', rows[selected].id);
  else list.removeAttribute('aria-activedescendant');
}

function buildWindow(core, form) {
  const look = { ...core.windowLook(), fitInput: core.fitInput };
  const boxes = [];
  const lists = [];
  const redraw = () => {
    const texts = boxes.map((_, i) => form.text(i).replaceAll('\r\n', '\n'));
    const items = lists.map((_, i) => form.items(i));
    // New contents start at their top. Every scroll is reset before anything
    // changes, while the layout is still clean, so that one layout follows.
    boxes.forEach((box, i) => box.value !== texts[i] && (box.scrollTop = 0));
    lists.forEach((list, i) => !showsItems(list, items[i]) && (list.scrollTop = 0));
    boxes.forEach((box, i) => {
      if (box.value !== texts[i]) box.value = texts[i];
      box.disabled = !form.enabled(i);
    });
    lists.forEach((list, i) => showItems(list, items[i], form.listIndex(i)));
    boxes[INPUT_BOX].setAttribute('aria-label', form.inputName());
  };
  const make = {
    textBox: (i) => (boxes[i] = textBox(i, look, form, redraw)),
    list: (i) => (lists[i] = listBox(i, form, redraw)),
    label: (i) => element('div', { className: 'label', textContent: form.labelCaption(i) }),
    button: (i) => {
      const button = element('button', { type: 'button', textContent: form.commandCaption(i) });
      button.addEventListener('click', () => {
        form.clickCommand(i);
        redraw();
        say(form.spokenAfterCommand(i));
      });
      return button;
    },
  };
  for (const control of look.controls) {
    const element = make[control.kind](control.index);
    place(element, control, look);
    windowArea.append(element);
  }
  document.title = look.caption;
  const px = (twips) => twips / look.twipsPerPixel;
  Object.assign(windowArea.style, {
    width: `${px(look.width)}px`,
    height: `${px(look.height)}px`,
    backgroundColor: rgb(look.back),
  });
  // Narrower screens get the whole window scaled to their width; pinch zoom stays free.
  const fit = () => {
    const scale = Math.min(1, document.documentElement.clientWidth / px(look.width));
    windowArea.style.transform = scale < 1 ? `scale(${scale})` : '';
    stage.style.height = `${px(look.height) * scale}px`;
  };
  fit();
  window.addEventListener('resize', fit);
  return { redraw, first: boxes[0] };
}

async function start() {
  if (typeof WebAssembly !== 'object') throw new Error('no WebAssembly');
  // The fonts load beside the core: the device's own at once, else the page's
  // subset. One that fails leaves the system's serif, not a page that fails.
  const faces = ['400', '700'].map((weight) => `${weight} 1em "Kviltora Serif"`);
  const fonts = Promise.all(faces.map((face) => document.fonts.load(face).catch(() => [])));
  const { default: createKviltoraCore } = await import('./kviltora_core.js');
  const core = await createKviltoraCore();
  const form = new core.Form();
  const page = buildWindow(core, form);
  form.load();
  page.redraw();
  // The window shows with its own fonts, never a fallback that swaps later.
  await fonts;
  windowArea.hidden = false;
  // Focus starts at the top of the description, as a text box's caret does on the desktop.
  page.first.setSelectionRange(0, 0);
  page.first.focus();
  page.first.scrollTop = 0;
  performance.mark('kviltora-ready'); // for the start-up figure of make bench
  return form;
}

// Kept for offline use once the page has worked; a failed registration only
// means the page needs the network next time. The promise yields the form, so
// that a test can seed its generator.
window.pageReady = start().then(
  (form) => {
    navigator.serviceWorker?.register('sw.js').catch(() => {});
    return form;
  },
  (error) => {
    windowArea.hidden = true;
    windowArea.replaceChildren();
    failure.hidden = false;
    failure.classList.add('now');
    throw error;
  },
);
