// The course editor in Debian's chromium. A shipped course opened and left alone is its very
// bytes; checkpoint 1 dragged with the mouse and nudged with the arrow keys changes that one
// line; a Japanese name is stored in code page 932 and a character with no code is refused on
// its field and never written; undo and redo take the steps back and forth; the saved download
// is what the editor shows and passes the native stage checker. A course made from the template
// by mouse alone is test-driven: the game page starts on its stage select. A bad dropped file
// is named with FILE:LINE; the English fields are shown, edited and checked; and nothing is
// reported on the console. Saves a screenshot of the editor for the README.
// usage: node editor_test.js BASE_URL STAGE_TOOL SCREENSHOT_PNG
"use strict";

// What the functions run in the pages see there: the pages' own objects.
/* global tidewake, tidewakeEditor */

const fs = require("fs");
const os = require("os");
const path = require("path");
const { execFileSync } = require("child_process");
const { launchChromium } = require("./chromium");

const [baseUrl, stageTool, screenshot] = process.argv.slice(2);
let failures = 0;
function check(ok, what) {
  console.log((ok ? "ok   " : "FAIL ") + what);
  if (!ok) failures++;
}

const wait = (ms) => new Promise((r) => setTimeout(r, ms));
const lines = (bytes) => Buffer.from(bytes).toString("latin1").split("\n");
const cp932 = new TextDecoder("shift_jis");

async function openEditor(browser, problems, query) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1240, height: 900 });
  page.on("console", (m) => m.type() === "error" && problems.push(m.text()));
  page.on("pageerror", (e) => problems.push(e.message));
  page.on("dialog", (dialog) => dialog.accept());
  await page.goto(`${baseUrl}/editor.html${query}`);
  await page.waitForFunction("window.tidewakeEditor && tidewakeEditor.firstPreviewMs > 0",
                             { timeout: 20000 });
  return page;
}

const editorBytes = async (page) =>
  Buffer.from(await page.evaluate(() => Array.from(tidewakeEditor.bytes())));
const handle = async (page, kind, index) =>
  (await page.evaluate(() => tidewakeEditor.handles())).find((h) => h.kind === kind && h.index === index);
const problems = (page) => page.evaluate(() => tidewakeEditor.problems());

async function drag(page, from, to) {
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  await page.mouse.move(to.x, to.y, { steps: 8 });
  await page.mouse.up();
}

// Lines that differ between two files of the same line count: [[index, before, after], ...].
function changedLines(before, after) {
  const a = lines(before), b = lines(after);
  if (a.length !== b.length) return null;
  return a.map((line, i) => [i, line, b[i]]).filter(([, x, y]) => x !== y);
}

async function typeInto(page, name, text, replace) {
  await page.click(`input[name=${name}]`, replace ? { clickCount: 3 } : {});
  if (!replace) await page.keyboard.press("End");
  for (const character of text) await page.keyboard.sendCharacter(character);
  // Leaving the field ends the step undo takes back.
  await page.focus("#map");
}

async function downloadSave(page, folder) {
  const client = await page.target().createCDPSession();
  await client.send("Page.setDownloadBehavior", { behavior: "allow", downloadPath: folder });
  await page.click("#save");
  for (let i = 0; i < 100; ++i) {
    const done = fs.readdirSync(folder).filter((f) => f.endsWith(".dat"));
    if (done.length > 0) {
      await wait(100);
      return path.join(folder, done[0]);
    }
    await wait(100);
  }
  return null;
}

