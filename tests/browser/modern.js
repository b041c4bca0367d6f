'use strict';
// The modern design as a visitor meets it: a gallery built by gallorim-cli
// from real photos, served from 127.0.0.1, opened in Debian's chromium.
// Usage: node modern.js <gallorim-cli> <photo folder> [--full] [--shots DIR]
//   default: Playwright checks on a phone, axe-core, one Lighthouse run of
//            the modern index page
//   --full:  Lighthouse on both built-in designs, figures printed side by side
//   --shots: phone-size screenshots of both designs written to DIR
const fs = require('fs');
const os = require('os');
const path = require('path');
const http = require('http');
const { execFileSync } = require('child_process');
const { pathToFileURL } = require('url');
const { chromium, devices } = require('playwright-core');
const axeSource = require('axe-core').source;

const [cli, photoDir] = process.argv.slice(2);
const full = process.argv.includes('--full');
const shotsAt = process.argv.indexOf('--shots');
const shots = shotsAt > 0 ? path.resolve(process.argv[shotsAt + 1]) : '';
const browserPath = process.env.GALLORIM_CHROMIUM || '/usr/bin/chromium';
const flags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run'];
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'gallorim-modern-'));
let failures = 0;
function check(ok, what) {
  console.log((ok ? 'ok   ' : 'FAIL ') + what);
  if (!ok) failures++;
}

// Fifteen photos: the real JPEGs of the folder under several names, so that
// the grid has rows to justify and the pages have neighbours.
function buildSite(design) {
  const site = path.join(work, design);
  fs.mkdirSync(site);
  const jpegs = fs.readdirSync(photoDir).filter((f) => /\.jpe?g$/i.test(f)).sort()
    .filter((f) => fs.readFileSync(path.join(photoDir, f)).subarray(0, 2).equals(Buffer.from([0xff, 0xd8])));
  for (let i = 0; i < 15; i++)
    fs.copyFileSync(path.join(photoDir, jpegs[i % jpegs.length]), path.join(site, `photo ${i + 1}.jpg`));
  const args = ['build', '-q', '--zip', 'photos.zip', '--per-line', '4', '--lines', '0', '--title', 'Vacances',
    '--design', design, '-o', path.join(site, 'index.html'), site];
  execFileSync(cli, args, { stdio: 'inherit', env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  return site;
}

function serve(root) {
  const types = { '.html': 'text/html; charset=utf-8', '.jpg': 'image/jpeg', '.png': 'image/png',
    '.zip': 'application/zip' };
  const server = http.createServer((req, res) => {
    const file = path.join(root, decodeURIComponent(new URL(req.url, 'http://x').pathname));
    if (!file.startsWith(root) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      res.writeHead(404, { 'Content-Type': 'text/plain' });
      return res.end('absent');
    }
    res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream',
      'Cache-Control': 'max-age=31536000' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

const phone = {
  viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
  userAgent: devices['iPhone 13'].userAgent,
};

async function axe(page, what, include) {
  await page.addScriptTag({ content: axeSource });
  const result = await page.evaluate((inc) => window.axe.run(inc || document), include);
  const ids = result.violations.map((v) => v.id + ' (' + v.nodes.length + ')');
  check(ids.length === 0, `axe-core finds no violation on ${what}${ids.length ? ': ' + ids.join(', ') : ''}`);
}

async function swipe(cdp, from, to) {
  const point = (p) => [{ x: p.x, y: p.y, id: 1 }];
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: point(from) });
  for (let s = 1; s <= 5; s++) {
    const p = { x: from.x + (to.x - from.x) * s / 5, y: from.y + (to.y - from.y) * s / 5 };
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: point(p) });
  }
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
}

async function pinch(cdp, c, from, to) {
  const points = (r) => [{ x: c.x - r, y: c.y, id: 1 }, { x: c.x + r, y: c.y, id: 2 }];
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: points(from) });
  for (let s = 1; s <= 8; s++)
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: points(from + (to - from) * s / 8) });
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
}

