// The view of TfrmStep, the STEP pause: the STEP size, the count so far, 次を表示, すべて表示 and
// 中止; where the tracing stands; 戻る, 自動 with its speed, and 補助線は今の位置だけ. 自動 runs on
// the page's timer (tmrAuto). P plays or pauses and Backspace goes back, as in the picture shown
// large. It opens where the form says, in the main window's client coordinates.
import { BindButton, BindCombo, BindEdit, BindLabel, BindTimer, MakeCheck } from 'quorbel/Bindings.js';
import { FormDialog, PlainLabel, PutAt } from 'quorbel/Dialog.js';

const Form = 'frmStep';

export class StepDialog extends FormDialog {
  constructor(binder, client) {
    super(binder, Form, 329, 176 + 24);
    this.client = client;
    PlainLabel(this.body, 'STEP', 12, 14);
    PutAt(this.body, BindEdit(binder, Form, 'edtStep', document.createElement('input')), 48, 10, 64, 22);
    PlainLabel(this.body, '回数', 132, 14);
    PutAt(this.body, BindEdit(binder, Form, 'edtCount', document.createElement('input')), 164, 10, 96, 22);
    const next = PutAt(this.body, BindButton(binder, Form, 'btnOk', document.createElement('button')), 12, 48, 96, 32);
    next.classList.add('default');
    PutAt(this.body, BindButton(binder, Form, 'btnAll', document.createElement('button')), 116, 48, 96, 32);
    PutAt(this.body, BindButton(binder, Form, 'btnCancel', document.createElement('button')), 220, 48, 96, 32);
    PutAt(this.body, BindLabel(binder, Form, 'lblWhere', document.createElement('span')), 12, 88, 305, 18);
    PutAt(this.body, BindButton(binder, Form, 'btnBack', document.createElement('button')), 12, 112, 96, 28);
    PutAt(this.body, BindButton(binder, Form, 'btnAuto', document.createElement('button')), 116, 112, 96, 28);
    PutAt(this.body, BindCombo(binder, Form, 'cmbSpeed', document.createElement('select')), 220, 114, 96, 24);
    PutAt(this.body, MakeCheck(binder, Form, 'chkCurrentOnly'), 12, 148);
    BindTimer(binder, Form, 'tmrAuto');
    this.Element().addEventListener('keydown', (event) => {
      const typing = event.target.matches('input:not([type]), input[type="text"], select');
      const button = { p: 'btnAuto', P: 'btnAuto', Backspace: 'btnBack' }[event.key];
      if (!button || typing) return;
      event.preventDefault();
      binder.Post(Form, button, 'click');
    });
  }
  Place(form) {
    const corner = this.client.getBoundingClientRect();
    return [corner.left + form.left, corner.top + form.top];
  }
}
