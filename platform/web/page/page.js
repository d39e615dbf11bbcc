// The page around the game: fetches what the game reads, sets up its files, shows its frames,
// turns keys, pads and focus into the game's input, and plays its sound through WebAudio.
"use strict";

const TideWakePage = (() => {
  const params = new URLSearchParams(location.search);
  const screen = document.getElementById("screen");
  const screenContext = screen.getContext("2d", { alpha: false });
  const image = screenContext.createImageData(640, 480);
  const imageWords = new Uint32Array(image.data.buffer);
  const presented = new Uint8Array(640 * 480);
  const colours = new Uint32Array(256);
  const status = { frame: -1, scene: -1, stopped: false };
  const persistent = !params.has("stagedir");
  let module = null;

  // ---- Picture ---------------------------------------------------------------------------------
  function present(heap, bits, pitch, palette) {
    for (let i = 0; i < 256; ++i) {
      const p = palette + i * 3;
      colours[i] = 0xff000000 | (heap[p + 2] << 16) | (heap[p + 1] << 8) | heap[p];
    }
    for (let y = 0; y < 480; ++y) {
      const row = heap.subarray(bits + y * pitch, bits + y * pitch + 640);
      presented.set(row, y * 640);
      for (let x = 0, o = y * 640; x < 640; ++x) imageWords[o + x] = colours[row[x]];
    }
    screenContext.putImageData(image, 0, 0);
  }

  // Whole-number scaling keeps every pixel square and crisp; black around it.
  function fitScreen() {
    const scale = Math.max(1, Math.floor(Math.min(innerWidth / 640, innerHeight / 480)));
    screen.style.width = 640 * scale + "px";
    screen.style.height = 480 * scale + "px";
  }
  addEventListener("resize", fitScreen);
  fitScreen();

  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(() => {});
  }
  document.getElementById("fullscreen").addEventListener("click", (e) => {
    e.currentTarget.blur();
    toggleFullscreen();
  });

  // ---- Text: the canvas draws it, and every pixel at least half covered becomes a solid one ----
  const decoder = new TextDecoder("shift_jis");
  const textCanvas = document.createElement("canvas");
  const textContext = textCanvas.getContext("2d", { willReadFrequently: true });
  const glyphCache = new Map();

  function renderText(text, cellHeight) {
    const key = cellHeight + ":" + text;
    let glyphs = glyphCache.get(key);
    if (glyphs) return glyphs;
    const font = cellHeight + "px TideWakeGothic";
    textContext.font = font;
    const metrics = textContext.measureText(text);
    const width = Math.max(1, Math.ceil(metrics.width));
    textCanvas.width = width;
    textCanvas.height = cellHeight;
    textContext.font = font;
    textContext.textBaseline = "alphabetic";
    textContext.fillStyle = "#fff";
    // The cell is ascent + descent high; the baseline sits the ascent below its top. A browser
    // that does not say gets IPAGothic's own: ascent 1802 and descent 246 of 2048 units.
    const ascent = metrics.fontBoundingBoxAscent || 1802;
    const descent = metrics.fontBoundingBoxDescent || 246;
    const baseline = Math.round((cellHeight * ascent) / (ascent + descent));
    textContext.clearRect(0, 0, width, cellHeight);
    textContext.fillText(text, 0, baseline);
    const alpha = textContext.getImageData(0, 0, width, cellHeight).data;
    const mask = new Uint8Array(width * cellHeight);
    for (let i = 0; i < mask.length; ++i) mask[i] = alpha[i * 4 + 3] >= 128 ? 1 : 0;
    glyphs = { width, height: cellHeight, mask };
    if (glyphCache.size > 512) glyphCache.clear();
    glyphCache.set(key, glyphs);
    return glyphs;
  }

  function drawText(heap, frame, pitch, x, y, bytes, cellHeight, index) {
    const glyphs = renderText(decoder.decode(bytes), cellHeight);
    for (let row = 0; row < glyphs.height; ++row) {
      const fy = y + row;
      if (fy < 0 || fy >= 480) continue;
      for (let col = 0; col < glyphs.width; ++col) {
        const fx = x + col;
        if (fx >= 0 && fx < 640 && glyphs.mask[row * glyphs.width + col]) {
          heap[frame + fy * pitch + fx] = index;
        }
      }
    }
  }

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
      if (!event.repeat) toggleFullscreen();
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

  // ---- Sound -----------------------------------------------------------------------------------
  // Silent until the first key press: browsers start a page's sound only after the player acts,
  // and making the audio context can take the better part of a second, which the page's start
  // should not wait for. Sounds and tunes are kept as they came and made playable then.
  const audio = (() => {
    const Context = window.AudioContext || window.webkitAudioContext;
    let context = null;
    const sounds = [];
    const tunes = {};  // name of the MIDI file -> { data: ArrayBuffer, buffer: AudioBuffer }
    let tune = null, tuneWanted = false, tuneSource = null;

    function decodeTune(name) {
      const entry = tunes[name];
      if (!entry || entry.buffer || entry.decoding || !context) return;
      entry.decoding = true;
      context.decodeAudioData(entry.data.slice(0)).then((buffer) => {
        entry.buffer = buffer;
        if (tune === name && tuneWanted && !tuneSource) startTune();
      }, () => {});
    }

    function startTune() {
      const entry = tunes[tune];
      if (!context || !entry || !entry.buffer) return;
      tuneSource = context.createBufferSource();
      tuneSource.buffer = entry.buffer;
      tuneSource.loop = true;
      tuneSource.connect(context.destination);
      tuneSource.start();
    }

    // The samples of a WAVE file's PCM as an AudioBuffer.
    function makeBuffer({ channels, rate, bits, bytes }) {
      const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
      const step = bits / 8, frames = Math.floor(bytes.length / (step * channels));
      const buffer = context.createBuffer(channels, frames, rate);
      for (let c = 0; c < channels; ++c) {
        const out = buffer.getChannelData(c);
        for (let i = 0; i < frames; ++i) {
          const at = (i * channels + c) * step;
          if (bits === 8) out[i] = (view.getUint8(at) - 128) / 128;
          else if (bits === 16) out[i] = view.getInt16(at, true) / 32768;
          else out[i] = view.getInt32(at, true) / 2147483648;
        }
      }
      return buffer;
    }

    return {
      addTune(name, data) {
        tunes[name] = { data };
        decodeTune(name);
      },
      start() {
        return Boolean(Context);
      },
      stop() {
        this.closeMusic();
      },
      // The first key press, click or pad button.
      resume() {
        if (!Context) return;
        if (!context) {
          context = new Context();
          for (const name in tunes) decodeTune(name);
        }
        if (context.state === "suspended") context.resume();
      },
      createSound(channels, rate, bits, bytes) {
        // A rate the browser cannot play is refused now, as a device would refuse it.
        if (rate < 3000 || rate > 384000) return -1;
        let handle = sounds.indexOf(null);
        if (handle < 0) handle = sounds.length;
        sounds[handle] = { channels, rate, bits, bytes, buffer: null, source: null };
        return handle;
      },
      // A sound asked for again starts over, as the game's one channel per sound does.
      playSound(handle) {
        const sound = sounds[handle];
        if (!sound || !context || context.state !== "running") return;
        try {
          if (!sound.buffer) sound.buffer = makeBuffer(sound);
        } catch (e) {
          sounds[handle] = null;
          return;
        }
        if (sound.source) sound.source.stop();
        sound.source = context.createBufferSource();
        sound.source.buffer = sound.buffer;
        sound.source.connect(context.destination);
        sound.source.start();
      },
      releaseSound(handle) {
        if (sounds[handle] && sounds[handle].source) sounds[handle].source.stop();
        sounds[handle] = null;
      },
      openMusic(name) {
        this.closeMusic();
        if (!tunes[name]) return false;
        tune = name;
        decodeTune(name);
        return true;
      },
      playMusic() {
        if (!tune) return;
        tuneWanted = true;
        if (!tuneSource) startTune();
      },
      closeMusic() {
        if (tuneSource) tuneSource.stop();
        tuneSource = null;
        tune = null;
        tuneWanted = false;
      },
    };
  })();

  // ---- Files ---------------------------------------------------------------------------------------
  async function fetchBytes(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ": " + response.status);
    return new Uint8Array(await response.arrayBuffer());
  }

  // The course folder: list.txt names the files, one a line.
  async function fetchFolder(url) {
    const base = url.endsWith("/") ? url : url + "/";
    const list = new TextDecoder().decode(await fetchBytes(base + "list.txt"));
    const names = list.split(/\r?\n/).map((s) => s.trim()).filter((s) => s && !s.includes("/"));
    return Promise.all(names.map(async (name) => [name, await fetchBytes(base + name)]));
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

  function afterFrame(frame, scene, stopped) {
    const now = performance.now();
    if (firstFrameAt < 0) firstFrameAt = now;
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
    pixels() { return presented.slice(); },
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
    const effectNames = ["SE01.WAV", "speed.WAV", "jump.WAV", "crash.WAV"];
    const files = Promise.all([
      fetchFolder(params.get("stagedir") || "stage"),
      Promise.all(effectNames.map(async (n) => [n, await fetchBytes(n)])),
      params.has("keys") ? fetchBytes(params.get("keys")) : null,
      params.has("replay") ? fetchBytes(params.get("replay")) : null,
      document.fonts.load("16px TideWakeGothic"),
      persistent ? TideWakeStageStore.load().then((files) => ({ files }), (error) => ({ error }))
                 : null,
    ]);
    for (const name of ["title", "select", "game"]) {
      fetch(name + ".ogg").then((r) => (r.ok ? r.arrayBuffer() : null)).then((data) => {
        if (data) audio.addTune(name + ".mid", data);
      });
    }
    window.Module = {
      arguments: args,
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

  return { present, drawText, showMessage, padKeys, afterFrame, replayReady, audio };
})();
