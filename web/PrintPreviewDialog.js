// The view of TfrmPrint, the print preview: the page (600 × 849) in a scrolling box, the margins,
// the size, the comment switch and text, 印刷開始 and 閉じる.
import { BindButton, BindEdit, MakeCheck, MakeSpin } from 'quorbel/Bindings.js';
import { FormDialog, PlainLabel, PutAt } from 'quorbel/Dialog.js';

export class PrintPreviewDialog extends FormDialog {
  constructor(binder) {
    super(binder, 'frmPrint', 1060, 0);
    const form = 'frmPrint';
    const scroll = PutAt(this.body, document.createElement('div'), 8, 8, 600 + 24, 849 + 4);
    scroll.style.overflow = 'auto';
    scroll.style.background = '#808080';
    this.scroll = scroll;
    const page = document.createElement('canvas');
    page.className = 'picture';
    page.id = 'frmPrint-imgCood';
    page.style.position = 'static';
    scroll.append(page);
    binder.BindPicture(form, 'imgCood', page);

    const x = 650;
    PlainLabel(this.body, '左余白', x, 24);
    PutAt(this.body, MakeSpin(binder, form, 'spnLeft'), x + 64, 20, 64, 26);
    PlainLabel(this.body, '上余白', x, 60);
    PutAt(this.body, MakeSpin(binder, form, 'spnTop'), x + 64, 56, 64, 26);
    const size = PutAt(this.body, document.createElement('fieldset'), x, 96, 140, 60);
    size.classList.add('panel');
    const legend = document.createElement('legend');
    legend.textContent = 'サイズ（％）';
    size.append(legend);
    PutAt(size, MakeSpin(binder, form, 'spnShukusho'), 16, 24, 64, 26);
    PutAt(this.body, MakeCheck(binder, form, 'chkDate'), x, 172);
    PutAt(this.body, BindEdit(binder, form, 'edtFile', document.createElement('input')), x, 200, 400, 24);
    PutAt(this.body, BindButton(binder, form, 'btnPrint', document.createElement('button')), x, 248, 112, 36);
    PutAt(this.body, BindButton(binder, form, 'btnClose', document.createElement('button')), x + 128, 248, 112, 36);
  }
  Place(form) {
    const height = Math.min(form.height > 0 ? form.height : window.innerHeight, window.innerHeight - 8);
    const width = Math.min(form.width > 0 ? form.width : 1060, window.innerWidth);
    this.window.element.style.height = height + 'px';
    this.window.element.style.width = width + 'px';
    this.scroll.style.height = Math.max(200, Math.min(849 + 4, height - 24 - 16)) + 'px';
    return [Math.min(form.left, window.innerWidth - width), form.top];
  }
}
