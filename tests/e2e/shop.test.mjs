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

// Orders that would leave the shop empty or unusable: the order page fills
// items and total as it opens, submitting asks for what is missing, and the
// list pages refuse quantities that are not whole numbers of pieces.
describe('orders refused until they are usable', () => {
  const state = servedShop(catalogue(['Tools']), ['--weight']);
  const messages = [];
  const onDialog = async (dialog) => {
    messages.push(dialog.message());
    await dialog.dismiss();
  };
  before(() => state.page.on('dialog', onDialog));
  after(() => state.page.off('dialog', onDialog));

  // Presses "Submit" and tells whether the form would have been sent; a
  // listener after the page's own keeps the browser from sending it.
  async function submitted(shop) {
    await shop.content.evaluate(() => {
      if (window.watched) return;
      window.watched = true;
      document.forms.FormOrder.addEventListener('submit',
        (event) => { window.sent = !event.defaultPrevented; event.preventDefault(); });
    });
    await shop.click('B1');
    return shop.content.evaluate(() => window.sent);
  }

  test('an order page opened without a click carries items and total', async () => {
    messages.length = 0;
    const shop = new Shop(state);
    await shop.open();
    await shop.showCategory('Tools');
    await shop.content.locator('input[name=quantity]').first().fill('0.01');
    await shop.content.locator('input[value=Order]').first().click();
    assert.deepEqual(messages, ['Please type the number of pieces as a whole number from 1 to 999999.']);
    await shop.orderOnList(1, 1);
    await shop.showOrderForm();
    await shop.content.waitForFunction(() => document.forms.FormOrder.AMOUNT.value !== '');
    // Within state and the first method, as a click on "Within State" gives.
    assert.deepEqual(await shop.orderFields(), orderFields({
      tax: '1.85', amount: '32.00', charges: ['7.75', '8.25', '18.45', '20.00'],
      lines: ['T-1 ^ 1 ^ 22.40 ^ 22.40^'],
    }));
    assert.equal(await shop.content.isChecked('[name=R12]'), true);
    assert.equal(await submitted(shop), false);
    assert.equal(messages[1], 'Please fill in your name, address and e-mail.');
    for (const [name, value] of [['NameB', 'Ann'], ['Adrs1B', '1 Main St'], ['E_Mail1', 'a@b.example']]) {
      await shop.content.locator(`[name=${name}]`).fill(value);
    }
    assert.equal(await submitted(shop), true);
    assert.equal(messages.length, 2);
    assert.deepEqual(state.errors, []);
  });

  test('an empty basket is not sent', async () => {
    messages.length = 0;
    const shop = new Shop(state);
    await shop.open();
    await shop.showOrderForm('COD', /\/order_cod\.htm$/);
    await shop.content.locator('[name=Adrs1B]').fill('1 Main St');
    assert.equal(await submitted(shop), false);
    assert.deepEqual(messages, ['Your basket is empty. Please fill in your name and e-mail.']);
    assert.deepEqual(state.errors, []);
  });
});
