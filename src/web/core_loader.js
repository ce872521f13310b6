// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the core: the window's module at once, the teaching parts' on their
// first use. The window's .wasm request is the one index.html has already sent,
// or, where that script did not run, one sent as this module starts; each .wasm
// is compiled as it downloads, and its glue is then handed the compiled module
// instead of fetching the file again.

import createKviltoraCore from './kviltora_core.js';

const here = (file) => new URL(file, import.meta.url);
// A server that sends a .wasm under another type than application/wasm
// leaves only the slower way, and a second download.
const compile = (request, file) =>
  WebAssembly.compileStreaming(request ?? fetch(here(file))).catch(() =>
    fetch(here(file))
      .then((response) => response.arrayBuffer())
      .then((bytes) => WebAssembly.compile(bytes)),
  );
// Compiled already by the page's first script where it could, else here; where
// its compile failed, its request's body is spent, and the file is asked again.
const started = self.kviltoraCompiled;
const compiled =
  typeof WebAssembly === 'object'
    ? Promise.resolve(started).then(
        (module) => module ?? compile(started ? undefined : self.kviltoraWasm, 'kviltora_core.wasm'),
      )
    : undefined;
compiled?.catch(() => {}); // a failure is the loading's, and loadCore reports it

// The glue waits for its module without looking back, so a module that never
// comes must fail the loading here.
function instantiate(factory, module) {
  let failed;
  const failure = new Promise((_, reject) => (failed = reject));
  const instantiateWasm = (imports, receive) => {
    module
      .then(async (compiled) => receive(await WebAssembly.instantiate(compiled, imports), compiled))
      .catch(failed);
    return {};
  };
  return Promise.race([factory({ instantiateWasm }), failure]);
}

export async function loadCore() {
  if (!compiled) throw new Error('no WebAssembly');
  return instantiate(createKviltoraCore, compiled);
}

// The parts' script is a plain one, which the single-file edition holds inline
// and defines at once; it defines the parts' modules on the page's shared ones.
const partsScript = () =>
  new Promise((done, failed) => {
    const script = document.createElement('script');
    script.src = here('kviltora_parts.js');
    script.addEventListener('load', done);
    script.addEventListener('error', () => failed(new Error('no teaching parts')));
    document.head.append(script);
  });

// {core, modules}; `shared` are the page's modules that the parts import. The
// page loads them once, and again only after a failure.
export async function loadParts(shared) {
  const wasm = compile(self.kviltoraTeachingWasm?.(), 'kviltora_teaching.wasm');
  if (!self.kviltoraParts) await partsScript();
  const modules = self.kviltoraParts(shared);
  return { core: await instantiate(modules.createCore, wasm), modules };
}
