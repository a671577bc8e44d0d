// Two-way bindings between the core's control models and the page's elements. A model's
// ViewChanged hook marks it; Refresh mirrors every marked model into its element (the core calls
// it after each user action and whenever it yields). The elements' user events become events in
// one queue, which the core takes one at a time and dispatches to the models' User… methods.
// Pictures are painted at the screen's device pixel ratio: at 1 the exact bitmap, otherwise the
// picture drawn again at that ratio where the program offers it, on a canvas of as many device
// pixels shown at the picture's size in CSS pixels times the zoom the program gives it (a view
// may size and place its canvas itself: the picture shown large).

const Separator = '\x1f';

export class Binder {
  constructor() {
    this.module = null;
    this.syncs = new Map();      // "form␟control" → function(state)
    this.pictures = new Map();   // "form␟picture" → canvas
    this.placers = new Map();    // "form␟picture" → function(canvas, shown) that sizes the canvas
    this.stalePictures = new Set();
    this.dirty = new Set();
    this.queue = [];
    this.waiting = null;
    this.onIdle = [];            // resolved when the core waits for the user with nothing queued
    this.onRefresh = [];         // views that follow the program after every Refresh
  }

  Attach(module) { this.module = module; }

  // ---- Called by the core.
  ViewChanged(form, control) { this.dirty.add(form + Separator + control); }
  PictureChanged() { for (const key of this.pictures.keys()) this.stalePictures.add(key); }
  // Mirrors the marked models. The pictures are painted when the browser can show them: when the
  // program waits for the user or lets the browser paint (PaintNow); a picture not on the page (a
  // closed dialog's) is painted once it is shown.
  Refresh() {
    if (!this.module) return;
    const keys = [...this.dirty];
    this.dirty.clear();
    for (const key of keys) this.Sync(key);
    for (const follow of this.onRefresh) follow();
  }
  PaintNow() {
    this.Refresh();
    if (!this.module) return;
    for (const key of this.stalePictures) {
      const canvas = this.pictures.get(key);
      if (!canvas.isConnected) continue;
      this.stalePictures.delete(key);
      this.Paint(key, canvas);
    }
  }
  // Paints every picture again (the device pixel ratio changed: another screen, the page zoomed).
  RepaintAll() {
    this.PictureChanged();
    this.PaintNow();
  }
  // Paints one picture again (its canvas changed size).
  Repaint(form, picture) {
    this.stalePictures.add(form + Separator + picture);
    this.PaintNow();
  }
  TakeEvent() { return this.queue.length ? this.queue.shift() : null; }
  // Whether an event of this control and action waits in the queue.
  Queued(form, control, action) {
    const start = [form, control, action].join(Separator) + Separator;
    return this.queue.some((event) => event.startsWith(start));
  }
  WaitForEvent() {
    this.PaintNow();
    if (this.queue.length) return Promise.resolve(this.queue.shift());
    const idle = this.onIdle;
    this.onIdle = [];
    for (const resolve of idle) resolve();
    return new Promise((resolve) => { this.waiting = resolve; });
  }

  // ---- Called by the page.
  // Queues a user action; the core runs it when it next waits or yields.
  Post(form, control, action, argument = '') {
    const event = [form, control, action, String(argument).replaceAll(Separator, ' ')].join(Separator);
    if (this.waiting) {
      const resolve = this.waiting;
      this.waiting = null;
      resolve(event);
    } else {
      this.queue.push(event);
    }
  }
  // A promise that settles once the core has handled everything queued and waits for the user.
  Idle() {
    if (this.waiting && this.queue.length === 0) return Promise.resolve();
    return new Promise((resolve) => this.onIdle.push(resolve));
  }

  State(form, control) { return this.module.ControlState(form, control); }

  Sync(key) {
    const sync = this.syncs.get(key);
    if (!sync) return;
    const [form, control] = key.split(Separator);
    const state = this.State(form, control);
    if (state) sync(state);
  }

  // Registers `sync` for a model and mirrors the model at once.
  Bind(form, control, sync) {
    const key = form + Separator + control;
    this.syncs.set(key, sync);
    if (this.module) this.Sync(key);
  }

  // The picture is painted at the next PaintNow once the canvas is on the page; `place`, when
  // given, sizes the canvas after each painting instead of the picture's own size in CSS pixels.
  BindPicture(form, picture, canvas, place = null) {
    const key = form + Separator + picture;
    this.pictures.set(key, canvas);
    if (place) this.placers.set(key, place);
    this.stalePictures.add(key);
  }

