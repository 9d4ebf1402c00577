// Plays the browser build in Debian's headless chromium: the title menu is
// drawn (the banner and the sky where they belong), a click on "Start Game"
// starts play, the play scene is saved as a picture, and the whole-campaign
// walkthrough played through the page ends past "You Win!!" with the same
// state as the native run of the same script and seed.
//
//   node browser-test.js SITE_DIR NATIVE_DUMP OUT_DIR
//
// SITE_DIR is build/web/site, NATIVE_DUMP the --dump-state of the native
// headless run of campaign.txt, OUT_DIR where pictures and figures go.
// Every wait is bounded; every request outside 127.0.0.1 is refused.
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [siteDir, nativeDumpFile, outDir] = process.argv.slice(2);
const kChromium = '/usr/bin/chromium';
const kViewport = { width: 1100, height: 940 };
const kSky = [0, 204, 255];  // the clear colour (0, 0.8, 1)
const kStartWait = 60000;
const kCampaignWait = 300000;

const failures = [];
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures.push(what);
}

// A static server for the site, on 127.0.0.1 only.
function serve(siteRoot) {
  const dir = path.resolve(siteRoot);
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                  '.data': 'application/octet-stream' };
  const server = http.createServer((req, res) => {
    const name = path.normalize(decodeURIComponent(new URL(req.url, 'http://127.0.0.1').pathname));
    const file = path.join(dir, name === '/' ? 'index.html' : name);
    if (!file.startsWith(dir + path.sep) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      res.writeHead(404);
      res.end();
      return;
    }
    res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

async function waitFor(page, what, predicate, timeout, ...args) {
  try {
    await page.waitForFunction(predicate, { timeout, polling: 100 }, ...args);
    return true;
  } catch (e) {
    check(false, `${what} (within ${timeout / 1000} s: ${e.message.split("\n")[0]})`);
    return false;
  }
}

// Where a back-buffer pixel lands on the canvas (the letterbox rule of the game).
function toCanvas(box, x, y) {
  const scale = Math.min(box.width / 1000, box.height / 800);
  const left = (box.width - 1000 * scale) / 2;
  const top = (box.height - 800 * scale) / 2;
  return { x: left + (x + 0.5) * scale, y: top + (y + 0.5) * scale };
}

// The canvas as shown, and RGB samples at back-buffer pixels.
async function canvasPixels(page, file, points) {
  const canvas = await page.$('#canvas');
  const box = await canvas.boundingBox();
  const png = await canvas.screenshot({ path: file });
  const at = points.map(([x, y]) => toCanvas(box, x, y));
  return page.evaluate(async (data, at) => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + data;
    await image.decode();
    const c = document.createElement('canvas');
    c.width = image.width;
    c.height = image.height;
    const g = c.getContext('2d', { willReadFrequently: true });
    g.drawImage(image, 0, 0);
    return at.map((p) => Array.from(g.getImageData(Math.floor(p.x), Math.floor(p.y), 1, 1).data.slice(0, 3)));
  }, Buffer.from(png).toString('base64'), at);
}

const near = (a, b, tolerance) => a.every((v, i) => Math.abs(v - b[i]) <= tolerance);

// Paths where two dumps differ, with both values.
function differences(a, b, where = '', out = []) {
  if (typeof a !== typeof b || (typeof a !== 'object' && a !== b)) {
    out.push(`${where}: browser ${JSON.stringify(a)}, native ${JSON.stringify(b)}`);
  } else if (a && typeof a === 'object') {
    for (const key of new Set([...Object.keys(a), ...Object.keys(b)])) differences(a[key], b[key], `${where}/${key}`, out);
  }
  return out;
}

async function openPage(browser, base, query) {
  const page = await browser.newPage();
  await page.setViewport(kViewport);
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    const url = new URL(request.url());
    if (url.hostname === '127.0.0.1' || url.protocol === 'data:') request.continue();
    else {
      check(false, `no request leaves 127.0.0.1 (${request.url()})`);
      request.abort();
    }
  });
  page.on('console', (message) => console.log(`  page: ${message.text()}`));
  page.on('pageerror', (error) => check(false, `no page error (${error.message})`));
  const started = Date.now();
  await page.goto(`${base}/index.html${query}`, { waitUntil: 'load', timeout: kStartWait });
  const up = await waitFor(page, 'the game draws its first frames',
                           () => window.vaporwickStatus && window.vaporwickStatus().drawnFrames >= 3, kStartWait);
  return { page, up, loadMs: Date.now() - started };
}

