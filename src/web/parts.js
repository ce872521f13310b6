// SPDX-License-Identifier: GPL-3.0-or-later
// The teaching parts beside the window: the exercise, the worksheet, the
// number systems and the help, with the learning platform's session and the
// links they write. They come with a core module of their own, on their first
// use, and take over the bar the page already shows.

import { buildingPart } from './common.js';
import { windowArea } from './window.js';
import { exerciseAddress } from './links.js';
import { buildPractice } from './practice.js';
import { worksheets } from './worksheet.js';
import { numberSystems } from './bases.js';
import { lmsSession } from './scorm.js';
import { tellFramer } from './embed.js';

// `windowForm` is the window's form, in the window's module; its link is
// written here, where links are read and written.
export function buildParts(core, windowForm, page) {
  const link = () => core.exampleLink(windowForm.shownExample());
  const form = new Proxy(windowForm, {
    get: (target, name) => (name === 'link' ? link : target[name]),
  });
  // A finished exercise goes to the learning platform and the framing page, where there are any.
  const lms = lmsSession(core);
  const reported = (report) => {
    lms.report(report);
    tellFramer(report);
  };
  // The drawn bar is filled again by the parts, in their order; its help link stays.
  const help = document.getElementById('help-link');
  document.getElementById('practice-start')?.replaceChildren();
  buildingPart('practice');
  // Its startWith(fraction, count) starts an exercise that the page itself chooses.
  const practice = buildPractice(core, form, windowArea, page.layout.arrange,
    exerciseAddress(core, form), reported);
  buildingPart('sheets');
  const sheets = worksheets(core, form, practice.bar);
  buildingPart('bases');
  const bases = numberSystems(core, form, practice.bar, page.layout.arrange, practice);
  buildingPart(null);
  // The help stands in the page itself, so that it is a plain link; it joins the bar's buttons.
  if (help) {
    practice.bar.querySelector('button:last-of-type').after(help);
    help.hidden = false;
  }
  page.layout.carry(practice.bar);
  return {
    readLink: (fragment) => core.readLink(fragment),
    link,
    views: {
      sheet: sheets.sheet,
      practice: practice.startWith,
      bases: bases.bases,
      window: () => {
        practice.leave();
        sheets.window();
        bases.close();
      },
    },
  };
}