  Paint(key, canvas) {
    const [form, picture] = key.split(Separator);
    const shown = this.module.ShownPicture(form, picture, window.devicePixelRatio || 1);
    if (!shown || shown.width === 0) return;
    if (canvas.width !== shown.width || canvas.height !== shown.height) {
      canvas.width = shown.width;
      canvas.height = shown.height;
    }
    const pixels = new Uint8ClampedArray(this.module.HEAPU8.buffer, shown.pointer, shown.width * shown.height * 4);
    canvas.getContext('2d').putImageData(new ImageData(pixels, shown.width, shown.height), 0, 0);
    const place = this.placers.get(key);
    if (place) {
      place(canvas, shown);
    } else {
      canvas.style.width = shown.pictureWidth * shown.zoom + 'px';
      canvas.style.height = shown.pictureHeight * shown.zoom + 'px';
    }
    if (!this.firstPicture && picture === 'imgCood') {
      this.firstPicture = true;
      performance.mark('quorbel-first-picture');  // for the benchmark: the first picture on the page
    }
  }
}

// Draws a bitmap of system colours (red in the low byte, top byte unused) into a canvas. The
// canvas keeps its image buffer from one painting to the next.
const Images = new WeakMap();
export function PaintBitmap(canvas, heap, pointer, width, height) {
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
  const context = canvas.getContext('2d');
  let image = Images.get(canvas);
  if (!image || image.width !== width || image.height !== height) {
    image = context.createImageData(width, height);
    Images.set(canvas, image);
  }
  const source = new Uint32Array(heap.buffer, pointer, width * height);
  const target = new Uint32Array(image.data.buffer);
  for (let i = 0; i < source.length; ++i) target[i] = source[i] | 0xFF000000;
  context.putImageData(image, 0, 0);
}

// Elements are found by their model's name (dialogs are in the page only while shown).
function Name(element, name) {
  if (!element.id) element.id = name;
  element.dataset.model = name;
}

function SyncCommon(element, state) {
  element.disabled = !state.enabled;
  element.classList.toggle('hidden', !state.visible);
  element.title = state.hint || '';
  element.dataset.helpContext = state.helpContext;
}

// Menu captions mark their access key as "&F"; the page shows it as "(F)" does on the desktop.
export function CaptionText(caption) { return caption.replace(/&(.)/g, '$1'); }

// ---- One function per kind of control: make or take the element, bind it both ways.

export function BindButton(binder, form, name, element) {
  binder.Bind(form, name, (state) => {
    if (!element.classList.contains('tool')) element.textContent = CaptionText(state.caption);
    element.classList.toggle('down', state.down);
    SyncCommon(element, state);
  });
  element.addEventListener('click', () => binder.Post(form, name, 'click'));
  Name(element, name);
  return element;
}

// A check item of a menu: its caption with a tick while checked; a click is the user's click.
export function BindMenuCheck(binder, form, name, element) {
  element.setAttribute('role', 'menuitemcheckbox');
  binder.Bind(form, name, (state) => {
    element.textContent = CaptionText(state.caption);
    element.setAttribute('aria-checked', String(state.checked));
    SyncCommon(element, state);
  });
  element.addEventListener('click', () => binder.Post(form, name, 'check'));
  Name(element, name);
  return element;
}

// A timer model, run by the page's own timer while the model is enabled. A tick waits in the queue
// once at most: a program busy for longer than the interval gets one tick when it is free, not a heap.
export function BindTimer(binder, form, name) {
  let handle = 0, interval = 0;
  binder.Bind(form, name, (state) => {
    if (state.enabled && (!handle || interval !== state.interval)) {
      clearInterval(handle);
      interval = state.interval;
      handle = setInterval(() => {
        if (!binder.Queued(form, name, 'timer')) binder.Post(form, name, 'timer');
      }, interval);
    } else if (!state.enabled && handle) {
      clearInterval(handle);
      handle = 0;
    }
  });
}

export function BindCheck(binder, form, name, label) {
  const input = label.querySelector('input');
  const text = label.querySelector('span');
  binder.Bind(form, name, (state) => {
    text.textContent = state.caption;
    input.checked = state.checked;
    SyncCommon(input, state);
    label.classList.toggle('hidden', !state.visible);
  });
  input.addEventListener('click', (event) => {
    // The model decides the state; the box shows it once the core has run the click. The browser
    // puts a cancelled click's box back when the click's dispatch ends, which may be after the core
    // ran it: the box is shown again from the model once the dispatch is over.
    event.preventDefault();
    binder.Post(form, name, 'check');
    setTimeout(() => binder.Sync(form + Separator + name));
  });
  Name(label, name);
  return label;
}

export function BindCombo(binder, form, name, select) {
  binder.Bind(form, name, (state) => {
    if (select.options.length !== state.items.length ||
        [...select.options].some((option, i) => option.text !== state.items[i])) {
      select.replaceChildren(...state.items.map((item) => new Option(item)));
    }
    select.selectedIndex = state.itemIndex;
    SyncCommon(select, state);
  });
  select.addEventListener('change', () => binder.Post(form, name, 'select', select.selectedIndex));
  Name(select, name);
  return select;
}

