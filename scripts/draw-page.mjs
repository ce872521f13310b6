// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the window and the page's bar into a built site's index.html, with the
// page's own script and the built cores, in a document of jsdom's under node:
// what the script builds at start becomes the page's HTML, so that a browser
// paints the window before the script has run, and the script takes it over.
//
// Usage: NODE_PATH=/usr/share/nodejs node draw-page.mjs SITE_FOLDER
import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import vm from 'node:vm';

const { JSDOM } = createRequire(import.meta.url)('jsdom');
const site = process.argv[2];
const html = readFileSync(join(site, 'index.html'), 'utf8');
const dom = new JSDOM(html, { url: 'https://kviltora.invalid/', pretendToBeVisual: true });
const { window } = dom;

// The page's globals, from jsdom's window where node has none of its own.
Object.assign(globalThis, {
  self: globalThis,
  kviltoraDrawing: true,
  window,
  document: window.document,
  location: window.location,
  history: window.history,
  navigator: window.navigator,
  getComputedStyle: window.getComputedStyle.bind(window),
  requestAnimationFrame: window.requestAnimationFrame.bind(window),
  addEventListener: window.addEventListener.bind(window),
  CSS: { supports: () => false },
});
for (const name of ['Event', 'KeyboardEvent', 'Node', 'HTMLElement']) globalThis[name] = window[name];
// A property the page sets that jsdom keeps to itself: as in a browser, it is the attribute.
Object.defineProperty(window.HTMLElement.prototype, 'spellcheck', {
  get() {
    return this.getAttribute('spellcheck') !== 'false';
  },
  set(value) {
    this.setAttribute('spellcheck', String(Boolean(value)));
  },
});

const wasm = (file) =>
  Promise.resolve(new Response(readFileSync(join(site, file)), {
    headers: { 'Content-Type': 'application/wasm' },
  }));
globalThis.kviltoraWasm = wasm('kviltora_core.wasm');
globalThis.kviltoraTeachingWasm = () => wasm('kviltora_teaching.wasm');
vm.runInThisContext(readFileSync(join(site, 'kviltora_parts.js'), 'utf8'));
await import(pathToFileURL(join(site, 'kviltora.js')).href);
const parts = await globalThis.kviltoraStarted;
await parts();
await new Promise((done) => setTimeout(done, 50)); // the frames the parts wait for

// What a box holds is its content in HTML; the failure notice is for a page whose script never runs.
const { document } = window;
for (const box of document.querySelectorAll('textarea')) box.textContent = box.value;
for (const box of document.querySelectorAll('input')) box.setAttribute('value', box.value);
document.getElementById('failure').hidden = false;

// The page's policy allows no style attribute, so what the script set on an
// element goes into the page's style sheet, under the element's mark, which the
// element keeps when the script takes it over.
const selector = (element) => {
  if (element === document.body) return ':root > body';
  if (element.dataset.drawn) return `:root [data-drawn="${element.dataset.drawn}"]`;
  if (element.id) return `:root #${element.id}`;
  throw new Error(`an element the page cannot name holds a style: ${element.outerHTML.slice(0, 80)}`);
};
const rules = [...document.querySelectorAll('[style]')].map((element) => {
  const rule = `${selector(element)} { ${element.getAttribute('style')} }`;
  element.removeAttribute('style');
  return rule;
});
const body = html.match(/<body[^>]*>[\s\S]*<\/body>/);
if (!body) throw new Error('index.html: no body to draw into');
writeFileSync(join(site, 'index.html'), html.replace(body[0], document.body.outerHTML));
const sheet = join(site, 'style.css');
writeFileSync(sheet, `${readFileSync(sheet, 'utf8')}\n/* The window as drawn into index.html */\n${rules.join('\n')}\n`);
process.exit(0);
