// What the page's tests share: the verdicts, the native runner's pictures, and driving the page
// as a player does (opening it, dropping files on it, reading its message and its frames).
"use strict";

// What the functions run in the page see there: the page's own objects.
/* global tidewake */

const fs = require("fs");
const zlib = require("zlib");

let failures = 0;
function check(ok, what) {
  console.log((ok ? "ok   " : "FAIL ") + what);
  if (!ok) failures++;
}

// The palette indices of an 8-bit indexed PNG with unfiltered rows, as the native runner writes.
function pngIndices(path) {
  const data = fs.readFileSync(path);
  let at = 8, width = 0, height = 0;
  const packed = [];
  while (at < data.length) {
    const length = data.readUInt32BE(at), kind = data.toString("latin1", at + 4, at + 8);
    const body = data.subarray(at + 8, at + 8 + length);
    if (kind === "IHDR") [width, height] = [body.readUInt32BE(0), body.readUInt32BE(4)];
    if (kind === "IDAT") packed.push(body);
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(packed));
  const out = new Uint8Array(width * height);
  for (let y = 0; y < height; ++y) {
    if (raw[y * (width + 1)] !== 0) throw new Error(path + ": filtered rows");
    out.set(raw.subarray(y * (width + 1) + 1, (y + 1) * (width + 1)), y * width);
  }
  return out;
}

const started = "window.tidewake && window.tidewake.frame >= 0";
const wait = (ms) => new Promise((r) => setTimeout(r, ms));

// The page's helpers for the site at `baseUrl`. The page is opened in Japanese, as the native
// runner draws its frames, whatever language the browser has, unless `lang` says otherwise (null:
// the browser's or the settings').
function pageDriver(baseUrl, { lang = "ja" } = {}) {
  const inLanguage = (query) => (lang === null || /[?&]lang=/.test(query) ? query
    : query + (query.includes("?") ? "&" : "?") + "lang=" + lang);

  // Opens the page with `query` and waits for its first frame.
  async function openPage(browser, problems, query, beforeLoad) {
    const page = await browser.newPage();
    // The tunes come after the first frame; the scene that opens one still on its way plays it
    // when it comes, and nothing says it is missing.
    page.on("console", (m) => (m.type() === "error" || /tune not played/.test(m.text())) &&
      problems.push(m.text()));
    page.on("pageerror", (e) => problems.push(e.message));
    if (beforeLoad) await beforeLoad(page);
    const asked = Date.now();
    await page.goto(`${baseUrl}/${inLanguage(query)}`);
    await page.waitForFunction(started, { timeout: 20000 });
    page.firstFrameMs = Date.now() - asked;
    return page;
  }

  // Goes to `query` on the same page, as a reload does, and waits for its first frame.
  async function reopen(page, query) {
    await page.goto(`${baseUrl}/${inLanguage(query)}`);
    await page.waitForFunction(started, { timeout: 20000 });
  }

  return { openPage, reopen };
}

// Runs the page to its stop frame and compares that frame with the native runner's picture.
async function compareStoppedFrame(page, frame, nativePng, what) {
  await page.waitForFunction("window.tidewake.stopped", { timeout: 120000, polling: 200 });
  const state = await page.evaluate(() => ({ frame: tidewake.frame, scene: tidewake.scene }));
  check(state.frame === Number(frame) && state.scene === 3,
        `${what}: stopped on frame ${state.frame} in scene ${state.scene} (the race is 3)`);
  const pixels = new Uint8Array(await page.evaluate(() => Array.from(tidewake.pixels())));
  const native = pngIndices(nativePng);
  let differing = 0;
  for (let i = 0; i < native.length; ++i) differing += pixels[i] !== native[i] ? 1 : 0;
  check(pixels.length === native.length && differing === 0,
        `${what}: frame ${frame} equals the native runner's (${differing} pixels differ)`);
}

