// Calls into the program's plain exports: text arguments go in as UTF-8, the JSON (or text) the
// program answers is copied out at once.

export class Program {
  constructor(module) { this.module = module; }

  Call(name, ...args) {
    const module = this.module;
    const allocated = [];
    const values = args.map((arg) => {
      if (typeof arg !== 'string') return arg;
      const pointer = module.allocateUTF8(arg);
      allocated.push(pointer);
      return pointer;
    });
    try {
      return module.UTF8ToString(module['_' + name](...values));
    } finally {
      for (const pointer of allocated) module._free(pointer);
    }
  }

  ControlState(form, control) { return JSON.parse(this.Call('ControlState', form, control)); }
  FormState(form) { return JSON.parse(this.Call('FormState', form)); }
  PicturePixels(form, picture) { return JSON.parse(this.Call('PicturePixels', form, picture)); }
  ShownPicture(form, picture, ratio) { return JSON.parse(this.Call('ShownPicture', form, picture, ratio)); }
  MainWindowLayout(width, height) { return JSON.parse(this.Call('MainWindowLayout', width, height)); }
  CurrentUserCurveFile() { return this.Call('CurrentUserCurveFile'); }
  LargePictureShowing() { return this.module._LargePictureShowing() !== 0; }
  get FS() { return this.module.FS; }
  get HEAPU8() { return this.module.HEAPU8; }
}
