'use strict';
// Headless checks of the built-in designs and scripts in a real browser, on
// pages the page builders write.
// Usage: node run.js <browser_page_writer> <test_pagegen>
// Pages are written to a temporary folder and opened through file:// only:
// small pages described below, and whole sites that test_pagegen writes.
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const { chromium } = require('playwright-core');

const [pageWriter, builderTests] = process.argv.slice(2);
if (!pageWriter || !builderTests) {
  console.log('usage: node run.js <browser_page_writer> <test_pagegen>');
  process.exit(2);
}
const browserPath = process.env.GALLORIM_CHROMIUM || '/usr/bin/chromium';
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'gallorim-browser-'));
const url = (name) => 'file://' + path.join(work, name).split(path.sep).map(encodeURIComponent).join('/');
const write = (name, text) => {
  fs.mkdirSync(path.dirname(path.join(work, name)), { recursive: true });
  fs.writeFileSync(path.join(work, name), text);
};

const COMMENT_A = 'L\'été "chaud" \\ 日本 à Noël';
const COMMENT_B = 'Vue d\'en "haut" \\ ok';
// Popup comments carry double quotes as two apostrophes.
const COMMENT_B_IN_POPUP = COMMENT_B.replace('"haut"', "''haut''");
const COMMENT_SCRIPT = 'a </script> b "c"';
// Slideshows without pictures, one of each kind.
const EMPTY_SLIDESHOWS = {
  automatic: { kind: 'slideshow' }, manual: { kind: 'slideshow', manual: true },
  random: { kind: 'slideshow', random: true }, thumbnails: { kind: 'thumbnails' },
};

// The small pages, each described here and built by the page builders
// (browser_page_writer) from PNG photos with thumbnails 96 pixels high.
function writeFixtures() {
  const photos = [
    ["l'été 1.png", 640, 480], ['big.png', 3000, 2000], ['photo3.png', 800, 600], ['photo4.png', 320, 240],
    ['s1.png', 400, 300], ['s3.png', 300, 400], ['s4.png', 200, 200],
  ].map(([name, width, height]) => ({ name, width, height }));
  photos.push({ name: 'missing.png', width: 100, height: 100, missing: true });
  const images = [
    { file: "l'été 1.png", popup: [400, 300], tooltip: 0, commentUnder: true, comment: COMMENT_A },
    { file: 'big.png', allow: 1, tooltip: 1, comment: COMMENT_B },
    { file: 'photo3.png', link: 17, tooltip: 0, comment: 'Plein écran' },
    { file: 'photo4.png', link: 1, tooltip: 2, comment: '' },
  ];
  const shows = [
    { file: 's1.png', tooltip: 0, comment: COMMENT_SCRIPT },
    { file: 'missing.png', tooltip: 0, comment: 'absente' },
    { file: 's3.png', tooltip: 1, comment: COMMENT_B },
  ];
  const three = [shows[0], shows[2], { file: 's4.png', tooltip: 2, comment: '' }];
  const linked = [
    { file: 's1.png', popup: [300, 200], tooltip: 1, comment: COMMENT_B },
    { file: 's3.png', link: 1, tooltip: 0, comment: 'deux' },
  ];
  const pages = [
    { file: 'index.html', kind: 'gallery', title: 'Mes photos', images },
    { file: 'protected.html', kind: 'gallery', title: 'Protégé', images: images.slice(0, 1), protect: true, special: true },
    { file: 'auto.html', kind: 'slideshow', title: 'Auto', images: shows, noLoop: true },
    { file: 'pause.html', kind: 'slideshow', title: 'Pause', images: [shows[0], shows[2]] },
    { file: 'manual.html', kind: 'slideshow', title: 'Manuel', images: shows, manual: true, noLoop: true, back: true },
    { file: 'random.html', kind: 'slideshow', title: 'Hasard', images: three, random: true, noLoop: true },
    { file: 'thumbs.html', kind: 'thumbnails', title: 'Vignettes', images: linked, speed: 3 },
    { file: 'thumbs-protected.html', kind: 'thumbnails', title: 'Vignettes', images: [shows[0], shows[2]],
      protect: true, links: false },
  ];
  for (const [name, options] of Object.entries(EMPTY_SLIDESHOWS))
    pages.push({ file: `empty-${name}.html`, title: 'Vide', images: [], ...options });
  write('pages.json', JSON.stringify({ photos, pages }));
  execFileSync(pageWriter, [path.join(work, 'pages.json')], { stdio: 'pipe' });
}

