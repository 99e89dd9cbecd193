// Browser test of the responsive layout: the site of `vendaro generate
// --layout responsive` on a phone (390 x 844) and a desktop (1280 x 800)
// screen, its basket across pages and reloads, its checkout against the
// framed layout's order form for the same basket, and axe-core's audit.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, describe, test } from 'node:test';

import { launchChromium, Shop } from './shop-pages.mjs';
import { ResponsiveShop } from './responsive-pages.mjs';
import { generateShop, serveFolder } from './shop-site.mjs';

const CASES = JSON.parse(fs.readFileSync(new URL('./data/shop-cases.json', import.meta.url)));
const CATALOGUE = ['Tools', 'Home Garden'].map((name) => ({ name, items: CASES.catalogues[name] }));
const SETTINGS = `[merchant]
name = "Kestrel Tools"
address = ["1 Main St", "Springfield, IL 62701"]
email = "shop@kestrel.example"
phone = "+1 555 0100"
terms = """Returns within 30 days.

Shipping from Springfield."""
[tax.rates]
IN = 0.07
[payment]
link = "https://pay.example/checkout?amount={amount}&ref={reference}"
`;
const PAGES = ['index.html', 'c-tools.html', 'c-home-garden.html', 'p-home-garden-h-2.html',
  'basket.html', 'checkout.html', 'terms.html', 'privacy.html'];
const ADDRESS = { NameS: 'Ann Buyer', Adrs1S: '1 Main St', CityS: 'Springfield', StateS: 'IL',
  ZIPS: '62701', E_Mail1: 'ann@buyer.example' };

let chromium;
const sites = [];

before(async () => {
  chromium = await launchChromium();
});

after(async () => {
  await chromium?.close();
  for (const site of sites) {
    await site.server.close();
    site.generated.remove();
  }
});

async function servedSite(flags, settings) {
  const generated = generateShop(CATALOGUE, flags, settings);
  const site = { generated, server: await serveFolder(generated.folder) };
  sites.push(site);
  return site.server.url;
}

// Runs `steps` with the shop at `base` on a new page with an empty basket,
// then checks that the page raised no script error.
async function onShop(base, steps, viewport = { width: 390, height: 844 }) {
  const page = await chromium.context.newPage();
  await page.setViewportSize(viewport);
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(base + 'index.html');
  await page.evaluate(() => localStorage.clear());
  try {
    await steps(new ResponsiveShop(page, base), page);
    assert.deepEqual(errors, []);
  } finally {
    await page.close();
  }
}

// Two tools and a hose: 2 x 22.40 + 3 x 0.05 + 19.99 = 64.94, weight
// 2 x 0.5 + 3 x 0.01 + 2 = 3.03.
async function fillBasket(shop) {
  await shop.open('c-tools.html');
  await shop.add(1, 2);
  await shop.add(3, 3);
  await shop.open('c-home-garden.html');
  await shop.add(1, 1);
}

describe('responsive shop', () => {
  let base;
  before(async () => {
    base = await servedSite(['--layout', 'responsive', '--weight', '--manufacturer'], SETTINGS);
  });

  for (const viewport of [{ width: 390, height: 844 }, { width: 1280, height: 800 }]) {
    test(`every page fits ${viewport.width} x ${viewport.height} and axe finds nothing serious`, () => onShop(base, async (shop) => {
      await fillBasket(shop);
      for (const file of PAGES) {
        await shop.open(file);
        assert.deepEqual(await shop.layoutProblems(), [], file);
        assert.deepEqual(await shop.accessibilityProblems(), [], file);
      }
    }, viewport));
  }

  test('the basket keeps its lines across pages and a reload; quantities change, lines go', () => onShop(base, async (shop, page) => {
    await fillBasket(shop);
    assert.equal(await shop.count(), 6);
    await shop.open('p-tools-t-1.html');  // a product page opened directly
    await shop.add(1, 1);
    assert.equal(await shop.count(), 7);
    await shop.open('basket.html');
    const expected = {
      lines: [['Hammer', '3', '$67.20'], ['Nail', '3', '$0.15'], ['Hose 15" reel', '1', '$19.99']],
      total: '$87.34',
    };
    assert.deepEqual(await shop.basket(), expected);
    await page.reload();
    assert.deepEqual(await shop.basket(), expected);

    await page.getByLabel('Quantity').nth(1).fill('10');
    await page.getByLabel('Quantity').nth(1).press('Tab');
    await page.getByRole('button', { name: 'Remove Hammer' }).click();
    assert.deepEqual(await shop.basket(),
      { lines: [['Nail', '10', '$0.50'], ['Hose 15" reel', '1', '$19.99']], total: '$20.49' });
    assert.equal(await shop.count(), 11);
  }));

  test('the tax follows the merchant\'s rule for the address; ordering confirms with a payment link', () => onShop(base, async (shop, page) => {
    await fillBasket(shop);
    await shop.open('checkout.html');
    await shop.fillCheckout({ ...ADDRESS, StateS: 'in' }, 3);
    // 7% of 64.94 = 4.5458; "FedEx Standard" costs 24.70 for 3-4 pounds.
    const fields = await shop.orderFields();
    assert.equal(fields.T2, '$ 4.55');
    assert.equal(fields.AMOUNT, '$$$ 94.19');
    assert.deepEqual([fields.V1, fields.V2, fields.V3, fields.V4], ['', '', 'Standard', '']);

    await page.getByLabel(/Pay on-line/).check();
    // The order goes to a frame of the page instead of a mail program.
    await page.evaluate(() => {
      document.body.append(Object.assign(document.createElement('iframe'), { name: 'sink', hidden: true }));
      Object.assign(document.querySelector('[data-checkout] form'), { action: location.origin + '/capture', target: 'sink' });
    });
    await page.getByRole('button', { name: 'Place order' }).click();
    const confirmation = page.locator('[data-confirmation]');
    await confirmation.waitFor();
    assert.match(await confirmation.textContent(), /Your order reference is W[0-9A-Z]+\. The total is \$94\.19\./);
    assert.match(await confirmation.getByRole('link').getAttribute('href'),
      /^https:\/\/pay\.example\/checkout\?amount=94\.19&ref=W[0-9A-Z]+$/);
    assert.equal(await shop.count(), 0);
  }));

  test('totals with tax and shipping equal those of the framed layout for the same basket', async () => {
    const framedBase = await servedSite(['--weight', '--manufacturer']);
    await onShop(base, async (shop, page) => {
      const framed = new Shop(page, framedBase);
      await framed.open();
      await framed.showCategory('Tools');
      await framed.orderOnList(1, 2);
      await framed.orderOnList(3, 3);
      await framed.showCategory('Home Garden');
      await framed.orderOnList(1, 1);
      await framed.showOrderForm();
      await framed.click('R12');
      await framed.click('V3');
      const expected = await framed.orderFields();

      await fillBasket(shop);
      await shop.open('checkout.html');
      await shop.fillCheckout(ADDRESS, 3);
      const fields = await shop.orderFields();
      for (const name of ['T2', 'T3', 'T4', 'T5', 'T6', 'AMOUNT', 'DESCRIPTION']) {
        assert.equal(fields[name], expected[name], name);
      }
    }, { width: 1280, height: 800 });
  });
});
