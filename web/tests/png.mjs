// Reads an 8-bit RGB or RGBA PNG (non-interlaced, as the program and browsers write them) into
// {width, height, rgba}, and counts the pixels two pictures share. For checks under Node only.
import { readFileSync } from 'node:fs';
import { inflateSync } from 'node:zlib';

export function ReadPng(source) {
  const data = typeof source === 'string' ? readFileSync(source) : source;
  let offset = 8, width = 0, height = 0, colourType = 0;
  const chunks = [];
  while (offset < data.length) {
    const length = data.readUInt32BE(offset);
    const type = data.toString('latin1', offset + 4, offset + 8);
    const body = data.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0); height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0) throw new Error('only 8-bit non-interlaced PNG');
      colourType = body[9];
    } else if (type === 'IDAT') chunks.push(body);
    offset += 12 + length;
  }
  const channels = { 2: 3, 6: 4 }[colourType];
  if (!channels) throw new Error('only RGB or RGBA PNG');
  const raw = inflateSync(Buffer.concat(chunks));
  const stride = width * channels;
  const rows = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const left = x >= channels ? rows[y * stride + x - channels] : 0;
      const up = y > 0 ? rows[(y - 1) * stride + x] : 0;
      const corner = x >= channels && y > 0 ? rows[(y - 1) * stride + x - channels] : 0;
      let value = line[x];
      if (filter === 1) value += left;
      else if (filter === 2) value += up;
      else if (filter === 3) value += (left + up) >> 1;
      else if (filter === 4) {
        const p = left + up - corner, pa = Math.abs(p - left), pb = Math.abs(p - up), pc = Math.abs(p - corner);
        value += pa <= pb && pa <= pc ? left : pb <= pc ? up : corner;
      }
      rows[y * stride + x] = value & 0xFF;
    }
  }
  const rgba = new Uint8Array(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    for (let c = 0; c < 3; ++c) rgba[i * 4 + c] = rows[i * channels + c];
    rgba[i * 4 + 3] = 255;
  }
  return { width, height, rgba };
}

// The share of pixels (0 to 1) whose red, green and blue agree; 0 when the sizes differ.
export function EqualShare(a, b) {
  if (a.width !== b.width || a.height !== b.height) return 0;
  let same = 0;
  for (let i = 0; i < a.width * a.height; ++i) {
    const k = i * 4;
    if (a.rgba[k] === b.rgba[k] && a.rgba[k + 1] === b.rgba[k + 1] && a.rgba[k + 2] === b.rgba[k + 2]) ++same;
  }
  return same / (a.width * a.height);
}
