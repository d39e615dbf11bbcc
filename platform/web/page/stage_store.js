// The player's folders kept in the browser's IndexedDB, one entry a file: its path
// ("/stage/01.dat", "/ghosts/9e3779b97f4a7c15.twr") as the key, and its time, mode and bytes.
// That is the layout the page has always stored courses in, so what a player stored before is
// read as it was; the kept ghosts sit beside the courses in the same store, under their folder.
// Each store is one transaction: it is kept whole or not at all, and a refusal (a full disk, a
// browser that keeps nothing) is reported, never taken for success.
"use strict";

/* exported TideWakeStageStore */

const TideWakeStageStore = (() => {
  const kDatabase = "/stage", kVersion = 21, kEntries = "FILE_DATA", kCourses = "/stage/";
  const kFileMode = 0o170000, kRegularFile = 0o100000;
  let opened = null;

  // The request's outcome as a promise; a request that throws at once rejects the same way.
  function settle(request) {
    return new Promise((resolve, reject) => {
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  }

  function open() {
    if (opened) return opened;
    opened = new Promise((resolve, reject) => {
      const request = indexedDB.open(kDatabase, kVersion);
      request.onupgradeneeded = () => {
        const db = request.result;
        const entries = db.objectStoreNames.contains(kEntries)
          ? request.transaction.objectStore(kEntries)
          : db.createObjectStore(kEntries);
        if (!entries.indexNames.contains("timestamp")) {
          entries.createIndex("timestamp", "timestamp", { unique: false });
        }
      };
      request.onblocked = () => reject(new Error("the store is held by another page of the game"));
      settle(request).then(resolve, reject);
    });
    // A failed opening is tried again next time rather than remembered.
    opened.catch(() => (opened = null));
    return opened;
  }

  // The stored files of `folder` ("/stage/" unless named, ending with "/"): [[name, bytes], ...];
  // entries that are not files of the folder itself are left where they are.
  async function load(folder = kCourses) {
    const db = await open();
    const entries = db.transaction(kEntries, "readonly").objectStore(kEntries);
    const [keys, values] =
      await Promise.all([settle(entries.getAllKeys()), settle(entries.getAll())]);
    const files = [];
    keys.forEach((key, i) => {
      const value = values[i];
      const name = String(key).startsWith(folder) ? String(key).slice(folder.length) : "";
      const isFile = value && (value.mode & kFileMode) === kRegularFile && value.contents;
      if (name && !name.includes("/") && isFile) files.push([name, new Uint8Array(value.contents)]);
    });
    return files;
  }

  // Stores [[name, bytes, mode], ...] of `folder` (as load names it) in one transaction. Resolves
  // once the browser has kept all of them; rejects with its reason otherwise, having kept none.
  async function store(files, folder = kCourses) {
    const db = await open();
    const transaction = db.transaction(kEntries, "readwrite");
    const finished = new Promise((resolve, reject) => {
      transaction.oncomplete = () => resolve();
      transaction.onabort = () =>
        reject(transaction.error || new Error("the browser gave up storing"));
    });
    try {
      const entries = transaction.objectStore(kEntries);
      const timestamp = new Date();
      for (const [name, contents, mode] of files) {
        entries.put({ timestamp, mode, contents }, folder + name);
      }
    } catch (error) {
      // A transaction the browser gave up on refuses every later put: its own reason says why.
      if (error.name === "TransactionInactiveError") return finished;
      // What was put before the refusal goes too, unless the browser has dropped it already.
      finished.catch(() => {});
      try {
        transaction.abort();
      } catch (ignored) {
        // It ended on its own already: nothing is left to take back.
      }
      throw error;
    }
    return finished;
  }

  return { load, store };
})();
