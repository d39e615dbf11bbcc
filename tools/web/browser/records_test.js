// The page served by a record server (tools/web/browser_test.sh starts one of its own): under
// /play/ it finds the server and offers the record table. The first course is shared from the
// stage select; a whole race on it, driven by a key script, is submitted under a name and ranked;
// another player's browser is refused that name, and a race on a course the server lacks and a
// name the server will not take are refused in the server's words. The run is then on the stage
// select's table, and "Race against" races it as the ghost. Last the record table's page: the
// course in both languages with its map, the run, links that answer, a course whose texts are
// markup shown as text, and a layout that fits a phone and uses a desktop's width.
// usage: node records_test.js SERVER_URL ROOT OTHER_COURSE_REPLAY
"use strict";

// What the functions run in the page see there: the page's own objects.
/* global tidewake, TideWakePage */

const fs = require("fs");
const path = require("path");
const { launchChromium } = require("./chromium");
const { check, failures, pageDriver, watchOrange, orangeSeen, raceFor } = require("./page_driver");

const [serverUrl, root, otherReplayPath] = process.argv.slice(2);
const { openPage } = pageDriver(serverUrl + "/play", { lang: "en" });
const keys = fs.readFileSync(path.join(root, "tests", "fixtures", "finish_01.keys"));
const player = "Wake-Runner";

async function api(pathName, options) {
  const answer = await fetch(serverUrl + "/api/" + pathName, options);
  return { status: answer.status, body: await answer.json() };
}

// Waits until `test` (run in the page) gives something other than null; gives that, or null.
const waitFor = (page, test, arg, timeout = 20000) =>
  page.waitForFunction(test, { timeout, polling: 50 }, arg).then((h) => h.jsonValue(), () => null);

// The stage select's panel as the player sees it.
const panelState = (page) => page.evaluate(() => {
  const panel = document.getElementById("course-records");
  if (!panel) return null;
  const shown = (node) => !node.hidden && getComputedStyle(node).display !== "none";
  return {
    shown: shown(panel) && getComputedStyle(panel).display !== "none",
    state: panel.querySelector(".state").textContent,
    note: panel.querySelector(".note").textContent,
    share: Array.from(panel.querySelectorAll("button")).some((b) => b.textContent === "Share this course" && shown(b)),
    rows: Array.from(panel.querySelectorAll("tbody tr"), (row) => Array.from(row.cells, (c) => c.textContent)),
  };
});

async function clickButton(page, selector, label) {
  const button = await page.evaluateHandle((selector, label) => Array.from(document.querySelectorAll(selector))
    .find((b) => b.textContent === label), selector, label);
  if (!button.asElement()) return false;
  await button.asElement().click();
  return true;
}

// The course on the stage select is not on the server: the panel says so and shares it.
async function shareFromStageSelect(browser, problems) {
  const asked = [];
  const page = await openPage(browser, problems, "?course=01.dat", (page) =>
    page.on("request", (request) => asked.push(request.url())));
  const before = await waitFor(page, () => {
    const panel = document.getElementById("course-records");
    return panel && !panel.hidden && /not shared/.test(panel.textContent) ? true : null;
  });
  const state = await panelState(page);
  const detections = asked.filter((url) => url.endsWith("/api/courses")).length;
  check(before && state.shown && state.share && state.rows.length === 0 && detections === 1,
        `under /play/ the page asks once whether a record server answers (${detections} times), and the ` +
        `stage select's course the server lacks says "${state && state.state}" beside a Share button`);
  const chosen = await page.evaluate(() => window.Module.UTF8ToString(window.Module._tw_chosen_course()));
  await clickButton(page, "#course-records button", "Share this course");
  const shared = await waitFor(page, () => {
    const panel = document.getElementById("course-records");
    return /No runs yet/.test(panel.querySelector(".state").textContent) ? panel.textContent : null;
  });
  const courses = (await api("courses")).body;
  const checksum = chosen.split(" ")[0];
  check(shared && /is on the record table/.test(shared) && courses.length === 1 &&
        courses[0].course === checksum && courses[0].en_name === "Harbour Bay Circuit" &&
        !(await panelState(page)).share,
        `Share uploads the chosen course (${chosen}): the server has it by that checksum and the ` +
        "panel shows its empty table");
  await page.close();
  return checksum;
}

