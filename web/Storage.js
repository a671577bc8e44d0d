// The user's folder UsCurves kept in the browser's IndexedDB, so that saved curves survive a
// reload. The page's files live in memory; at start the stored folder is copied in, and after a
// save the folder is written back whole in ONE transaction: IndexedDB commits a transaction all
// or nothing, so a save cut off at any moment (a failed write, a closed tab) leaves the stored
// folder exactly as it was before it, and a written file is never half a record.

const DatabaseName = 'quorbel';
const StoreName = 'UsCurves';

export class UserStorage {
  constructor(database) { this.database = database; }

  // The storage, or one that keeps nothing when the browser gives the page no IndexedDB.
  static async Open() {
    if (!globalThis.indexedDB) return new UserStorage(null);
    return new Promise((resolve) => {
      const request = indexedDB.open(DatabaseName, 1);
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

  // Replaces the stored folder by `files` ([name, bytes]) in one transaction; true once committed.
  async Store(files) {
    if (!this.database) return false;
    return new Promise((resolve) => {
      let transaction;
      try {
        transaction = this.database.transaction(StoreName, 'readwrite');
        transaction.oncomplete = () => resolve(true);
        transaction.onabort = () => resolve(false);
        const store = transaction.objectStore(StoreName);
        store.clear();
        for (const [name, bytes] of files) store.put(bytes.slice().buffer, name);
      } catch {
        // A put that throws leaves the transaction open: abort it, so that nothing of it lands.
        if (transaction) {
          try { transaction.abort(); } catch { /* already finished */ }
        }
        resolve(false);
      }
    });
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
