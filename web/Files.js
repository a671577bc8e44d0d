// Files in and out of the page: curve files chosen with the file picker or dropped on the window
// go to the import folder and the program imports them (with the checks and messages of reading
// a folder); a user curve is downloaded as it is stored, the whole user folder as a zip; a file
// the program writes into the download folder (a picture file) is downloaded once it is complete.

import { ShowMessage } from 'quorbel/MessageBox.js';

export const ImportFolder = '/quorbel/取り込み';
export const UserFolder = '/quorbel/UsCurves';
export const DownloadFolder = '/quorbel/ダウンロード';

const DownloadTypes = { png: 'image/png', svg: 'image/svg+xml', pdf: 'application/pdf', gif: 'image/gif' };

// Puts the files (File objects) into the import folder and asks the program to import them.
export async function ImportFiles(fs, binder, files) {
  const list = [...files];
  if (list.length === 0) return;
  const contents = await Promise.all(list.map((file) => file.arrayBuffer().catch(() => null)));
  try { fs.mkdir(ImportFolder); } catch { /* there already */ }
  const refused = [];
  list.forEach((file, i) => {
    // A name only: whatever folders the browser gives, the file lands in the import folder.
    const name = file.name.split(/[\\/]/).pop();
    if (name === '' || name === '.' || name === '..' || contents[i] === null) {
      refused.push(file.name);
      return;
    }
    fs.writeFile(ImportFolder + '/' + name, new Uint8Array(contents[i]));
  });
  if (refused.length > 0) {
    await ShowMessage(refused.map((name) => '「' + name + '」は曲線のファイルとして取り込めません').join('\n'));
  }
  binder.Post('', '', 'import');
}

export function ChooseFilesToImport(fs, binder) {
  const input = document.createElement('input');
  input.type = 'file';
  input.multiple = true;
  input.accept = '.crv,.CRV';
  input.addEventListener('change', () => ImportFiles(fs, binder, input.files));
  input.click();
}

// Lets files be dropped anywhere on `target` for import.
export function AcceptDroppedFiles(target, fs, binder) {
  target.addEventListener('dragover', (event) => {
    if (![...event.dataTransfer.types].includes('Files')) return;
    event.preventDefault();
    event.dataTransfer.dropEffect = 'copy';
    target.classList.add('drop-target');
  });
  target.addEventListener('dragleave', () => target.classList.remove('drop-target'));
  target.addEventListener('drop', (event) => {
    event.preventDefault();
    target.classList.remove('drop-target');
    ImportFiles(fs, binder, event.dataTransfer.files);
  });
}

// Downloads every file of `folder` and takes it out of the folder. The program calls this when it
// has made its folder's entries durable, so the files are whole: the temporary file of a save in
// progress, hidden, is left alone.
export function DownloadFolderFiles(fs, folder) {
  for (const name of fs.readdir(folder)) {
    const path = folder + '/' + name;
    if (name.startsWith('.') || !fs.isFile(fs.stat(path).mode)) continue;
    const extension = name.slice(name.lastIndexOf('.') + 1).toLowerCase();
    Download(name, fs.readFile(path), DownloadTypes[extension] || 'application/octet-stream');
    fs.unlink(path);
  }
}

export function Download(name, bytes, type) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// ---- A zip file of stored entries (no compression: curve files are a few hundred bytes).

const CrcTable = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; ++n) {
    let c = n;
    for (let k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

export function Crc32(bytes) {
  let crc = 0xFFFFFFFF;
  for (const byte of bytes) crc = CrcTable[(crc ^ byte) & 0xFF] ^ (crc >>> 8);
  return (crc ^ 0xFFFFFFFF) >>> 0;
}

// `files` as [name, bytes]; names are stored as UTF-8 (flag bit 11).
export function MakeZip(files) {
  const encoder = new TextEncoder();
  const parts = [], central = [];
  let offset = 0;
  for (const [name, bytes] of files) {
    const nameBytes = encoder.encode(name);
    const crc = Crc32(bytes);
    const local = new DataView(new ArrayBuffer(30));
    local.setUint32(0, 0x04034B50, true);
    local.setUint16(4, 20, true);
    local.setUint16(6, 0x0800, true);
    local.setUint32(14, crc, true);
    local.setUint32(18, bytes.length, true);
    local.setUint32(22, bytes.length, true);
    local.setUint16(26, nameBytes.length, true);
    const entry = new DataView(new ArrayBuffer(46));
    entry.setUint32(0, 0x02014B50, true);
    entry.setUint16(4, 20, true);
    entry.setUint16(6, 20, true);
    entry.setUint16(8, 0x0800, true);
    entry.setUint32(16, crc, true);
    entry.setUint32(20, bytes.length, true);
    entry.setUint32(24, bytes.length, true);
    entry.setUint16(28, nameBytes.length, true);
    entry.setUint32(42, offset, true);
    parts.push(new Uint8Array(local.buffer), nameBytes, bytes);
    central.push(new Uint8Array(entry.buffer), nameBytes);
    offset += 30 + nameBytes.length + bytes.length;
  }
  const centralSize = central.reduce((sum, part) => sum + part.length, 0);
  const end = new DataView(new ArrayBuffer(22));
  end.setUint32(0, 0x06054B50, true);
  end.setUint16(8, files.length, true);
  end.setUint16(10, files.length, true);
  end.setUint32(12, centralSize, true);
  end.setUint32(16, offset, true);
  return new Blob([...parts, ...central, new Uint8Array(end.buffer)], { type: 'application/zip' });
}
