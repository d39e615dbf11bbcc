// Where courses come from and go to: the shipped courses beside the game, the game page's own
// course store in this browser, files picked, dropped or named in the URL, and downloads.
"use strict";

/* exported TideWakeCourseIO */
/* global TideWakeCourseList, TideWakeStageStore */

const TideWakeCourseIO = (() => {
  // A regular file readable and writable by all, as the game page's files are stored.
  const kFileMode = 0o100666;

  async function fetchBytes(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ": " + response.status + " " + response.statusText);
    return new Uint8Array(await response.arrayBuffer());
  }

  const shippedNames = () => TideWakeCourseList.load("stage", fetchBytes);

  const shipped = (name) => fetchBytes("stage/" + encodeURIComponent(name));

  // The courses stored in this browser: [[name, bytes], ...].
  const stored = () => TideWakeStageStore.load();

  function download(name, bytes) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  }

  const sameBytes = (a, b) => a.length === b.length && a.every((byte, i) => byte === b[i]);

  // Stores the course among the player's courses. A course of the same name with other bytes is
  // replaced only when `mayReplace(name)` says so. The first time anything is stored, the
  // shipped courses go in beside it, as the game page stores them on a player's first visit:
  // the game plays the stored courses alone once there are any. Resolves to true once kept,
  // false when the player kept the old one; rejects when the browser refuses.
  async function addToMyCourses(name, bytes, mayReplace) {
    const files = await stored();
    const old = files.find(([stored]) => stored === name);
    if (old && sameBytes(old[1], bytes)) return true;
    if (old && !mayReplace(name)) return false;
    const entries = [[name, bytes, kFileMode]];
    if (files.length === 0) {
      for (const shippedName of await shippedNames()) {
        if (shippedName !== name) entries.push([shippedName, await shipped(shippedName), kFileMode]);
      }
    }
    await TideWakeStageStore.store(entries);
    return true;
  }

  // The name a course is stored and played under: a bare *.dat name.
  function fileNameProblem(name) {
    if (!/\.dat$/i.test(name) || name.length <= 4) return "the file name must end in .dat";
    // Control characters are just what this looks for.
    // eslint-disable-next-line no-control-regex
    if (/[/\\\u0000-\u001f]/.test(name)) return "the file name cannot hold a folder or control characters";
    if (new TextEncoder().encode(name).length > 200) return "the file name is too long";
    return "";
  }

  return { fetchBytes, shippedNames, shipped, stored, download, addToMyCourses, fileNameProblem };
})();
