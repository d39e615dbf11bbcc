// The player's folders in the page's file system that outlast the visit: the courses with their
// records (/stage), the ghosts of the player's best races (/ghosts) and the settings with the
// keys (/settings). All are kept in the browser (stage_store.js), read back at the page's start
// and stored again, only what changed, whenever the game changes them. A refusal to store is told to the player, never taken for
// success, and what the browser held before stays as it was.
"use strict";

/* exported TideWakeKeptFolders */
/* global TideWakeStageStore */

const TideWakeKeptFolders = (() => {
  // Per folder: which of its files are the player's, and the words for a refused store.
  const kFolders = {
    "/stage": {
      takes: () => true,
      caption: "Tide Wake: the courses and records were not stored",
      refused: "The browser refused to store the courses and records",
      lost: "what changed since lasts until the page is closed.",
    },
    // Only the ghosts themselves: a half-written file the game renames over one never counts.
    "/ghosts": {
      takes: (name) => /\.twr$/.test(name),
      caption: "Tide Wake: the ghost of the best race was not stored",
      refused: "The browser refused to store the ghost of your best race",
      lost: "the new ghost races only until the page is closed.",
    },
    // Only the two files the game keeps there, never its half-written ones.
    "/settings": {
      takes: (name) => name === "settings.ini" || name === "keys.ini",
      caption: "Tide Wake: the settings were not stored",
      refused: "The browser refused to store the settings",
      lost: "the new settings count only until the page is closed.",
    },
  };

  let FS = null;
  let showMessage = () => {};
  // Per folder, what the browser holds of it, file by file, so that only what changed is stored
  // again. Null while nothing may be stored: the page was given its courses (stagedir), or what
  // the browser holds could not be read, and empty folders stored over it would lose it.
  let storedFiles = null;
  let persistent = false;
  let storing = Promise.resolve(null);
  let readRefusal = "";

  function reasonOf(error) {
    return error && error.name && error.message ? error.name + ": " + error.message : String(error);
  }

  function sameBytes(a, b) {
    return a !== undefined && a.length === b.length && a.every((byte, i) => byte === b[i]);
  }

  function changedFiles(folder) {
    const changed = [];
    for (const name of FS.readdir(folder)) {
      if (!kFolders[folder].takes(name)) continue;
      const path = folder + "/" + name;
      const mode = FS.stat(path).mode;
      if (!FS.isFile(mode)) continue;
      const bytes = FS.readFile(path);
      if (!sameBytes(storedFiles[folder].get(name), bytes)) changed.push([name, bytes, mode]);
    }
    return changed;
  }

  // Stores what changed in `folder` ("/stage", "/ghosts" or "/settings") since its last store. Resolves to null
  // once the browser keeps it (or the page keeps nothing by design), else to why it was not kept.
  // Stores follow one another, whichever folder they are of.
  function store(folder) {
    storing = storing.then(async () => {
      if (!persistent) return null;
      if (!storedFiles) return readRefusal;
      let changed = [];
      try {
        changed = changedFiles(folder);
        if (changed.length > 0) await TideWakeStageStore.store(changed, folder + "/");
      } catch (error) {
        return kFolders[folder].refused + " (" + reasonOf(error) + "). What it held before is " +
          "kept as it was; " + kFolders[folder].lost;
      }
      for (const [name, bytes] of changed) storedFiles[folder].set(name, bytes);
      return null;
    });
    return storing;
  }

  function storeSaying(folder) {
    store(folder).then((refusal) => {
      if (refusal) showMessage(kFolders[folder].caption, refusal);
    });
  }

  // The records, ghosts and settings the game replaces reach their folders by a rename over the
  // old file: they are stored then. A settings file the game writes for the first time is made
  // under its own name, since the page's file system has no links to make it by: it is stored
  // once the game closes it.
  function watchWrites() {
    const rename = FS.rename;
    FS.rename = function (from, to) {
      const result = rename.apply(this, arguments);
      for (const folder of Object.keys(kFolders)) {
        if (String(to).startsWith(folder + "/")) storeSaying(folder);
      }
      return result;
    };
    const close = FS.close;
    FS.close = function (stream) {
      const written = stream && (stream.flags & 3) !== 0 && String(stream.path).startsWith("/settings/");
      const result = close.apply(this, arguments);
      if (written) storeSaying("/settings");
      return result;
    };
  }

  // What the browser holds: { courses, ghosts, settings }, each [[name, bytes], ...], or { error }.
  function load() {
    const folders = ["/stage/", "/ghosts/", "/settings/"];
    return Promise.all(folders.map((folder) => TideWakeStageStore.load(folder)))
      .then(([courses, ghosts, settings]) => ({ courses, ghosts, settings }), (error) => ({ error }));
  }

  // Makes the folders in `fileSystem`: the courses the browser holds, else `courses` (the
  // shipped ones or the URL's), and the ghosts and settings it holds. `stored` is what load() gave, null when
  // the page keeps nothing; `say(caption, text)` tells the player.
  function setUp(fileSystem, courses, stored, say) {
    FS = fileSystem;
    showMessage = say;
    persistent = stored !== null;
    FS.mkdir("/stage");
    FS.mkdir("/ghosts");
    FS.mkdir("/settings");
    watchWrites();
    const own = stored && stored.courses && stored.courses.length > 0;
    for (const [name, bytes] of own ? stored.courses : courses) FS.writeFile("/stage/" + name, bytes);
    if (stored && stored.error) {
      readRefusal = "The stored courses could not be read (" + reasonOf(stored.error) + "). " +
        "They are left as they are; this visit plays the shipped courses and keeps nothing. " +
        "Load the page again to try again.";
      showMessage("Tide Wake: the stored courses could not be read", readRefusal);
    } else if (stored) {
      for (const [name, bytes] of stored.ghosts) FS.writeFile("/ghosts/" + name, bytes);
      const settings = stored.settings.filter(([name]) => kFolders["/settings"].takes(name));
      for (const [name, bytes] of settings) FS.writeFile("/settings/" + name, bytes);
      storedFiles = {
        "/stage": new Map(stored.courses), "/ghosts": new Map(stored.ghosts),
        "/settings": new Map(settings),
      };
      // The player's first visit: the shipped courses become the player's own.
      if (!own) storeSaying("/stage");
    }
  }

  return { load, setUp, store, storeSaying, reasonOf };
})();