async function phoneChecks(browser, base) {
  const ctx = await browser.newContext(phone);
  const page = await ctx.newPage();
  const foreign = [];
  page.on('request', (r) => { if (!r.url().startsWith(base)) foreign.push(r.url()); });
  await page.addInitScript(() => {
    window.__cls = 0;
    new PerformanceObserver((l) => l.getEntries().forEach((e) => { if (!e.hadRecentInput) window.__cls += e.value; }))
      .observe({ type: 'layout-shift', buffered: true });
  });
  const index = base + '/index.html';
  await page.goto(index, { waitUntil: 'load' });
  const meta = await page.getAttribute('meta[name=viewport]', 'content');
  check(!/user-scalable\s*=\s*no|maximum-scale\s*=\s*1(\D|$)/.test(meta), 'the page lets the visitor zoom');
  const fontSize = await page.evaluate(() => Math.min(...[...document.querySelectorAll('p, a, span, figcaption')]
    .filter((e) => e.textContent.trim()).map((e) => parseFloat(getComputedStyle(e).fontSize))));
  check(fontSize >= 16, `text is at least 16 px on a phone (smallest ${fontSize})`);
  // Every thumbnail in view, once loaded, has the pixels the screen can show.
  for (let y = 0; y < 3; y++) {
    await page.evaluate(() => Promise.all([...document.images].filter((i) => {
      const r = i.getBoundingClientRect();
      return r.bottom > 0 && r.top < innerHeight;
    }).map((i) => i.decode().catch(() => {}))));
    // naturalWidth is divided by the srcset density: the file's own pixels are read apart.
    const blurry = await page.evaluate(() => Promise.all([...document.querySelectorAll('.grid img')].filter((i) => {
      const r = i.getBoundingClientRect();
      return r.bottom > 0 && r.top < innerHeight;
    }).map(async (i) => {
      const file = new Image();
      file.src = i.currentSrc;
      await file.decode();
      const needed = i.getBoundingClientRect().width * Math.min(devicePixelRatio, 2);
      return file.naturalWidth + 0.5 < needed ? `${i.currentSrc} ${file.naturalWidth} < ${needed}` : '';
    }))).then((list) => list.filter(Boolean));
    check(blurry.length === 0, `thumbnails in view are sharp at 2x (screen ${y + 1})${blurry.length ? ': ' + blurry : ''}`);
    await page.mouse.wheel(0, 700);
    await page.waitForTimeout(0);
  }
  await page.evaluate(() => scrollTo(0, 0));
  const cls = await page.evaluate(() => window.__cls);
  check(cls <= 0.02, `cumulative layout shift ${cls.toFixed(4)} <= 0.02`);
  await axe(page, 'the index page');

  const cdp = await ctx.newCDPSession(page);
  const first = page.locator('.grid a').nth(1);
  await first.tap();
  await page.waitForFunction(() => document.querySelector('dialog.viewer').open);
  const opened = page.url();
  check(opened !== index && opened.endsWith(await first.getAttribute('href')), `a tap opens the viewer at ${opened}`);
  await page.waitForFunction(() => document.querySelector('dialog.viewer img').complete);
  const dialog = await page.evaluate(() => {
    const d = document.querySelector('dialog.viewer');
    return { modal: d.getAttribute('aria-modal'), label: d.getAttribute('aria-label'),
      small: [...d.querySelectorAll('button')].filter((b) => !b.hidden).map((b) => b.getBoundingClientRect())
        .filter((r) => r.width < 44 || r.height < 44).length };
  });
  check(dialog.modal === 'true' && !!dialog.label && dialog.small === 0, 'the viewer is a labelled modal dialog with 44 px controls');
  await axe(page, 'the open viewer');
  const preloaded = await page.evaluate(() => performance.getEntriesByType('resource').map((e) => e.name)
    .filter((n) => /\.s(1024|2048)\./.test(n)).length);
  check(preloaded >= 4, `the neighbours' screen copies are fetched ahead (${preloaded} copies)`);

  const centre = { x: 195, y: 400 };
  await pinch(cdp, centre, 40, 160);
  const zoom = await page.evaluate(() => {
    const img = document.querySelector('dialog.viewer img');
    const m = /scale\(([\d.]+)\)/.exec(img.style.transform);
    const a = document.querySelectorAll('.grid a')[1];
    return { scale: m ? +m[1] : 1, max: a.dataset.fw / img.clientWidth };
  });
  check(zoom.scale > 1 && zoom.scale <= zoom.max + 1e-6, `a pinch zooms up to the photo's own size (${zoom.scale.toFixed(2)} of ${zoom.max.toFixed(2)})`);
  await page.dblclick('dialog.viewer img');
  for (let s = 0; s < 3; s++) {
    await swipe(cdp, { x: 320, y: 420 }, { x: 60, y: 430 });
    await page.evaluate(() => location.pathname); // a round trip: the swipe's handlers have run
  }
  const afterSwipes = page.url();
  const fourth = await page.locator('.grid a').nth(4).getAttribute('href');
  check(afterSwipes.endsWith(fourth), `three swipes show the fourth photo after it (${afterSwipes})`);
  await page.goBack();
  await page.waitForFunction(() => !document.querySelector('dialog.viewer').open);
  const back = await page.evaluate(() => {
    const a = document.querySelectorAll('.grid a')[4];
    const r = a.getBoundingClientRect();
    return { url: location.href, inView: r.top >= 0 && r.bottom <= innerHeight, focused: document.activeElement === a };
  });
  check(back.url === index && back.inView && back.focused,
    `Back closes the viewer at the index address with the last photo in view and focused (${JSON.stringify(back)})`);
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.querySelector('dialog.viewer').open);
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => !document.querySelector('dialog.viewer').open);
  check(page.url() === index, 'arrow keys move and Escape closes the viewer back to the index address');
  check(foreign.length === 0, `no file comes from another site${foreign.length ? ': ' + foreign : ''}`);

  await page.goto(base + '/' + fourth, { waitUntil: 'load' });
  await axe(page, 'a photo page');
  if (shots) await shoot(page, index, 'modern');
  await ctx.close();
}

