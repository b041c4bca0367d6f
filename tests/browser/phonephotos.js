'use strict';
// Phone photos in a built site: a HEIC (shown through its JPEG copy) and an
// AVIF (shown as it is). Every thumbnail and every full-size link of the
// gallery page must be a picture Chromium decodes.
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');

function writePhoneSite(builderTests, root) {
  fs.mkdirSync(root, { recursive: true });
  execFileSync(builderTests, ['--gtest_filter=PhoneGallery.*'], {
    env: { ...process.env, GALLORIM_PHONE_GALLERY: root, QT_QPA_PLATFORM: 'offscreen' }, stdio: 'pipe',
  });
}

// Natural size of a picture once Chromium has decoded it, [0, 0] when it cannot.
const decodedSize = (page, src) => page.evaluate(async (s) => {
  const img = new Image();
  img.src = s;
  try { await img.decode(); } catch (e) { return [0, 0]; }
  return [img.naturalWidth, img.naturalHeight];
}, src);

function phonePhotoChecks({ check, work, builderTests, expectEq, expectTrue }) {
  check('built site: HEIC and AVIF photos show as thumbnails and at full size', async (ctx, page) => {
    if (!builderTests) throw new Error('no page builder to write the site');
    const root = path.join(work, 'phone');
    writePhoneSite(builderTests, root);
    await page.goto('file://' + path.join(root, 'gallery', 'index.html'));
    const thumbnails = await page.evaluate(() => [...document.images].map((i) => i.src));
    expectEq(thumbnails.length, 2, 'thumbnails on the page');
    for (const src of thumbnails) {
      const [w] = await decodedSize(page, src);
      expectTrue(w > 0, 'thumbnail decodes: ' + src);
    }
    const links = await page.evaluate(() => [...document.querySelectorAll('a[target="_blank"]')].map((a) => a.href));
    const sizes = {};
    for (const href of links) sizes[path.basename(decodeURIComponent(href))] = await decodedSize(page, href);
    // The HEIC was stored turned a quarter: its copy is upright, portrait.
    expectEq(sizes, { 'small_IMG_0001.HEIC.full.jpg': [480, 640], 'IMG_0002.avif': [640, 480] }, 'full-size links');
  });
}

module.exports = { phonePhotoChecks };
