// The view of TfrmEdit, the file contents: the curve's description, 閉じる, and the 25 labels
// beside the working record's lines (kept as CP932 bytes; the program hands them over as text).
import { BindButton, BindLabel, BindList } from 'quorbel/Bindings.js';
import { FormDialog, PutAt } from 'quorbel/Dialog.js';

export class EditDialog extends FormDialog {
  constructor(binder) {
    super(binder, 'frmEdit', 758, 500);
    const form = 'frmEdit';
    PutAt(this.body, BindLabel(binder, form, 'lblSpec', document.createElement('span')), 120, 32);
    PutAt(this.body, BindButton(binder, form, 'btnOk', document.createElement('button')), 16, 56, 88, 30);
    const labels = PutAt(this.body, BindList(binder, form, 'lstContents', MakeList()), 120, 56, 73, 385);
    const values = PutAt(this.body, BindList(binder, form, 'lstBuffer', MakeList()), 193, 56, 319, 385);
    // The two columns scroll together, line beside line.
    values.addEventListener('scroll', () => { labels.scrollTop = values.scrollTop; });
    labels.addEventListener('scroll', () => { values.scrollTop = labels.scrollTop; });
  }
}

// Lines 12 pixels high, empty ones too (a record's empty line 3 stands beside its label).
function MakeList() {
  const list = document.createElement('div');
  list.className = 'list lines-12';
  return list;
}