async function withoutScript(browser, base) {
  const ctx = await browser.newContext({ ...phone, javaScriptEnabled: false });
  const page = await ctx.newPage();
  await page.goto(base + '/index.html');
  const href = await page.locator('.grid a').nth(2).getAttribute('href');
  await page.locator('.grid a').nth(2).tap();
  await page.waitForURL('**/' + href);
  const title = await page.title();
  await page.click('a[rel=next]');
  const next = await page.title();
  await page.click('a[rel=prev]');
  check(page.url().endsWith(href) && next !== title, 'without JavaScript a tap reaches the photo page and previous/next work');
  await page.click('text=Toutes les photos');
  check(page.url().includes('index.html#p-'), 'the photo page leads back to its place on the right index page');
  await ctx.close();
}

async function shoot(page, index, name) {
  fs.mkdirSync(shots, { recursive: true });
  await page.goto(index, { waitUntil: 'load' });
  await page.evaluate(() => Promise.all([...document.images].map((i) => i.decode().catch(() => {}))));
  await page.screenshot({ path: path.join(shots, `phone-${name}.png`) });
}

async function lighthouse(url) {
  // import() ignores NODE_PATH, where the pinned packages are: resolve the
  // file as require() does, then import it by its address.
  const { default: run } = await import(pathToFileURL(require.resolve('lighthouse')).href);
  const launcher = require('chrome-launcher');
  const chrome = await launcher.launch({ chromePath: browserPath, chromeFlags: flags });
  try {
    const result = await run(url, { port: chrome.port, logLevel: 'error', output: 'json',
      onlyCategories: ['performance', 'accessibility', 'best-practices', 'seo'] });
    const lhr = result.lhr;
    const score = (c) => lhr.categories[c].score;
    return { performance: score('performance'), accessibility: score('accessibility'),
      bestPractices: score('best-practices'), seo: score('seo'),
      cls: lhr.audits['cumulative-layout-shift'].numericValue,
      kib: Math.round(lhr.audits['total-byte-weight'].numericValue / 1024),
      failed: Object.values(lhr.audits).filter((a) => a.score !== null && a.score < 0.9
        && a.scoreDisplayMode !== 'informative' && a.scoreDisplayMode !== 'manual').map((a) => a.id) };
  } finally {
    await chrome.kill();
  }
}

async function main() {
  const modern = buildSite('modern');
  const server = await serve(work);
  const base = `http://127.0.0.1:${server.address().port}`;
  const browser = await chromium.launch({ executablePath: browserPath, headless: true, args: flags });
  try {
    await phoneChecks(browser, base + '/modern');
    await withoutScript(browser, base + '/modern');
    const figures = { modern: await lighthouse(base + '/modern/index.html') };
    const m = figures.modern;
    check(m.performance >= 0.95 && m.accessibility === 1 && m.bestPractices >= 0.95 && m.seo >= 0.95 && m.cls <= 0.02,
      `Lighthouse mobile on the modern design: ${JSON.stringify(m)}`);
    if (full || shots) {
      buildSite('classic');
      if (full) figures.classic = await lighthouse(base + '/classic/index.html');
      if (shots) {
        const ctx = await browser.newContext(phone);
        await shoot(await ctx.newPage(), base + '/classic/index.html', 'classic');
        await ctx.close();
      }
      console.log(JSON.stringify(figures, null, 1));
    }
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
  if (failures) {
    console.log(`${failures} check(s) failed`);
    process.exit(1);
  }
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
