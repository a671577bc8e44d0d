// The program's own pictures as SVG: the tool-bar glyphs (the desktop's, drawn the same way),
// the program icon, and the cursors of the curve list and the picture.

const Folder = (fill, front) => `<rect x="2.5" y="6.5" width="15" height="11" fill="${fill}" stroke="#5a4614"/>
<rect x="5.5" y="3.5" width="10" height="9" fill="#fff" stroke="#5a4614"/>
<polygon points="2,17 5,9 20,9 17,17" fill="${front}" stroke="#5a4614"/>`;

const Glyphs = {
  spdOpenFile: Folder('#d0ae45', '#f0c850') + '<ellipse cx="10" cy="6" rx="3" ry="2" fill="none" stroke="#c81e1e" stroke-width="1.2"/>',
  spdKihonOpen: Folder('#71aed0', '#82c8f0') + [0, 60, 120].map((turn) =>
    `<ellipse cx="0" cy="0" rx="3.5" ry="1.2" fill="none" stroke="#c8288c" transform="translate(10 6) rotate(${turn})"/>`).join(''),
  spdUserOpen: Folder('#82bf71', '#96dc82') +
    '<circle cx="10" cy="5.5" r="2" fill="#285ac8"/><path d="M6 10.5 A4 3.5 0 0 1 14 10.5 Z" fill="#285ac8"/>',
  spdOverWrite: '<rect x="2.5" y="2.5" width="15" height="15" fill="#3c50aa" stroke="#14143c"/>' +
    '<rect x="5.5" y="2.5" width="9" height="5" fill="#fff" stroke="#14143c"/>' +
    '<rect x="5.5" y="12.5" width="9" height="5" fill="#c8c8d2" stroke="#14143c"/><rect x="12" y="3" width="2" height="4" fill="#3c50aa"/>',
  spdPrint: '<rect x="5.5" y="1.5" width="9" height="6" fill="#fff" stroke="#282828"/>' +
    '<rect x="1.5" y="7.5" width="17" height="6" fill="#aaa" stroke="#282828"/>' +
    '<rect x="5.5" y="12.5" width="9" height="5" fill="#fff" stroke="#282828"/>' +
    '<path d="M7 14.5h6M7 16.5h6" stroke="#282828"/><rect x="15" y="9" width="2" height="2" fill="#28b428"/>',
  spdLineColor: '<path d="M2 15 C6 2 12 20 18 5" fill="none" stroke="#dc1e1e" stroke-width="2.5"/>' +
    '<path d="M3 18.5 H17" stroke="#1e78dc" stroke-width="2"/>',
  spdBackColor: ['#faf078', '#82c8fa', '#faa0a0', '#a0e6a0'].map((fill, i) =>
    `<rect x="${2.5 + (i % 2) * 8}" y="${2.5 + Math.floor(i / 2) * 8}" width="8" height="8" fill="${fill}" stroke="#282828"/>`).join('') +
    '<path d="M4 17 H16" stroke="#000" stroke-width="1.5"/>',
};

export function ToolGlyph(name) {
  return `<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 20 20">${Glyphs[name] || ''}</svg>`;
}

export const ProgramIcon = `<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
<rect x="2" y="2" width="60" height="60" rx="10" ry="10" fill="#fafaff" stroke="#1e3c8c" stroke-width="2"/>
<g fill="none" stroke="#d21e5a" stroke-width="2.5" transform="translate(32 32)">${[0, 36, 72, 108, 144].map((turn) =>
  `<ellipse rx="24" ry="7" transform="rotate(${turn})"/>`).join('')}</g></svg>`;

const Cursor = (svg, x, y, fallback) =>
  `url("data:image/svg+xml,${encodeURIComponent(`<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32">${svg}</svg>`)}") ${x} ${y}, ${fallback}`;

export const FingerCursor = Cursor('<path d="M6 1H9V9L16 10L18 12V20L15 24H7L2 16L3 14L6 15Z" fill="#fff" stroke="#000" stroke-width="1.2"/>' +
  '<path d="M12 10V15M15 11V16" stroke="#000" stroke-width="1.2"/>', 7, 1, 'pointer');
export const PencilCursor = Cursor('<g transform="translate(1 1) rotate(-45)"><rect x="-2.5" y="6" width="5" height="16" fill="#fad250" stroke="#000"/>' +
  '<rect x="-2.5" y="22" width="5" height="3" fill="#f09696" stroke="#000"/><polygon points="0,0 -2.5,6 2.5,6" fill="#f0dcb4" stroke="#000"/>' +
  '<polygon points="0,0 -0.8,2 0.8,2" fill="#000"/></g>', 1, 1, 'crosshair');
