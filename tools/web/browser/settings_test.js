// The settings on the page, run by browser_test.js last, since what it chooses stays in the
// browser: a Japanese browser gets Japanese texts; the Settings button pressed on the opening
// opens the settings over the title; Right on the first row turns the texts English, and Q keeps
// that in /settings/settings.ini, which the browser stores and gives back on the next visit, where
// it beats the browser's language and the URL's lang=ja beats it in turn. Then Up is given W on
// the key list: keys.ini says so, the arrow no longer starts a race from the title and W does,
// also after a reload. Past the first opening, which the Settings button interrupts, the page runs
// on the fast clock, so that no visit waits through the opening.
"use strict";

// What the functions run in the page see there: the page's own objects.
/* global tidewake, TideWakePage, TideWakeStageStore */

const { check, pageDriver, wait } = require("./page_driver");

const kTitle = 1, kRaceSetup = 2, kOpening = 9, kSettings = 10;
// The rows of the settings on the page: no window row, since the page sizes its own picture.
const kKeysRow = 4;

// Before the page loads: the browser says it is Japanese, and every text the game draws is
// logged with the frame it was drawn in (code page 932 bytes as latin1).
function japaneseBrowserLoggingTexts(page) {
  return page.evaluateOnNewDocument(() => {
    Object.defineProperty(navigator, "language", { get: () => "ja-JP" });
    window.twTexts = [];
    const watch = setInterval(() => {
      if (typeof TideWakePage === "undefined") return;
      clearInterval(watch);
      const draw = TideWakePage.drawText;
      TideWakePage.drawText = (heap, frame, pitch, x, y, bytes, ...rest) => {
        const frameNumber = window.tidewake ? tidewake.frame : -1;
        window.twTexts.push([frameNumber, String.fromCharCode(...bytes)]);
        if (window.twTexts.length > 400) window.twTexts.shift();
        return draw(heap, frame, pitch, x, y, bytes, ...rest);
      };
    }, 0);
  });
}

// The texts drawn since the page's frame `after`.
const textsSince = (page, after) => page.evaluate((after) =>
  window.twTexts.filter(([frame]) => frame > after).map(([, text]) => text), after);

async function untilScene(page, scene, timeout = 30000) {
  return page.waitForFunction((scene) => tidewake.scene === scene, { timeout, polling: 20 }, scene)
    .then(() => true, () => false);
}

// Whether the game goes on from the title to the race set-up, which lasts a frame or so, once
// `code` is pressed there.
async function startsRace(page, code) {
  const seen = await page.evaluate(() => tidewake.sceneLog().length);
  await press(page, code);
  await wait(300);
  return page.evaluate((seen, scene) => tidewake.sceneLog().slice(seen).includes(scene), seen, kRaceSetup);
}

// A key held long enough for the game to see it in a frame or two, as a player's press is.
async function press(page, code) {
  await page.keyboard.down(code);
  await wait(150);
  await page.keyboard.up(code);
  await wait(100);
}

// The title's texts some frames from now.
async function titleTexts(page) {
  const from = await page.evaluate(() => tidewake.frame);
  await page.waitForFunction((from) => tidewake.frame > from + 5, { timeout: 10000, polling: 20 }, from);
  return textsSince(page, from);
}

const fileText = (page, path) => page.evaluate((path) =>
  (window.Module.FS.analyzePath(path).exists ? window.Module.FS.readFile(path, { encoding: "utf8" }) : ""), path);

// The settings file as the browser holds it, once stored.
const storedText = (page, name, pattern) => page.waitForFunction(async (name, source) => {
  const files = await TideWakeStageStore.load("/settings/");
  const file = files.find(([stored]) => stored === name);
  return file && new RegExp(source, "m").test(new TextDecoder().decode(file[1]));
}, { timeout: 10000, polling: 100 }, name, pattern.source).then(() => true, () => false);

async function languageKept(browser, problems, baseUrl) {
  const { openPage, reopen } = pageDriver(baseUrl, { lang: null });
  const page = await openPage(browser, problems, "", japaneseBrowserLoggingTexts);
  const opening = await page.evaluate(() => tidewake.scene);
  await page.click("#settings");
  const opened = await untilScene(page, kSettings);
  check(opening === kOpening && opened, "the Settings button pressed on the opening opens the settings");
  const before = await page.evaluate(() => tidewake.frame);
  await wait(200);
  const japanese = await textsSince(page, before);
  check(japanese.some((text) => /[\x80-\xff]/.test(text)) && !japanese.includes("English"),
        "a browser set to Japanese shows the settings in Japanese");

  await press(page, "ArrowRight");
  const changed = await page.evaluate(() => tidewake.frame);
  await wait(200);
  check((await textsSince(page, changed)).some((text) => text.includes("English")),
        "Right on the first row turns the texts English");
  await press(page, "KeyQ");
  check(await untilScene(page, kTitle), "Q leaves the settings for the title");
  const file = await fileText(page, "/settings/settings.ini");
  check(/^language = en$/m.test(file), "settings.ini says language = en");
  check(await storedText(page, "settings.ini", /^language = en$/), "the browser stores settings.ini");

  await reopen(page, "?fast=1");
  check(await untilScene(page, kTitle), "the next visit reaches the title");
  check((await titleTexts(page)).includes("TIDE WAKE"),
        "the next visit is in English, though the browser is Japanese");
  await reopen(page, "?lang=ja&fast=1");
  await untilScene(page, kTitle);
  check(!(await titleTexts(page)).includes("TIDE WAKE"), "the URL's lang=ja beats the settings");
  await page.close();
}

async function keyChosen(browser, problems, baseUrl) {
  const { openPage, reopen } = pageDriver(baseUrl, { lang: null });
  const page = await openPage(browser, problems, "?fast=1", japaneseBrowserLoggingTexts);
  await untilScene(page, kTitle);
  await page.click("#settings");
  check(await untilScene(page, kSettings), "the Settings button pressed on the title opens the settings");
  for (let row = 0; row < kKeysRow; ++row) await press(page, "ArrowDown");
  await press(page, "ArrowRight");
  await press(page, "ArrowRight");
  await press(page, "KeyW");
  const bound = await page.evaluate(() => tidewake.frame);
  await wait(200);
  check((await textsSince(page, bound)).some((text) => text.includes("KeyW")), "the key list shows Up's new key");
  await press(page, "KeyQ");
  await press(page, "KeyQ");
  check(await untilScene(page, kTitle), "Q twice leaves the key list and the settings");
  const keys = await fileText(page, "/settings/keys.ini");
  check(/^up = KeyW$/m.test(keys) && /^down = ArrowDown$/m.test(keys), "keys.ini says up = KeyW");
  check(await storedText(page, "keys.ini", /^up = KeyW$/), "the browser stores keys.ini");

  // Up starts a race from the title: the arrow no longer does, W does.
  await wait(300);
  const arrow = await startsRace(page, "ArrowUp");
  check(!arrow && (await startsRace(page, "KeyW")), "the arrow no longer starts a race from the title, and W does");
  await reopen(page, "?fast=1");
  await untilScene(page, kTitle);
  await wait(300);
  check(await startsRace(page, "KeyW"), "W still stands for Up on the next visit");
  await page.close();
}

async function settingsTests(browser, problems, { baseUrl }) {
  await languageKept(browser, problems, baseUrl);
  await keyChosen(browser, problems, baseUrl);
}

module.exports = { settingsTests };