async function editShippedCourse(browser, consoleProblems) {
  const page = await openEditor(browser, consoleProblems, "?stage=test/stage/01.dat");
  const shipped = Buffer.from(await page.evaluate(async () =>
    Array.from(new Uint8Array(await (await fetch("test/stage/01.dat")).arrayBuffer()))));
  const opened = await editorBytes(page);
  check(opened.equals(shipped), "a course opened and left alone is its very bytes");

  // Dragging checkpoint 1 changes its line alone, to whole units.
  const start = await handle(page, "checkpoint", 0);
  await drag(page, start, { x: start.x - 30, y: start.y - 20 });
  const moved = await handle(page, "checkpoint", 0);
  check(Math.abs(moved.x - start.x + 30) < 1.5 && Math.abs(moved.y - start.y + 20) < 1.5,
        `checkpoint 1 follows the mouse (${start.x.toFixed(1)},${start.y.toFixed(1)} to ` +
        `${moved.x.toFixed(1)},${moved.y.toFixed(1)})`);
  const dragged = await editorBytes(page);
  const dragChange = changedLines(shipped, dragged);
  check(dragChange && dragChange.length === 1 && dragChange[0][1] === "9000,2000" &&
        /^\d+,\d+$/.test(dragChange[0][2]),
        "the drag rewrites checkpoint 1's line alone: " + JSON.stringify(dragChange));
  const [x0, y0] = dragChange[0][2].split(",").map(Number);
  // Left and up on the map are more world y and more world x.
  check(x0 > 9000 && y0 > 2000, `the drag moved it left and up on the map (${x0},${y0})`);

  await page.keyboard.press("ArrowUp");
  await page.keyboard.down("Shift");
  await page.keyboard.press("ArrowLeft");
  await page.keyboard.up("Shift");
  const nudged = changedLines(shipped, await editorBytes(page));
  check(nudged && nudged.length === 1 && nudged[0][2] === `${x0 + 100},${y0 + 10}`,
        `the arrow keys move it by 100 and, with Shift, by 10 (${nudged && nudged[0][2]})`);

  // A Japanese name in code page 932; a character with no code stays out of the file.
  const name = "湖をめぐる周回コース";
  await typeInto(page, "name", name, true);
  const named = await editorBytes(page);
  check(cp932.decode(Buffer.from(lines(named)[1], "latin1")) === name,
        "the typed name is written in code page 932");
  check((await problems(page)).every((p) => p.line !== 0), "a name with codes is no problem");
  await typeInto(page, "name", "😀", false);
  const refused = await problems(page);
  check(refused.some((p) => p.line === 0 && p.severity === "error" && p.message.includes("😀")),
        "a character with no code is named as a problem on its field: " +
        JSON.stringify(refused.filter((p) => p.line === 0)));
  check((await editorBytes(page)).equals(named), "the character with no code is never written");
  check(await page.$eval("input[name=name]", (e) => e.classList.contains("wrong")),
        "the name field is marked");
  await page.screenshot({ path: screenshot, type: "png", clip: { x: 0, y: 0, width: 1200, height: 770 } });
  // A resized window clears the map's canvas: it must be drawn again.
  await page.setViewport({ width: 1200, height: 880 });
  const buoyPixels = await page.$eval("#map", (canvas) => {
    const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    let count = 0;
    for (let i = 0; i < data.length; i += 4) count += data[i] > 240 && data[i + 1] > 200 && data[i + 2] < 100;
    return count;
  });
  check(buoyPixels > 100, `the map is drawn again after the window is resized (${buoyPixels} buoy pixels)`);

  await page.keyboard.down("Control");
  await page.keyboard.press("z");
  await page.keyboard.up("Control");
  check(await page.$eval("input[name=name]", (e) => e.value) === name &&
        (await problems(page)).every((p) => p.line !== 0), "Ctrl+Z takes the character back");
  await page.keyboard.down("Control");
  await page.keyboard.press("y");
  await page.keyboard.press("z");
  await page.keyboard.press("z");
  await page.keyboard.up("Control");
  check(cp932.decode(Buffer.from(lines(await editorBytes(page))[1], "latin1")) !== name,
        "Ctrl+Y redoes and Ctrl+Z undoes again, name and all");
  await page.keyboard.down("Control");
  await page.keyboard.down("Shift");
  await page.keyboard.press("z");
  await page.keyboard.up("Shift");
  await page.keyboard.up("Control");
  check((await editorBytes(page)).equals(named), "Ctrl+Shift+Z redoes");

  // A warning from the checker is listed and marked on the handle it concerns.
  const pad = await handle(page, "pad", 0);
  const fence = await page.evaluate(() => {
    const r = document.querySelector("#map").getBoundingClientRect();
    return { x: r.left + 4, y: r.top + 4 };
  });
  await drag(page, pad, fence);
  const outside = await problems(page);
  check(outside.some((p) => p.severity === "warning" && /speed pad .* outside the water/.test(p.message)),
        "a speed pad dragged out of the water is warned about");
  await page.keyboard.down("Control");
  await page.keyboard.press("z");
  await page.keyboard.up("Control");

  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "tw-editor-"));
  const saved = await downloadSave(page, folder);
  check(saved !== null && fs.readFileSync(saved).equals(named),
        "Save downloads the bytes the editor shows");
  if (saved) {
    let report = "";
    try {
      report = execFileSync(stageTool, ["check", saved], { encoding: "utf8", stdio: "pipe" });
      check(true, "the native checker passes the saved course" + (report ? ": " + report.trim() : ""));
    } catch (error) {
      check(false, "the native checker passes the saved course: " + error.stdout + error.stderr);
    }
  }
  fs.rmSync(folder, { recursive: true, force: true });
  await page.close();
}

