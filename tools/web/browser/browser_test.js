// The page in Debian's chromium: it reaches the title, a key script brings it into a race, and
// the frame it stops on (no text) equals the native runner's picture of the same frame, as does a
// frame of a replay given in the URL. Courses and records stored through the page survive a
// reload, and a bad dropped course is refused with the reader's message. A whole game run fast
// on the stored courses goes through the native runner's scenes and writes its records, and the
// replay the page offers for download is the native runner's file of the same race, byte for
// byte; dropped on the page and watched it plays, and a replay of a changed course is refused with
// FILE:LINE. Dropped huge files, folders and a replay of a course the page does not hold are
// refused while the game runs on, and a browser that refuses to store or to read the courses
// costs none of what was stored. Texts put together from their glyphs have the pixels of texts
// drawn whole. Nothing is reported on the console, and no tune is missing.
// The ghosts (ghost_test.js): a finished race's is kept in the browser and raced on the course
// next time; a dropped replay offers to be watched or raced against.
// The touch screen's buttons (touch_test.js): shown only with touch, a race played by them alone
// stops on the native runner's frame for the same keys, and a key fades them.
// The settings (settings_test.js): the language and a chosen key kept across a reload.
// usage: node browser_test.js BASE_URL NATIVE_FOLDER STOP_FRAME REPLAY_STOP_FRAME GHOST_STOP_FRAME
//        NATIVE_RUNNER
"use strict";

// What the functions run in the page see there: the page's own objects.
/* global tidewake, TideWakeText */

const fs = require("fs");
const path = require("path");
const { launchChromium } = require("./chromium");
const { check, failures, started, wait, pageDriver, compareStoppedFrame, dropFiles, messageText,
        messageSaying, chooseForReplay, watchOrange, orangeSeen } = require("./page_driver");
const { ghostTests } = require("./ghost_test");
const { touchTests } = require("./touch_test");
const { settingsTests } = require("./settings_test");

const [baseUrl, nativeDir, stopFrame, replayStop, ghostStop, runner] = process.argv.slice(2);
const { openPage } = pageDriver(baseUrl);

const readRecords = (page) => page.evaluate(() =>
  window.Module.FS.readFile("/stage/01.dat", { encoding: "utf8" }).split("BestLap")[1]);

async function scriptedRaceFrame(browser, problems) {
  const scenes = new Set();
  const page = await openPage(browser, problems,
    `?keys=test/keys.txt&stagedir=test/stage&notext=1&seed=1&stop=${stopFrame}`, async (page) => {
      await page.exposeFunction("twSawScene", (scene) => scenes.add(scene));
      await page.evaluateOnNewDocument(() => {
        setInterval(() => window.tidewake && window.twSawScene(window.tidewake.scene), 50);
      });
    });
  console.log(`     first frame ${page.firstFrameMs} ms after the page was asked for`);
  await compareStoppedFrame(page, stopFrame, path.join(nativeDir, "frame.png"), "scripted race");
  check(scenes.has(1), "the title was shown");
  await page.close();
}

