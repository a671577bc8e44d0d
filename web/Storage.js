// The user's folder UsCurves kept in the browser's IndexedDB, so that saved curves survive a
// reload. The page's files live in memory; at start the stored folder is copied in, and after a
// save what this tab changed in the folder is written back in ONE transaction: IndexedDB commits
// a transaction all or nothing, so a save cut off at any moment (a failed write, a closed tab)
// leaves the stored folder exactly as it was before it, and a written file is never half a record.
//
// Several tabs of the page share the store. Each writes only the curves it saved or replaced and
// deletes only those it had and no longer has, so that a curve another tab saved meanwhile stays;
// and each takes the others' changes into its folder when told of them (or when shown again), so
// that its next listing shows them and a curve removed elsewhere does not come back from it.

const DatabaseName = 'quorbel';
const StoreName = 'UsCurves';
const ChannelName = 'quorbel-user-curves';

function Same(a, b) {
  if (a.length !== b.length) return false;
  for (let i = 0; i < a.length; ++i) if (a[i] !== b[i]) return false;
  return true;
}

export class UserStorage {
  constructor(database) {
    this.database = database;
    this.known = new Map();  // name → bytes, as this tab last read or wrote them in the store
    this.channel = globalThis.BroadcastChannel && database ? new BroadcastChannel(ChannelName) : null;
  }

  // The storage, or one that keeps nothing when the browser gives the page no IndexedDB.
  static async Open() {
    if (!globalThis.indexedDB) return new UserStorage(null);
    return new Promise((resolve) => {
      let request;
      try {
        request = indexedDB.open(DatabaseName, 1);
      } catch {
        resolve(new UserStorage(null));  // storage refused outright
        return;
      }
      request.onupgradeneeded = () => request.result.createObjectStore(StoreName);
      request.onsuccess = () => resolve(new UserStorage(request.result));
      request.onerror = () => resolve(new UserStorage(null));
      request.onblocked = () => resolve(new UserStorage(null));
    });
  }

  get Persistent() { return this.database !== null; }

  // Every stored file as [name, bytes].
  async Load() {
    if (!this.database) return [];
    return new Promise((resolve) => {
      const files = [];
      const transaction = this.database.transaction(StoreName, 'readonly');
      const request = transaction.objectStore(StoreName).openCursor();
      request.onsuccess = () => {
        const cursor = request.result;
        if (!cursor) return;
        files.push([String(cursor.key), new Uint8Array(cursor.value)]);
        cursor.continue();
      };
      transaction.oncomplete = () => resolve(files);
      transaction.onerror = () => resolve([]);
    });
  }

  // The files the tab starts with, as read from the store.
  Remember(files) { this.known = new Map(files.map(([name, bytes]) => [name, bytes])); }

  // Writes what changed between the store as this tab knew it and `files` ([name, bytes], the
  // tab's folder now), in one transaction; true once committed. The other tabs are told.
  async Store(files) {
    // Without storage the user was told at the start that curves last only while the page is open.
    if (!this.database) return true;
    // The first save asks the browser to keep the page's storage rather than evict it.
    if (!this.askedToPersist) {
      this.askedToPersist = true;
      navigator.storage?.persist?.().catch(() => {});
    }
    const now = new Map(files);
    const changed = files.filter(([name, bytes]) => !this.known.has(name) || !Same(this.known.get(name), bytes));
    const removed = [...this.known.keys()].filter((name) => !now.has(name));
    if (changed.length === 0 && removed.length === 0) return true;
    const committed = await new Promise((resolve) => {
      let transaction;
      try {
        transaction = this.database.transaction(StoreName, 'readwrite');
        transaction.oncomplete = () => resolve(true);
        transaction.onabort = () => resolve(false);
        const store = transaction.objectStore(StoreName);
        for (const name of removed) store.delete(name);
        for (const [name, bytes] of changed) store.put(bytes.slice().buffer, name);
      } catch {
        // A put that throws leaves the transaction open: abort it, so that nothing of it lands.
        if (transaction) {
          try { transaction.abort(); } catch { /* already finished */ }
        }
        resolve(false);
      }
    });
    if (committed) {
      for (const name of removed) this.known.delete(name);
      for (const [name, bytes] of changed) this.known.set(name, bytes.slice());
      this.channel?.postMessage('changed');
    }
    return committed;
  }

  // Puts `folder` of `fs` back as the store holds it for this tab, after a store that failed: a
  // curve that could not be kept is not listed as though it were.
  Revert(fs, folder) {
    const now = new Map(FolderFiles(fs, folder));
    for (const [name, bytes] of now) {
      const known = this.known.get(name);
      if (!known) fs.unlink(folder + '/' + name);
      else if (!Same(known, bytes)) fs.writeFile(folder + '/' + name, known);
    }
    for (const [name, bytes] of this.known) if (!now.has(name)) fs.writeFile(folder + '/' + name, bytes);
  }

  // Takes the changes other tabs made to the store into `folder` of the page's file system `fs`:
  // their new and replaced curves are written in, the curves they removed are removed, unless
  // this tab has changed that curve itself since it last stored.
  async TakeOthersChanges(fs, folder) {
    if (!this.database) return;
    const stored = new Map(await this.Load());
    const local = (name) => {
      try { return fs.readFile(folder + '/' + name); } catch { return null; }
    };
    for (const [name, bytes] of stored) {
      const known = this.known.get(name);
      if (known && Same(known, bytes)) continue;
      const mine = local(name);
      if (mine && known && !Same(mine, known)) continue;  // changed here too: this tab's stays
      fs.writeFile(folder + '/' + name, bytes);
      this.known.set(name, bytes);
    }
    for (const [name, known] of [...this.known]) {
      if (stored.has(name)) continue;
      const mine = local(name);
      if (mine && Same(mine, known)) fs.unlink(folder + '/' + name);
      this.known.delete(name);
    }
  }

  // Calls `then` whenever another tab has changed the store.
  OnOthersChange(then) {
    if (this.channel) this.channel.onmessage = then;
  }
}

// The files of `folder` in the page's file system that a folder listing would show: plain files
// whose names do not start with "." (the save's temporary files do).
export function FolderFiles(fs, folder) {
  const files = [];
  for (const name of fs.readdir(folder)) {
    if (name.startsWith('.')) continue;
    const path = folder + '/' + name;
    if (fs.isFile(fs.stat(path).mode)) files.push([name, fs.readFile(path)]);
  }
  return files;
}
