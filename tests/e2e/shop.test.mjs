// Browser test of a generated shop site: `vendaro generate` writes the site
// from a project folder made here, a loopback HTTP server serves it, and
// headless Chromium orders, looks at the basket, removes lines and fills the
// order form through the site's own frames and scripts.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, describe, test } from 'node:test';

import { launchChromium, Shop as ShopPages } from './shop-pages.mjs';
import { generateShop, serveFolder } from './shop-site.mjs';

// The catalogues and what the pages must show for them.
const CASES = JSON.parse(fs.readFileSync(new URL('./data/shop-cases.json', import.meta.url)));
const catalogue = (names) => names.map((name) => ({ name, items: CASES.catalogues[name] }));

let chromium;
let browser;

before(async () => {
  chromium = await launchChromium();
  browser = chromium.context;
});

after(async () => {
  await chromium?.close();
});

// The shop pages of a group's served site.
class Shop extends ShopPages {
  constructor(state) { super(state.page, state.server.url); }
}

// Generates and serves one site for the tests of a group; the returned state
// holds the site, its server, a browser page and the script errors seen.
function servedShop(categories, flags) {
  const state = {};
  before(async () => {
    state.site = generateShop(categories, flags);
    state.server = await serveFolder(state.site.folder);
    state.errors = [];
    state.page = await browser.newPage();
    state.page.on('pageerror', (error) => state.errors.push(error.message));
  });
  after(async () => {
    await state.page?.close();
    await state.server?.close();
    state.site?.remove();
  });
  return state;
}

// The fields the order form must show; `charges` are the four shipping
// charges of the weight bracket, as the page writes them.
function orderFields({ tax, amount, charges, lines }) {
  return {
    T2: '$ ' + tax,
    T1: '$$$ ' + amount,
    T3: '$ ' + charges[0],
    T4: '$ ' + charges[1],
    T5: '$ ' + charges[2],
    T6: '$ ' + charges[3],
    AMOUNT: '$$$ ' + amount,
    DESCRIPTION: lines.map((line) => line + '\n').join('') + '\n Total Price : $$$ ' + amount,
  };
}

// The list pages, the basket, "Remove", the order form and "complect.htm"
// for a catalogue of two categories; `expected` holds what the pages must
// show after the steps below ("Remove" takes the basket's second line away).
function shoppingFlow(title, categories, expected) {
  describe(title, () => {
    const state = servedShop(categories, ['--weight', ...expected.flags]);

    test('orders on two list pages, shows the basket and removes a line', async () => {
      const shop = new Shop(state);
      await shop.open();
      await shop.showCategory(categories[0].name);
      await shop.orderOnList(1, 2);
      await shop.orderOnList(2, 1);
      await shop.orderOnList(2, 3);  // a new quantity replaces the old one
      await shop.showCategory(categories[1].name);
      await shop.orderOnList(2, 1);

      await shop.showBasket();
      assert.deepEqual(await shop.basket(), expected.basket);
      await shop.removeBasketLine(2);
      const items = expected.basket.items.filter((_, index) => index !== 1);
      assert.deepEqual(await shop.basket(), { items, total: expected.totalAfterRemove });
      // With the Manufacturer box the makers, without it empty cells (never
      // "undefined").
      assert.deepEqual(await shop.manufacturers(), expected.makers);

      // Within state, then the second shipping method.
      await shop.showOrderForm();
      assert.deepEqual(await shop.manufacturers(), expected.makers);
      await shop.click('R12');
      await shop.click('V2');
      assert.deepEqual(await shop.orderFields(), expected.order);
      assert.deepEqual(state.errors, []);
    });

    test('"complect.htm" orders the chosen item of each row', async () => {
      const shop = new Shop(state);
      await shop.open();
      await shop.follow(shop.menu, 'Do Your self', shop.content, /complect\.htm$/);
      // The row forms sit between table rows, so their fields are reached
      // through the rows.
      const rows = shop.content.locator('tr');
      await rows.nth(1).locator('select').selectOption('2');
      await rows.nth(1).locator('input[name=quantity]').fill('4');
      await rows.nth(1).locator('input[value=Order]').click();
      await rows.nth(0).locator('input[name=quantity]').fill('1');
      await rows.nth(0).locator('input[value=Order]').click();
      await shop.showBasket();
      assert.deepEqual(await shop.basket(), expected.complect);
      assert.deepEqual(state.errors, []);
    });
  });
}

for (const flow of CASES.shoppingFlows) {
  shoppingFlow(flow.title, catalogue(flow.categories), { ...flow, order: orderFields(flow.order) });
}

// "order.htm" with shipping by weight: the tax buttons and the shipping
// methods for baskets on the edges of the weight table. Each case orders the
// first `items` tools once, then presses the buttons of each step and reads
// the tax and the amount; `charges` are those of the basket's weight bracket.
describe('order form with shipping by weight', () => {
  const state = servedShop(catalogue(['Tools']), ['--weight']);

  for (const { title, items, charges, steps, checked = {} } of CASES.weightCases) {
    test(title, async () => {
      const shop = new Shop(state);
      await shop.open();
      await shop.showCategory('Tools');
      for (let n = 1; n <= items; n++) await shop.orderOnList(n, 1);
      await shop.showOrderForm();
      const lines = CASES.catalogues.Tools.slice(0, items)
        .map(([id, , price]) => `${id} ^ 1 ^ ${price} ^ ${price}^`);
      for (const [buttons, tax, amount] of steps) {
        for (const button of buttons) await shop.click(button);
        assert.deepEqual(await shop.orderFields(), orderFields({ tax, amount, charges, lines }),
          buttons.join(' '));
      }
      for (const [name, on] of Object.entries(checked)) {
        assert.equal(await shop.content.isChecked(`[name=${name}]`), on, name);
      }
      assert.deepEqual(state.errors, []);
    });
  }
});