// The texts the game draws, on a page whose font is in: every one put together from its glyphs
// has the pixels of the same text drawn whole on the canvas, and the lap times, which change every
// frame, are put together.
async function textsFromGlyphs(browser, problems) {
  const page = await openPage(browser, problems, "?stagedir=test/stage&notext=1&stop=0");
  const result = await page.evaluate(() => {
    const texts = [];
    const lapTime = (lap, time) => `ＬＡＰ${lap}    ${time.toFixed(2).padStart(6)}[s]`;
    // Every digit in every place of a lap time and of the total, as the race counts them up.
    for (let lap = 1; lap <= 4; ++lap) texts.push([14, `ＬＡＰ${lap}    ---.--[s]`]);
    for (let digit = 0; digit <= 9; ++digit) {
      texts.push([14, lapTime(1 + (digit % 4), digit * 111.11)]);
      texts.push([14, lapTime(4, digit / 30)], [14, `ＴＯＴＡＬ${(digit * 1111.11).toFixed(2).padStart(7)}[s]`]);
    }
    for (let frame = 1; frame < 400; frame += 7) texts.push([14, lapTime(2, frame / 30 + 12.3)]);
    for (let place = 1; place <= 8; ++place) texts.push([40, `${place}/8`], [90, `${place}位`]);
    for (const digit of ["1", "2", "3"]) texts.push([95, digit]);
    texts.push([20, "Tide Wake"], [20, "1998"], [20, "Made anew by the Tide Wake crew"],
               [28, "Select Stage"], [25, "Push［↓］Start"], [25, "[←]                 [→]"],
               [60, "ＳＴＡＲＴ"], [30, "ＣｈｅｃｋＰｏｉｎｔ"], [60, "ＦＩＮＩＳＨ"], [90, "タイドウェイク"],
               [20, "ＴｉｄｅＷａｋｅ1.5"], [12, "01 Harbour Loop"], [35, "Harbour Loop"]);
    const wrong = [];
    let together = 0, lapTimesTogether = 0;
    for (const [height, text] of texts) {
      const mask = TideWakeText.textMask(text, height);
      const whole = TideWakeText.drawnWhole(text, height);
      if (TideWakeText.putTogether(text, height)) {
        together += 1;
        if (text.startsWith("ＬＡＰ") || text.startsWith("ＴＯＴＡＬ")) lapTimesTogether += 1;
      }
      const same = mask.width === whole.width && mask.height === whole.height &&
        mask.mask.every((bit, i) => bit === whole.mask[i]);
      if (!same) wrong.push(`${height}px "${text}"`);
    }
    const lapTimes = texts.filter(([, text]) => /^(ＬＡＰ|ＴＯＴＡＬ)/.test(text)).length;
    return { count: texts.length, together, lapTimes, lapTimesTogether, wrong };
  });
  check(result.wrong.length === 0,
        `${result.count} texts (${result.together} put together from glyphs) have the pixels of the ` +
        "texts drawn whole" + (result.wrong.length ? ": not " + result.wrong.join(", ") : ""));
  check(result.lapTimesTogether === result.lapTimes,
        `the lap times are put together from glyphs (${result.lapTimesTogether} of ${result.lapTimes})`);
  await page.close();
}

// On the fast clock: the scripted race above runs on the real one, and the frames are the same.
async function replayFromUrl(browser, problems) {
  const page = await openPage(browser, problems,
    `?replay=test/race.twr&stagedir=test/stage&notext=1&seed=1&fast=1&stop=${replayStop}`);
  await compareStoppedFrame(page, replayStop, path.join(nativeDir, "replay.png"), "replay from the URL");
  await page.close();
}

// The stored courses: a record written the game's way (a new file renamed over the old) and a
// dropped course are there after a reload; a bad dropped course is refused. Losing the page
// pauses the game, as a window losing activation does.
async function storedCourses(browser, problems) {
  const page = await openPage(browser, problems, "");
  const pause = await page.evaluate(async () => {
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
  const course = await page.evaluate(() => {
    const FS = window.Module.FS;
    const course = FS.readFile("/stage/01.dat", { encoding: "utf8" });
    FS.writeFile("/stage/01.dat.new", course.replace(/BestLap[\s\S]*$/, "BestLap\n4321,99999,99999\n99999,99999,99999\n"));
    FS.rename("/stage/01.dat.new", "/stage/01.dat");
    return course;
  });
  await dropFiles(page, [["99_mine.dat", course]]);
  await wait(500);
  await dropFiles(page, [["98_bad.dat", "format:tidewake1.5\nname\n"]]);
  await wait(1000);
  const refusal = await messageText(page);
  check(/98_bad\.dat:\d+:/.test(refusal), "a bad dropped course is refused with FILE:LINE (" +
        refusal.split("\n").filter((l) => l.includes("98_bad"))[0] + ")");
  await page.reload();
  await page.waitForFunction(started, { timeout: 20000 });
  const after = await page.evaluate(() => window.Module.FS.readdir("/stage"));
  check((await readRecords(page)).includes("4321,99999,99999"),
        "a record written before the reload is still there");
  check(after.includes("99_mine.dat") && !after.includes("98_bad.dat"),
        "the good dropped course was kept and the bad one not: " + after.join(" "));
  await page.close();
}

// Drops a file of `size` zero bytes made in the page: how far the game ran meanwhile, and the
// most bytes the page read of any file at once.
async function dropHugeFile(page, name, size) {
  return page.evaluate(async (name, size) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([new Uint8Array(size)], name));
    const read = Blob.prototype.arrayBuffer;
    let mostRead = 0;
    Blob.prototype.arrayBuffer = function () {
      mostRead = Math.max(mostRead, this.size);
      return read.call(this);
    };
    const frame = tidewake.frame;
    dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true, cancelable: true }));
    await new Promise((r) => setTimeout(r, 1000));
    // The browser's own reader back, as it was before the drop: no one else changes it meanwhile.
    // eslint-disable-next-line require-atomic-updates
    Blob.prototype.arrayBuffer = read;
    return { before: frame, after: tidewake.frame, mostRead };
  }, name, size);
}

