// Measures the page in headless chromium while it races against the floor page (floor.html, which
// does nothing but present a frame 30 times a second), side by side: rounds that take the two in
// turn, each in a browser of its own, so that whatever else the machine does weighs on both
// alike. Prints each round, then the medians: the browser's CPU use, the game's share over the
// floor's, its time to the first frame and its frame intervals. Numbers for notes, not for tests.
// usage: node measure.js BASE_URL [ROUNDS] [SECONDS] [QUERY]
//   (the site as tools/web/measure.sh lays it out; QUERY is added to the game page's URL)
"use strict";

// What the functions run in the pages see there: the game's object and floor.html's.
/* global tidewake, floor */

const fs = require("fs");
const { launchChromium } = require("./chromium");

const [baseUrl, rounds = "5", seconds = "10", extraQuery = ""] = process.argv.slice(2);
// Large enough for the page to show its frame twice as large, as the floor page does.
const viewport = { width: 1400, height: 1040 };
// In Japanese, whatever the browser's language, as the page was always measured.
const gameUrl = `${baseUrl}/?keys=test/keys.txt&stagedir=test/stage&seed=1&lang=ja${extraQuery}`;
// The race of the key script is under way by then.
const racingFrame = 450;
const floorWarmUpMs = 3000;

// User and system time (clock ticks) of a process and all its descendants.
function cpuTicks(pid) {
  const parents = new Map(), ticks = new Map();
  for (const entry of fs.readdirSync("/proc")) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, "utf8");
      const fields = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
      parents.set(Number(entry), Number(fields[1]));
      ticks.set(Number(entry), Number(fields[11]) + Number(fields[12]));
    } catch (e) {
      // The process ended while it was read: it uses nothing any more.
    }
  }
  const isOurs = (p) => {
    for (let at = p, hops = 0; at > 1 && hops < 10; ++hops, at = parents.get(at)) {
      if (at === pid) return true;
    }
    return false;
  };
  let total = 0;
  for (const [p, t] of ticks) if (isOurs(p)) total += t;
  return total;
}

// Percent of one core that the browser used over `ms` from now.
async function cpuOver(browser, ms) {
  const pid = browser.process().pid;
  const before = cpuTicks(pid), started = Date.now();
  await new Promise((r) => setTimeout(r, ms));
  // Clock ticks are hundredths of a second.
  return (1000 * (cpuTicks(pid) - before)) / (Date.now() - started);
}

async function measureFloor() {
  const browser = await launchChromium();
  try {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    await page.goto(`${baseUrl}/floor.html`);
    await new Promise((r) => setTimeout(r, floorWarmUpMs));
    const startFrame = await page.evaluate(() => floor.frame);
    const cpu = await cpuOver(browser, seconds * 1000);
    const frames = (await page.evaluate(() => floor.frame)) - startFrame;
    return { cpu, fps: frames / seconds };
  } finally {
    await browser.close();
  }
}

async function measureGame() {
  const browser = await launchChromium();
  try {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    await page.goto(gameUrl);
    await page.waitForFunction(`window.tidewake && window.tidewake.frame >= ${racingFrame}`,
                               { timeout: 120000, polling: 100 });
    const first = await page.evaluate(() => tidewake.firstFrameMs);
    const scale = await page.evaluate(() => document.getElementById("screen").clientWidth / 640);
    const startFrame = await page.evaluate(() => tidewake.frame);
    const cpu = await cpuOver(browser, seconds * 1000);
    const endFrame = await page.evaluate(() => tidewake.frame);
    const intervals = (await page.evaluate(() => tidewake.frameIntervals())).slice(-(endFrame - startFrame));
    const loads = await page.evaluate(() => performance.getEntriesByType("resource").map(
      (r) => `${r.name.replace(/^.*\//, "")} ${r.startTime.toFixed(0)}..${r.responseEnd.toFixed(0)}`));
    return { cpu, first, scale, intervals, loads, fps: (endFrame - startFrame) / seconds };
  } finally {
    await browser.close();
  }
}

const median = (values) => {
  const sorted = values.slice().sort((a, b) => a - b);
  const mid = sorted.length >> 1;
  return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
};

(async () => {
  const floors = [], games = [];
  for (let round = 0; round < Number(rounds); ++round) {
    // Each round swaps which goes first, so a load that grows or fades falls on both.
    const order = round % 2 ? [measureGame, measureFloor] : [measureFloor, measureGame];
    const results = {};
    for (const measure of order) results[measure === measureGame ? "game" : "floor"] = await measure();
    const { game, floor } = results;
    floors.push(floor);
    games.push(game);
    console.log(`round ${round + 1}: floor ${floor.cpu.toFixed(1)}% (${floor.fps.toFixed(1)} fps), ` +
                `page ${game.cpu.toFixed(1)}% (${game.fps.toFixed(1)} fps, ${game.scale}x), ` +
                `ratio ${(game.cpu / floor.cpu).toFixed(2)}, first frame ${game.first.toFixed(0)} ms`);
  }
  const last = games[games.length - 1];
  console.log("loaded (last round): " + last.loads.join(", "));
  const intervals = games.flatMap((g) => g.intervals);
  const mean = intervals.reduce((a, b) => a + b, 0) / intervals.length;
  const sd = Math.sqrt(intervals.reduce((a, b) => a + (b - mean) ** 2, 0) / intervals.length);
  console.log(`frame interval over ${intervals.length} frames: mean ${mean.toFixed(2)} ms, ` +
              `sd ${sd.toFixed(2)}, median ${median(intervals).toFixed(1)}, ` +
              `max ${Math.max(...intervals).toFixed(1)}`);
  const floorCpu = median(floors.map((f) => f.cpu)), gameCpu = median(games.map((g) => g.cpu));
  console.log(`median over ${rounds} rounds: floor ${floorCpu.toFixed(1)}%, page ${gameCpu.toFixed(1)}% ` +
              `of one core (all the browser's processes), ratio ${(gameCpu / floorCpu).toFixed(2)} ` +
              `(median of the rounds' ratios ${median(games.map((g, i) => g.cpu / floors[i].cpu)).toFixed(2)})`);
  console.log(`first frame: median ${median(games.map((g) => g.first)).toFixed(0)} ms after the page ` +
              `was asked for`);
})();
