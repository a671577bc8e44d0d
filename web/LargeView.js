// The view of TfrmLarge, the picture shown large for a class: the current picture alone on black,
// full screen where the browser allows it (a school's tablet may not: the view then fills the
// window), drawn by the program at that size from the picture's drawing and kept up to date as
// the picture changes. Enter, Space, P, Backspace and Escape go to the form's 表示, 次を表示, 自動,
// 1つ前 and 戻る, also while a STEP display waits in its dialog behind the view; a tap or click on
// the view is 次を表示 and a long press is 自動 (play or pause); the buttons show in a corner on
// touch screens, and while the mouse moves. Leaving full screen by the browser's own means (its
// Escape, F11) is 戻る; the view closes once the form no longer shows.
import { BindButton } from 'quorbel/Bindings.js';

const Form = 'frmLarge';
const KeyButtons = { Enter: 'btnDraw', ' ': 'btnNext', p: 'btnPlay', P: 'btnPlay', Backspace: 'btnStepBack', Escape: 'btnBack' };
// How long a press lasts to be a long press, and how far the finger may move meanwhile.
const LongPressFor = 600;
const LongPressSlack = 12;
// How long the pointer and the buttons stay visible after the mouse last moved (milliseconds).
const PointerShownFor = 2500;

export class LargeView {
  constructor(binder) {
    this.binder = binder;
    this.open = false;
    this.fullScreen = false;  // the view went full screen (and leaving it is 戻る)
    this.element = document.createElement('div');
    this.element.className = 'large-view';
    this.element.id = Form;
    this.element.tabIndex = -1;
    this.element.setAttribute('role', 'dialog');
    this.canvas = document.createElement('canvas');
    this.canvas.className = 'picture';
    this.canvas.id = 'frmLarge-imgCood';
    binder.BindPicture(Form, 'imgCood', this.canvas, (canvas, shown) => this.Place(shown));
    const buttons = document.createElement('div');
    buttons.className = 'large-buttons';
    for (const name of ['btnDraw', 'btnNext', 'btnStepBack', 'btnPlay', 'btnBack']) {
      buttons.append(BindButton(binder, Form, name, document.createElement('button')));
    }
    this.element.append(this.canvas, buttons);

    let press = null;  // {x, y, timer} while a press on the picture may become a long one
    let pressedLong = false;
    const endPress = () => {
      if (press) clearTimeout(press.timer);
      press = null;
    };
    this.element.addEventListener('pointerdown', (event) => {
      if (event.target.closest('.large-buttons')) return;
      endPress();
      pressedLong = false;
      press = { x: event.clientX, y: event.clientY, timer: setTimeout(() => {
        press = null;
        pressedLong = true;
        binder.Post(Form, 'btnPlay', 'click');
      }, LongPressFor) };
    });
    this.element.addEventListener('pointermove', (event) => {
      if (press && Math.hypot(event.clientX - press.x, event.clientY - press.y) > LongPressSlack) endPress();
    });
    for (const type of ['pointerup', 'pointercancel']) this.element.addEventListener(type, endPress);
    this.element.addEventListener('contextmenu', (event) => event.preventDefault());
    this.element.addEventListener('click', (event) => {
      // The click that ends a long press is not a tap.
      if (pressedLong) {
        pressedLong = false;
        return;
      }
      if (!event.target.closest('.large-buttons')) binder.Post(Form, 'btnNext', 'click');
    });
    let pointerTimer = 0;
    this.element.addEventListener('pointermove', () => {
      this.element.classList.add('pointer-moved');
      clearTimeout(pointerTimer);
      pointerTimer = setTimeout(() => this.element.classList.remove('pointer-moved'), PointerShownFor);
    });
    for (const type of ['keydown', 'keyup']) window.addEventListener(type, (event) => this.Key(event), true);
    window.addEventListener('resize', () => {
      if (this.open) binder.Repaint(Form, 'imgCood');
    });
    for (const type of ['fullscreenchange', 'webkitfullscreenchange']) {
      document.addEventListener(type, () => this.FullScreenChanged());
    }
    binder.onRefresh.push(() => this.Follow());
  }

  Open() {
    if (this.open) return;
    this.open = true;
    document.documentElement.classList.add('large-view-open');
    document.body.append(this.element);
    this.element.focus();
    this.binder.Repaint(Form, 'imgCood');
    // Only a user's action may ask for full screen: the key or click that opened the view is one,
    // still. Without full screen the view fills the window.
    const root = document.documentElement;
    const request = root.requestFullscreen || root.webkitRequestFullscreen;
    if (!request || FullScreenElement()) return;
    try {
      Promise.resolve(request.call(root)).catch(() => {});
    } catch { /* not allowed here */ }
  }

  Close() {
    if (!this.open) return;
    this.open = false;
    this.fullScreen = false;
    this.element.remove();
    document.documentElement.classList.remove('large-view-open');
    if (FullScreenElement()) {
      const exit = document.exitFullscreen || document.webkitExitFullscreen;
      try {
        Promise.resolve(exit.call(document)).catch(() => {});
      } catch { /* left already */ }
    }
  }

  // After each action of the program: the view closes once the form no longer shows.
  Follow() {
    if (this.open && !this.binder.module.LargePictureShowing()) this.Close();
  }

  FullScreenChanged() {
    if (!this.open) return;
    if (FullScreenElement()) this.fullScreen = true;
    else if (this.fullScreen) this.binder.Post(Form, 'btnBack', 'click');
  }

  // The view's three keys, taken before any element sees them; a message box in front of the
  // view keeps its own keys.
  Key(event) {
    if (!this.open) return;
    const button = KeyButtons[event.key];
    const dialog = event.target.closest?.('.dialog');
    if (!button || (dialog && dialog.dataset.form !== 'frmStep')) return;
    event.preventDefault();
    event.stopPropagation();
    if (event.type === 'keydown') this.binder.Post(Form, button, 'click');
  }

  // The program draws the picture for the page's size at the device pixel ratio; the canvas shows
  // each of its pixels on one device pixel, in the middle of the view.
  Place(shown) {
    const ratio = window.devicePixelRatio || 1;
    const width = shown.width * shown.zoom / shown.scale, height = shown.height * shown.zoom / shown.scale;
    const Snap = (length) => Math.round(length * ratio) / ratio;
    Object.assign(this.canvas.style, {
      width: width + 'px',
      height: height + 'px',
      left: Snap((window.innerWidth - width) / 2) + 'px',
      top: Snap((window.innerHeight - height) / 2) + 'px',
    });
  }
}

function FullScreenElement() { return document.fullscreenElement || document.webkitFullscreenElement || null; }
