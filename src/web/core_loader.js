// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the core. index.html runs this module as soon as it arrives, so the
// .wasm is asked for beside the glue instead of after it, and compiled as it
// downloads, while the glue is still being read; the glue is then handed the
// compiled module instead of fetching the file a second time.

const compile = (response) =>
  // A server that sends the .wasm under another type leaves only the slower way.
  WebAssembly.compileStreaming(response.clone()).catch(() =>
    response.arrayBuffer().then((bytes) => WebAssembly.compile(bytes)),
  );

const wasm = new URL('kviltora_core.wasm', import.meta.url);
const compiled = typeof WebAssembly === 'object' ? fetch(wasm).then(compile) : undefined;
compiled?.catch(() => {}); // a failure is the loading's, and loadCore reports it

export async function loadCore() {
  if (!compiled) throw new Error('no WebAssembly');
  const { default: createKviltoraCore } = await import('./kviltora_core.js');
  // The glue waits for its module without looking back, so a module that never
  // comes must fail the loading here.
  let failed;
  const failure = new Promise((_, reject) => (failed = reject));
  const instantiateWasm = (imports, receive) => {
    compiled
      .then((module) => WebAssembly.instantiate(module, imports).then((made) => receive(made, module)))
      .catch(failed);
    return {};
  };
  return Promise.race([createKviltoraCore({ instantiateWasm }), failure]);
}
