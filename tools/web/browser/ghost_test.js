// The ghosts on the page, run by browser_test.js after its whole game, whose finished race on our
// first course is then the course's kept best. After a reload the browser still holds that ghost,
// the native runner's replay of the race byte for byte, and the next race on the course shows it:
// orange in the race and nowhere before, the very frame the native runner draws racing the same
// ghost; with ghost=0 the page races without it, as the native runner does. A dropped replay
// offers two buttons the keyboard reaches; "Race against it" takes the game to the stage select on
// the replay's course, whose race shows its boat. A truncated, oversized, changed or foreign
// replay is refused in the game's words, leaves no ghost (not even the one given before) and the
// game goes on; no dropped file stays in the page's folder, not even that of a replay waiting for
// the title when the player chooses another.
"use strict";

// What the functions run in the page see there: the page's own objects.
/* global tidewake, TideWakeStageStore */

const fs = require("fs");
const path = require("path");
const { check, pageDriver, compareStoppedFrame, dropFiles, messageSaying, chooseForReplay, watchOrange,
        orangeSeen, waitForScene, raceFor } = require("./page_driver");

// The replay files the page holds in its own folder, where dropped files are read from.
const replaysLeft = (page) => page.evaluate(() =>
  window.Module.FS.readdir("/").filter((name) => name.endsWith(".twr")));

function describeOrange(seen) {
  const first = seen.orange.length ? seen.orange[0][0] : "none";
  return `${seen.orange.length} frames with orange, first ${first}, race from frame ` +
    `${seen.firstRace}, ${seen.outside.length} outside the race, at most ${seen.most} pixels`;
}

async function keptGhost(browser, problems, { baseUrl, nativeDir, ghostStop }) {
  const { openPage, reopen } = pageDriver(baseUrl);
  const native = fs.readFileSync(path.join(nativeDir, "..", "site", "test", "race.twr"), "utf8");
  const name = /^checksum ([0-9a-f]{16})$/m.exec(native)[1] + ".twr";
  const query = `?keys=test/straight.txt&seed=1&notext=1&fast=1&stop=${ghostStop}`;
  const page = await openPage(browser, problems, query, watchOrange);
  const held = await page.evaluate(async () => {
    const FS = window.Module.FS;
    const names = FS.readdir("/ghosts").filter((n) => n !== "." && n !== "..");
    const stored = await TideWakeStageStore.load("/ghosts/");
    return { names, texts: names.map((n) => FS.readFile("/ghosts/" + n, { encoding: "utf8" })),
             stored: stored.map(([n]) => n) };
  });
  check(held.names.length === 1 && held.names[0] === name && held.texts[0] === native &&
        held.stored.join() === name,
        `after a reload the page holds the finished race's ghost from the browser, the native ` +
        `runner's replay byte for byte (${held.names.join(" ")}; stored ${held.stored.join(" ")})`);

  await compareStoppedFrame(page, ghostStop, path.join(nativeDir, "ghost.png"), "the next race against the kept ghost");
  const seen = await orangeSeen(page);
  check(seen.orange.length > 0 && seen.outside.length === 0 && seen.orange[0][0] > seen.firstRace,
        "the kept ghost shows in the next race on its course, in orange, and nowhere before: " +
        describeOrange(seen));

  await reopen(page, query + "&ghost=0");
  await compareStoppedFrame(page, ghostStop, path.join(nativeDir, "plain.png"), "with ghost=0, the same race");
  const none = await orangeSeen(page);
  check(none.firstRace > 0 && none.orange.length === 0,
        "with ghost=0 the kept ghost does not race: " + describeOrange(none));
  await page.close();
}

async function raceAgainstDropped(browser, problems, { baseUrl, nativeDir }) {
  const { openPage } = pageDriver(baseUrl);
  const said = [];
  const page = await openPage(browser, problems, "?stagedir=test/stage&notext=1&fast=1", async (page) => {
    page.on("console", (m) => said.push(m.text()));
    await watchOrange(page);
  });
  await waitForScene(page, 1);
  const replay = fs.readFileSync(path.join(nativeDir, "..", "site", "test", "race2.twr"), "utf8");
  await dropFiles(page, [["second.twr", replay]]);
  const offered = await page.waitForFunction(() => {
    const panel = document.getElementById("replay-choice");
    const row = panel.querySelector(".choice");
    if (panel.hidden || !row || getComputedStyle(panel).display === "none") return null;
    const buttons = Array.from(row.querySelectorAll("button"));
    return { label: row.getAttribute("aria-label"), buttons: buttons.map((b) => b.textContent),
             real: buttons.every((b) => b.tagName === "BUTTON" && b.tabIndex >= 0 && !b.disabled),
             focused: document.activeElement.textContent, message: !document.getElementById("message").hidden };
  }, { timeout: 10000, polling: 50 }).then((handle) => handle.jsonValue(), () => null);
  check(offered !== null && offered.label.endsWith("second.twr") &&
        ["Watch", "Race against it"].every((b) => offered.buttons.includes(b)) && offered.real &&
        offered.focused === "Watch" && !offered.message && (await page.evaluate(() => tidewake.scene)) === 1,
        "a dropped replay offers Watch and Race against it as buttons the keyboard reaches: " +
        JSON.stringify(offered));

  // The keyboard alone: Tab to the second button, Enter to press it.
  await page.keyboard.press("Tab");
  const second = await page.evaluate(() => document.activeElement.textContent);
  await page.keyboard.press("Enter");
  const selecting = await waitForScene(page, 5);
  const course = /^course (.*)$/m.exec(replay)[1];
  const gone = await page.evaluate(() => document.getElementById("replay-choice").hidden);
  check(second === "Race against it" && selecting && gone &&
        said.some((line) => line.includes("the stage select starts on " + course)),
        `"Race against it", chosen with Tab and Enter, goes to the stage select on the replay's ` +
        `course ${course}`);
  check((await replaysLeft(page)).length === 0, "the dropped replay's file is gone once read");
  const raced = await raceFor(page, 600);
  const seen = await orangeSeen(page);
  check(raced && seen.orange.length > 0 && seen.outside.length === 0,
        "the race on that course shows the replay's boat as the ghost: " + describeOrange(seen));
  await page.close();
}

