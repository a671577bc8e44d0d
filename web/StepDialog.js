// The view of TfrmStep, the STEP pause: the STEP size, the count so far, 次を表示, すべて表示 and
// 中止; where the tracing stands; 戻る, 自動 with its speed, and 補助線は今の位置だけ. 自動 runs on
// the page's timer (tmrAuto). P plays or pauses and Backspace goes back, as in the picture shown
// large. Space and Enter press the focused button, 次を表示 when none is (the dialog opens with
// the focus there); Escape stops. It opens where the form says, in the main window's client
// coordinates; in the narrow column at the bottom of the screen.
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
    // On a touch screen there is no F11: the picture shown large is a button away.
    const large = PutAt(this.body, document.createElement('button'), 220, 144, 96, 28);
    large.id = 'page-showLarge';
    large.classList.add('touch-only');
    large.textContent = '大きく表示';
    large.addEventListener('click', () => binder.Post('frmMain', 'mnuShowLarge', 'click'));
    // Space and Enter press the focused button, 次を表示 when none is; Enter in a field too. The
    // page does it itself, on the key going down, so that every engine steps once per key.
    const Key = (event) => {
      if (event.target.closest('.title')) return;  // the close box closes, as the desktop frame's
      const field = event.target.matches('input, select, textarea');
      const own = event.target.closest('button[data-model]')?.dataset.model;
      let button = { p: 'btnAuto', P: 'btnAuto', Backspace: 'btnBack' }[event.key];
      if (button && field && !event.target.matches('[type="checkbox"]')) return;
      if (event.key === ' ' && !field) button = own || 'btnOk';
      if (event.key === 'Enter') button = own || 'btnOk';
      if (!button || (event.target.closest('button') && !own && event.target !== large)) return;
      event.preventDefault();
      if (event.target === large && (event.key === ' ' || event.key === 'Enter')) {
        if (event.type === 'keydown') large.click();
        return;
      }
      if (event.type === 'keydown' && !event.repeat) binder.Post(Form, button, 'click');
    };
    this.Element().addEventListener('keydown', Key);
    this.Element().addEventListener('keyup', Key);
  }
  Place(form) {
    // In the narrow column the dialog stands at the bottom of the screen, under the picture.
    if (document.documentElement.classList.contains('narrow')) return [undefined, window.innerHeight];
    const corner = this.client.getBoundingClientRect();
    return [corner.left + form.left, corner.top + form.top];
  }
}
