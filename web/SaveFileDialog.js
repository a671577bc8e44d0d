// The file-save dialogs of the page. The browser keeps the user's curves in one folder of its own
// storage, so the curve dialog lists that folder and asks only for the file's name; the answer is
// the path in that folder, or null when cancelled. A file made for other programs (a picture
// file) is handed to the browser as a download: its dialog asks for the name and the kind of file
// among the program's filters, and answers the path in the download folder with the filter's
// index. Neither asks an overwrite question: the program does.
import { DialogWindow } from 'quorbel/Dialog.js';
import { DownloadFolder } from 'quorbel/Files.js';

export function SaveFileDialog(fs, folder, fileName, filter) {
  return new Promise((resolve) => {
    const dialog = new SaveWindow(fileName, (name) => resolve(name === null ? null : folder.replace(/[\\/]*$/, '/') + name));
    const list = document.createElement('div');
    list.className = 'list';
    list.style.height = '160px';
    list.style.position = 'relative';
    for (const name of ListFiles(fs, folder)) {
      const row = document.createElement('div');
      row.textContent = name;
      row.addEventListener('click', () => { dialog.input.value = name; });
      list.append(row);
    }
    const type = document.createElement('div');
    type.textContent = 'ファイルの種類：' + filter.split('|')[0];
    type.style.margin = '6px 0';
    dialog.Show([list], [type]);
  });
}

// `filter` is "description|*.ext|description|*.ext…"; answers {path, filter} or null.
export function DownloadDialog(fileName, filter) {
  return new Promise((resolve) => {
    const parts = filter.split('|');
    const choices = [];
    for (let i = 0; i + 1 < parts.length; i += 2) choices.push({ description: parts[i], extension: parts[i + 1].replace(/^\*/, '') });
    const select = document.createElement('select');
    select.id = 'download-kind';
    select.append(...choices.map((choice, i) => new Option(`${choice.description} (*${choice.extension})`, String(i))));
    const dialog = new SaveWindow(fileName, (name) =>
      resolve(name === null ? null : { path: DownloadFolder + '/' + name, filter: select.selectedIndex }));
    // The extension the chosen kind adds, unless the name typed ends in one of them.
    const extension = document.createElement('span');
    extension.className = 'extension';
    const ShowExtension = () => {
      const typed = dialog.input.value.trim().toLowerCase();
      const own = choices.some((choice) => typed.endsWith(choice.extension.toLowerCase()));
      extension.textContent = own ? '' : choices[select.selectedIndex]?.extension || '';
    };
    select.addEventListener('change', ShowExtension);
    dialog.input.addEventListener('input', ShowExtension);
    ShowExtension();
    const kind = document.createElement('label');
    kind.className = 'kind';
    kind.append('ファイルの種類：', select);
    const note = document.createElement('div');
    note.className = 'note';
    note.textContent = 'ブラウザのダウンロードとして保存します。';
    dialog.Show([], [kind, note], extension);
  });
}

// The window both dialogs share: the name of the file, 保存 and キャンセル. `answer` gets the name
// or null.
class SaveWindow {
  constructor(fileName, answer) {
    this.answer = (value) => {
      this.window.Hide();
      answer(value);
    };
    this.window = new DialogWindow('名前を付けて保存', 420, 0, () => this.answer(null));
    this.window.element.classList.add('save-file');
    this.window.element.style.height = 'auto';
    this.input = document.createElement('input');
    this.input.value = fileName;
    this.input.classList.add('default');
    this.input.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') this.Accept();
    });
  }

  // A name that would name a folder too is refused with a word, not cut to what follows its "/".
  Accept() {
    const name = this.input.value.trim();
    if (/[\\/]/.test(name)) {
      this.note.textContent = 'ファイル名に「/」や「\\」は使えません';
      this.input.focus();
      return;
    }
    if (name) this.answer(name);
  }

  // Shows the dialog with `above` before the name and `below` after it; `suffix` beside the name.
  Show(above, below, suffix = null) {
    const body = document.createElement('div');
    body.style.padding = '12px';
    const label = document.createElement('div');
    label.textContent = 'ファイル名：';
    label.style.margin = '10px 0 4px';
    const name = document.createElement('div');
    name.className = 'name';
    name.append(this.input);
    if (suffix) name.append(suffix);
    this.note = document.createElement('div');
    this.note.className = 'note';
    this.note.setAttribute('role', 'alert');
    this.note.style.color = '#c00000';
    body.append(...above, label, name, this.note, ...below);
    const row = document.createElement('div');
    row.className = 'buttons';
    const save = document.createElement('button');
    save.textContent = '保存(S)';
    const cancel = document.createElement('button');
    cancel.textContent = 'キャンセル';
    row.append(save, cancel);
    save.addEventListener('click', () => this.Accept());
    cancel.addEventListener('click', () => this.answer(null));
    this.window.body.append(body, row);
    this.window.Show();
    this.input.select();
  }
}

function ListFiles(fs, folder) {
  try {
    return fs.readdir(folder).filter((name) => !name.startsWith('.') && fs.isFile(fs.stat(folder + '/' + name).mode)).sort();
  } catch {
    return [];
  }
}
