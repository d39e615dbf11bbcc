// What a player dropped on the page, read with care: a folder or a file that cannot be read is
// refused with a word to the player, and no file is read beyond what the game would take of it,
// so a huge file neither stalls the page nor fills its memory.
"use strict";

/* exported TideWakeDroppedFiles */

const TideWakeDroppedFiles = (() => {
  // Names the game takes: "course" or "replay", else null.
  function kindOf(name) {
    if (/\.dat$/i.test(name)) return "course";
    if (/\.twr$/i.test(name)) return "replay";
    return null;
  }

  // The drop's files with whether each is a folder. The browser answers that only while the
  // drop event is being handled, so this runs before anything waits.
  function listDrop(transfer) {
    const items = Array.from(transfer.items || []).filter((item) => item.kind === "file");
    if (items.length === 0) return Array.from(transfer.files, (file) => ({ file, folder: false }));
    return items.map((item) => {
      const entry = item.webkitGetAsEntry ? item.webkitGetAsEntry() : null;
      const folder = Boolean(entry && entry.isDirectory);
      return { file: item.getAsFile(), folder, name: entry ? entry.name : "" };
    });
  }

  // Reads one dropped file: { name, kind, bytes } or { name, refusal }. `limitOf(kind)` is the
  // most bytes the game reads of that kind; one more is read, so that the game's own readers
  // tell the player the file is too large, in their words.
  async function readDropped({ file, folder, name }, limitOf) {
    name = (file && file.name) || name || "?";
    if (folder) return { name, refusal: name + " is a folder: drop the files in it instead." };
    const kind = kindOf(name);
    if (!kind || name.includes("/")) {
      const refusal = name + ": only courses (.dat) and replays (.twr) can be dropped here.";
      return { name, refusal };
    }
    try {
      const bytes = new Uint8Array(await file.slice(0, limitOf(kind) + 1).arrayBuffer());
      return { name, kind, bytes };
    } catch (error) {
      // A folder the browser did not tell apart comes as a file that cannot be read.
      const refusal = name + " cannot be read (a folder cannot be dropped, only its files).";
      return { name, refusal };
    }
  }

  // Shows `dropzone` while files are dragged over the page and hands each drop's list to
  // `take`, as listDrop gives it.
  function listenForDrops(dropzone, take) {
    addEventListener("dragover", (event) => {
      event.preventDefault();
      dropzone.hidden = false;
    });
    addEventListener("dragleave", () => (dropzone.hidden = true));
    addEventListener("drop", (event) => {
      event.preventDefault();
      dropzone.hidden = true;
      take(listDrop(event.dataTransfer));
    });
  }

  return { listDrop, readDropped, listenForDrops };
})();