// Huge files, folders and a replay of a course the page does not hold are refused with a word to
// the player, and the game runs on meanwhile.
async function badDrops(browser, problems) {
  const page = await openPage(browser, problems, "?stagedir=test/stage&notext=1");
  const huge = 50 * 1024 * 1024;
  for (const [name, refusal] of [["huge.dat", /huge\.dat: error: the file is larger than \d+ bytes/],
                                 ["huge.twr", /huge\.twr: the file is larger than a replay can be/],
                                 ["huge.bin", /huge\.bin: only courses/]]) {
    const frames = await dropHugeFile(page, name, huge);
    // A replay is read once the player has chosen what to do with it.
    const chose = !name.endsWith(".twr") || await chooseForReplay(page, name, "Watch");
    const said = await messageSaying(page, refusal);
    check(chose && refusal.test(said) && frames.after > frames.before + 10 && frames.mostRead <= 2 << 20,
          `a dropped 50 MB ${name} is refused while the game runs on (frames ${frames.before} to ` +
          `${frames.after}, ${frames.mostRead} bytes read): ` +
          said.split("\n").filter((l) => l.includes(name))[0]);
  }

  // A folder as the browser says it is one, beside a file the page does not take: both are told.
  await page.evaluate(() => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([], "courses"));
    transfer.items.add(new File(["notes"], "notes.txt"));
    const entry = DataTransferItem.prototype.webkitGetAsEntry;
    DataTransferItem.prototype.webkitGetAsEntry = function () {
      const file = this.getAsFile();
      return file.name === "courses" ? { isDirectory: true, name: "courses" } : entry.call(this);
    };
    dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true, cancelable: true }));
    DataTransferItem.prototype.webkitGetAsEntry = entry;
  });
  const folder = await messageSaying(page, /notes\.txt/);
  check(/courses is a folder/.test(folder) && /notes\.txt: only courses/.test(folder),
        "a dropped folder is refused, and the file dropped with it is still answered: " +
        folder.replace(/\n+/g, " "));

  // A folder the browser gives as a file: a real one on disk, taken through a file input.
  const onDisk = path.join(fs.mkdtempSync("/tmp/tw-drop-"), "more.dat");
  fs.mkdirSync(onDisk);
  const input = await page.evaluateHandle(() => {
    const element = document.body.appendChild(document.createElement("input"));
    element.type = "file";
    return element;
  });
  await input.uploadFile(onDisk);
  await input.evaluate((element) => {
    const transfer = new DataTransfer();
    transfer.items.add(element.files[0]);
    element.remove();
    dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true, cancelable: true }));
  });
  const unread = await messageSaying(page, /more\.dat cannot be read/);
  check(/more\.dat cannot be read/.test(unread), "a folder given as a file that cannot be read is refused: " +
        unread.replace(/\n+/g, " "));

  const desktop = fs.readFileSync(path.join(nativeDir, "elsewhere.txt"), "utf8")
    .replace(/^tidewake: Error: /, "").replace(/\n$/, "");
  await dropFiles(page, [["elsewhere.twr", fs.readFileSync(path.join(nativeDir, "elsewhere.twr"), "utf8")]]);
  await chooseForReplay(page, "elsewhere.twr", "Watch");
  const elsewhere = await messageSaying(page, /elsewhere\.twr/);
  check(desktop.includes("no course named 77_elsewhere.dat") && elsewhere === "Error\n\n" + desktop,
        "a replay of a course the page does not hold is refused in the desktop's words: " +
        elsewhere.replace(/\n+/g, " "));
  const runsOn = await page.evaluate(async () => {
    const frame = tidewake.frame;
    await new Promise((r) => setTimeout(r, 500));
    return tidewake.frame > frame && !tidewake.stopped;
  });
  check(runsOn, "the game runs on after the refused drops");
  await page.close();
}

// Every file of the course folder as the page holds it.
const courseFolder = (page) => page.evaluate(() => {
  const FS = window.Module.FS;
  const names = FS.readdir("/stage").filter((n) => n !== "." && n !== "..").sort();
  return names.map((n) => n + "\n" + FS.readFile("/stage/" + n, { encoding: "utf8" })).join("\n--\n");
});

