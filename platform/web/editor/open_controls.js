// The ways a course is opened besides a new one: the list of stored and shipped courses, a file
// picked, or a file dropped anywhere on the page (read no further than the game would read it).
"use strict";

/* exported TideWakeOpenControls */
/* global TideWakeCourseIO, TideWakeDroppedFiles */

// `openFrom(name, load)` opens what `load()` gives; `refuse(text)` tells the author why not.
function TideWakeOpenControls(openFrom, refuse) {
  const IO = TideWakeCourseIO;
  const kStageFileLimit = 1 << 20;
  const $ = (selector) => document.querySelector(selector);

  const openList = $("#open-list");
  async function fillOpenList() {
    const group = (label, names, source) => {
      const optgroup = document.createElement("optgroup");
      optgroup.label = label;
      for (const name of names) optgroup.append(new Option(name, source + ":" + name));
      openList.append(optgroup);
    };
    openList.querySelectorAll("optgroup").forEach((g) => g.remove());
    try {
      group("My courses", (await IO.stored()).map(([name]) => name).sort(), "mine");
    } catch (error) {
      console.warn("The stored courses could not be read: " + error);
    }
    try {
      group("Shipped with the game", await IO.shippedNames(), "shipped");
    } catch (error) {
      console.warn("The shipped courses could not be listed: " + error);
    }
  }
  openList.addEventListener("change", () => {
    const value = openList.value;
    openList.value = "";
    const at = value.indexOf(":");
    if (at < 0) return;
    const source = value.slice(0, at), name = value.slice(at + 1);
    openFrom(name, source === "shipped" ? () => IO.shipped(name) : async () => {
      const found = (await IO.stored()).find(([stored]) => stored === name);
      if (!found) throw new Error("it is no longer among your courses");
      return found[1];
    });
  });

  const fileInput = $("#file-input");
  $("#open-file").addEventListener("click", () => fileInput.click());
  fileInput.addEventListener("change", () => {
    const file = fileInput.files[0];
    fileInput.value = "";
    if (file) openDropped({ file, folder: false });
  });

  async function openDropped(item) {
    const file = await TideWakeDroppedFiles.readDropped(item, () => kStageFileLimit);
    if (file.refusal) refuse(file.refusal);
    else if (file.kind !== "course") refuse(file.name + ": only courses (.dat) open here.");
    else openFrom(file.name, async () => file.bytes);
  }

  TideWakeDroppedFiles.listenForDrops($("#dropzone"), (dropped) => {
    if (dropped.length > 0) openDropped(dropped[0]);
  });

  return { fillOpenList };
}
