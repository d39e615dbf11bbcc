// The page around the game: fetches what the game reads, sets up its files, and turns keys, pads
// and focus into the game's input. Its frames, texts and sound are in picture.js, text.js and
// sound.js; the folders it keeps in the browser in kept_folders.js, and the choice a dropped
// replay offers in replay_choice.js; the touch screen's buttons in touch_keys.js, and the
// player's choice of keys in key_choice.js. Served by a record server, it loads the scripts of
// the record table's part (record_server.js, course_records.js, record_submit.js).
"use strict";

/* exported TideWakePage */
// TideWakeFetches is index.html's own script's; the others come in scripts before this one.
/* global TideWakeDroppedFiles, TideWakeFetches, TideWakeKeptFolders, TideWakeKeyChoice,
   TideWakePicture, TideWakeReplayChoice, TideWakeSound, TideWakeText, TideWakeTouchKeys */
// Loaded only when a record server serves the page.
/* global TideWakeCourseRecords, TideWakeRecordServer, TideWakeRecordSubmit */

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
  // platform::Key: Up, Down, Left, Right, Q, Escape, P, Screenshot; platform::EventType:
  // Activated, Deactivated, EscapeDown. The keyboard's keys stand for the game's as the player
  // chose them (key_choice.js); the touch buttons and the pads press the game's own.
  const kKeyCount = 8, kEscape = 5;
  const kActivated = 0, kDeactivated = 1, kEscapeDown = 2;
  const keyChoice = TideWakeKeyChoice.create();
  // The keys held, by their names here, and the name each went down as by its place, so that a
  // key is let go by the name it was pressed as whatever the modifiers say by then.
  const held = new Set();
  const heldAs = new Map();
  // The game keys the keyboard holds down now, bit n for platform::Key n.
  let keyboardBits = 0;
  // The game key the next key pressed is given to, while the settings wait for one; -1 when none.
  let listeningFor = -1;

  // Tells the game which of its keys the held keys stand for now.
  function sendKeys() {
    let bits = 0;
    for (const name of held) for (const key of keyChoice.gameKeysOf(name)) bits |= 1 << key;
    if (module) {
      for (let key = 0; key < kKeyCount; ++key) {
        const bit = 1 << key;
        if ((bits & bit) !== (keyboardBits & bit)) module._tw_set_key(key, bits & bit ? 1 : 0);
      }
    }
    keyboardBits = bits;
  }

  // As on the desktop: a key of Escape's ends the game even while a key is awaited, and the key
  // awaited is taken as it goes down, standing for its new game key at once.
  addEventListener("keydown", (event) => {
    audio.resume();
    if (event.code === "F11" || (event.altKey && event.key === "Enter")) {
      event.preventDefault();
      if (!event.repeat) TideWakePicture.toggleFullscreen();
      return;
    }
    // What is typed into the page's own fields (the record table's name) is not the game's.
    if (!module || event.target instanceof HTMLInputElement) return;
    const name = TideWakeKeyChoice.nameOf(event);
    const gameKeys = keyChoice.gameKeysOf(name);
    let taken = gameKeys.length > 0;
    if (gameKeys.includes(kEscape)) {
      if (!event.repeat) module._tw_push_event(kEscapeDown);
    } else if (listeningFor >= 0 && !event.repeat && keyChoice.bind(listeningFor, name)) {
      listeningFor = -1;
      taken = true;
    }
    if (!taken) return;
    event.preventDefault();
    touchKeys.fade();
    heldAs.set(event.code, name);
    held.add(name);
    sendKeys();
  });
  addEventListener("keyup", (event) => {
    const name = heldAs.has(event.code) ? heldAs.get(event.code) : TideWakeKeyChoice.nameOf(event);
    heldAs.delete(event.code);
    if (!held.delete(name)) return;
    event.preventDefault();
    sendKeys();
  });

  // The player's keys as keys.ini in the settings folder has them; a line that cannot be read is
  // named and left out.
  function readKeysFile(fileSystem) {
    const path = "/settings/keys.ini";
    if (!fileSystem.analyzePath(path).exists) return;
    for (const problem of keyChoice.read(fileSystem.readFile(path, { encoding: "utf8" }))) {
      console.warn("tidewake: /settings/" + problem);
    }
  }

  // What the game asks of the keys (web_bridge.h).
  const keys = {
    names: (key) => keyChoice.names(key),
    text: () => keyChoice.text(),
    listenFor: (key) => (listeningFor = key),
    listening: () => listeningFor >= 0,
    stopListening: () => (listeningFor = -1),
    restore: (key) => {
      keyChoice.restore(key);
      sendKeys();
    },
  };
  addEventListener("mousedown", () => audio.resume());

  // The touch screen's buttons press the same keys; a touch, like a key, lets the sound start.
  const touchKeys = TideWakeTouchKeys;
  touchKeys.listen((key, down) => {
    audio.resume();
    if (module) module._tw_set_key(key, down);
  });

  // Losing the page pauses the game as a window losing activation does; its keys go up.
  function deactivate() {
    if (!module) return;
    held.clear();
    heldAs.clear();
    keyboardBits = 0;
    for (let key = 0; key < kKeyCount; ++key) module._tw_set_key(key, 0);
    touchKeys.forgetAll();
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
    if (padBits) {
      audio.resume();
      touchKeys.fade();
    }
    return padBits;
  }

  // ---- The player's courses, records and ghosts ------------------------------------------------
  const kept = TideWakeKeptFolders;
  const reasonOf = kept.reasonOf;
  // The game has kept the ghost of a new best race.
  const ghostKept = () => kept.storeSaying("/ghosts");

  // ---- Replays ---------------------------------------------------------------------------------------
  // The last finished race, offered for download under the name the desktop gives its file.
  const saveReplay = document.getElementById("save-replay");
  let lastReplay = null;
  // The note on a dropped replay waiting for the title, taken down once the game goes on with it
  // from there: { note, scene }, the scene it goes to (the race set-up or the stage select).
  let waiting = null;

  function replayReady(bytes, fileName) {
    lastReplay = { bytes, fileName };
    toRecords((parts) => parts.submit.raceFinished(bytes, fileName));
    saveReplay.hidden = false;
    saveReplay.title = "Download the replay of the last race (" + fileName + ")";
  }
  function download(bytes, fileName, type) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], { type }));
    link.download = fileName;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  }
  saveReplay.addEventListener("click", (event) => {
    event.currentTarget.blur();
    if (lastReplay) download(lastReplay.bytes, lastReplay.fileName, "text/plain");
  });
  // What the game hands the player to keep, a screenshot: downloaded at once.
  function offerFile(fileName, bytes) {
    download(bytes, fileName, fileName.endsWith(".png") ? "image/png" : "application/octet-stream");
  }

  // The game reads a dropped replay file from the page's folder, under its bare name as the
  // messages give it, through `take`: the game's tw_play_replay or tw_race_against, called
  // straight, not through ccall, which waits for the game's sleep to end.
  function handReplay(take, name, bytes) {
    module.FS.writeFile(name, bytes);
    const path = module.allocateUTF8(name);
    try {
      return take(path);
    } finally {
      module._free(path);
    }
  }

  // The player's choice for a dropped replay: "watch" it, at once on the opening or the title,
  // else once the game is back there; or "race" against its boat, which goes to the stage select
  // on its course the same way. A replay that cannot race has been refused by the game, in its
  // own words on the message. A run of the record table, chosen "here" on the stage select, races
  // there at once. Returns the game's answer to a race: 1 at once, 0 waiting, -1 refused.
  function chooseReplay(name, bytes, choice) {
    let note = "";
    let outcome = 0;
    try {
      if (choice === "watch") {
        if (!handReplay(module._tw_play_replay, name, bytes)) {
          note = name + " plays when the game is back on its title screen.";
        }
      } else {
        outcome = handReplay(choice === "here" ? module._tw_race_against_here : module._tw_race_against,
                             name, bytes);
        if (outcome < 0) return outcome;
        if (outcome === 0) {
          note = "The race against " + name + " starts on the stage select when the game is " +
            "back on its title screen.";
        }
      }
    } catch (error) {
      showMessage("Tide Wake", name + " could not be taken (" + reasonOf(error) + ").");
      return -1;
    }
    if (waiting && message.textContent === waiting.note) message.hidden = true;
    waiting = null;
    if (!note) return outcome;
    showMessage("Tide Wake", note);
    waiting = { note: message.textContent, scene: choice === "watch" ? 2 : 5 };
    return outcome;
  }

  // ---- Settings -----------------------------------------------------------------------------------
  // The button opens the game's settings from the opening or the title, as Down does there;
  // elsewhere it would cut into a race or a choice, so it says where they are instead.
  const kSettingsScene = 10;
  document.getElementById("settings").addEventListener("click", (event) => {
    event.currentTarget.blur();
    audio.resume();
    if (!module || status.frame < 0 || status.scene === kSettingsScene) return;
    if (!module._tw_open_settings()) {
      showMessage("Tide Wake", "The settings open from the title screen: press Settings again " +
        "once the game is back there.");
    }
  });

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
    const refusal = await kept.store("/stage");
    if (refusal) return ["Tide Wake: " + name + " was not kept", refusal];
    return ["Tide Wake", name + " was added: it is on the course list once the page is loaded again."];
  }

  // The most bytes the game reads of a dropped file of that kind.
  function fileLimit(kind) {
    return module._tw_file_limit(kind === "replay" ? 1 : 0);
  }

  // Takes a drop's files one after another and then says what became of them, all at once. Each
  // replay offers its choice of watching it or racing against it.
  async function takeDrop(dropped) {
    const notes = [];
    for (const item of dropped) {
      const file = await TideWakeDroppedFiles.readDropped(item, fileLimit);
      try {
        if (file.refusal) {
          notes.push(["Tide Wake", file.refusal]);
        } else if (file.kind === "course") {
          notes.push(await addCourse(file.name, file.bytes));
        } else {
          TideWakeReplayChoice.offer(file.name, (choice) => chooseReplay(file.name, file.bytes, choice));
        }
      } catch (error) {
        notes.push(["Tide Wake", file.name + " could not be taken (" + reasonOf(error) + ")."]);
      }
    }
    if (notes.length === 0) return;
    const texts = notes.map(([caption, text], i) => (i ? caption + "\n\n" : "") + text);
    showMessage(notes[0][0], texts.join("\n\n"));
  }

  TideWakeDroppedFiles.listenForDrops(document.getElementById("dropzone"), (dropped) => {
    if (!module || status.frame < 0) {
      showMessage("Tide Wake", "The game is still loading: drop the files again once it shows.");
      return;
    }
    takeDrop(dropped);
  });

  // ---- A record server ------------------------------------------------------------------------------
  // A record server serves the page as its /play/, with its API beside it. Only there does the
  // page ask, once its first frame is shown, whether one answers; only when one does are the
  // style and scripts of the record table's part loaded, and the page grows its buttons and
  // panels. Served anywhere else the page asks nothing and stays as it is.
  let records = null;
  // The game calls the page from its frames: a fault of the record table's part must not reach
  // it, so the part is dropped at its first one and the game goes on without it.
  function toRecords(act) {
    if (!records) return;
    try {
      act(records);
    } catch (error) {
      console.warn("tidewake: the record table is put away: " + reasonOf(error));
      records = null;
    }
  }
  const kRecordScripts = ["record_server.js", "course_records.js", "record_submit.js"];

  function loadScript(src) {
    return new Promise((resolve, reject) => {
      const script = document.createElement("script");
      script.src = src;
      script.onload = resolve;
      script.onerror = () => reject(new Error(src + " could not be loaded"));
      document.body.append(script);
    });
  }

  // The course on the stage select as { checksum, name }; null elsewhere.
  function chosenCourse() {
    const chosen = module.UTF8ToString(module._tw_chosen_course());
    const space = chosen.indexOf(" ");
    return space > 0 ? { checksum: chosen.slice(0, space), name: chosen.slice(space + 1) } : null;
  }

  async function findRecordServer() {
    if (!/\/play\/(index\.html)?$/.test(location.pathname)) return;
    try {
      const answer = await fetch("../api/courses", { headers: { Accept: "application/json" } });
      if (!answer.ok || !Array.isArray(await answer.json())) return;
    } catch (ignored) {
      return;
    }
    try {
      for (const src of kRecordScripts) await loadScript(src);
    } catch (error) {
      console.warn("tidewake: the record table is not offered: " + reasonOf(error));
      return;
    }
    const style = document.createElement("link");
    style.rel = "stylesheet";
    style.href = "records.css";
    document.head.append(style);
    const server = TideWakeRecordServer;
    const courseFile = (name) => module.FS.readFile("/stage/" + name);
    const table = TideWakeCourseRecords.create({
      server, chosenCourse, courseFile,
      raceAgainst: (name, bytes) => chooseReplay(name, bytes, "here"),
    });
    const submit = TideWakeRecordSubmit.create({ server, courseFile, sent: () => table.refresh() });
    records = { table, submit };
    if (lastReplay) submit.raceFinished(lastReplay.bytes, lastReplay.fileName);
  }

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
      findRecordServer();
    }
    frameEnds.push(now);
    if (frameEnds.length > 600) frameEnds.shift();
    const cameFrom = status.scene;
    if (scene !== cameFrom && sceneLog.length < 10000) sceneLog.push(scene);
    status.frame = frame;
    status.scene = scene;
    status.stopped = stopped;
    toRecords((parts) => parts.table.afterFrame(scene));
    if (waiting && scene === waiting.scene && (cameFrom === 1 || cameFrom === 9)) {
      if (message.textContent === waiting.note) message.hidden = true;
      waiting = null;
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
    // Races without the kept best ghosts, as the native runner races unless told otherwise.
    if (params.get("ghost") === "0") args.push("--no-ghost");
    // The texts' language for this visit, whatever the browser's or the settings'.
    if (params.has("lang")) args.push("--lang", params.get("lang"));
    const fetches = TideWakeFetches;
    const files = Promise.all([
      fetches.courses,
      fetches.effects,
      fetches.keys,
      fetches.replay,
      document.fonts.load("16px TideWakeGothic"),
      persistent ? kept.load() : null,
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
          for (const [name, bytes] of effects) module.FS.writeFile("/" + name, bytes);
          kept.setUp(module.FS, courses, stored, showMessage);
          readKeysFile(module.FS);
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

  return {
    present: TideWakePicture.present, drawText: TideWakeText.draw, showMessage, padKeys, afterFrame,
    replayReady, ghostKept, audio, offerFile, keys,
  };
})();
