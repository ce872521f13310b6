// Times the WebAssembly core in the page: how long the module takes to become
// usable, and one calculation at 25 digits.
import createKviltoraCore from '/kviltora_core.js';

const started = performance.now();
const core = await createKviltoraCore();
const instantiated = performance.now() - started;

const kLargestCountRow = 21;  // "26": the loop stops one short, at 25 digits

// Median microseconds of one calculation, timed in batches because the
// browser's clock is coarse.
function calculationMicroseconds(input, batches, perBatch) {
  const form = new core.Form();
  form.userText1Change(1, input, input.length);
  form.userDiapazonClick(1, kLargestCountRow);
  for (let i = 0; i < perBatch; ++i) form.userCommand1Click(0);  // warm up
  const times = [];
  for (let b = 0; b < batches; ++b) {
    const start = performance.now();
    for (let i = 0; i < perBatch; ++i) form.userCommand1Click(0);
    times.push(((performance.now() - start) * 1000) / perBatch);
  }
  const digits = form.items(2).length;
  form.delete();
  times.sort((a, b) => a - b);
  return {median: times[(times.length - 1) >> 1], digits};
}

window.benchmark = (input) => ({instantiated, ...calculationMicroseconds(input, 9, 2000)});
window.pageReady = Promise.resolve();
