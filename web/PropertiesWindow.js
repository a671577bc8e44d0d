// The view of TfrmProperties, the window 曲線の性質: the picture the form draws of the panel's
// curve, and 閉じる. It lies beside the main window and does not block the program.
import { BindButton } from 'quorbel/Bindings.js';
import { DialogWindow, PutAt } from 'quorbel/Dialog.js';

const Form = 'frmProperties';

export class PropertiesWindow {
  constructor(binder) {
    this.binder = binder;
    this.window = new DialogWindow('曲線の性質', 480, 0, () => this.Close());
    this.window.element.dataset.form = Form;
    this.window.element.classList.add('properties');
    this.window.backdrop = document.createElement('div');  // not modal
    this.canvas = document.createElement('canvas');
    this.canvas.dataset.model = 'imgProperties';
    this.canvas.setAttribute('role', 'img');
    this.canvas.setAttribute('aria-label', '曲線の性質');
    this.window.body.append(this.canvas);
    binder.BindPicture(Form, 'imgProperties', this.canvas);
    const close = BindButton(binder, Form, 'btnClose', document.createElement('button'));
    close.classList.add('default');
    close.addEventListener('click', () => this.window.Hide());
    const row = document.createElement('div');
    row.className = 'buttons';
    row.append(close);
    this.window.body.append(row);
    this.close = close;
  }

  Open() {
    if (!this.window.element.isConnected) this.window.Show(window.innerWidth - 500, 60);
    this.binder.Repaint(Form, 'imgProperties');
  }

  // The close box and Escape press 閉じる, so that the form knows it no longer shows.
  Close() { this.close.click(); }
}
