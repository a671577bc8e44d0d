// The files the program needs besides its code: the shipped collections, the help file, the
// faces, and (in the single-file page) the WebAssembly module. The single file carries them inlined
// as base64 (QuorbelAssets); the page on a web server fetches them from beside itself, as
// manifest.json lists them.

function FromBase64(text) {
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

// Map of asset path ("data/Curves20.crx", "fonts/ipag.ttf", "quorbel.wasm" …) → bytes.
export async function LoadAssets() {
  const inlined = globalThis.QuorbelAssets;
  if (inlined) return new Map(Object.entries(inlined).map(([path, text]) => [path, FromBase64(text)]));
  const manifest = await (await fetch('manifest.json')).json();
  const entries = await Promise.all(manifest.files.map(async (path) => {
    const response = await fetch(path);
    if (!response.ok) throw new Error(path + ': ' + response.status);
    return [path, new Uint8Array(await response.arrayBuffer())];
  }));
  return new Map(entries);
}