// A whole race by the key script, submitted under the player's name.
async function raceAndSubmit(browser, problems, checksum) {
  const script = encodeURIComponent("data:text/plain;base64," + keys.toString("base64"));
  const page = await openPage(browser, problems, `?keys=${script}&seed=1&fast=1`);
  const offered = await waitFor(page, () => {
    const button = document.getElementById("submit-run");
    return button && !button.hidden && !document.getElementById("save-replay").hidden ? true : null;
  }, undefined, 240000);
  check(offered, "after the finished race the page offers Submit to the record table beside Save replay");
  await page.click("#submit-run");
  const focused = await page.evaluate(() => document.activeElement.name);
  // Typed into the field, the keys are the name's: none of them reaches the game.
  await page.keyboard.type(player);
  await page.keyboard.press("Enter");
  const told = await waitFor(page, () => {
    const text = document.querySelector("#record-submit .result").textContent;
    return /^(Rank|Not)/.test(text) ? text : null;
  }, undefined, 60000);
  const runs = (await api(`courses/${checksum}/runs`)).body;
  const run = runs[0] || {};
  const shownTotal = told && /: (\d+\.\d\d) s/.exec(told);
  check(focused === "player" && told && /^Rank 1 on 01\.dat: /.test(told) && runs.length === 1 &&
        run.name === player && shownTotal && Number(shownTotal[1]) === run.total,
        `the race submitted under ${player} is verified and ranked: "${told}"; the table holds ` +
        JSON.stringify(runs.map((r) => [r.rank, r.name, r.total])));
  const kept = await page.evaluate(async () => {
    const db = await new Promise((resolve, reject) => {
      const request = indexedDB.open("tidewake-records");
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
    const token = await new Promise((resolve) => {
      const request = db.transaction("player").objectStore("player").get("token");
      request.onsuccess = () => resolve(request.result);
    });
    db.close();
    return { token, name: localStorage.getItem("tidewake-record-name"),
             again: document.querySelector("#record-submit button").disabled };
  });
  check(/^[0-9a-f]{32}$/.test(kept.token) && kept.name === player && kept.again,
        "the player's token is kept in IndexedDB (32 hex digits), the name in localStorage, and the " +
        "submitted race cannot be sent twice");
  const replay = await fetch(`${serverUrl}/api/runs/${run.run}/replay`).then((a) => a.text());
  await page.close();
  return { checksum, run, replay };
}

// Refusals come in the server's words: a name another browser holds, a course it does not have
// and a name it does not take; none of them lands on the table.
async function refusals(browser, problems, { checksum, replay }) {
  const context = await browser.createIncognitoBrowserContext();
  const page = await openPage(context, problems, "?course=01.dat");
  await waitFor(page, () => (document.getElementById("submit-run") ? true : null));
  const other = fs.readFileSync(otherReplayPath, "utf8");
  const attempts = [
    [player, replay, /^Not on the table: the name Wake-Runner belongs to another player$/],
    ["Second", other, /^Not on the table: no course with checksum [0-9a-f]{16} is kept here; upload the course first$/],
    ["<img src=x onerror=f()>", replay, /^Not on the table: X-Player-Name: /],
  ];
  for (const [name, text, expected] of attempts) {
    await page.evaluate((text) => TideWakePage.replayReady(new TextEncoder().encode(text), "01-test.twr"), text);
    if (await page.$eval("#record-submit", (panel) => panel.hidden)) await page.click("#submit-run");
    await page.$eval("#record-submit input", (input, name) => (input.value = name), name);
    await page.click("#record-submit button");
    const told = await waitFor(page, () => {
      const text = document.querySelector("#record-submit .result").textContent;
      return /^(Rank|Not)/.test(text) ? text : null;
    }, undefined, 30000);
    const markup = await page.evaluate(() => document.querySelectorAll("#record-submit img").length +
      (window.twInjected === undefined ? 0 : 1));
    check(told && expected.test(told) && markup === 0, `refused as the server says: "${told}"`);
  }
  const runs = (await api(`courses/${checksum}/runs`)).body;
  check(runs.length === 1, `the refused runs are not on the table (${runs.length} run)`);

  // The race on the course the server lacked: the panel offers to share it, and then submits.
  const course = /^course (.*)$/m.exec(other)[1];
  const offer = await page.evaluate(() => {
    const button = document.querySelector("#record-submit .result + button");
    return button && !button.hidden ? button.textContent : null;
  });
  await page.evaluate((text) => TideWakePage.replayReady(new TextEncoder().encode(text), "03-test.twr"), other);
  await page.$eval("#record-submit input", (input) => (input.value = "Second"));
  await page.click("#record-submit button");
  const again = await waitFor(page, () => {
    const button = document.querySelector("#record-submit .result + button");
    return button && !button.hidden ? button.textContent : null;
  });
  if (again) await page.click("#record-submit .result + button");
  const ranked = await waitFor(page, () => {
    const text = document.querySelector("#record-submit .result").textContent;
    return /^Rank/.test(text) ? text : null;
  }, undefined, 30000);
  const shared = (await api("courses")).body.filter((c) => c.runs === 1).length;
  check(offer === null && again === `Share ${course}, then submit` && ranked && ranked.startsWith(`Rank 1 on ${course}`) &&
        shared === 2,
        `a race on a course the server lacks offers "${again}", which shares it and submits the race: "${ranked}"`);
  await context.close();
}

// The run on the stage select's table, raced against as the ghost.
async function raceAgainstTheTable(browser, problems, { run }) {
  const said = [];
  const page = await openPage(browser, problems, "?course=01.dat", async (page) => {
    page.on("console", (m) => said.push(m.text()));
    await watchOrange(page);
  });
  const listed = await waitFor(page, (name) => {
    const row = Array.from(document.querySelectorAll("#course-records tbody tr"))
      .find((r) => r.cells[1].textContent === name);
    return row ? Array.from(row.cells, (c) => c.textContent) : null;
  }, player);
  check(listed && listed[0] === "1" && listed[2] === run.total.toFixed(2) && listed[3] === "Race against",
        "the stage select's table lists the submitted run: " + JSON.stringify(listed));
  await clickButton(page, "#course-records button", "Race against");
  const note = await waitFor(page, () => {
    const text = document.querySelector("#course-records .note").textContent;
    return /races as the ghost/.test(text) ? text : null;
  });
  const where = await page.evaluate(() => ({ scene: tidewake.scene,
                                             message: !document.getElementById("message").hidden }));
  check(note && where.scene === 5 && !where.message &&
        said.some((line) => /racing against run-\d+\.twr on 01\.dat/.test(line)),
        `"Race against" gives the game the run as its ghost on the stage select: "${note}"`);
  const raced = await raceFor(page, 600);
  const seen = await orangeSeen(page);
  const hidden = await page.evaluate(() => document.getElementById("course-records").hidden);
  check(raced && seen.orange.length > 0 && seen.outside.length === 0 && hidden,
        `Down starts the countdown and the race, with the run's boat as the ghost (${seen.orange.length} ` +
        "frames with orange, none before the race), the table put away");
  await page.close();
}

// A course whose every text is markup, and whose racing differs from the first course's (its
// pace), so that it is a course of its own.
function markupCourse() {
  const lines = fs.readFileSync(path.join(root, "stage", "01.dat"), "latin1").split("\n");
  lines[1] = "<b>bold</b>";
  lines[2] = "<script>window.twInjected=2</script>";
  lines[4] = "9";
  const english = { "en-name": "<img_src=x_onerror=window.twInjected=1>", "en-info1": "<i>slanted</i>" };
  const text = lines.map((line) => {
    const key = line.split(":")[0];
    return key in english ? key + ":" + english[key] : line;
  }).join("\n");
  return Buffer.from(text, "latin1");
}

async function tablePage(browser, problems, { checksum, run, replay }) {
  const upload = await api("courses", { method: "POST", body: markupCourse(), headers: { "X-File-Name": "markup.dat" } });
  check(upload.status === 201, "a course with markup in its texts is shared: " + JSON.stringify(upload.body));
  const page = await browser.newPage();
  page.on("console", (m) => m.type() === "error" && problems.push(m.text()));
  page.on("pageerror", (e) => problems.push(e.message));
  await page.setViewport({ width: 1280, height: 900 });
  await page.goto(serverUrl + "/");
  await waitFor(page, () => (document.body.classList.contains("ready") &&
    Array.from(document.images).every((image) => image.complete) ? true : null));
  const shown = await page.evaluate(() => Array.from(document.querySelectorAll("section.course"), (box) => ({
    id: box.id,
    title: box.querySelector("h2").textContent,
    texts: Array.from(box.querySelectorAll(".heading p"), (p) => p.textContent),
    map: box.querySelector("img").naturalWidth,
    links: Array.from(box.querySelectorAll("a.download"), (a) => a.href),
    rows: Array.from(box.querySelectorAll("tbody tr"), (row) => Array.from(row.cells, (c) => c.textContent)),
  })));
  const first = shown.find((box) => box.id === "course-" + checksum) || {};
  const row = (first.rows || [])[0] || [];
  check(first.title === "Harbour Bay Circuit" && first.texts.length >= 5 && first.map === 640 &&
        row[0] === "1" && row[1] === player && row[2] === run.total.toFixed(2) && row[4] === String(run.place) &&
        row[6] === "Download replay",
        "the table page shows the course in English over its Japanese texts, its map, and the run: " +
        JSON.stringify({ title: first.title, texts: first.texts, row }));
  const answers = await page.evaluate((links) => Promise.all(links.map(async (link) => {
    const answer = await fetch(link);
    return { status: answer.status, bytes: Array.from(new Uint8Array(await answer.arrayBuffer())) };
  })), first.links || []);
  const course = fs.readFileSync(path.join(root, "stage", "01.dat"));
  check(answers.length === 2 && answers.every((a) => a.status === 200) &&
        Buffer.from(answers[0].bytes).equals(course) && Buffer.from(answers[1].bytes).toString() === replay,
        "Download course and Download replay answer with the shared file and the submitted replay, byte for byte");

  const markup = shown.find((box) => box.title.startsWith("<img")) || {};
  const injected = await page.evaluate(() => ({
    images: document.images.length, sections: document.querySelectorAll("section.course").length,
    bold: document.querySelectorAll("main b, main i, main script").length, ran: window.twInjected,
  }));
  check(markup.title === "<img src=x onerror=window.twInjected=1>" && markup.texts.includes("<b>bold</b>") &&
        markup.texts.includes("<script>window.twInjected=2</script>") && injected.images === injected.sections &&
        injected.bold === 0 && injected.ran === undefined,
        "a course's texts that are markup show as text: " + JSON.stringify(markup.texts));

  const wide = await page.evaluate(() => {
    const box = document.querySelector("section.course");
    const map = box.querySelector("img").getBoundingClientRect();
    return map.right <= box.querySelector(".heading").getBoundingClientRect().left;
  });
  await page.setViewport({ width: 360, height: 740 });
  const narrow = await page.evaluate(() => ({
    width: document.documentElement.scrollWidth,
    laps: getComputedStyle(document.querySelector("td.laps")).display,
    map: document.querySelector("section.course img").getBoundingClientRect().width,
  }));
  check(wide && narrow.width <= 360 && narrow.laps === "none" && narrow.map <= 340,
        "on a desktop the map stands beside the course's texts; on a phone the page fits its width " +
        `(${narrow.width} px) and leaves out the laps`);
  await page.close();
}

async function main() {
  const browser = await launchChromium();
  const problems = [];
  try {
    const checksum = await shareFromStageSelect(browser, problems);
    const submitted = await raceAndSubmit(browser, problems, checksum);
    await refusals(browser, problems, submitted);
    await raceAgainstTheTable(browser, problems, submitted);
    await tablePage(browser, problems, submitted);
  } finally {
    await browser.close();
  }
  // The server's refusals are answers the page reads, not faults of the page.
  const faults = problems.filter((text) => !/status of (4\d\d)/.test(text));
  check(faults.length === 0, "nothing on the console" + (faults.length ? ": " + faults.join(" | ") : ""));
  process.exit(failures() === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log("FAIL " + error.message);
  process.exit(1);
});
