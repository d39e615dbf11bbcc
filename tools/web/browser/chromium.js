// Headless chromium for the page tests and measurements: Debian's own browser (or $CHROMIUM),
// each run with a profile of its own.
"use strict";

const fs = require("fs");
const puppeteer = require("puppeteer-core");

function launchChromium() {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: "new",
    args: ["--no-sandbox", "--disable-gpu", "--user-data-dir=" + fs.mkdtempSync("/tmp/tw-chromium-")],
  });
}

module.exports = { launchChromium };
