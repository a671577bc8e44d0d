// The file-save dialog of the page. The browser keeps the user's curves in one folder of its own
// storage, so the dialog lists that folder and asks only for the file's name; the answer is the
// path in that folder, or null when cancelled. It asks no overwrite question: the program does.
import { DialogWindow } from 'quorbel/Dialog.js';

export function SaveFileDialog(fs, folder, fileName, filter) {
  return new Promise((resolve) => {
    let window = null;
    const answer = (value) => {
      window.Hide();
      resolve(value);
    };
    window = new DialogWindow('名前を付けて保存', 420, 0, () => answer(null));
    window.element.style.height = 'auto';
    const body = document.createElement('div');
    body.style.padding = '12px';
    const list = document.createElement('div');
    list.className = 'list';
    list.style.height = '160px';
    list.style.position = 'relative';
    const names = ListFiles(fs, folder);
    for (const name of names) {
      const row = document.createElement('div');
      row.textContent = name;
      row.addEventListener('click', () => { input.value = name; });
      list.append(row);
    }
    const label = document.createElement('div');
    label.textContent = 'ファイル名：';
    label.style.margin = '10px 0 4px';
    const input = document.createElement('input');
    input.value = fileName;
    input.style.width = '100%';
    input.style.boxSizing = 'border-box';
    input.classList.add('default');
    const type = document.createElement('div');
    type.textContent = 'ファイルの種類：' + filter.split('|')[0];
    type.style.margin = '6px 0';
    const row = document.createElement('div');
    row.className = 'buttons';
    const save = document.createElement('button');
    save.textContent = '保存(S)';
    const cancel = document.createElement('button');
    cancel.textContent = 'キャンセル';
    row.append(save, cancel);
    const accept = () => {
      // A name only: the folder is the user's folder, whatever the name may say.
      const name = input.value.trim().split(/[\\/]/).pop();
      if (name) answer(folder.replace(/[\\/]*$/, '/') + name);
    };
    save.addEventListener('click', accept);
    cancel.addEventListener('click', () => answer(null));
    input.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') accept();
    });
    body.append(list, label, input, type);
    window.body.append(body, row);
    window.Show();
    input.select();
  });
}

function ListFiles(fs, folder) {
  try {
    return fs.readdir(folder).filter((name) => !name.startsWith('.') && fs.isFile(fs.stat(folder + '/' + name).mode)).sort();
  } catch {
    return [];
  }
}
