// The help window: the program's help file (HTML with one anchor per context number) in a frame
// beside the main window, opened at the asked context. It does not block the program.
import { DialogWindow } from 'quorbel/Dialog.js';

export class HelpWindow {
  constructor(readText) {
    this.readText = readText;  // the help file's text by name, or null when missing
    this.window = null;
    this.frame = null;
    this.loaded = null;
  }

  // Returns false when the file is missing.
  Open(file, context) {
    const text = this.readText(file);
    if (text === null) return false;
    if (!this.window) {
      this.window = new DialogWindow('Quorbel ヘルプ', 720, 640, () => this.Close());
      this.window.element.classList.add('help');
      this.window.backdrop = document.createElement('div');  // the help window is not modal
      this.frame = document.createElement('iframe');
      this.frame.title = 'Quorbel ヘルプ';
      // No script of a help file runs, whoever wrote it; the page itself still moves within it.
      this.frame.setAttribute('sandbox', 'allow-same-origin');
      this.window.body.append(this.frame);
    }
    if (this.loaded !== text) {
      this.loaded = text;
      this.frame.srcdoc = text;
      this.frame.onload = () => this.Scroll(context);
    } else {
      this.Scroll(context);
    }
    if (!this.window.element.isConnected) this.window.Show(window.innerWidth - 740, 40);
    return true;
  }

  Scroll(context) {
    const page = this.frame.contentDocument;
    if (!page) return;
    // Links inside the file move within the frame.
    for (const link of page.querySelectorAll('a[href^="#"]')) {
      link.onclick = (event) => {
        event.preventDefault();
        this.Scroll(link.getAttribute('href').slice(1));
      };
    }
    const target = page.getElementById(String(context)) || page.getElementsByName(String(context))[0];
    if (target) target.scrollIntoView();
  }

  Close() {
    if (this.window) this.window.Hide();
  }
}
