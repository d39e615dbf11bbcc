// The page in Debian's chromium: it reaches the title, a key script brings it into a race, the
// frame it stops on (no text) equals the native runner's picture of the same frame, courses and
// records stored through the page survive a reload, a bad dropped course is refused with the
// reader's message, and nothing is reported on the console.
// usage: node browser_test.js BASE_URL NATIVE.png STOP_FRAME
"use strict";
const fs = require("fs");
const zlib = require("zlib");
const puppeteer = require("puppeteer-core");

const [baseUrl, nativePng, stopFrame] = process.argv.slice(2);
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

async function main() {
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: "new",
    args: ["--no-sandbox", "--disable-gpu", "--user-data-dir=" + fs.mkdtempSync("/tmp/tw-chromium-")],
  });
  const problems = [];
  const watch = (page) => {
    page.on("console", (m) => m.type() === "error" && problems.push(m.text()));
    page.on("pageerror", (e) => problems.push(e.message));
  };
  try {
    // A scripted game into a race, stopped there.
    const page = await browser.newPage();
    watch(page);
    const scenes = new Set();
    await page.exposeFunction("twSawScene", (scene) => scenes.add(scene));
    await page.evaluateOnNewDocument(() => {
      setInterval(() => window.tidewake && window.twSawScene(window.tidewake.scene), 50);
    });
    const started = Date.now();
    await page.goto(`${baseUrl}/?keys=test/keys.txt&stagedir=test/stage&notext=1&seed=1&stop=${stopFrame}`);
    await page.waitForFunction("window.tidewake && window.tidewake.frame >= 0", { timeout: 20000 });
    console.log(`     first frame ${Date.now() - started} ms after the page was asked for`);
    await page.waitForFunction("window.tidewake.stopped", { timeout: 120000, polling: 200 });
    const state = await page.evaluate(() => ({ frame: tidewake.frame, scene: tidewake.scene }));
    check(scenes.has(1), "the title was shown");
    check(state.frame === Number(stopFrame) && state.scene === 3,
          `stopped on frame ${state.frame} in scene ${state.scene} (the race is 3)`);
    const pixels = new Uint8Array(await page.evaluate(() => Array.from(tidewake.pixels())));
    const native = pngIndices(nativePng);
    let differing = 0;
    for (let i = 0; i < native.length; ++i) differing += pixels[i] !== native[i] ? 1 : 0;
    check(pixels.length === native.length && differing === 0,
          `frame ${stopFrame} equals the native runner's (${differing} pixels differ)`);
    await page.close();

    // The stored courses: a record written the game's way (a new file renamed over the old)
    // and a dropped course are there after a reload; a bad dropped course is refused.
    const stored = await browser.newPage();
    watch(stored);
    await stored.goto(`${baseUrl}/`);
    await stored.waitForFunction("window.tidewake && window.tidewake.frame >= 0", { timeout: 20000 });

    // Losing the page pauses the game, as a window losing activation does.
    const pause = await stored.evaluate(async () => {
      const wait = (ms) => new Promise((r) => setTimeout(r, ms));
      dispatchEvent(new Event("blur"));
      await wait(300);
      const paused = tidewake.frame;
      await wait(700);
      const stillPaused = tidewake.frame;
      dispatchEvent(new Event("focus"));
      await wait(700);
      return { paused, stillPaused, resumed: tidewake.frame };
    });
    check(pause.stillPaused === pause.paused && pause.resumed > pause.paused,
          `the game pauses while the page is left and goes on after (${JSON.stringify(pause)})`);
    await stored.evaluate(async () => {
      const FS = window.Module.FS;
      const course = FS.readFile("/stage/01.dat", { encoding: "utf8" });
      FS.writeFile("/stage/01.dat.new", course.replace(/BestLap[\s\S]*$/, "BestLap\n4321,99999,99999\n99999,99999,99999\n"));
      FS.rename("/stage/01.dat.new", "/stage/01.dat");
      const drop = (name, text) => {
        const transfer = new DataTransfer();
        transfer.items.add(new File([text], name));
        dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true, cancelable: true }));
      };
      drop("99_mine.dat", course);
      await new Promise((r) => setTimeout(r, 500));
      drop("98_bad.dat", "format:tidewake1.5\nname\n");
      await new Promise((r) => setTimeout(r, 1000));
    });
    const refusal = await stored.evaluate(() => document.getElementById("message").textContent);
    check(/98_bad\.dat:\d+:/.test(refusal), "a bad dropped course is refused with FILE:LINE (" +
          refusal.split("\n").filter((l) => l.includes("98_bad"))[0] + ")");
    await stored.reload();
    await stored.waitForFunction("window.tidewake && window.tidewake.frame >= 0", { timeout: 20000 });
    const after = await stored.evaluate(() => ({
      names: window.Module.FS.readdir("/stage"),
      course: window.Module.FS.readFile("/stage/01.dat", { encoding: "utf8" }),
    }));
    check(after.course.includes("4321,99999,99999"), "a record written before the reload is still there");
    check(after.names.includes("99_mine.dat") && !after.names.includes("98_bad.dat"),
          "the good dropped course was kept and the bad one not: " + after.names.join(" "));
    await stored.close();

    // With TIDEWAKE_WEB_WHOLE_RACE=1 (a minute and a half more): the same race on the player's
    // stored courses run to its finish, whose records the game writes, are there after a reload.
    if (process.env.TIDEWAKE_WEB_WHOLE_RACE === "1") {
      const whole = await browser.newPage();
      watch(whole);
      await whole.goto(`${baseUrl}/?keys=test/keys.txt&seed=1`);
      await whole.waitForFunction("window.tidewake && window.tidewake.frame >= 0", { timeout: 20000 });
      const readRecords = () => whole.evaluate(() =>
        window.Module.FS.readFile("/stage/01.dat", { encoding: "utf8" }).split("BestLap")[1]);
      const before = await readRecords();
      await whole.waitForFunction("window.tidewake.scene === 7", { timeout: 240000, polling: 500 });
      await new Promise((r) => setTimeout(r, 1000));
      await whole.reload();
      await whole.waitForFunction("window.tidewake && window.tidewake.frame >= 0", { timeout: 20000 });
      const records = await readRecords();
      check(records !== before, "the finished race's records are there after a reload:" +
            records.replace(/\n/g, " "));
      await whole.close();
    }
  } finally {
    await browser.close();
  }
  check(problems.length === 0, "nothing on the console" + (problems.length ? ": " + problems.join(" | ") : ""));
  process.exit(failures === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log("FAIL " + error.message);
  process.exit(1);
});