async function titleAndPlay(browser, base, figures) {
  const { page, up } = await openPage(browser, base, '?seed=1');
  if (!up) return;
  figures.firstFrameMs = (await page.evaluate(() => window.vaporwickStatus())).firstFrameMs;
  const [sky, banner, skyRight] = await canvasPixels(page, path.join(outDir, 'title-menu.png'),
                                                     [[900, 60], [150, 720], [980, 780]]);
  // The painted town stands behind the menu: neither the clear colour nor black, and blue-grey.
  for (const [name, pixel] of [['top right', sky], ['bottom right', skyRight]]) {
    check(!near(pixel, kSky, 30) && pixel[0] + pixel[1] + pixel[2] > 60 && pixel[2] >= pixel[0],
          `the painted background fills the ${name} behind the title menu (got ${pixel})`);
  }
  check(!near(banner, kSky, 40) && banner[0] + banner[1] + banner[2] < 300 && banner[2] >= banner[0],
        `the banner is drawn at the left (got ${banner})`);
  check((await page.evaluate(() => window.vaporwickDump().gameState)) === 'Menu', 'the game opens on the title menu');

  const canvas = await page.$('#canvas');
  const box = await canvas.boundingBox();
  const start = toCanvas(box, 200, 395);  // "Start Game"
  await page.mouse.click(box.x + start.x, box.y + start.y, { delay: 100 });  // a press the game polls
  const playing = await waitFor(page, 'a click on "Start Game" starts play',
                                () => window.vaporwickDump().gameState === 'Playing', 10000);
  if (playing) check(true, 'a click on "Start Game" starts play');
  check((await page.evaluate(() => window.vaporwickStatus())).sound, 'the first click starts the sound');
  // Walk right for three quarters of a second, then let the frame times settle.
  const x0 = await page.evaluate(() => window.vaporwickDump().player.x);
  await page.keyboard.down('KeyD');
  await page.waitForFunction((f) => window.vaporwickStatus().frame >= f, { timeout: 20000 },
                             (await page.evaluate(() => window.vaporwickStatus().frame)) + 45).catch(() => {});
  await page.keyboard.up('KeyD');
  const before = await page.evaluate(() => window.vaporwickDump().player.x);
  check(before > x0 + 50, `holding D walks the player right (x ${x0.toFixed(1)} to ${before.toFixed(1)})`);
  const scroll = await page.evaluate(() => window.scrollY);
  await page.keyboard.press('Space');
  await page.keyboard.press('ArrowDown');
  check((await page.evaluate(() => window.scrollY)) === scroll, 'SPACE and the arrows do not scroll the page');
  const button = await page.$('#fullscreen');
  await button.click();
  const full = await waitFor(page, 'the Fullscreen button puts the game in fullscreen',
                             () => document.fullscreenElement && document.fullscreenElement.id === 'stage', 5000);
  if (full) {
    check(true, 'the Fullscreen button puts the game in fullscreen');
    await page.keyboard.press('F11');
    if (await waitFor(page, 'F11 leaves fullscreen', () => !document.fullscreenElement, 5000)) {
      await page.keyboard.press('F11');
      if (await waitFor(page, 'F11 enters fullscreen', () => !!document.fullscreenElement, 5000)) {
        check(true, 'F11 leaves and enters fullscreen');
        await page.keyboard.press('F11');
        await waitFor(page, 'F11 leaves fullscreen again', () => !document.fullscreenElement, 5000);
      }
    }
  }
  await new Promise((r) => setTimeout(r, 1000));
  const status = await page.evaluate(() => window.vaporwickStatus());
  figures.playFrameWorkMs = status.frameWorkMs;
  figures.worstFrameWorkMs = status.worstFrameWorkMs;
  const [playSky] = await canvasPixels(page, path.join(outDir, 'play-scene.png'), [[500, 20]]);
  check(!near(playSky, [0, 0, 0], 2), `the play scene is drawn (top centre ${playSky})`);
  await page.screenshot({ path: path.join(outDir, 'page.png') });  // the whole page, line of controls and all
  await page.close();
}

