// The plain message box with one OK button, and the confirmation box with "はい(&Y)",
// "いいえ(&N)" and "ｷｬﾝｾﾙ"; closing it counts as Cancel. Each answers with a promise.
import { DialogWindow } from 'quorbel/Dialog.js';

export const ApplicationTitle = 'Quorbel 数学Ｃ／媒介変数と曲線';

function Ask(caption, text, buttons, closeAnswer) {
  return new Promise((resolve) => {
    let window = null;
    const answer = (value) => {
      window.Hide();
      resolve(value);
    };
    window = new DialogWindow(caption, 0, 0, () => answer(closeAnswer));
    // A message stands in front of everything, the picture shown large included.
    window.element.classList.add('in-front');
    window.backdrop.classList.add('in-front');
    window.element.style.width = 'auto';
    window.element.style.minWidth = '280px';
    const message = document.createElement('div');
    message.className = 'message';
    message.textContent = text;
    const row = document.createElement('div');
    row.className = 'buttons';
    buttons.forEach(([caption, value, key], i) => {
      const button = document.createElement('button');
      button.textContent = caption;
      if (i === 0) button.classList.add('default');
      button.addEventListener('click', () => answer(value));
      row.append(button);
      if (key) {
        window.element.addEventListener('keydown', (event) => {
          if (event.key.toLowerCase() === key) answer(value);
        });
      }
    });
    window.body.append(message, row);
    window.Show();
  });
}

export function ShowMessage(text) { return Ask(ApplicationTitle, text, [['OK', 0]], 0); }

// 0 for Yes, 1 for No, 2 for Cancel.
export function AskYesNoCancel(caption, text) {
  return Ask(caption, text, [['はい(Y)', 0, 'y'], ['いいえ(N)', 1, 'n'], ['ｷｬﾝｾﾙ', 2]], 2);
}