// Writes a record the game's way, a new file renamed over the old.
const writeRecord = (page, laps) => page.evaluate((laps) => {
  const FS = window.Module.FS;
  const course = FS.readFile("/stage/01.dat", { encoding: "utf8" });
  FS.writeFile("/stage/01.dat.new", course.replace(/BestLap[\s\S]*$/, "BestLap\n" + laps + "\n99999,99999,99999\n"));
  FS.rename("/stage/01.dat.new", "/stage/01.dat");
  return course;
}, laps);

// When the browser refuses to store, whether at once (a full disk) or by giving the transaction
// up, the page says so (of the records and of a ghost) and what it stored before stays as it was. When it cannot read what it
// stored, the page says so, plays the shipped courses and stores nothing over the player's.
async function storageRefusals(browser, problems) {
  const refusing = (page) => page.evaluateOnNewDocument(() => {
    const put = IDBObjectStore.prototype.put;
    IDBObjectStore.prototype.put = function (...args) {
      const request = put.apply(this, args);
      if (window.twRefuse === "full") throw new DOMException("The disk is full.", "QuotaExceededError");
      if (window.twRefuse === "abort") this.transaction.abort();
      return request;
    };
  });
  const page = await openPage(browser, problems, "", refusing);
  const stored = await courseFolder(page);
  const course = await page.evaluate(() => window.Module.FS.readFile("/stage/01.dat", { encoding: "utf8" }));

  await page.evaluate(() => (window.twRefuse = "full"));
  await writeRecord(page, "1234,99999,99999");
  const full = await messageSaying(page, /were not stored/);
  check(/QuotaExceededError/.test(full), "a record the browser refuses to store is told: " + full.replace(/\n+/g, " "));
  // A ghost replaced the game's way, a new file renamed over the old.
  await page.evaluate(() => {
    const FS = window.Module.FS;
    FS.writeFile("/ghosts/0123456789abcdef.twr.new", "tidewake-replay 1\n");
    FS.rename("/ghosts/0123456789abcdef.twr.new", "/ghosts/0123456789abcdef.twr");
  });
  const ghost = await messageSaying(page, /ghost of the best race was not stored/);
  check(/QuotaExceededError/.test(ghost) && /races only until the page is closed/.test(ghost),
        "a kept ghost the browser refuses to store is told: " + ghost.replace(/\n+/g, " "));
  await page.evaluate(() => (window.twRefuse = "abort"));
  await dropFiles(page, [["97_refused.dat", course]]);
  const aborted = await messageSaying(page, /97_refused\.dat was not kept/);
  check(/97_refused\.dat was not kept/.test(aborted) && /gave up storing/.test(aborted) && !/was added/.test(aborted),
        "a dropped course the browser gives up storing is not said to be added: " + aborted.replace(/\n+/g, " "));
  await page.reload();
  await page.waitForFunction(started, { timeout: 20000 });
  check((await courseFolder(page)) === stored, "after a reload the stored courses and records are as they were");
  check(!(await page.evaluate(() => window.Module.FS.readdir("/ghosts"))).includes("0123456789abcdef.twr"),
        "after a reload the refused ghost is not there");
  await page.close();

  const unreadable = await openPage(browser, problems, "", (page) => page.evaluateOnNewDocument(() => {
    IDBObjectStore.prototype.getAll = () => { throw new DOMException("The store is broken.", "UnknownError"); };
  }));
  const said = await messageSaying(unreadable, /could not be read/);
  await writeRecord(unreadable, "1111,99999,99999");
  await dropFiles(unreadable, [["96_unread.dat", course]]);
  const notKept = await messageSaying(unreadable, /96_unread\.dat was not kept/);
  const running = await unreadable.evaluate(() => tidewake.frame > 0 && !tidewake.stopped);
  check(/UnknownError/.test(said) && /was not kept/.test(notKept) && running,
        "stored courses that cannot be read are told, and the game plays on: " + said.replace(/\n+/g, " "));
  await unreadable.close();
  const later = await openPage(browser, problems, "");
  check((await courseFolder(later)) === stored,
        "a visit that could not read the stored courses wrote nothing over them");
  await later.close();
}

