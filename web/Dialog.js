// A dialog window of the page: a title bar with the caption and a close box, a body, and a
// backdrop that keeps the user from what lies behind. FormDialog is the view of a core form: it
// opens when the core shows the form modally and closes when the form has a result; its close box
// and Escape close the form with "cancel", as the desktop frame does.

export class DialogWindow {
  constructor(caption, width, height, onClose) {
    this.backdrop = document.createElement('div');
    this.backdrop.className = 'backdrop';
    this.element = document.createElement('div');
    this.element.className = 'dialog';
    this.element.setAttribute('role', 'dialog');
    this.element.style.width = width + 'px';
    if (height) this.element.style.height = height + 'px';
    const title = document.createElement('div');
    title.className = 'title';
    this.titleText = document.createElement('span');
    this.titleText.textContent = caption;
    const close = document.createElement('button');
    close.textContent = '×';
    close.setAttribute('aria-label', '閉じる');
    close.addEventListener('click', onClose);
    title.append(this.titleText, close);
    this.body = document.createElement('div');
    this.body.className = 'body';
    this.element.append(title, this.body);
    this.element.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') {
        event.preventDefault();
        onClose();
      }
    });
    MakeDraggable(this.element, title);
  }

  SetCaption(caption) { this.titleText.textContent = caption; }

  Show(left, top) {
    document.body.append(this.backdrop, this.element);
    this.wanted = [left, top];
    this.Fit();
    OpenWindows.add(this);
    // The default button, else the first field or button of the body: never the close box, which
    // Space or Enter would press.
    const first = this.body.querySelector('.default:not(:disabled)') ||
                  this.body.querySelector('input:not([readonly]):not(:disabled), button:not(:disabled)');
    if (first) first.focus();
  }

  // Keeps the window where it was asked to open, moved inside the part of the page the user sees
  // (the visual viewport, which the on-screen keyboard shrinks); a window taller than that scrolls
  // its body.
  Fit() {
    const view = window.visualViewport;
    const [viewLeft, viewTop] = view ? [view.offsetLeft, view.offsetTop] : [0, 0];
    const viewWidth = view ? view.width : window.innerWidth, viewHeight = view ? view.height : window.innerHeight;
    this.element.style.maxHeight = Math.floor(viewHeight) + 'px';
    const width = this.element.offsetWidth, height = this.element.offsetHeight;
    let [left, top] = this.wanted;
    if (left === undefined) left = viewLeft + (viewWidth - width) / 2;
    if (top === undefined) top = viewTop + (viewHeight - height) / 2;
    this.element.style.left = Math.max(viewLeft, Math.min(left, viewLeft + viewWidth - width)) + 'px';
    this.element.style.top = Math.max(viewTop, Math.min(top, viewTop + viewHeight - height)) + 'px';
    const typing = this.element.contains(document.activeElement) && document.activeElement.matches('input, select, textarea');
    if (typing) document.activeElement.scrollIntoView({ block: 'nearest' });
  }

  Hide() {
    OpenWindows.delete(this);
    this.backdrop.remove();
    this.element.remove();
  }
}

// The windows shown, fitted again when the page or its visible part changes size (a rotation, the
// on-screen keyboard).
const OpenWindows = new Set();
function FitOpenWindows() {
  for (const window_ of OpenWindows) window_.Fit();
}
window.addEventListener('resize', FitOpenWindows);
window.visualViewport?.addEventListener('resize', FitOpenWindows);
window.visualViewport?.addEventListener('scroll', FitOpenWindows);

// Dragging by the title bar, with a mouse, a pen or a finger.
function MakeDraggable(element, handle) {
  handle.addEventListener('pointerdown', (event) => {
    if (event.target.closest('button')) return;
    const startX = event.clientX - element.offsetLeft, startY = event.clientY - element.offsetTop;
    handle.setPointerCapture(event.pointerId);
    const move = (e) => {
      element.style.left = (e.clientX - startX) + 'px';
      element.style.top = (e.clientY - startY) + 'px';
    };
    const up = () => {
      handle.removeEventListener('pointermove', move);
      handle.removeEventListener('pointerup', up);
    };
    handle.addEventListener('pointermove', move);
    handle.addEventListener('pointerup', up);
  });
}

// Puts `element` at (left, top) inside `parent`, with a size when one is given.
export function PutAt(parent, element, left, top, width = 0, height = 0) {
  element.classList.add('control');
  element.style.left = left + 'px';
  element.style.top = top + 'px';
  if (width > 0) element.style.width = width + 'px';
  if (height > 0) element.style.height = height + 'px';
  parent.append(element);
  return element;
}

export function PlainLabel(parent, text, left, top) {
  const label = document.createElement('span');
  label.textContent = text;
  return PutAt(parent, label, left, top);
}

export class FormDialog {
  constructor(binder, formName, width, height) {
    this.binder = binder;
    this.formName = formName;
    this.window = new DialogWindow('', width, height, () => binder.Post(formName, '', 'close'));
    this.window.element.dataset.form = formName;
    this.body = this.window.body;
  }
  Element() { return this.window.element; }
  // Where the dialog opens, from the form's state; the default centres it.
  Place(form) { return [undefined, undefined]; }
  Open() {
    const form = this.binder.module.FormState(this.formName);
    this.window.SetCaption(form.caption);
    this.binder.Refresh();
    const [left, top] = this.Place(form);
    this.window.Show(left, top);
  }
  Close() { this.window.Hide(); }
}
