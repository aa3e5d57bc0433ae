// End-to-end test of the virtual LCD web panel in headless Chromium: the panel shows the frame the
// host pushes, a click on soft button 3 is read back by the host as mask 8, the LCD and buttons fit
// phone and desktop windows, and another page's form cannot press one.
// Usage: node panel.test.mjs HOST_PROGRAM PLUGIN
// Exits 77 (skipped) when Chromium or playwright-core is not installed.

import { spawn } from "node:child_process";
import { existsSync, mkdtempSync, rmSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

const SKIP = 77;
const here = dirname(fileURLToPath(import.meta.url));
const chromiumPath = process.env.KORVAN_CHROMIUM || "/usr/bin/chromium";
const port = Number(process.env.KORVAN_TEST_PORT_BASE || 18160) + 10;
const [hostProgram, plugin] = process.argv.slice(2);

function skip(why) {
  console.log(`SKIPPED: ${why} (scripts/install-browser-deps.sh installs it)`);
  process.exit(SKIP);
}

if (!existsSync(chromiumPath)) skip(`no Chromium at ${chromiumPath}`);
let chromium;
try {
  ({ chromium } = createRequire(join(here, "package.json"))("playwright-core"));
} catch {
  skip("playwright-core is not installed in tests/browser/node_modules");
}

// The same frame as the host's: an 8-pixel checkerboard in the left half, the bottom row lit.
function expectedLit(x, y) {
  return (x < 80 && (Math.floor(x / 8) + Math.floor(y / 8)) % 2 === 0) || y === 42;
}

async function waitFor(what, timeoutMs, check) {
  const deadline = Date.now() + timeoutMs;
  while (Date.now() < deadline) {
    if (await check()) return;
    await new Promise(resolve => setTimeout(resolve, 100));
  }
  throw new Error(`timed out waiting for ${what}`);
}

const host = spawn(hostProgram, [plugin], {
  env: { ...process.env, LCD_VIRTUAL_HTTP: `127.0.0.1:${port}` },
  stdio: ["pipe", "pipe", "inherit"],
});
let hostOutput = "";
host.stdout.on("data", chunk => { hostOutput += chunk; });

const userDataDir = mkdtempSync(join(tmpdir(), "korvan-chromium-"));
let context;
let failed = false;
try {
  await waitFor("the host to open the device", 10000, () => hostOutput.includes("ready"));
  context = await chromium.launchPersistentContext(userDataDir, {
    executablePath: chromiumPath,
    headless: true,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  const page = context.pages()[0] || await context.newPage();
  await page.goto(`http://127.0.0.1:${port}/`);

  // The canvas holds the LCD's own pixels; lit ones are white.
  let mismatches = -1;
  await waitFor("the pushed frame on the page", 10000, async () => {
    const data = await page.evaluate(() => {
      const canvas = document.getElementById("lcd");
      return Array.from(canvas.getContext("2d").getImageData(0, 0, 160, 43).data);
    });
    mismatches = 0;
    for (let i = 0; i < 160 * 43; i++)
      if ((data[i * 4] > 128) !== expectedLit(i % 160, Math.floor(i / 160))) mismatches++;
    return mismatches === 0;
  }).catch(error => { throw new Error(`${error.message}: ${mismatches} pixels differ`); });

  await waitFor("the status line", 5000, async () =>
    (await page.textContent("#status")).startsWith("connected"));

  await page.click('button[data-bit="8"]');
  await waitFor("the host to read mask 8", 5000, () => hostOutput.includes("buttons 8\n"));

  // Phones, desktop: all in view, buttons thumb-high, LCD whole-pixel where 2+ fit.
  for (const [width, height] of [[390, 844], [844, 390], [320, 568], [1280, 800]]) {
    await page.setViewportSize({ width, height });
    const [ratio, lcd, ...buttons] = await page.evaluate(() => new Promise(done =>
      requestAnimationFrame(() => done([devicePixelRatio, ...[...document.querySelectorAll(
        "#lcd, #buttons button")].map(element => element.getBoundingClientRect().toJSON())]))));
    const scale = lcd.width * ratio / 160;
    if (buttons.length !== 4 || [lcd, ...buttons].some(box => box.left < 0 || box.top < 0 ||
        box.right > width + 0.5 || box.bottom > height + 0.5 || (box !== lcd && box.height < 44)) ||
        (scale >= 2 ? Math.abs(scale - Math.round(scale)) > 0.01 : lcd.width < width - 40))
      throw new Error(`${width}x${height}: ${JSON.stringify([lcd, ...buttons])}`);
  }

  // A form on another page posting a press: refused by the panel.
  const forgery = await context.newPage();
  await forgery.setContent(`<form method="post" enctype="text/plain"
      action="http://127.0.0.1:${port}/button"><input name="mask" value="2"></form>`);
  const [refusal] = await Promise.all([forgery.waitForNavigation(),
                                       forgery.evaluate(() => document.forms[0].submit())]);
  if (refusal.status() !== 403) throw new Error(`a forged press got ${refusal.status()}`);
  console.log("panel shows the pushed frame; soft button 3 read back as mask 8; " +
              "a forged press refused");
} catch (error) {
  failed = true;
  console.error(`FAILED: ${error.message}`);
  console.error(`host output:\n${hostOutput}`);
} finally {
  if (context) await context.close().catch(() => {});
  host.stdin.end();
  await new Promise(resolve => {
    const timer = setTimeout(() => { host.kill("SIGKILL"); resolve(); }, 5000);
    host.on("exit", () => { clearTimeout(timer); resolve(); });
  });
  rmSync(userDataDir, { recursive: true, force: true });
}
process.exit(failed ? 1 : 0);
