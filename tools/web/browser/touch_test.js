// The touch screen's buttons, run by browser_test.js: a desktop browser without touch never shows
// them; on an emulated phone they show at once, as real buttons the browser neither scrolls nor
// zooms for. A game played by touch alone (Up held on the title, Down on the stage select, then
// Left held with Down pressed by a second finger, Right let go by sliding off it, two arrows
// dropped at once by the browser's cancel) stops on the very frame the native runner draws for
// the same keys: every press and release is logged with the frame it reached the game in and
// given to the runner as a key script. A key press fades the buttons and the next touch brings
// them back; leaving the page lets go of a held one.
"use strict";

// What the functions run in the page see there: the page's own objects.
/* global tidewake */

const childProcess = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { check, pageDriver, compareStoppedFrame } = require("./page_driver");

const keyNames = ["up", "down", "left", "right", "q", "escape", "p"];
const kUp = 0, kDown = 1, kLeft = 2, kRight = 3;
const kTitle = 1, kStageSelect = 5, kCountdown = 6, kRace = 3;
// Far enough into the race for every touch below, at the fast clock's most frames a second.
const kStopFrame = 1300;

// The state of the touch buttons: shown, faded, and each one's key, label, size and centre.
const buttonState = (page) => page.evaluate(() => {
  const panel = document.getElementById("touch-keys");
  const buttons = Array.from(panel.querySelectorAll("[data-key]")).map((button) => {
    const box = button.getBoundingClientRect();
    return { key: Number(button.dataset.key), label: button.getAttribute("aria-label") || "",
             tag: button.tagName, touchAction: getComputedStyle(button).touchAction,
             held: button.classList.contains("held"), width: box.width, height: box.height,
             x: box.x + box.width / 2, y: box.y + box.height / 2, bottom: box.bottom };
  });
  const visible = getComputedStyle(panel).display !== "none" && buttons.every((b) => b.width > 0);
  return { visible, faded: panel.classList.contains("faded"), opacity: Number(getComputedStyle(panel).opacity),
           buttons, viewHeight: innerHeight, viewWidth: innerWidth };
});

// Every call the page makes to the game's key entry from now on, with the last frame the game
// had finished then and the scene it was in.
// The game's code puts its own entry in place on the first call, through the setter here.
const logKeys = (page) => page.evaluate(() => {
  window.twKeyLog = [];
  let set = window.Module._tw_set_key;
  const logged = (key, down) => {
    window.twKeyLog.push([tidewake.frame, tidewake.scene, key, down]);
    return set(key, down);
  };
  Object.defineProperty(window.Module, "_tw_set_key", { get: () => logged, set: (entry) => (set = entry) });
});
const keyLog = (page) => page.evaluate(() => window.twKeyLog.slice());

// The page's keys reach the game only while it waits out a frame, after that frame's handler has
// read them: a key given while frame F is the last finished is first read by frame F + 2, the
// frame a key script names for it.
function keyScript(log) {
  return "# played by touch on the page\n" +
    log.map(([frame, , key, down]) => `${frame + 2} ${keyNames[key]} ${down ? "down" : "up"}`).join("\n") + "\n";
}

// Fingers on the emulated touch screen, each with its own identifier.
function fingers(page, cdp) {
  const touching = new Map();
  const points = () => Array.from(touching, ([id, [x, y]]) => ({ x, y, id }));
  return {
    async down(id, x, y) {
      touching.set(id, [x, y]);
      await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: points() });
    },
    async move(id, x, y) {
      touching.set(id, [x, y]);
      await cdp.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: points() });
    },
    async up(id) {
      const [x, y] = touching.get(id);
      touching.delete(id);
      await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [{ x, y, id }] });
    },
    async cancel() {
      touching.clear();
      await cdp.send("Input.dispatchTouchEvent", { type: "touchCancel", touchPoints: [] });
    },
  };
}

const waitFor = (page, test, arg, timeout = 30000) =>
  page.waitForFunction(test, { timeout, polling: 10 }, arg).then(() => true, () => false);
const sceneIs = (page, scene) => waitFor(page, (scene) => tidewake.scene === scene, scene);
const framesOn = async (page, count) => {
  const from = await page.evaluate(() => tidewake.frame);
  return waitFor(page, (until) => tidewake.frame >= until, from + count);
};

// Without a touch screen nothing of the buttons shows.
async function hiddenOnDesktop(browser, problems, baseUrl) {
  const { openPage } = pageDriver(baseUrl);
  const page = await openPage(browser, problems, "?stagedir=test/stage&notext=1&stop=0");
  const state = await buttonState(page);
  check(!state.visible && state.buttons.length === 6,
        "a desktop browser without touch shows no touch buttons");
  await page.close();
}

