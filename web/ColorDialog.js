// The colour dialog of the page: the browser's own colour picker with a few basic colours, OK and
// キャンセル. Answers with the colour (red in the low byte) or -1 when cancelled.
import { DialogWindow } from 'quorbel/Dialog.js';

const Basic = ['#000000', '#ffffff', '#ff0000', '#00ff00', '#0000ff', '#ffff00', '#00ffff', '#ff00ff',
               '#800000', '#008000', '#000080', '#808000', '#008080', '#800080', '#808080', '#c0c0c0'];

export function ToCss(color) {
  const r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  return '#' + [r, g, b].map((v) => v.toString(16).padStart(2, '0')).join('');
}

export function FromCss(css) {
  const value = parseInt(css.slice(1), 16);
  return ((value >> 16) & 0xFF) | (value & 0xFF00) | ((value & 0xFF) << 16);
}

export function ChooseColor(initial) {
  return new Promise((resolve) => {
    let window = null;
    const answer = (value) => {
      window.Hide();
      resolve(value);
    };
    window = new DialogWindow('色の設定', 300, 0, () => answer(-1));
    window.element.style.height = 'auto';
    const body = document.createElement('div');
    body.style.padding = '12px';
    const swatches = document.createElement('div');
    swatches.style.display = 'grid';
    swatches.style.gridTemplateColumns = 'repeat(8, 28px)';
    swatches.style.gap = '4px';
    const picker = document.createElement('input');
    picker.type = 'color';
    picker.value = ToCss(initial);
    picker.style.width = '100%';
    picker.style.height = '40px';
    picker.style.marginTop = '10px';
    for (const css of Basic) {
      const swatch = document.createElement('button');
      swatch.style.background = css;
      swatch.style.height = '24px';
      swatch.setAttribute('aria-label', css);
      swatch.addEventListener('click', () => { picker.value = css; });
      swatches.append(swatch);
    }
    const row = document.createElement('div');
    row.className = 'buttons';
    const ok = document.createElement('button');
    ok.textContent = 'OK';
    ok.classList.add('default');
    const cancel = document.createElement('button');
    cancel.textContent = 'キャンセル';
    ok.addEventListener('click', () => answer(FromCss(picker.value)));
    cancel.addEventListener('click', () => answer(-1));
    row.append(ok, cancel);
    body.append(swatches, picker);
    window.body.append(body, row);
    window.Show();
  });
}
