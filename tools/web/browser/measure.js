// Measures the page in headless chromium while it races (numbers for notes, not for tests):
// time to the first frame, frame intervals and the browser's CPU use over ten seconds.
// usage: node measure.js BASE_URL   (the site as tools/web/browser_test.sh lays it out)
"use strict";
const fs = require("fs");
const { launchChromium } = require("./chromium");

// User and system time (clock ticks) of a process and all its descendants.
function cpuTicks(pid) {
  let total = 0;
  for (const entry of fs.readdirSync("/proc")) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, "utf8");
      const fields = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
      const isOurs = (p) => {
        for (let at = Number(p), hops = 0; at > 1 && hops < 10; ++hops) {
          if (at === pid) return true;
          const s = fs.readFileSync(`/proc/${at}/stat`, "utf8");
          at = Number(s.slice(s.lastIndexOf(")") + 2).split(" ")[1]);
        }
        return false;
      };
      if (isOurs(entry)) total += Number(fields[11]) + Number(fields[12]);
    } catch (e) {}
  }
  return total;
}

(async () => {
  const browser = await launchChromium();
  const page = await browser.newPage();
  await page.goto(`${process.argv[2]}/?keys=test/keys.txt&stagedir=test/stage&seed=1`);
  await page.waitForFunction("window.tidewake && window.tidewake.frame >= 450", { timeout: 60000, polling: 100 });
  const first = await page.evaluate(() => tidewake.firstFrameMs);
  const pid = browser.process().pid;
  const startFrame = await page.evaluate(() => tidewake.frame);
  const before = cpuTicks(pid), started = Date.now();
  await new Promise((r) => setTimeout(r, 10000));
  const used = (cpuTicks(pid) - before) / 100, seconds = (Date.now() - started) / 1000;
  const endFrame = await page.evaluate(() => tidewake.frame);
  const intervals = (await page.evaluate(() => tidewake.frameIntervals())).slice(-(endFrame - startFrame));
  const mean = intervals.reduce((a, b) => a + b, 0) / intervals.length;
  const sd = Math.sqrt(intervals.reduce((a, b) => a + (b - mean) ** 2, 0) / intervals.length);
  const sorted = intervals.slice().sort((a, b) => a - b);
  console.log(`first frame ${first.toFixed(0)} ms after the page started loading`);
  const loads = await page.evaluate(() => performance.getEntriesByType("resource").map(
      (r) => `${r.name.replace(/^.*\//, "")} ${r.startTime.toFixed(0)}..${r.responseEnd.toFixed(0)}`));
  console.log("loaded: " + loads.join(", "));
  console.log(`frame interval over ${intervals.length} frames: mean ${mean.toFixed(2)} ms, sd ${sd.toFixed(2)}, ` +
              `min ${sorted[0].toFixed(1)}, median ${sorted[sorted.length >> 1].toFixed(1)}, max ${sorted[sorted.length - 1].toFixed(1)}`);
  console.log(`browser CPU while racing: ${((100 * used) / seconds).toFixed(1)}% of one core (all its processes)`);
  await browser.close();
})();
