// Replays steps on forms of the WebAssembly core; see core_cases.py.
import createKviltoraCore from '/kviltora_core.js';

let core;

function observe(form) {
  return [form.text(2), form.items(2), form.text(1), form.enabled(1)];
}

const steps = {
  seed: (form, n) => form.seed(n),
  text: (form, index, text) => form.setText(index, text),
  select: (form, list, row) => form.select(list, row),
  command: (form, index) => form.clickCommand(index),
  list: (form, index) => form.clickList(index),
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

window.pageReady = createKviltoraCore().then((module) => { core = module; });