// `display` turns a model line into the text shown.
export function BindList(binder, form, name, list, display = (line) => line) {
  binder.Bind(form, name, (state) => {
    while (list.children.length > state.items.length) list.lastChild.remove();
    state.items.forEach((line, i) => {
      let row = list.children[i];
      if (!row) {
        row = document.createElement('div');
        row.dataset.row = i;
        list.append(row);
      }
      const text = display(line);
      if (row.textContent !== text) row.textContent = text;
      row.classList.toggle('selected', !!state.selected[i]);
      row.classList.toggle('focused', i === state.itemIndex);
    });
    const focused = list.children[state.itemIndex];
    if (focused && list.clientHeight > 0) {
      const top = focused.offsetTop, bottom = top + focused.offsetHeight;
      if (top < list.scrollTop) list.scrollTop = top;
      else if (bottom > list.scrollTop + list.clientHeight) list.scrollTop = bottom - list.clientHeight;
    }
    list.classList.toggle('hidden', !state.visible);
    list.dataset.enabled = state.enabled;
    list.dataset.helpContext = state.helpContext;
  });
  list.addEventListener('click', (event) => {
    const row = event.target.closest('[data-row]');
    if (row && list.dataset.enabled !== 'false') binder.Post(form, name, 'line', row.dataset.row);
  });
  list.tabIndex = 0;
  list.addEventListener('keydown', (event) => {
    const rows = list.children.length;
    const current = [...list.children].findIndex((row) => row.classList.contains('focused'));
    const next = { ArrowDown: current + 1, ArrowUp: current - 1, Home: 0, End: rows - 1 }[event.key];
    if (next === undefined || rows === 0) return;
    event.preventDefault();
    binder.Post(form, name, 'line', Math.max(0, Math.min(rows - 1, next)));
  });
  Name(list, name);
  return list;
}

export function BindEdit(binder, form, name, input) {
  // While an input method composes (kana on their way to kanji), the text is not the user's yet:
  // it goes to the model once the composition ends, and the model's text does not overwrite it.
  let composing = false;
  binder.Bind(form, name, (state) => {
    if (!composing && input.value !== state.text) input.value = state.text;
    input.readOnly = state.readOnly;
    SyncCommon(input, state);
  });
  input.addEventListener('compositionstart', () => { composing = true; });
  input.addEventListener('compositionend', () => {
    composing = false;
    binder.Post(form, name, 'type', input.value);
  });
  input.addEventListener('input', (event) => {
    if (!composing && !event.isComposing) binder.Post(form, name, 'type', input.value);
  });
  Name(input, name);
  return input;
}

export function BindLabel(binder, form, name, element) {
  binder.Bind(form, name, (state) => {
    element.textContent = state.caption;
    element.classList.toggle('hidden', !state.visible);
  });
  Name(element, name);
  return element;
}

export function BindProgress(binder, form, name, bar) {
  binder.Bind(form, name, (state) => {
    bar.max = Math.max(1, state.max);
    bar.value = state.position;
    bar.classList.toggle('hidden', !state.visible);
  });
  Name(bar, name);
  return bar;
}

// A spin control: a text field and two arrows. Any text may be typed; leaving the field clamps.
export function MakeSpin(binder, form, name) {
  const spin = document.createElement('div');
  spin.className = 'spin';
  const input = document.createElement('input');
  input.inputMode = 'numeric';
  const arrows = document.createElement('div');
  arrows.className = 'arrows';
  const up = document.createElement('button');
  const down = document.createElement('button');
  up.textContent = '▲';
  down.textContent = '▼';
  up.tabIndex = down.tabIndex = -1;
  arrows.append(up, down);
  spin.append(input, arrows);
  binder.Bind(form, name, (state) => {
    if (input.value !== state.text) input.value = state.text;
    for (const element of [input, up, down]) SyncCommon(element, state);
    up.disabled ||= state.value >= state.max;
    down.disabled ||= state.value <= state.min;
    spin.classList.toggle('hidden', !state.visible);
  });
  input.addEventListener('input', () => binder.Post(form, name, 'type', input.value));
  input.addEventListener('change', () => binder.Post(form, name, 'leave'));
  input.addEventListener('keydown', (event) => {
    if (event.key === 'ArrowUp' || event.key === 'ArrowDown') {
      event.preventDefault();
      binder.Post(form, name, 'step', event.key === 'ArrowUp' ? 1 : -1);
    }
  });
  up.addEventListener('click', () => binder.Post(form, name, 'step', 1));
  down.addEventListener('click', () => binder.Post(form, name, 'step', -1));
  Name(spin, name);
  return spin;
}

export function MakeCheck(binder, form, name, radio = false) {
  const label = document.createElement('label');
  const input = document.createElement('input');
  input.type = radio ? 'radio' : 'checkbox';
  const text = document.createElement('span');
  label.append(input, text);
  return BindCheck(binder, form, name, label);
}