// A new author's course: the template, each buoy dragged somewhere else, then a test drive.
async function newCourseTestDrive(browser, consoleProblems) {
  const page = await openEditor(browser, consoleProblems, "");
  const began = Date.now();
  const offsets = [[30, 20], [20, -30], [-25, -20], [-30, 10], [10, 30], [25, 25]];
  for (let i = 0; i < 6; ++i) {
    const at = await handle(page, "checkpoint", i);
    await drag(page, at, { x: at.x + offsets[i][0], y: at.y + offsets[i][1] });
  }
  const driven = await editorBytes(page);
  const messages = [];
  page.on("console", (m) => messages.push(m.text()));
  await page.click("#test-drive");
  await page.waitForFunction("window.tidewake && tidewake.scene === 5", { timeout: 30000 });
  const tookMs = Date.now() - began;
  await wait(200);
  const log = await page.evaluate(() => tidewake.sceneLog());
  check(page.url().includes("index.html?course=my_course.dat") && !log.includes(3),
        `the test drive opens the game on its stage select (scenes ${log.join(",")})`);
  check(messages.some((m) => m.includes("the stage select starts on my_course.dat")),
        "the stage select shows the course driven");
  console.log(`note a course made by mouse and test-driven in ${tookMs} ms`);
  await page.close();
  return driven;
}

async function droppedCourses(browser, consoleProblems, driven) {
  const page = await openEditor(browser, consoleProblems, "");
  // The test-driven course is among the stored ones, beside the shipped courses.
  await page.waitForFunction("document.querySelectorAll('#open-list option').length > 5");
  const offered = await page.$$eval("#open-list option", (options) => options.map((o) => o.value));
  check(offered.includes("mine:my_course.dat") && offered.includes("mine:01.dat") &&
        offered.includes("shipped:04.dat"), "the course list offers stored and shipped courses");
  await page.select("#open-list", "mine:my_course.dat");
  await page.waitForFunction("document.querySelector('input[name=file]').value === 'my_course.dat'");
  check((await editorBytes(page)).equals(driven), "the stored course opens as it was test-driven");
  await page.select("#open-list", "shipped:01.dat");
  await page.waitForFunction("document.querySelector('input[name=file]').value === '01.dat'");
  const before = await editorBytes(page);
  await page.evaluate(() => {
    const transfer = new DataTransfer();
    transfer.items.add(new File(["format:tidewake1.5\nname\ninfo\ninfo\n10\nCheckpoints\n1,2\n"],
                                "broken.dat"));
    window.dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, cancelable: true }));
  });
  await page.waitForFunction("!document.querySelector('#message').hidden", { timeout: 5000 });
  const text = await page.$eval("#message", (e) => e.textContent);
  check(/broken\.dat:\d+: error: /.test(text), "a bad dropped file is named with FILE:LINE: " +
        text.split("\n").filter((l) => l.includes("broken.dat"))[0]);
  check((await editorBytes(page)).equals(before), "the course that was open stays open");

  // An old-format course dropped and given description lines becomes a 1.5 file, once both are.
  await page.click("#message");
  const version1 = "format:tidewake1\r\nBay\r\n" +
    before.toString("latin1").split("\n").slice(4).join("\r\n");
  await page.evaluate((text) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([text], "old.dat"));
    window.dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, cancelable: true }));
  }, version1);
  await page.waitForFunction("document.querySelector('input[name=file]').value === 'old.dat'");
  check((await editorBytes(page)).toString("latin1") === version1, "a dropped course opens as it is");
  await typeInto(page, "name", "Cove", true);
  await typeInto(page, "info1", "Up", true);
  const renamed = version1.replace("\r\nBay\r\n", "\r\nCove\r\n");
  check((await editorBytes(page)).toString("latin1") === renamed &&
        (await problems(page)).some((p) => p.line === 0),
        "one description line alone is a problem, and the file keeps its old format and new name");
  await typeInto(page, "info2", "Down", true);
  check((await editorBytes(page)).toString("latin1").startsWith(
          "format:tidewake1.5\r\nCove\r\nUp\r\nDown\r\n"),
        "with both lines it is written in the 1.5 format, with the file's own line ends");
  await page.close();
}

