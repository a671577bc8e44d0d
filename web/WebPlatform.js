// The browser's side of the core's platform interface (src/web/WebPlatform.cpp calls these):
// message boxes, the form dialogs by name, the save, download and colour dialogs, printing through
// the browser's print dialog, yielding to the browser, the busy cursor, the clipboard, the help
// and the picture shown large.
import { AskYesNoCancel, ShowMessage } from 'quorbel/MessageBox.js';
import { ChooseColor } from 'quorbel/ColorDialog.js';
import { DownloadDialog, SaveFileDialog } from 'quorbel/SaveFileDialog.js';
import { PaintBitmap } from 'quorbel/Bindings.js';

// How often a yielding program lets the browser paint (milliseconds).
const PaintInterval = 50;

export class WebPlatform {
  constructor(binder, app) {
    this.binder = binder;
    this.app = app;
    this.views = new Map();   // form name → its dialog view
    this.help = null;
    this.large = null;           // the view of the picture shown large
    this.properties = null;      // the window 曲線の性質
    this.lastPaint = performance.now();
    this.clipboardImage = null;  // {width, height, pixels: Uint32Array of system colours}
    this.channel = new MessageChannel();
    this.ticks = [];
    this.channel.port1.onmessage = () => this.ticks.shift()?.();
  }

  get module() { return this.binder.module; }

  RegisterView(formName, view) { this.views.set(formName, view); }

  ShowMessage(text) {
    this.binder.PaintNow();
    return ShowMessage(text);
  }
  AskYesNoCancel(caption, text) {
    this.binder.PaintNow();
    return AskYesNoCancel(caption, text);
  }

  OpenDialog(formName) {
    const view = this.views.get(formName);
    if (!view) throw new Error('no page view for the form ' + formName + ': register one with RegisterView');
    view.Open();
  }
  CloseDialog(formName) { this.views.get(formName)?.Close(); }

  SaveFileDialog(folder, fileName, filter) { return SaveFileDialog(this.module.FS, folder, fileName, filter); }
  DownloadDialog(fileName, filter) { return DownloadDialog(fileName, filter); }
  ChooseColor(initial) { return ChooseColor(initial); }

  // The browser's print dialog chooses the printer, the copies and "save as PDF" itself.
  async PrintDialog() { return 1; }

  // The page image (drawn at the print scale) goes into the print-only element; the browser
  // prints it on one A4 sheet.
  async PrintPage(pointer, width, height) {
    const canvas = document.createElement('canvas');
    PaintBitmap(canvas, this.module.HEAPU8, pointer, width, height);
    const png = await new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
    const image = new Image();
    const previous = document.querySelector('#print-page img');
    if (previous) URL.revokeObjectURL(previous.src);
    image.src = URL.createObjectURL(png);
    await image.decode();
    const page = document.getElementById('print-page');
    page.replaceChildren(image);
    window.print();
    return true;
  }

  // Lets the browser handle input, and paint now and then.
  Yield() {
    const now = performance.now();
    if (now - this.lastPaint >= PaintInterval) {
      this.lastPaint = now;
      this.binder.PaintNow();
      return new Promise((resolve) => {
        const timer = setTimeout(resolve, 100);  // a hidden page gets no animation frames
        requestAnimationFrame(() => {
          clearTimeout(timer);
          resolve();
        });
      });
    }
    return new Promise((resolve) => {
      this.ticks.push(resolve);
      this.channel.port2.postMessage(0);
    });
  }

  SetBusyCursor(busy) { this.app.classList.toggle('busy', busy); }
  PictureChanged() { this.binder.PictureChanged(); }

  // The program keeps its own copy, and offers the picture to the system's clipboard as PNG
  // where the browser allows it.
  ClipboardSetImage(pointer, width, height) {
    this.clipboardImage = { width, height, pixels: new Uint32Array(this.module.HEAPU8.buffer, pointer, width * height).slice() };
    if (!navigator.clipboard || !globalThis.ClipboardItem) return;
    const canvas = document.createElement('canvas');
    PaintBitmap(canvas, this.module.HEAPU8, pointer, width, height);
    const png = new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
    navigator.clipboard.write([new ClipboardItem({ 'image/png': png })]).catch(() => {});
  }

  // A picture pasted into the page (Ctrl+V) becomes the clipboard image.
  async TakePastedImage(blob) { this.clipboardImage = await ImageFromBlob(blob); }

  // Width × 65536 + height of the clipboard's image, read from the system's clipboard where the
  // browser allows it, else the program's own copy; 0 when there is none, after a message that
  // says how to paste instead. Only a paste asks for it: reading the clipboard may make the
  // browser ask the user for permission, which must never stand in the way of anything else.
  async ClipboardImageSize() {
    let refused = !(navigator.clipboard && navigator.clipboard.read);
    if (!refused) {
      try {
        for (const item of await navigator.clipboard.read()) {
          const type = item.types.find((t) => t.startsWith('image/'));
          if (type) {
            this.clipboardImage = await ImageFromBlob(await item.getType(type));
            break;
          }
        }
      } catch {
        refused = true;  // not allowed here: the program's own copy stands
      }
    }
    const image = this.clipboardImage;
    if (image && image.width < 32768 && image.height < 65536) return image.width * 65536 + image.height;
    await this.ShowMessage(refused
      ? 'このブラウザーではクリップボードの画像を読み取れませんでした。\nCtrl+V（Mac では ⌘+V）で貼り付けるか、画像ファイルをこのページにドロップしてください。'
      : 'クリップボードに画像がありません');
    return 0;
  }
  ClipboardCopyImage(pointer) {
    const image = this.clipboardImage;
    new Uint32Array(this.module.HEAPU8.buffer, pointer, image.width * image.height).set(image.pixels);
  }

  async ShowHelp(file, context) {
    if (this.help.Open(file, context)) return;
    await this.ShowMessage('ヘルプファイル ' + file + ' がありません');
  }

  // 終了: a page cannot close itself, so it says that the program has ended.
  End() {
    this.app.classList.add('ended');
    const note = document.createElement('div');
    note.className = 'ended-note';
    note.textContent = 'Quorbel を終了しました。もう一度使うときは、ページを読み込み直してください。';
    document.body.append(note);
  }

  ShowLargePicture() { this.large.Open(); }
  ShowProperties() { this.properties.Open(); }

  ScreenWidth() { return window.innerWidth; }
  ScreenHeight() { return window.innerHeight; }
}

// The pixels of an image file as system colours (red in the low byte).
async function ImageFromBlob(blob) {
  const bitmap = await createImageBitmap(blob);
  const canvas = document.createElement('canvas');
  canvas.width = bitmap.width;
  canvas.height = bitmap.height;
  const context = canvas.getContext('2d');
  context.drawImage(bitmap, 0, 0);
  const data = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
  const pixels = new Uint32Array(data.buffer.slice(0));
  for (let i = 0; i < pixels.length; ++i) pixels[i] &= 0x00FFFFFF;
  return { width: bitmap.width, height: bitmap.height, pixels };
}