// Drops files on the page as a player does: [[name, text], ...].
function dropFiles(page, files) {
  return page.evaluate((files) => {
    const transfer = new DataTransfer();
    for (const [name, text] of files) transfer.items.add(new File([text], name));
    dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, files);
}

const messageText = (page) => page.evaluate(() => document.getElementById("message").textContent);

// Waits until the page's message says something matching `pattern`; returns the message.
async function messageSaying(page, pattern, timeout = 20000) {
  await page.waitForFunction((source) => new RegExp(source).test(document.getElementById("message").textContent),
                             { timeout, polling: 50 }, pattern.source).catch(() => {});
  return messageText(page);
}

// Clicks the button `label` ("Watch", "Race against it") a dropped replay `name` offers; false
// when there is no such choice on show.
async function chooseForReplay(page, name, label) {
  const row = await page.waitForFunction((name) => Array.from(document.querySelectorAll("#replay-choice .choice"))
    .find((row) => row.getAttribute("aria-label").endsWith(" " + name)), { timeout: 10000, polling: 50 }, name)
    .catch(() => null);
  if (!row) return false;
  const button = await row.evaluateHandle((row, label) =>
    Array.from(row.querySelectorAll("button")).find((b) => b.textContent === label), label);
  if (!button.asElement()) return false;
  await button.asElement().click();
  return true;
}

// Installed before the page loads: for every frame the page shows, its number and how many of
// the canvas's pixels are the ghost's orange (255, 153, 0) in it, and the scene each frame ran.
function watchOrange(page) {
  return page.evaluateOnNewDocument(() => {
    window.twFrames = [];
    window.twScenes = {};
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (image, ...rest) {
      const data = image.data;
      let orange = 0;
      for (let i = 0; i < data.length; i += 4) {
        if (data[i] === 255 && data[i + 1] === 153 && data[i + 2] === 0) orange++;
      }
      // The frame shown is the one after the last the page was told of, whose scene is known now.
      const last = window.tidewake ? window.tidewake.frame : -1;
      if (last >= 0) window.twScenes[last] = window.tidewake.scene;
      window.twFrames.push([last + 1, orange]);
      return put.call(this, image, ...rest);
    };
  });
}

// What watchOrange saw so far: the frames with orange, those of them outside the race, and the
// first race frame shown.
function orangeSeen(page) {
  return page.evaluate(() => {
    const sceneOf = (frame) => (frame in window.twScenes ? window.twScenes[frame]
      : frame === tidewake.frame ? tidewake.scene : undefined);
    const orange = window.twFrames.filter(([, count]) => count > 0);
    const outside = orange.filter(([frame]) => sceneOf(frame) !== 3);
    const race = window.twFrames.find(([frame]) => sceneOf(frame) === 3);
    return { shown: window.twFrames.length, orange, outside, firstRace: race ? race[0] : -1,
             most: Math.max(0, ...orange.map(([, count]) => count)) };
  });
}

// Whether the game reaches scene `number` within `timeout` milliseconds.
const waitForScene = (page, number, timeout = 30000) =>
  page.waitForFunction((number) => tidewake.scene === number, { timeout, polling: 20 }, number)
    .then(() => true, () => false);

// Presses Down on the stage select, as the player starts the race, letting it go once the
// countdown is on (held in the race, it would hold the boat back); then runs the race, never
// steered, until `frames` race frames have been shown or orange has been seen, whichever first
// (watchOrange counts them).
async function raceFor(page, frames) {
  await page.keyboard.down("ArrowDown");
  const counting = await waitForScene(page, 6);
  await page.keyboard.up("ArrowDown");
  if (!counting || !(await waitForScene(page, 3))) return false;
  await page.waitForFunction((frames) => {
    const start = window.twFrames.findIndex(([frame]) => window.twScenes[frame] === 3);
    return start >= 0 && (window.twFrames.length - start > frames ||
                          window.twFrames.slice(start).some(([, count]) => count > 0));
  }, { timeout: 60000, polling: 50 }, frames).catch(() => {});
  return true;
}

module.exports = {
  check, failures: () => failures, pngIndices, started, wait, pageDriver, compareStoppedFrame,
  dropFiles, messageText, messageSaying, chooseForReplay, watchOrange, orangeSeen, waitForScene, raceFor,
};
