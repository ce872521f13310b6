// SPDX-License-Identifier: GPL-3.0-or-later
// The page as a lesson of a learning platform: where a SCORM 1.2 API is found in
// a frame around the page, each finished exercise is reported to it. The
// platform is a guest: a refusal or a failure of its API is logged once and
// otherwise ignored, and without an API the page is the plain page.

// Up the parents, then from the window that opened this one, as the runtime's
// own search goes. A parent of another origin cannot be read, and has no API
// for this page.
function findApi(start, depth) {
  let frame = start;
  try {
    for (let tries = 0; !frame.API && frame.parent && frame.parent !== frame; ++tries) {
      if (tries >= depth) return null;
      frame = frame.parent;
    }
    return frame.API ?? null;
  } catch {
    return null;
  }
}

// Calls succeed with "true", as the platform writes it, or its boolean.
const succeeded = (result) => result === true || result === 'true';

export function lmsSession(core) {
  const depth = core.lmsApiSearchDepth();
  const api = findApi(window, depth) ?? (window.opener && findApi(window.opener, depth));
  if (!api) return { report: () => {} };
  let logged = false;
  const call = (name, ...args) => {
    let result = false;
    try {
      result = api[name](...args);
    } catch {}
    if (succeeded(result) || logged) return;
    logged = true;
    let error = '';
    try {
      error = String(api.LMSGetLastError?.() ?? '');
    } catch {}
    console.warn(core.lmsRefusal(name, error));
  };
  call('LMSInitialize', '');
  let finished = false;
  addEventListener('pagehide', () => {
    if (finished) return;
    finished = true;
    call('LMSFinish', '');
  });
  const report = ({ lms }) => {
    if (finished) return;
    for (const [element, value] of lms) call('LMSSetValue', element, value);
    call('LMSCommit', '');
  };
  return { report };
}