// On a phone held upright or on its side every button is on the screen, none over another.
async function fitPhones(browser, problems, baseUrl) {
  const { openPage } = pageDriver(baseUrl);
  const misfits = [];
  for (const [width, height] of [[390, 844], [844, 390], [320, 568]]) {
    const page = await openPage(browser, problems, "?stagedir=test/stage&notext=1&stop=0",
      (page) => page.setViewport({ width, height, hasTouch: true, isMobile: true }));
    const { visible, buttons } = await buttonState(page);
    const boxes = buttons.map((b) => [b.x - b.width / 2, b.y - b.height / 2, b.x + b.width / 2, b.y + b.height / 2]);
    const inside = boxes.every(([left, top, right, bottom]) => left >= 0 && top >= 0 && right <= width && bottom <= height);
    const apart = boxes.every((a, i) => boxes.every((b, j) => i === j ||
      a[2] <= b[0] || b[2] <= a[0] || a[3] <= b[1] || b[3] <= a[1]));
    if (!visible || !inside || !apart) misfits.push(`${width}x${height}`);
    await page.close();
  }
  check(misfits.length === 0, "on phones of 390x844, 844x390 and 320x568 every touch button is on the " +
        "screen and none covers another" + (misfits.length ? ": not on " + misfits.join(", ") : ""));
}

