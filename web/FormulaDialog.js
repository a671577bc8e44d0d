// The view of TfrmFormula, 式を入力: the kind, the formulas, the range and the name, the caption as
// it will appear and what is wrong with what is typed; and a row of keys for what a tablet's
// keyboard lacks, each typed into the field that last had the focus.
import { BindButton, BindEdit, BindLabel, MakeCheck } from 'quorbel/Bindings.js';
import { FormDialog, PutAt } from 'quorbel/Dialog.js';

const Form = 'frmFormula';
const Keys = ['π', 'θ', '√', '^', '(', ')', 'sin', 'cos', 'tan', '≦'];

export class FormulaDialog extends FormDialog {
  constructor(binder) {
    super(binder, Form, 560, 452);
    let left = 16;
    for (const [name, width] of [['radParametric', 130], ['radPolar', 100], ['radEquation', 100]]) {
      PutAt(this.body, MakeCheck(binder, Form, name, true), left, 12, width, 24);
      left += width + 12;
    }
    // A label and its field are one row, kept together wherever the dialog wraps.
    const row = (label, edit, top, width) => {
      const line = PutAt(this.body, document.createElement('div'), 16, top, 64 + width, 26);
      line.classList.add('formula-row');
      const caption = BindLabel(binder, Form, label, document.createElement('span'));
      const input = BindEdit(binder, Form, edit, document.createElement('input'));
      input.style.width = width + 'px';
      line.append(caption, input);
      input.autocomplete = 'off';
      input.spellcheck = false;
      input.addEventListener('focus', () => { this.typingInto = input; });
      input.addEventListener('keydown', (event) => {
        if (event.key === 'Enter' && !event.isComposing) binder.Post(Form, 'btnOk', 'click');
      });
      return input;
    };
    this.first = row('lblFirst', 'edtFirst', 46, 464);
    this.second = row('lblSecond', 'edtSecond', 80, 464).parentElement;
    const range = row('lblRange', 'edtRange', 114, 200).parentElement;
    range.style.width = '528px';
    const note = BindLabel(binder, Form, 'lblRangeNote', document.createElement('span'));
    note.classList.add('formula-note');
    range.append(note);
    row('lblName', 'edtName', 148, 464);
    this.typingInto = this.first;
    // The keys keep the focus in the field: a tap types into it without closing the keyboard.
    const keys = PutAt(this.body, document.createElement('div'), 16, 184, 528, 32);
    keys.className = 'formula-keys control';
    for (const key of Keys) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = key;
      button.addEventListener('pointerdown', (event) => event.preventDefault());
      button.addEventListener('click', () => this.Type(key));
      keys.append(button);
    }
    const preview = PutAt(this.body, document.createElement('canvas'), 23, 224);
    preview.dataset.model = 'imgPreview';
    preview.className += ' formula-preview';
    binder.BindPicture(Form, 'imgPreview', preview);
    const message = PutAt(this.body, BindLabel(binder, Form, 'lblMessage', document.createElement('span')), 16, 360, 528, 18);
    message.classList.add('formula-message');
    PutAt(this.body, BindButton(binder, Form, 'btnOk', document.createElement('button')), 312, 392, 112, 34)
      .classList.add('default');
    PutAt(this.body, BindButton(binder, Form, 'btnCancel', document.createElement('button')), 432, 392, 112, 34);
  }

  // Types `key` at the caret of the field that last had the focus, as a key of the keyboard would.
  Type(key) {
    const input = this.typingInto;
    const text = /^[a-z]+$/.test(key) ? key + ' ' : key;
    const start = input.selectionStart ?? input.value.length, end = input.selectionEnd ?? input.value.length;
    input.focus();
    input.setRangeText(text, start, end, 'end');
    input.dispatchEvent(new Event('input', { bubbles: true }));
  }

  Open() {
    super.Open();
    this.first.focus();
    this.binder.Repaint(Form, 'imgPreview');
  }
}
