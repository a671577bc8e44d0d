// The view of TfrmStep, the STEP pause: the STEP size, the count so far, and 次を表示,
// すべて表示 and 中止. It opens where the form says, in the main window's client coordinates.
import { BindButton, BindEdit } from 'quorbel/Bindings.js';
import { FormDialog, PlainLabel, PutAt } from 'quorbel/Dialog.js';

export class StepDialog extends FormDialog {
  constructor(binder, client) {
    super(binder, 'frmStep', 329, 96 + 24);
    this.client = client;
    const form = 'frmStep';
    PlainLabel(this.body, 'STEP', 12, 14);
    PutAt(this.body, BindEdit(binder, form, 'edtStep', document.createElement('input')), 48, 10, 64, 22);
    PlainLabel(this.body, '回数', 132, 14);
    PutAt(this.body, BindEdit(binder, form, 'edtCount', document.createElement('input')), 164, 10, 96, 22);
    const next = PutAt(this.body, BindButton(binder, form, 'btnOk', document.createElement('button')), 12, 48, 96, 32);
    next.classList.add('default');
    PutAt(this.body, BindButton(binder, form, 'btnAll', document.createElement('button')), 116, 48, 96, 32);
    PutAt(this.body, BindButton(binder, form, 'btnCancel', document.createElement('button')), 220, 48, 96, 32);
  }
  Place(form) {
    const corner = this.client.getBoundingClientRect();
    return [corner.left + form.left, corner.top + form.top];
  }
}
