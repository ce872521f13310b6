// Replays steps on forms of the WebAssembly core; see core_cases.py.
import createKviltoraCore from '/kviltora_core.js';

let core;

function observe(form) {
  return [form.text(2), form.items(2), form.text(1), form.enabled(1)];
}

const steps = {
  seed: (form, n) => core.seedRandom(n),
  type: (form, index, text) => form.userText1Change(index, text, text.length),
  choose: (form, list, row) => form.userDiapazonClick(list, row),
  command: (form, index) => form.userCommand1Click(index),
};

// Every observation of every case, in order.
window.replay = (cases) => {
  const seen = [];
  for (const actions of cases) {
    const form = new core.Form();
    try {
      for (const [step, ...args] of actions) {
        if (step === 'observe') seen.push(observe(form));
        else steps[step](form, ...args);
      }
    } finally {
      form.delete();
    }
  }
  return seen;
};

// What a case's observations hold, as one text: the same on both sides.
function caseText(seen) {
  return seen.map(([output, digits, input, enabled]) =>
    [output, digits.join('\n'), input, enabled ? '1' : '0'].join('\u0001')).join('\u0002');
}

// A SHA-256 digest of each case's observations, far less to send back than
// the observations themselves.
window.replayDigests = (cases) => {
  const encoder = new TextEncoder();
  return Promise.all(cases.map(async (actions) => {
    const digest = await crypto.subtle.digest('SHA-256', encoder.encode(caseText(replay([actions]))));
    return Array.from(new Uint8Array(digest), (b) => b.toString(16).padStart(2, '0')).join('');
  }));
};

window.pageReady = createKviltoraCore().then((module) => {
  core = module;
  window.core = module;  // for the binding's own tests
});
