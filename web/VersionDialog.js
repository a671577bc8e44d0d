// The view of TfrmVersion, the about box: the program's icon, name and version, and 戻る.
import { BindButton, BindLabel } from 'quorbel/Bindings.js';
import { FormDialog, PutAt } from 'quorbel/Dialog.js';
import { ProgramIcon } from 'quorbel/Artwork.js';

export class VersionDialog extends FormDialog {
  constructor(binder) {
    super(binder, 'frmVersion', 413, 320);
    const form = 'frmVersion';
    const icon = document.createElement('div');
    icon.innerHTML = ProgramIcon;
    PutAt(this.body, icon, 32, 40, 64, 64);
    const product = PutAt(this.body, BindLabel(binder, form, 'lblProductName', document.createElement('span')), 120, 52);
    product.style.fontSize = '18px';
    const version = PutAt(this.body, BindLabel(binder, form, 'lblVersion', document.createElement('span')), 120, 100, 260, 20);
    version.style.fontSize = '14px';
    PutAt(this.body, BindButton(binder, form, 'btnOK', document.createElement('button')), 156, 252, 100, 32)
      .classList.add('default');
  }
}
