// The view of TfrmNickName, the naming dialog: the prompt, the name, OK and キャンセル.
import { BindButton, BindEdit, BindLabel } from 'quorbel/Bindings.js';
import { FormDialog, PutAt } from 'quorbel/Dialog.js';

export class NickNameDialog extends FormDialog {
  constructor(binder) {
    super(binder, 'frmNickName', 606, 300);
    const form = 'frmNickName';
    const prompt = PutAt(this.body, BindLabel(binder, form, 'lblPrompt', document.createElement('span')), 32, 48, 540, 24);
    prompt.style.fontSize = '16px';
    this.name = PutAt(this.body, BindEdit(binder, form, 'edtName', document.createElement('input')), 32, 96, 540, 28);
    this.name.style.fontSize = '16px';
    this.name.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') binder.Post(form, 'btnOk', 'click');
    });
    PutAt(this.body, BindButton(binder, form, 'btnOk', document.createElement('button')), 332, 220, 112, 34);
    PutAt(this.body, BindButton(binder, form, 'btnCancel', document.createElement('button')), 460, 220, 112, 34);
  }
  Open() {
    super.Open();
    this.name.focus();
  }
}
