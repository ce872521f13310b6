// The floor of the page's start-up figure: the least a page can do that a
// pupil can type into, one module showing one text box, with the same mark.
const box = Object.assign(document.createElement('input'), { type: 'text', value: '0.45' });
document.body.append(box);
box.focus();
performance.mark('kviltora-ready');