// The scripted game on the player's stored courses, run fast from the opening through a race,
// its results and its replay back to the title, where the script's Escape ends it: the game
// writes its records, which survive a reload, and offers the race's replay, which is the native
// runner's file. That replay dropped on a fresh page plays; the same with a changed checksum is
// refused.
async function wholeGame(browser, problems) {
  const asked = [];
  const page = await openPage(browser, problems, "?keys=test/keys.txt&seed=1&fast=1", async (page) => {
    page.on("request", (request) => asked.push(new URL(request.url()).pathname));
    await watchOrange(page);
    await page.evaluateOnNewDocument(() => {
      const make = URL.createObjectURL;
      URL.createObjectURL = (blob) => ((window.twLastBlob = blob), make(blob));
    });
  });
  const before = await readRecords(page);
  await page.waitForFunction("window.tidewake.scene === -1", { timeout: 180000, polling: 200 });
  const scenes = (await page.evaluate(() => tidewake.sceneLog())).join(",");
  const nativeScenes = fs.readFileSync(path.join(nativeDir, "scenes.txt"), "utf8") + ",-1";
  check(scenes === nativeScenes, `the whole game went through the native runner's scenes (${scenes})`);
  const orange = await orangeSeen(page);
  check(orange.firstRace > 0 && orange.orange.length === 0,
        `the first race on a course has no ghost: no orange in any of the ${orange.shown} frames shown`);
  const offered = await page.evaluate(async () => {
    const button = document.getElementById("save-replay");
    if (button.hidden) return null;
    let name = "";
    const click = HTMLAnchorElement.prototype.click;
    HTMLAnchorElement.prototype.click = function () { name = this.download; };
    button.click();
    HTMLAnchorElement.prototype.click = click;
    return { name, text: await window.twLastBlob.text() };
  });
  const native = fs.readFileSync(path.join(nativeDir, "..", "site", "test", "race.twr"), "utf8");
  check(offered !== null && /^01-\d{8}-\d{6}\.twr$/.test(offered.name) && offered.text === native,
        "the finished race's replay is offered, the native runner's file byte for byte (" +
        (offered ? offered.name : "no button") + ")");
  // Served plainly, the page has no record server to look for: it asks for none of its files and
  // grows none of its buttons, through the stage select and a finished race.
  const recordParts = await page.evaluate(() =>
    document.querySelectorAll("#submit-run, #record-submit, #course-records, link[href='records.css']").length);
  const recordAsks = asked.filter((name) => /\/api\/|record|^\/play\//.test(name));
  check(recordParts === 0 && recordAsks.length === 0,
        "served without a record server the page asks it nothing and shows none of its buttons " +
        `(${recordParts} parts, asked ${recordAsks.join(" ") || "nothing"})`);
  await page.goto(`${baseUrl}/?fast=1&lang=ja`);
  await page.waitForFunction(started, { timeout: 20000 });
  const records = await readRecords(page);
  check(records !== before, "the finished race's records are there after a reload:" +
        records.replace(/\n/g, " "));

  const changed = native.replace(/^checksum [0-9a-f]+$/m, "checksum 0123456789abcdef");
  await dropFiles(page, [["changed.twr", changed]]);
  await chooseForReplay(page, "changed.twr", "Watch");
  await page.waitForFunction(() => /cannot be played/.test(document.getElementById("message").textContent),
                             { timeout: 30000, polling: 100 });
  const refusal = await messageText(page);
  check(/changed\.twr:3: the course 01\.dat has changed/.test(refusal),
        "a replay of a changed course is refused with FILE:LINE (" +
        refusal.split("\n").filter((l) => l.includes("changed.twr"))[0] + ")");
  await dropFiles(page, [["race.twr", native]]);
  await chooseForReplay(page, "race.twr", "Watch");
  const playing = await page.waitForFunction("window.tidewake.scene === 3", { timeout: 30000, polling: 50 })
    .then(() => true, () => false);
  check(playing, "a dropped replay plays");
  await page.close();
}

async function main() {
  const browser = await launchChromium();
  const problems = [];
  try {
    await scriptedRaceFrame(browser, problems);
    await replayFromUrl(browser, problems);
    await textsFromGlyphs(browser, problems);
    await storedCourses(browser, problems);
    await badDrops(browser, problems);
    await storageRefusals(browser, problems);
    await wholeGame(browser, problems);
    await ghostTests(browser, problems, { baseUrl, nativeDir, ghostStop });
    await touchTests(browser, problems, { baseUrl, runner, root: path.join(__dirname, "..", "..", "..") });
    // Last: what it chooses stays in the browser's store.
    await settingsTests(browser, problems, { baseUrl });
  } finally {
    await browser.close();
  }
  check(problems.length === 0, "nothing on the console" + (problems.length ? ": " + problems.join(" | ") : ""));
  process.exit(failures() === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log("FAIL " + error.message);
  process.exit(1);
});