// The English fields: a shipped course's English lines shown, one changed and one emptied in
// place, a blank refused on its field, and a malformed line the checker warns about marked on its.
async function englishFields(browser, consoleProblems) {
  const page = await openEditor(browser, consoleProblems, "?stage=test/stage/03.dat");
  const shipped = await editorBytes(page);
  const value = (name) => page.$eval(`input[name=${name}]`, (e) => e.value);
  check(await value("enName") === "Twin_Isle_Lagoon" &&
        await value("enInfo1") === "A_tricky_course_round_two_islands",
        "the English fields show the course's English lines");
  await typeInto(page, "enName", "Twin Isles", true);
  // Typed a character at a time, the file keeps what stood before the blank.
  check(lines(await editorBytes(page)).includes("en-name:Twin") &&
        await page.$eval("input[name=enName]", (e) => e.classList.contains("wrong")) &&
        (await problems(page)).some((p) => p.line === 0 && p.message.includes("write _ for a space")),
        "a blank in the English name is refused on its field and never written");
  await typeInto(page, "enName", "Twin_Isles", true);
  await page.click("input[name=enInfo2]", { clickCount: 3 });
  await page.keyboard.press("Backspace");
  await page.focus("#map");
  const expected = lines(shipped).filter((line) => !line.startsWith("en-info2:"))
    .map((line) => (line.startsWith("en-name:") ? "en-name:Twin_Isles" : line)).join("\n");
  check((await editorBytes(page)).toString("latin1") === expected,
        "the English name is changed on its line and the emptied description's line goes");

  const malformed = shipped.toString("latin1").replace("en-info1:A_tricky", "en-info1:A tricky");
  await page.evaluate((text) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([new Uint8Array(Array.from(text, (c) => c.charCodeAt(0)))],
                                "lagoon.dat"));
    window.dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, cancelable: true }));
  }, malformed);
  await page.waitForFunction("document.querySelector('input[name=file]').value === 'lagoon.dat'");
  const warned = (await problems(page)).filter((p) => p.severity === "warning");
  check(warned.length === 1 && warned[0].line === 27 && await value("enInfo1") === "" &&
        await page.$eval("input[name=enInfo1]", (e) => e.classList.contains("wrong")),
        "a malformed English line opens, warned about on its line and marked on its field: " +
        JSON.stringify(warned));
  await typeInto(page, "enInfo1", "Two_islands", true);
  check((await editorBytes(page)).toString("latin1") ===
          malformed.replace("en-info1:A tricky_course_round_two_islands", "en-info1:Two_islands") &&
        (await problems(page)).length === 0, "typing a good text mends the line");
  await page.close();
}

async function main() {
  const browser = await launchChromium();
  const consoleProblems = [];
  try {
    await editShippedCourse(browser, consoleProblems);
    const driven = await newCourseTestDrive(browser, consoleProblems);
    await droppedCourses(browser, consoleProblems, driven);
    await englishFields(browser, consoleProblems);
  } finally {
    await browser.close();
  }
  check(consoleProblems.length === 0,
        "nothing on the console" + (consoleProblems.length ? ": " + consoleProblems.join(" | ") : ""));
  process.exit(failures === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log("FAIL " + error.stack);
  process.exit(1);
});