// Progress lives in the page's local storage: a stored "furthest 3" offers
// Continue, which starts play far along the strip.
async function progress(browser, base) {
  const first = await openPage(browser, base, '?seed=1');
  if (!first.up) return;
  await first.page.evaluate(() => window.localStorage.setItem('vaporwick.progress', 'furthest 3'));
  await first.page.close();
  const { page, up } = await openPage(browser, base, '?seed=1');
  if (!up) return;
  const canvas = await page.$('#canvas');
  const box = await canvas.boundingBox();
  const item = toCanvas(box, 200, 695);  // "Continue"
  await page.mouse.click(box.x + item.x, box.y + item.y, { delay: 100 });
  if (await waitFor(page, 'a click on "Continue" starts play', () => window.vaporwickDump().gameState === 'Playing', 10000)) {
    const x = await page.evaluate(() => window.vaporwickDump().player.x);
    check(x > 3000, `"Continue" starts at the stored puzzle, kept in local storage (x ${x.toFixed(1)})`);
  }
  await page.evaluate(() => window.localStorage.removeItem('vaporwick.progress'));
  await page.close();
}

async function campaign(browser, base, figures) {
  const { page, up } = await openPage(browser, base, '?script=campaign.txt&speed=100');
  if (!up) return;
  const started = Date.now();
  const done = await waitFor(page, 'the campaign walkthrough plays to its end',
                             () => window.vaporwickStatus().scriptFinished, kCampaignWait);
  figures.campaignSeconds = (Date.now() - started) / 1000;
  if (!done) return;
  const dump = await page.evaluate(() => window.vaporwickDump());
  const status = await page.evaluate(() => window.vaporwickStatus());
  await canvasPixels(page, path.join(outDir, 'campaign-end.png'), [[0, 0]]);
  check(dump.gameState === 'Ending' && dump.player.respawns === 0, 'the campaign ends on the closing panel without a respawn');
  check(dump.player.x > status.winX, `the campaign ends past "You Win!!" (x ${dump.player.x} > ${status.winX})`);
  const native = JSON.parse(fs.readFileSync(nativeDumpFile, 'utf8'));
  const diff = differences(dump, native);
  fs.writeFileSync(path.join(outDir, 'campaign-dump.json'), JSON.stringify(dump, null, 1));
  for (const line of diff.slice(0, 20)) console.log(`  differs ${line}`);
  check(diff.length === 0, `the browser's campaign dump equals the native run's (${diff.length} differences)`);
  await page.close();
}

(async () => {
  fs.mkdirSync(outDir, { recursive: true });
  const server = await serve(siteDir);
  const base = `http://127.0.0.1:${server.address().port}`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vaporwick-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: kChromium,
    headless: true,
    timeout: kStartWait,
    protocolTimeout: kCampaignWait + 60000,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--use-angle=swiftshader', '--enable-unsafe-swiftshader', `--user-data-dir=${profile}`],
  });
  const figures = {};
  const watchdog = setTimeout(() => { console.log('FAIL the browser test ran out of time'); process.exit(1); },
                              kCampaignWait + 4 * kStartWait);
  try {
    await titleAndPlay(browser, base, figures);
    await campaign(browser, base, figures);
    await progress(browser, base);
  } catch (e) {
    check(false, `the browser test runs to its end (${e.message})`);
  } finally {
    clearTimeout(watchdog);
    await browser.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  figures.siteBytes = fs.readdirSync(siteDir).reduce((n, f) => n + fs.statSync(path.join(siteDir, f)).size, 0);
  fs.writeFileSync(path.join(outDir, 'figures.json'), JSON.stringify(figures, null, 1) + '\n');
  console.log('figures', JSON.stringify(figures));
  console.log(failures.length ? `${failures.length} check(s) failed` : 'all browser checks passed');
  process.exit(failures.length ? 1 : 0);
})();
