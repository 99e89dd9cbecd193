// Generates a responsive shop of two categories with pictures, serves it on
// loopback and runs Lighthouse in its mobile mode on four of its pages.
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

import * as chromeLauncher from 'chrome-launcher';
import lighthouse from 'lighthouse';

import { generateShop, serve } from '../../tests/e2e/shop-site.mjs';

const CATEGORIES = ['Tools', 'Garden'].map((name, c) => ({
  name,
  items: Array.from({ length: 12 }, (_, i) => [
    `${name[0]}-${i + 1}`, `${name} item ${i + 1}`, (9.95 + 3 * i + c).toFixed(2),
    'item.png', '', 'Forge', String(0.25 * (i + 1))]),
}));

// A 400 x 300 grey PNG for every item picture.
function png() {
  const crcTable = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
  });
  const crc = (bytes) => {
    let c = 0xffffffff;
    for (const b of bytes) c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
  };
  const chunk = (type, data) => {
    const length = Buffer.alloc(4);
    length.writeUInt32BE(data.length);
    const body = Buffer.concat([Buffer.from(type), data]);
    const sum = Buffer.alloc(4);
    sum.writeUInt32BE(crc(body));
    return Buffer.concat([length, body, sum]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(400, 0);
  header.writeUInt32BE(300, 4);
  header.set([8, 0, 0, 0, 0], 8);
  const rows = Buffer.alloc(301 * 300, 0xd0);
  for (let y = 0; y < 300; y++) rows[y * 301] = 0;
  return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', header),
    chunk('IDAT', zlib.deflateSync(rows)), chunk('IEND', Buffer.alloc(0))]);
}

const TYPES = { '.html': 'text/html; charset=utf-8', '.css': 'text/css', '.js': 'text/javascript',
  '.png': 'image/png', '.txt': 'text/plain', '.xml': 'application/xml' };

// Compressed and cached as a web host of today would serve them. The site
// is generated once the server's address, its canonical base, is known.
let site;
const server = await serve((request, response) => {
  const name = new URL(request.url, 'http://localhost').pathname.slice(1) || 'index.html';
  const file = path.join(site.folder, name);
  if (name.includes('/') || !fs.existsSync(file)) {
    response.writeHead(404).end();
    return;
  }
  const body = zlib.gzipSync(fs.readFileSync(file));
  response.writeHead(200, { 'Content-Type': TYPES[path.extname(name)] || 'application/octet-stream',
    'Content-Encoding': 'gzip', 'Cache-Control': 'max-age=3600' });
  response.end(body);
});

site = generateShop(CATEGORIES, ['--layout', 'responsive', '--weight', '--manufacturer',
  '--picture-url', '--sitemap', server.url], '[merchant]\nname = "Kestrel Tools"\n');
fs.writeFileSync(path.join(site.folder, 'item.png'), png());

const chrome = await chromeLauncher.launch({
  chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu'],
});
const pages = (process.env.PAGES || 'index.html c-tools.html basket.html checkout.html').split(' ');
try {
  console.log('page             performance  accessibility  best-practices  seo');
  for (const page of pages) {
    const result = await lighthouse(server.url + page, {
      port: chrome.port, output: 'json', logLevel: 'error',
      onlyCategories: ['performance', 'accessibility', 'best-practices', 'seo'],
    }, {
      extends: 'lighthouse:default',
      settings: { formFactor: 'mobile', disableStorageReset: true },
    }, undefined);
    const scores = result.lhr.categories;
    const failed = Object.values(result.lhr.audits)
      .filter((audit) => audit.score !== null && audit.score < 1 && audit.scoreDisplayMode === 'binary')
      .map((audit) => audit.id);
    console.log(page.padEnd(16), ...['performance', 'accessibility', 'best-practices', 'seo']
      .map((name) => String(Math.round(scores[name].score * 100)).padStart(12)),
    failed.length ? '  failed: ' + failed.join(', ') : '');
    const metric = (id) => result.lhr.audits[id].displayValue;
    console.log(''.padEnd(16), 'FCP', metric('first-contentful-paint'), ' LCP',
      metric('largest-contentful-paint'), ' TBT', metric('total-blocking-time'), ' CLS',
      metric('cumulative-layout-shift'), ' SI', metric('speed-index'));
    for (const item of result.lhr.audits['errors-in-console'].details?.items ?? []) {
      console.log(''.padEnd(16), 'console:', item.source, item.description, item.sourceLocation?.url ?? '');
    }
  }
} finally {
  await chrome.kill();
  await server.close();
  site.remove();
}
