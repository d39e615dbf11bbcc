// The page around the game: fetches what the game reads, sets up its files, and turns keys, pads
// and focus into the game's input. Its frames, texts and sound are in picture.js, text.js and
// sound.js.
"use strict";

/* exported TideWakePage */
// TideWakeFetches is index.html's own script's; the others come in scripts before this one.
/* global TideWakeDroppedFiles, TideWakeFetches, TideWakePicture, TideWakeSound, TideWakeStageStore,
   TideWakeText */

const TideWakePage = (() => {
  const params = new URLSearchParams(location.search);
  const status = { frame: -1, scene: -1, stopped: false };
  const persistent = !params.has("stagedir");
  let module = null;
  const audio = TideWakeSound;

  // ---- Messages --------------------------------------------------------------------------------
  const message = document.getElementById("message");
  function showMessage(caption, text) {
    message.textContent = caption + "\n\n" + text;
    message.hidden = false;
  }
  message.addEventListener("click", () => (message.hidden = true));

  // ---- Keys, pads and focus ----------------------------------------------------------------------
  // platform::Key: Up, Down, Left, Right, Q, Escape; platform::EventType: Activated,
  // Deactivated, EscapeDown.
  const keyCodes = { ArrowUp: 0, ArrowDown: 1, ArrowLeft: 2, ArrowRight: 3, Escape: 5 };
  const kActivated = 0, kDeactivated = 1, kEscapeDown = 2;

  function keyOf(event) {
    if (event.code in keyCodes) return keyCodes[event.code];
    return event.key === "q" || event.key === "Q" ? 4 : -1;
  }

  addEventListener("keydown", (event) => {
    audio.resume();
    if (event.code === "F11" || (event.altKey && event.key === "Enter")) {
      event.preventDefault();
      if (!event.repeat) TideWakePicture.toggleFullscreen();
      return;
    }
    const key = keyOf(event);
    if (key < 0 || !module) return;
    event.preventDefault();
    module._tw_set_key(key, 1);
    if (key === 5 && !event.repeat) module._tw_push_event(kEscapeDown);
  });
  addEventListener("keyup", (event) => {
    const key = keyOf(event);
    if (key < 0 || !module) return;
    event.preventDefault();
    module._tw_set_key(key, 0);
  });
  addEventListener("mousedown", () => audio.resume());

  // Losing the page pauses the game as a window losing activation does; its keys go up.
  function deactivate() {
    if (!module) return;
    for (let key = 0; key < 6; ++key) module._tw_set_key(key, 0);
    module._tw_push_event(kDeactivated);
  }
  function activate() {
    if (module) module._tw_push_event(kActivated);
  }
  addEventListener("blur", deactivate);
  addEventListener("focus", activate);
  document.addEventListener("visibilitychange", () => (document.hidden ? deactivate() : activate()));

  let padStamp = -1, padBits = 0;
  function padKeys() {
    const now = performance.now();
    if (now - padStamp < 8) return padBits;
    padStamp = now;
    padBits = 0;
    for (const pad of navigator.getGamepads ? navigator.getGamepads() : []) {
      if (!pad) continue;
      const pressed = (n) => pad.buttons[n] && pad.buttons[n].pressed;
      const [ax = 0, ay = 0] = pad.axes;
      if (pressed(12) || ay < -0.5) padBits |= 1 << 0;
      if (pressed(13) || ay > 0.5) padBits |= 1 << 1;
      if (pressed(14) || ax < -0.5) padBits |= 1 << 2;
      if (pressed(15) || ax > 0.5) padBits |= 1 << 3;
      if (pressed(8)) padBits |= 1 << 4;
    }
    if (padBits) audio.resume();
    return padBits;
  }

  // ---- The player's courses and records -------------------------------------------------------
  // What the browser holds of the course folder, file by file, so that only what changed is stored
  // again. Null while nothing may be stored: the page was given its courses (stagedir), or what
  // the browser holds could not be read, and an empty folder stored over it would lose it.
  let storedFiles = null;
  let storing = Promise.resolve(null);
  let storageRefusal = "";

  function sameBytes(a, b) {
    return a !== undefined && a.length === b.length && a.every((byte, i) => byte === b[i]);
  }

  function changedCourseFiles() {
    const FS = module.FS;
    const changed = [];
    for (const name of FS.readdir("/stage")) {
      const path = "/stage/" + name;
      const mode = FS.stat(path).mode;
      if (!FS.isFile(mode)) continue;
      const bytes = FS.readFile(path);
      if (!sameBytes(storedFiles.get(name), bytes)) changed.push([name, bytes, mode]);
    }
    return changed;
  }

  function reasonOf(error) {
    return error && error.name && error.message ? error.name + ": " + error.message : String(error);
  }

  // Stores what changed in the course folder since the last store. Resolves to null once the
  // browser keeps it (or the page keeps nothing by design), else to why it was not kept.
  function storeCourses() {
    storing = storing.then(async () => {
      if (!persistent) return null;
      if (!storedFiles) return storageRefusal;
      let changed = [];
      try {
        changed = changedCourseFiles();
        if (changed.length > 0) await TideWakeStageStore.store(changed);
      } catch (error) {
        return "The browser refused to store the courses and records (" + reasonOf(error) +
          "). What it held before is kept as it was; what changed since lasts until the page " +
          "is closed.";
      }
      for (const [name, bytes] of changed) storedFiles.set(name, bytes);
      return null;
    });
    return storing;
  }

  function storeCoursesSaying() {
    storeCourses().then((refusal) => {
      if (refusal) showMessage("Tide Wake: the courses and records were not stored", refusal);
    });
  }

  // The records reach the stage files by a rename over the old file: store them then.
  function watchRenames(FS) {
    const rename = FS.rename;
    FS.rename = function (from, to) {
      const result = rename.apply(this, arguments);
      if (String(to).startsWith("/stage/")) storeCoursesSaying();
      return result;
    };
  }

  // `stored` is what the browser holds ({ files } or { error }), null when the page keeps nothing.
  function setUpFiles(FS, courses, effects, stored) {
    for (const [name, bytes] of effects) FS.writeFile("/" + name, bytes);
    FS.mkdir("/stage");
    watchRenames(FS);
    const own = stored && stored.files && stored.files.length > 0;
    for (const [name, bytes] of own ? stored.files : courses) FS.writeFile("/stage/" + name, bytes);
    if (stored && stored.error) {
      storageRefusal = "The stored courses could not be read (" + reasonOf(stored.error) + "). " +
        "They are left as they are; this visit plays the shipped courses and keeps nothing. " +
        "Load the page again to try again.";
      showMessage("Tide Wake: the stored courses could not be read", storageRefusal);
    } else if (stored) {
      storedFiles = new Map(stored.files);
      // The player's first visit: the shipped courses become the player's own.
      if (!own) storeCoursesSaying();
    }
  }

  // ---- Replays ---------------------------------------------------------------------------------------
  // The last finished race, offered for download under the name the desktop gives its file.
  const saveReplay = document.getElementById("save-replay");
  let lastReplay = null;
  // The note on a dropped replay waiting for the title, taken down once a race is set up.
  let waitingNote = null;

  function replayReady(bytes, fileName) {
    lastReplay = { bytes, fileName };
    saveReplay.hidden = false;
    saveReplay.title = "Download the replay of the last race (" + fileName + ")";
  }
  saveReplay.addEventListener("click", (event) => {
    event.currentTarget.blur();
    if (!lastReplay) return;
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([lastReplay.bytes], { type: "text/plain" }));
    link.download = lastReplay.fileName;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  });

  // The game reads a dropped replay file from the page's folder, under its bare name as the
  // messages give it. Returns whether it starts at once; else it waits for the title.
  function playReplay(name, bytes) {
    module.FS.writeFile(name, bytes);
    // Called straight, not through ccall, which waits for the game's sleep to end.
    const path = module.allocateUTF8(name);
    const atOnce = module._tw_play_replay(path);
    module._free(path);
    return Boolean(atOnce);
  }

  // ---- Dropped files: courses and replays ------------------------------------------------------------
  // Checked under its bare name in the page's folder, which the reader's messages then use.
  // Returns what to tell the player: [caption, text].
  async function addCourse(name, bytes) {
    module.FS.writeFile(name, bytes);
    const path = module.allocateUTF8(name);
    const problem = module.UTF8ToString(module._tw_check_stage(path));
    module._free(path);
    module.FS.unlink(name);
    if (problem) return ["Tide Wake: the course was not added", problem];
    module.FS.writeFile("/stage/" + name, bytes);
    const refusal = await storeCourses();
    if (refusal) return ["Tide Wake: " + name + " was not kept", refusal];
    return ["Tide Wake", name + " was added: it is on the course list once the page is loaded again."];
  }

  // The most bytes the game reads of a dropped file of that kind.
  function fileLimit(kind) {
    return module._tw_file_limit(kind === "replay" ? 1 : 0);
  }

  // Takes a drop's files one after another and then says what became of them, all at once.
  async function takeDrop(dropped) {
    const notes = [];
    let waiting = false;
    for (const item of dropped) {
      const file = await TideWakeDroppedFiles.readDropped(item, fileLimit);
      try {
        if (file.refusal) {
          notes.push(["Tide Wake", file.refusal]);
        } else if (file.kind === "course") {
          notes.push(await addCourse(file.name, file.bytes));
        } else if (!playReplay(file.name, file.bytes)) {
          notes.push(["Tide Wake", file.name + " plays when the game is back on its title screen."]);
          waiting = true;
        }
      } catch (error) {
        notes.push(["Tide Wake", file.name + " could not be taken (" + reasonOf(error) + ")."]);
      }
    }
    if (notes.length === 0) return;
    const texts = notes.map(([caption, text], i) => (i ? caption + "\n\n" : "") + text);
    showMessage(notes[0][0], texts.join("\n\n"));
    if (waiting) waitingNote = message.textContent;
  }

  TideWakeDroppedFiles.listenForDrops(document.getElementById("dropzone"), (dropped) => {
    if (!module || status.frame < 0) {
      showMessage("Tide Wake", "The game is still loading: drop the files again once it shows.");
      return;
    }
    takeDrop(dropped);
  });

  // ---- Start ---------------------------------------------------------------------------------------
  // When each of the last frames ended, for measuring the page's pace.
  const frameEnds = [];
  let firstFrameAt = -1;
  // The scenes the game went through, each once per visit (for tests).
  const sceneLog = [];

  // The tunes are the largest of the page's files and no frame waits for them: they are asked
  // for once the first frame is shown. A scene whose tune is still on its way plays it when it
  // comes.
  const tuneNames = ["title", "select", "game"];
  function fetchTunes() {
    for (const name of tuneNames) {
      TideWakeFetches.fetchBytes(name + ".ogg").then((data) => audio.addTune(name + ".mid", data.buffer),
        (error) => {
          console.warn("tidewake: tune not played: " + reasonOf(error));
          audio.dropTune(name + ".mid");
        });
    }
  }

  function afterFrame(frame, scene, stopped) {
    const now = performance.now();
    if (firstFrameAt < 0) {
      firstFrameAt = now;
      fetchTunes();
    }
    frameEnds.push(now);
    if (frameEnds.length > 600) frameEnds.shift();
    const cameFrom = status.scene;
    if (scene !== cameFrom && sceneLog.length < 10000) sceneLog.push(scene);
    status.frame = frame;
    status.scene = scene;
    status.stopped = stopped;
    if (waitingNote && scene === 2 && (cameFrom === 1 || cameFrom === 9)) {
      if (message.textContent === waitingNote) message.hidden = true;
      waitingNote = null;
    }
    if (scene < 0) {
      // What stopped the game may be on show already; the ending goes below it.
      const ending = "The game has ended. Load the page again to play again.";
      if (message.hidden) showMessage("Tide Wake", ending);
      else message.textContent += "\n\n" + ending;
    }
  }

  window.tidewake = {
    get frame() { return status.frame; },
    get scene() { return status.scene; },
    get stopped() { return status.stopped; },
    pixels: TideWakePicture.pixels,
    // The scenes so far in the order they ran, a visit of several frames counted once.
    sceneLog() { return sceneLog.slice(); },
    // Milliseconds from the page's start to its first frame, and between the last frames.
    get firstFrameMs() { return firstFrameAt; },
    frameIntervals() { return frameEnds.slice(1).map((t, i) => t - frameEnds[i]); },
  };

  // The game's script loads while the page fetches the game's files; the game starts once both
  // are there.
  function start() {
    const args = [];
    // The replay of the URL under its own name, which the game's messages use.
    const replayName = (params.get("replay") || "").split("?")[0].split("/").pop() || "replay.twr";
    if (params.has("seed")) args.push("--seed", params.get("seed"));
    if (params.get("notext") === "1") args.push("--no-text");
    if (params.get("fast") === "1") args.push("--fast");
    if (params.has("stop")) args.push("--stop", params.get("stop"));
    if (params.has("keys")) args.push("--keys", "/keys.txt");
    if (params.has("replay")) args.push("--replay", replayName);
    // The editor's test drive: straight to the stage select on that course.
    if (params.has("course")) args.push("--course", params.get("course"));
    const fetches = TideWakeFetches;
    const files = Promise.all([
      fetches.courses,
      fetches.effects,
      fetches.keys,
      fetches.replay,
      document.fonts.load("16px TideWakeGothic"),
      persistent ? TideWakeStageStore.load().then((files) => ({ files }), (error) => ({ error }))
                 : null,
    ]);
    for (const name of tuneNames) audio.expectTune(name + ".mid");
    window.Module = {
      arguments: args,
      // The game's code, compiled while the page's scripts and files came.
      instantiateWasm(imports, receiveInstance) {
        fetches.code.then((code) => WebAssembly.instantiate(code, imports)).then(receiveInstance,
          (error) => showMessage("Tide Wake could not start", String(error)));
        return {};
      },
      preRun: [() => {
        module = window.Module;
        module.addRunDependency("page-files");
        files.then(([courses, effects, keys, replay, , stored]) => {
          if (keys) module.FS.writeFile("/keys.txt", keys);
          if (replay) module.FS.writeFile(replayName, replay);
          setUpFiles(module.FS, courses, effects, stored);
          module.removeRunDependency("page-files");
        }, (error) => showMessage("Tide Wake could not start", String(error)));
      }],
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
    };
    const script = document.createElement("script");
    script.src = "tidewake.js";
    document.body.appendChild(script);
  }

  start();

  return { present: TideWakePicture.present, drawText: TideWakeText.draw, showMessage, padKeys, afterFrame, replayReady, audio };
})();
