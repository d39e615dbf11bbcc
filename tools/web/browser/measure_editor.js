// Measures the course editor in headless chromium (numbers for notes, not for tests): the time
// from asking for the page to its first drawn preview, over several fresh loads, and the time a
// new course takes from the template to the game's stage select when its six buoys are dragged
// by mouse and it is test-driven.
// usage: node measure_editor.js BASE_URL [LOADS]
"use strict";

// What the functions run in the page see there: the editor's object.
/* global tidewakeEditor */

const { launchChromium } = require("./chromium");

const [baseUrl, loads = "7"] = process.argv.slice(2);
const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];

(async () => {
  const browser = await launchChromium();
  const firsts = [];
  for (let i = 0; i < Number(loads); ++i) {
    const page = await browser.newPage();
    await page.setCacheEnabled(false);
    await page.goto(`${baseUrl}/editor.html`);
    await page.waitForFunction("window.tidewakeEditor && tidewakeEditor.firstPreviewMs > 0");
    // The page's clock starts when it was asked for.
    firsts.push(await page.evaluate(() => tidewakeEditor.firstPreviewMs));
    await page.close();
  }
  console.log(`first drawn preview: median ${median(firsts).toFixed(0)} ms of ` +
              firsts.map((t) => t.toFixed(0)).join(", "));

  const page = await browser.newPage();
  await page.setViewport({ width: 1240, height: 900 });
  page.on("dialog", (dialog) => dialog.accept());
  await page.goto(`${baseUrl}/editor.html`);
  await page.waitForFunction("window.tidewakeEditor && tidewakeEditor.firstPreviewMs > 0");
  const began = Date.now();
  for (let i = 0; i < 6; ++i) {
    const at = (await page.evaluate(() => tidewakeEditor.handles()))[i];
    await page.mouse.move(at.x, at.y);
    await page.mouse.down();
    await page.mouse.move(at.x + 15 - 5 * i, at.y + 10, { steps: 10 });
    await page.mouse.up();
  }
  await page.click("#test-drive");
  await page.waitForFunction("window.tidewake && tidewake.scene === 5", { timeout: 30000 });
  console.log(`template to the stage select by mouse, machine speed: ${Date.now() - began} ms`);
  await browser.close();
})();