// Records every shown picture number of a slideshow page.
const RECORD_SHOWN = () => {
  window.__shown = [];
  window.__times = [];
  new MutationObserver((changes) => {
    for (const change of changes) {
      const n = change.target.id === 'vorlex_picture' && change.target.getAttribute('data-index');
      if (n && window.__shown[window.__shown.length - 1] !== n) {
        window.__shown.push(n);
        window.__times.push(performance.now());
      }
    }
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-index'] });
};

const checks = [];
const check = (name, fn) => checks.push({ name, fn });
function expectEq(actual, expected, what) {
  if (JSON.stringify(actual) !== JSON.stringify(expected))
    throw new Error(`${what}: expected ${JSON.stringify(expected)}, got ${JSON.stringify(actual)}`);
}
function expectTrue(value, what) {
  if (!value) throw new Error(what);
}
const shown = (page) => page.evaluate(() => window.__shown.slice());
const status = (page) => page.textContent('#vorlex_status');
const waitShown = (page, n, timeout = 5000) =>
  page.waitForFunction((k) => window.__shown.includes(k), n, { timeout });

// With a fake clock installed, moves time on in small steps until picture n shows.
async function advanceUntilShown(page, n, limitMs = 10000) {
  for (let t = 0; t <= limitMs; t += 100) {
    if (await page.evaluate((want) => window.__shown.includes(want), n)) return;
    await page.clock.runFor(100);
  }
  throw new Error(`picture ${n} never shown within ${limitMs} ms of page time`);
}

async function openPopup(ctx, page, selector) {
  const [popup] = await Promise.all([ctx.waitForEvent('page'), page.click(selector)]);
  await popup.waitForLoadState();
  await popup.waitForFunction(() => { const i = document.getElementById('vorlex_zoom'); return i && i.complete; });
  return popup;
}

check('gallery page shows script tooltips 20 pixels below the mouse', async (ctx, page) => {
  await page.goto(url('index.html'));
  expectEq(await page.title(), 'Mes photos', 'title');
  const thumb = page.locator('img[src="mini/small_big.png"]');
  const box = await thumb.boundingBox();
  await page.mouse.move(box.x + 10, box.y + 10);
  await page.mouse.move(box.x + 20, box.y + 30);
  const tip = page.locator('#topdecklink');
  await page.waitForFunction(() => document.getElementById('topdecklink').style.visibility === 'visible');
  expectEq(await tip.textContent(), COMMENT_B, 'tooltip text');
  const tipBox = await tip.boundingBox();
  expectTrue(Math.abs(tipBox.y - (box.y + 30 + 20)) <= 1 && Math.abs(tipBox.x - (box.x + 20)) <= 1,
    `tooltip at ${tipBox.x},${tipBox.y} for mouse at ${box.x + 20},${box.y + 30}`);
  await page.mouse.move(5, 5);
  await page.waitForFunction(() => document.getElementById('topdecklink').style.visibility === 'hidden');
});

check('fixed-size popup has the asked size and the comment under the picture', async (ctx, page) => {
  await page.goto(url('index.html'));
  const popup = await openPopup(ctx, page, 'a:has(img[src^="mini/small_l"])');
  expectEq(await popup.title(), "Zoom de l'image", 'popup title');
  expectEq(await popup.evaluate(() => [innerWidth, innerHeight]), [400, 300], 'popup size');
  expectEq(await popup.textContent('#vorlex_comment'), COMMENT_A.replace('"chaud"', "''chaud''"), 'comment');
  const img = await popup.evaluate(() => { const i = document.getElementById('vorlex_zoom');
    return [decodeURIComponent(i.src.split('/').pop()), i.naturalWidth, i.width, i.height]; });
  // 640x480 fits 400x300 by a ratio of 0.5833 (comment line of 20 pixels kept free).
  expectEq(img, ["l'été 1.png", 640, 373, 280], 'picture');
  await popup.close();
});

check('automatic popup replaces an open one, fits the screen, toggles real size and has its own script bubble', async (ctx, page) => {
  await page.goto(url('index.html'));
  // A popup still open from another picture gives way: it would keep its own size.
  const earlier = await openPopup(ctx, page, 'a:has(img[src^="mini/small_l"])');
  const popup = await openPopup(ctx, page, 'a:has(img[src="mini/small_big.png"])');
  expectTrue(earlier.isClosed(), 'earlier popup closed');
  const [sw, sh] = await page.evaluate(() => [screen.availWidth, screen.availHeight]);
  const [w, h] = await popup.evaluate(() => [innerWidth, innerHeight]);
  expectTrue(w <= sw - 30 + 13 && h <= sh - 30 && w > sw / 2, `popup ${w}x${h} on screen ${sw}x${sh}`);
  const size = () => popup.evaluate(() => { const i = document.getElementById('vorlex_zoom'); return [i.width, i.height]; });
  const [iw, ih] = await size();
  expectTrue(iw <= w && ih <= h && Math.abs(iw / ih - 1.5) < 0.01, `picture ${iw}x${ih} in ${w}x${h}`);
  await popup.click('#vorlex_zoom');
  expectEq(await size(), [3000, 2000], 'real size after a click');
  await popup.click('#vorlex_zoom', { position: { x: 5, y: 5 } });
  expectEq(await size(), [iw, ih], 'reduced size after a second click');
  await popup.hover('#vorlex_zoom', { position: { x: 20, y: 20 } });
  await popup.waitForFunction(() => document.getElementById('topdecklink').style.visibility === 'visible');
  expectEq(await popup.textContent('#topdecklink'), COMMENT_B_IN_POPUP, 'popup bubble');
  await popup.close();
});

check('full-screen popup uses the screen and closes with its link', async (ctx, page) => {
  await page.goto(url('index.html'));
  const popup = await openPopup(ctx, page, 'a:has(img[src="mini/small_photo3.png"])');
  const [sw, sh] = await page.evaluate(() => [screen.availWidth, screen.availHeight]);
  const [w, h] = await popup.evaluate(() => [innerWidth, innerHeight]);
  expectEq([w, h], [sw, sh - 25], 'full-screen size');
  expectEq(await popup.getAttribute('#vorlex_zoom', 'title'), 'Plein écran', 'classic bubble');
  // The link closes the window while the click is still being reported: only
  // the close itself is awaited.
  await Promise.all([popup.waitForEvent('close'),
    popup.click('#vorlex_close', { noWaitAfter: true }).catch((e) => { if (!/closed/.test(e.message)) throw e; })]);
});

check('protected gallery refuses the context menu on the page and in the popup', async (ctx, page) => {
  await page.goto(url('protected.html'));
  const refused = (p, sel) => p.evaluate((s) => !document.querySelector(s).dispatchEvent(
    new MouseEvent('contextmenu', { bubbles: true, cancelable: true, button: 2 })), sel);
  expectTrue(await refused(page, 'img'), 'page context menu refused');
  expectEq(await page.evaluate(() => getComputedStyle(document.querySelector('a[onclick]')).cursor), 'pointer', 'hand cursor');
  const popup = await openPopup(ctx, page, 'a[onclick]');
  expectTrue(await refused(popup, '#vorlex_zoom'), 'popup context menu refused');
  await popup.close();
});

check('automatic slideshow advances, skips a missing picture and stops without loop', async (ctx, page) => {
  await page.goto(url('auto.html'));
  await waitShown(page, '3', 6000);
  await page.waitForFunction(() => document.getElementById('vorlex_status').textContent === 'Diaporama terminé',
    null, { timeout: 4000 });
  expectEq(await shown(page), ['1', '3'], 'pictures shown');
  // No delay asked: each picture stays the one extra second, missing one or not.
  const times = await page.evaluate(() => window.__times);
  expectTrue(times[1] - times[0] >= 950, `second picture after ${times[1] - times[0]} ms`);
  expectEq(await page.textContent('#vorlex_pause'), 'Recommencer', 'button after the end');
  expectEq(await page.textContent('a[href="javascript:window.close()"]'), '<\u00a0Fermer\u00a0>', 'close link');
  await page.click('#vorlex_pause');
  // The classic bubble shows the comment as written, "</script>" included.
  const bubble = await page.waitForFunction(() => {
    const img = document.getElementById('vorlex_picture');
    return window.__shown.length >= 3 && img.getAttribute('data-index') === '1' && img.title;
  });
  expectEq(await bubble.jsonValue(), COMMENT_SCRIPT.replace('"c"', "''c''"), 'first bubble after restart');
});

check('automatic slideshow pauses and restarts', async (ctx, page) => {
  // A fake clock: on a loaded machine a real one-second timer could fire
  // before the click on the pause button arrives.
  await page.clock.install();
  await page.goto(url('pause.html'));
  await advanceUntilShown(page, '1');
  expectEq(await shown(page), ['1'], 'first picture only');
  await page.click('#vorlex_pause');
  expectEq(await status(page), 'Diaporama suspendu', 'status while paused');
  expectEq(await page.textContent('#vorlex_pause'), 'Reprendre', 'button while paused');
  await page.clock.runFor(5000);
  expectEq(await shown(page), ['1'], 'nothing changes while paused');
  await page.click('#vorlex_pause');
  await advanceUntilShown(page, '2');
  expectEq(await status(page), 'Image 2 sur 2', 'status after restart');
});

check('manual slideshow steps both ways over a missing picture', async (ctx, page) => {
  await page.goto(url('manual.html'));
  await waitShown(page, '1');
  expectTrue(await page.isDisabled('#vorlex_previous'), 'no previous picture at the start without loop');
  await page.click('#vorlex_next');
  await waitShown(page, '3');
  expectEq(await status(page), 'Image 3 sur 3', 'status');
  expectTrue(await page.isDisabled('#vorlex_next'), 'no next picture at the end without loop');
  await page.click('#vorlex_previous');
  await page.waitForFunction(() => window.__shown.length === 3);
  expectEq(await shown(page), ['1', '3', '1'], 'pictures shown');
  expectEq(await page.textContent('a[href="javascript:history.back()"]'), '<\u00a0Retour\u00a0>', 'back link');
});

check('random slideshow follows the random picks', async (ctx, page) => {
  await page.addInitScript(() => {
    const picks = [0.0, 0.9, 0.5];
    Math.random = () => (picks.length ? picks.shift() : 0.1);
  });
  await page.goto(url('random.html'));
  await page.waitForFunction(() => window.__shown.length >= 3, null, { timeout: 6000 });
  expectEq((await shown(page)).slice(0, 3), ['1', '3', '2'], 'pictures shown');
});

check('thumbnail slideshow opens the sized popup of the shown picture', async (ctx, page) => {
  await page.goto(url('thumbs.html'));
  await waitShown(page, '1');
  const frame = await page.evaluate(() => { const f = document.getElementById('vorlex_frame');
    return [f.style.width, f.style.height]; });
  expectEq(frame, ['136px', '144px'], 'frame of the largest thumbnail');
  const popup = await openPopup(ctx, page, '#vorlex_picture');
  expectEq(await popup.evaluate(() => [innerWidth, innerHeight]), [300, 200], 'popup size');
  expectEq(await status(page), 'Diaporama suspendu', 'show stopped by the click');
  await popup.hover('#vorlex_zoom', { position: { x: 10, y: 10 } });
  await popup.waitForFunction(() => document.getElementById('topdecklink').style.visibility === 'visible');
  expectEq(await popup.textContent('#topdecklink'), COMMENT_B_IN_POPUP, 'popup bubble');
  await popup.close();
});

check('protected thumbnail slideshow advances and refuses the context menu', async (ctx, page) => {
  await page.goto(url('thumbs-protected.html'));
  await waitShown(page, '2', 5000);
  const refused = await page.evaluate(() => !document.getElementById('vorlex_picture').dispatchEvent(
    new MouseEvent('contextmenu', { bubbles: true, cancelable: true, button: 2 })));
  expectTrue(refused, 'context menu refused');
  expectEq(await page.evaluate(() => getComputedStyle(document.getElementById('vorlex_link')).cursor), 'auto',
    'no hand cursor without links');
});

check('slideshows without pictures say so', async (ctx, page) => {
  for (const name of Object.keys(EMPTY_SLIDESHOWS)) {
    await page.goto(url(`empty-${name}.html`));
    expectEq(await status(page), 'Aucune image dans ce diaporama', `status of the ${name} slideshow`);
  }
});

// The site the page builders write for browsers, described by its sample.json.
let site = null;
const siteUrl = (name) => url(path.join('site', name));

function writeBuiltSite() {
  const root = path.join(work, 'site');
  fs.mkdirSync(root, { recursive: true });
  execFileSync(builderTests, ['--gtest_filter=SampleGallery.*'], {
    env: { ...process.env, GALLORIM_SAMPLE_GALLERY: root, QT_QPA_PLATFORM: 'offscreen' }, stdio: 'pipe',
  });
  site = JSON.parse(fs.readFileSync(path.join(root, 'sample.json'), 'utf8'));
  const base = (image) => path.basename(image.file);
  site.byName = Object.fromEntries(site.images.map((i) => [base(i), i]));
}

const builtCheck = (name, fn) => check('built site: ' + name, async (ctx, page) => {
  if (!site) throw new Error('the sample site was not written');
  await fn(ctx, page);
});

builtCheck('gallery thumbnails carry their bubbles', async (ctx, page) => {
  await page.goto(siteUrl(site.gallery[0]));
  const red = site.byName['rouge.png'];
  expectEq(await page.getAttribute('img[src$="small_rouge.png"]', 'title'), red.comment, 'classic bubble');
  await page.hover('img[src$="small_vert.png"]');
  await page.waitForFunction(() => document.getElementById('topdecklink').style.visibility === 'visible');
  expectEq(await page.textContent('#topdecklink'), site.byName['vert.png'].comment, 'script bubble');
  expectTrue(await page.isVisible('a[href="index2.html"]'), 'link to the next page');
});

builtCheck('gallery popups open at the picture size with its comment', async (ctx, page) => {
  await page.goto(siteUrl(site.gallery[0]));
  for (const name of ['rouge.png', 'vert.png']) {
    const image = site.byName[name];
    const popup = await openPopup(ctx, page, `a[onclick*="${name}"]`);
    expectEq(await popup.evaluate(() => [innerWidth, innerHeight]), [image.width, image.height], name + ' popup size');
    const comment = image.comment.split('"').join("''");
    if (image.scriptTooltip) {
      await popup.hover('#vorlex_zoom', { position: { x: 10, y: 10 } });
      await popup.waitForFunction(() => document.getElementById('topdecklink').style.visibility === 'visible');
      expectEq(await popup.textContent('#topdecklink'), comment, name + ' popup bubble');
    } else {
      expectEq(await popup.getAttribute('#vorlex_zoom', 'title'), comment, name + ' popup bubble');
    }
  }
});

builtCheck('a picture larger than the screen gets a reduced popup', async (ctx, page) => {
  await page.goto(siteUrl(site.gallery[1]));
  const image = site.byName['bleu.png'];
  const [sw, sh] = await page.evaluate(() => [screen.availWidth, screen.availHeight]);
  const popup = await openPopup(ctx, page, 'a[onclick*="bleu.png"]');
  const [w, h, iw, ih] = await popup.evaluate(() => { const i = document.getElementById('vorlex_zoom');
    return [innerWidth, innerHeight, i.width, i.height]; });
  expectTrue(w <= sw - 30 && h <= sh - 30 && iw <= w && ih <= h && iw < image.width,
    `popup ${w}x${h}, picture ${iw}x${ih}, screen ${sw}x${sh}`);
  expectEq(await popup.getAttribute('#vorlex_zoom', 'title'), image.comment.split('"').join("''"), 'popup bubble');
});

builtCheck('automatic and random slideshows advance', async (ctx, page) => {
  for (const file of [site.slideshows.automatic, site.slideshows.random, site.slideshows.thumbnails]) {
    await page.goto(siteUrl(file));
    await page.waitForFunction(() => window.__shown.length >= 2, null, { timeout: 5000 });
    expectTrue(/^Image \d sur 4$/.test(await status(page)), file + ' status ' + await status(page));
  }
});

builtCheck('manual slideshow steps', async (ctx, page) => {
  await page.goto(siteUrl(site.slideshows.manual));
  await waitShown(page, '1');
  await page.click('#vorlex_next');
  await waitShown(page, '2');
  await page.click('#vorlex_previous');
  await page.waitForFunction(() => window.__shown.length === 3);
  expectEq(await shown(page), ['1', '2', '1'], 'pictures shown');
  expectEq(await page.getAttribute('#vorlex_picture', 'title'), site.byName['rouge.png'].comment.split('"').join("''"),
    'classic bubble');
});

// A one-page gallery of 2,000 thumbnails written by the real page builder
// (its own writer and check, apart from the sample site).
let large = null;

function writeLargeGallery() {
  const root = path.join(work, 'large');
  fs.mkdirSync(root, { recursive: true });
  execFileSync(builderTests, ['--gtest_filter=LargeGallery.*'], {
    env: { ...process.env, GALLORIM_LARGE_GALLERY: root, QT_QPA_PLATFORM: 'offscreen' }, stdio: 'pipe',
  });
  large = JSON.parse(fs.readFileSync(path.join(root, 'large.json'), 'utf8'));
  large.url = url(path.join('large', large.page));
  // The same page with every thumbnail fetched at once, as a user's copy of the design writes it.
  const built = path.join(root, large.page);
  const eager = path.join(path.dirname(built), 'eager.html');
  fs.writeFileSync(eager, fs.readFileSync(built, 'utf8').split(' loading="lazy"').join(''));
  large.eagerUrl = url(path.relative(work, eager));
}

// First contentful paint, load event and layout shifts, from observers: the
// fake clock of an earlier check replaces the page's own performance object.
const MEASURE = `(() => {
  window.__paint = -1;
  window.__load = -1;
  window.__shift = 0;
  const watch = (type, fn) => new PerformanceObserver((l) => l.getEntries().forEach(fn)).observe({ type, buffered: true });
  watch('paint', (e) => { if (e.name === 'first-contentful-paint') window.__paint = Math.round(e.startTime); });
  watch('navigation', (e) => { if (e.loadEventStart > 0) window.__load = Math.round(e.loadEventStart); });
  window.__shifted = [];
  watch('layout-shift', (e) => {
    if (e.hadRecentInput) return;
    window.__shift += e.value;
    e.sources.forEach((s) => window.__shifted.push(s.node ? s.node.nodeName : '?'));
  });
})()`;

// The scrollbar from the start: on a loaded machine the first paint can come
// before the page is long enough to need one, and its arrival moves
// everything sideways, which is not a thumbnail arriving.
const SCROLLBAR_FROM_START = `new MutationObserver((m, o) => {
  if (document.documentElement) { document.documentElement.style.overflowY = 'scroll'; o.disconnect(); }
}).observe(document, { childList: true })`;

async function paintAndLoad(page) {
  await page.waitForFunction(() => window.__paint >= 0 && window.__load >= 0, null, { timeout: 5000 });
  return page.evaluate(() => [window.__paint, window.__load]);
}

// Document positions of every 50th thumbnail and of the last one.
const THUMBNAIL_POSITIONS = () => Array.from(document.images)
  .filter((img, i, all) => i % 50 === 0 || i === all.length - 1)
  .map((img) => { const r = img.getBoundingClientRect(); return [r.left + scrollX, r.top + scrollY, r.width, r.height]; });

check('large gallery: 2,000 thumbnails paint at once, fetch the first screen only and never move', async (ctx, page) => {
  if (!large) throw new Error('the large gallery was not written');
  const fetched = new Set();
  page.on('request', (r) => { if (r.resourceType() === 'image') fetched.add(r.url()); });
  await page.addInitScript(MEASURE);
  await page.addInitScript(SCROLLBAR_FROM_START);
  // Laid out before any picture has arrived, from the sizes the page gives.
  await page.addInitScript(`document.addEventListener('DOMContentLoaded', () => { window.__before = (${THUMBNAIL_POSITIONS})(); })`);
  await page.goto(large.url, { waitUntil: 'load' });
  await page.waitForLoadState('networkidle');
  const [paint, load] = await paintAndLoad(page);
  const beforeScrolling = fetched.size;
  const loaded = await page.evaluate(() => Array.from(document.images).filter((i) => i.naturalWidth > 0).length);
  const eager = await ctx.newPage();
  await eager.addInitScript(MEASURE);
  // Its load event would wait for all 2,000: the first paint is enough to compare.
  await eager.goto(large.eagerUrl, { waitUntil: 'commit' });
  await eager.waitForFunction(() => window.__paint >= 0, null, { timeout: 10000 });
  const eagerPaint = await eager.evaluate(() => window.__paint);
  await eager.close();
  console.log(`# ${large.count} thumbnails, ${large.eager} on the first screen: first contentful paint ${paint} ms, ` +
    `load ${load} ms, ${beforeScrolling} fetched before scrolling (${loaded} decoded); ` +
    `all fetched at once: first contentful paint ${eagerPaint} ms`);
  expectEq(await page.evaluate(() => document.images.length), large.count, 'thumbnails on the page');
  expectTrue(beforeScrolling >= large.eager && beforeScrolling <= 100,
    `${beforeScrolling} thumbnails fetched before scrolling`);

  await page.evaluate(() => window.scrollTo(0, document.documentElement.scrollHeight));
  await page.waitForFunction(() => { const all = document.images, last = all[all.length - 1];
    return last.complete && last.naturalWidth > 0; }, null, { timeout: 5000 });
  expectTrue(fetched.size > beforeScrolling, 'thumbnails fetched after scrolling to the bottom');
  // Each picture arrives at the size the page gave it, so nothing moved.
  const wrong = await page.evaluate(() => Array.from(document.images)
    .filter((i) => i.naturalWidth > 0 && (i.naturalWidth !== i.width || i.naturalHeight !== i.height))
    .map((i) => `${i.src.split('/').pop()} ${i.naturalWidth}x${i.naturalHeight} in ${i.width}x${i.height}`));
  expectEq(wrong, [], 'thumbnails whose file differs from their place');
  expectEq(await page.evaluate(THUMBNAIL_POSITIONS), await page.evaluate(() => window.__before), 'thumbnail positions');
  const shift = await page.evaluate(() => window.__shift);
  expectTrue(shift < 0.001, `layout shift ${shift} (${await page.evaluate(() => window.__shifted.join(' '))})`);
});

require('./phonephotos').phonePhotoChecks({ check, work, builderTests, expectEq, expectTrue });

async function main() {
  if (!fs.existsSync(browserPath)) throw new Error(`no browser at ${browserPath} (install Debian's chromium)`);
  writeFixtures();
  writeBuiltSite();
  writeLargeGallery();
  const args = ['--headless', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
    '--disable-sync', '--no-first-run', '--allow-file-access-from-files'];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'gallorim-chromium-'));
  const ctx = await chromium.launchPersistentContext(profile, {
    executablePath: browserPath, headless: true, args,
    viewport: { width: 1280, height: 720 }, screen: { width: 1280, height: 800 },
  });
  let passed = 0, failed = 0;
  try {
    for (const { name, fn } of checks) {
      const errors = [];
      const watch = (p) => {
        p.on('pageerror', (e) => errors.push(`${p.url()}: ${e.message}`));
        p.on('console', (m) => {
          // Loading the deliberately missing picture is the only error allowed.
          if (m.type() === 'error' && !(m.location().url || '').includes('missing.png'))
            errors.push(`${p.url()}: ${m.text()}`);
        });
      };
      ctx.on('page', watch);
      const page = await ctx.newPage();
      watch(page);
      await page.addInitScript(RECORD_SHOWN);
      try {
        await fn(ctx, page);
        if (errors.length) throw new Error('script errors: ' + errors.join(' | '));
        passed++;
        console.log(`ok - ${name}`);
      } catch (e) {
        failed++;
        console.log(`not ok - ${name}: ${e.message.split('\n')[0]}`);
      } finally {
        ctx.off('page', watch);
        for (const p of ctx.pages()) await p.close();
      }
    }
  } finally {
    await ctx.close();
    fs.rmSync(profile, { recursive: true, force: true });
    fs.rmSync(work, { recursive: true, force: true });
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exitCode = failed ? 1 : 0;
}

const guard = setTimeout(() => { console.log('browser checks took longer than 90 s'); process.exit(1); }, 90000);
main().then(() => clearTimeout(guard), (e) => { clearTimeout(guard); console.log(`error: ${e.message}`); process.exit(1); });