async function playedByTouch(browser, problems, { baseUrl, runner, root }) {
  const { openPage } = pageDriver(baseUrl);
  const page = await openPage(browser, problems,
    `?stagedir=test/stage&notext=1&seed=1&fast=1&ghost=0&stop=${kStopFrame}`,
    (page) => page.setViewport({ width: 900, height: 700, hasTouch: true, isMobile: true }));
  const shown = await buttonState(page);
  const at = Object.fromEntries(shown.buttons.map((b) => [b.key, b]));
  const big = [kUp, kDown, kLeft, kRight].every((key) => at[key] && at[key].width >= 60 && at[key].height >= 60);
  const small = [4, 6].every((key) => at[key] && at[key].width >= 40 && at[key].width < at[kUp].width);
  check(shown.visible && !shown.faded && big && small && at[kLeft].x < at[kRight].x &&
        at[kRight].x < shown.viewWidth / 2 && at[kUp].x > shown.viewWidth / 2 &&
        shown.buttons.every((b) => b.bottom <= shown.viewHeight && b.y > shown.viewHeight * 0.7),
        "on a touch screen the buttons show before any touch: ← → at the bottom left, ↑ ↓ at the " +
        "bottom right, Q and P smaller, the arrows at least 60 px");
  check(shown.buttons.every((b) => b.tag === "BUTTON" && b.label && b.touchAction === "none"),
        "each touch button is a button with a label, which the browser neither scrolls nor zooms for (" +
        shown.buttons.map((b) => b.label).join("; ") + ")");

  await logKeys(page);
  const cdp = await page.target().createCDPSession();
  const finger = fingers(page, cdp);
  const steps = [];
  const step = (ok, what) => ok || steps.push(what);

  // Whether the browser's own handling of a touch on a button was prevented.
  await page.evaluate(() => {
    window.twPrevented = [];
    addEventListener("touchstart", (event) => window.twPrevented.push(event.defaultPrevented));
  });
  await sceneIs(page, kTitle);
  await finger.down(1, at[kUp].x, at[kUp].y);
  step(await waitFor(page, (title) => tidewake.scene !== title, kTitle), "Up on the title");
  await finger.up(1);
  step(await sceneIs(page, kStageSelect), "the stage select");
  await finger.down(1, at[kDown].x, at[kDown].y);
  step(await sceneIs(page, kCountdown), "Down on the stage select");
  await finger.up(1);
  step(await sceneIs(page, kRace), "the race");

  // Left held; Down, the view key, by a second finger meanwhile; both buttons show held.
  await finger.down(1, at[kLeft].x, at[kLeft].y);
  step(await framesOn(page, 40), "steering left");
  await finger.down(2, at[kDown].x, at[kDown].y);
  step(await framesOn(page, 15), "the view key with the left");
  const both = await buttonState(page);
  step(both.buttons.filter((b) => b.held).map((b) => b.key).sort().join() === `${kDown},${kLeft}`,
       "both buttons shown held");
  await finger.up(2);
  step(await framesOn(page, 30), "steering left on");
  await finger.up(1);
  step(await framesOn(page, 20), "straight on");
  // Right, let go by sliding the finger off it onto the picture.
  await finger.down(3, at[kRight].x, at[kRight].y);
  step(await framesOn(page, 30), "steering right");
  await finger.move(3, at[kRight].x + 5, at[kRight].y - 5);
  step(await framesOn(page, 5), "sliding within the button");
  await finger.move(3, at[kRight].x, at[kRight].y - 150);
  const slid = await keyLog(page);
  step(await framesOn(page, 20), "after sliding off");
  await finger.up(3);
  // Left and Right at once, both let go by the browser's cancel.
  await finger.down(4, at[kLeft].x, at[kLeft].y);
  await finger.down(5, at[kRight].x, at[kRight].y);
  step(await framesOn(page, 20), "both arrows held");
  await finger.cancel();
  const log = await keyLog(page);
  const lastFrame = log.length ? log[log.length - 1][0] : -1;
  await compareStoppedFrame(page, kStopFrame, nativeFrame(runner, root, keyScript(log)),
                            "a race played by touch alone");
  const prevented = await page.evaluate(() => window.twPrevented);

  const events = log.map(([, scene, key, down]) => `${scene}:${keyNames[key]}:${down}`).join(" ");
  const raceEvents = log.filter(([, scene]) => scene === kRace).map(([, , key, down]) => `${keyNames[key]}:${down}`);
  check(steps.length === 0 && lastFrame < kStopFrame - 10,
        `the touches went through from the title into the race, ending by frame ${lastFrame}` +
        (steps.length ? ": not " + steps.join(", ") : ""));
  const [up, , start] = log;
  check(log.length === 14 && log.slice(0, 4).map(([, , key, down]) => `${keyNames[key]}:${down}`).join() ===
        "up:1,up:0,down:1,down:0" && up[1] === kTitle && start[1] === kStageSelect &&
        raceEvents.join() === "left:1,down:1,down:0,left:0,right:1,right:0,left:1,right:1,left:0,right:0",
        "each touch pressed and let go of its key once, in order; Down with Left held; Right let go " +
        `when the finger slid off it; the cancel let go of both arrows (${events})`);
  check(slid.length === 10 && slid[slid.length - 1].slice(2).join() === `${kRight},0`,
        "a finger sliding off its button lets the key go at once, not when it is lifted");
  check(prevented.length > 0 && prevented.every((p) => p),
        `the browser's own handling of every touch on a button is prevented (${prevented.length} touches)`);

  // A key fades the buttons out; a touch on the picture brings them back.
  await page.keyboard.down("ArrowUp");
  await page.keyboard.up("ArrowUp");
  await new Promise((r) => setTimeout(r, 600));
  const faded = await buttonState(page);
  await finger.down(6, 450, 200);
  await finger.up(6);
  await new Promise((r) => setTimeout(r, 600));
  const back = await buttonState(page);
  check(faded.faded && faded.opacity === 0 && !back.faded && back.opacity === 1,
        `a key press fades the touch buttons out (opacity ${faded.opacity}) and a touch brings them ` +
        `back (opacity ${back.opacity})`);

  // Leaving the page lets go of the game's keys, and the buttons show none held.
  await finger.down(7, at[kLeft].x, at[kLeft].y);
  const holding = (await buttonState(page)).buttons.filter((b) => b.held).length;
  await page.evaluate(() => dispatchEvent(new Event("blur")));
  const left = (await buttonState(page)).buttons.filter((b) => b.held).length;
  await finger.up(7);
  check(holding === 1 && left === 0, "leaving the page with a finger on a button lets the button go");
  await page.close();
}

// The native runner's picture of frame kStopFrame for the key script `script`, on the shipped
// courses as they come and with no kept ghost, as the page races them.
function nativeFrame(runner, root, script) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "tw-touch-"));
  fs.cpSync(path.join(root, "stage"), path.join(folder, "stage"), { recursive: true });
  fs.writeFileSync(path.join(folder, "touch.txt"), script);
  childProcess.execFileSync(runner, ["--keys", "touch.txt", "--frames", String(kStopFrame + 1), "--no-text",
                                     "--no-ghost", "--shot", `${kStopFrame}:touch.png`],
                            { cwd: folder, env: { ...process.env, HOME: folder, XDG_DATA_HOME: "" },
                              stdio: ["ignore", "ignore", "inherit"] });
  return path.join(folder, "touch.png");
}

async function touchTests(browser, problems, options) {
  await hiddenOnDesktop(browser, problems, options.baseUrl);
  await fitPhones(browser, problems, options.baseUrl);
  await playedByTouch(browser, problems, options);
}

module.exports = { touchTests };