async function refusedGhosts(browser, problems, { baseUrl, nativeDir }) {
  const { openPage } = pageDriver(baseUrl);
  const page = await openPage(browser, problems, "?stagedir=test/stage&notext=1&fast=1", watchOrange);
  const good = fs.readFileSync(path.join(nativeDir, "..", "site", "test", "race.twr"), "utf8");
  await waitForScene(page, 1);
  await dropFiles(page, [["good.twr", good]]);
  const given = await chooseForReplay(page, "good.twr", "Race against it") && await waitForScene(page, 5);
  check(given, "a good replay to race against is given first, and the stage select is on");

  const limit = await page.evaluate(() => window.Module._tw_file_limit(1));
  const bad = [
    ["truncated.twr", good.slice(0, good.length >> 1), /truncated\.twr:\d+: /],
    ["oversized.twr", good + " ".repeat(limit), /oversized\.twr: the file is larger than a replay can be/],
    ["changed.twr", good.replace(/^checksum [0-9a-f]+$/m, "checksum 0123456789abcdef"),
     /changed\.twr:3: the course 01\.dat has changed since this race/],
    ["foreign.twr", good.replace(/^course .*$/m, "course 77_elsewhere.dat"),
     /foreign\.twr:2: there is no course named 77_elsewhere\.dat/],
  ];
  for (const [name, text, refusal] of bad) {
    await dropFiles(page, [[name, text]]);
    const chose = await chooseForReplay(page, name, "Race against it");
    const said = await messageSaying(page, new RegExp(name.replace(".", "\\.")));
    const after = await page.evaluate(async () => {
      const frame = tidewake.frame;
      await new Promise((r) => setTimeout(r, 300));
      return { scene: tidewake.scene, runsOn: tidewake.frame > frame && !tidewake.stopped };
    });
    check(chose && /cannot race as a ghost/.test(said) && refusal.test(said) && after.scene === 5 && after.runsOn,
          `a ${name.replace(".twr", "")} replay to race against is refused in the game's words, and the game ` +
          "goes on where it was: " + said.split("\n").filter((l) => l.includes(name))[0]);
  }
  check((await replaysLeft(page)).length === 0, "none of the dropped replays stays in the page's folder");
  // The good replay's boat would show early in this race, had a refused one not taken it away.
  const raced = await raceFor(page, 600);
  const seen = await orangeSeen(page);
  check(raced && seen.orange.length === 0, "after the refusals no ghost races: " + describeOrange(seen));

  // In the race a replay to watch waits for the title; the player's latest choice replaces it,
  // and the file of the one replaced goes.
  const waiting = [];
  for (const [name, label] of [["first.twr", "Watch"], ["second.twr", "Watch"], ["third.twr", "Race against it"]]) {
    await dropFiles(page, [[name, good]]);
    await chooseForReplay(page, name, label);
    await page.waitForFunction((name) => !document.querySelector(`#replay-choice [aria-label$=" ${name}"]`),
                               { timeout: 5000, polling: 50 }, name).catch(() => {});
    waiting.push((await replaysLeft(page)).join(" ") || "none");
  }
  // The race or, once it is over, its results: never the title, where a waiting replay starts.
  const still = [3, 7].includes(await page.evaluate(() => tidewake.scene));
  check(waiting.join(", ") === "first.twr, second.twr, none" && still,
        "a replay waiting for the title gives way to the next choice, its file with it: " + waiting.join(", "));
  await page.close();
}

async function ghostTests(browser, problems, context) {
  await keptGhost(browser, problems, context);
  await raceAgainstDropped(browser, problems, context);
  await refusedGhosts(browser, problems, context);
}

module.exports = { ghostTests };
