// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the core. The .wasm's request is the one index.html has already sent,
// or, where that script did not run, one sent as this module starts; it is
// compiled as it downloads, while the page's script is still being read, and the
// glue is then handed the compiled module instead of fetching the file again.

import createKviltoraCore from './kviltora_core.js';

const wasm = new URL('kviltora_core.wasm', import.meta.url);
// A server that sends the .wasm under another type than application/wasm
// leaves only the slower way, and a second download.
const compile = () =>
  WebAssembly.compileStreaming(self.kviltoraWasm ?? fetch(wasm)).catch(() =>
    fetch(wasm)
      .then((response) => response.arrayBuffer())
      .then((bytes) => WebAssembly.compile(bytes)),
  );
const compiled = typeof WebAssembly === 'object' ? compile() : undefined;
compiled?.catch(() => {}); // a failure is the loading's, and loadCore reports it

export async function loadCore() {
  if (!compiled) throw new Error('no WebAssembly');
  // The glue waits for its module without looking back, so a module that never
  // comes must fail the loading here.
  let failed;
  const failure = new Promise((_, reject) => (failed = reject));
  const instantiateWasm = (imports, receive) => {
    compiled
      .then(async (module) => receive(await WebAssembly.instantiate(module, imports), module))
      .catch(failed);
    return {};
  };
  return Promise.race([createKviltoraCore({ instantiateWasm }), failure]);
}
