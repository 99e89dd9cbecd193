// Browser test of a generated shop site: `vendaro generate` writes the site
// from a project folder made here, a loopback HTTP server serves it, and
// headless Chromium orders, looks at the basket, removes lines and fills the
// order form through the site's own frames and scripts.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';

import { launchChromium, Shop as ShopPages } from './shop-pages.mjs';
import { generateShop, serveFolder } from './shop-site.mjs';

// Item records: id, description, price, picture URL, description URL,
// manufacturer, weight.
const SHOES = [
  ['S-100', 'Running shoe', '49.95', '', '', 'Acme', '0.5'],
  ['S-200', 'Trail boot', '89.99', '', '', 'Bolt', '1.25'],
];
const TOOLS = [
  ['T-1', 'Hammer', '22.40', '', '', 'Forge', '0.5'],
  ['T-2', 'Anvil', '150.00', '', '', 'Forge', '19.5'],
  ['T-3', 'Nail', '0.05', '', '', 'Forge', '0.01'],
];
const HOME_GARDEN = [
  ['H-1', 'Hose 15" reel', '19.99', '', '', 'Aqua', '2'],
  ['H-2', 'Rake "Pro" <i>steel</i>', '12.50', '', '', 'Tine', '1'],
];

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
  constructor(state) {
    super(state.page, state.server.url);
  }
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
// show after the steps below.
function shoppingFlow(title, categories, expected) {
  describe(title, () => {
    const state = servedShop(categories, ['--weight']);

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
      assert.deepEqual(await shop.basket(), expected.afterRemove);

      // Within state, then the second shipping method.
      await shop.showOrderForm();
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

const PLAIN = [{ name: 'Shoes', items: SHOES }, { name: 'Tools', items: TOOLS }];
shoppingFlow('a plain catalogue', PLAIN, {
  // 2 x 49.95 = 99.90, 3 x 89.99 = 269.97, 1 x 150.00; 519.87 in all.
  basket: {
    items: [
      ['S-100', 'Running shoe', '$ 49.95', '2', '$ 99.90'],
      ['S-200', 'Trail boot', '$ 89.99', '3', '$ 269.97'],
      ['T-2', 'Anvil', '$ 150.00', '1', '$ 150.00'],
    ],
    total: '$ 519.87',
  },
  afterRemove: {
    items: [
      ['S-100', 'Running shoe', '$ 49.95', '2', '$ 99.90'],
      ['T-2', 'Anvil', '$ 150.00', '1', '$ 150.00'],
    ],
    total: '$ 249.90',
  },
  // 249.90, tax 20.61675, weight 1 + 19.5 = 20.5: charge 100.00.
  order: orderFields({
    tax: '20.62',
    amount: '370.52',
    charges: ['100.00', '100.00', '100.00', '100.00'],
    lines: ['S-100 ^ 2 ^ 49.95 ^ 99.90^', 'T-2 ^ 1 ^ 150.00 ^ 150.00^'],
  }),
  // The first shoe once, the second tool four times.
  complect: {
    items: [
      ['S-100', 'Running shoe', '$ 49.95', '1', '$ 49.95'],
      ['T-2', 'Anvil', '$ 150.00', '4', '$ 600.00'],
    ],
    total: '$ 649.95',
  },
});

shoppingFlow(
  'a category named with a space and descriptions holding double quotes',
  [{ name: 'Home Garden', items: HOME_GARDEN }, { name: 'Shoes', items: SHOES }],
  {
    // 2 x 19.99 = 39.98, 3 x 12.50 = 37.50, 1 x 89.99; 167.47 in all.
    basket: {
      items: [
        ['H-1', 'Hose 15" reel', '$ 19.99', '2', '$ 39.98'],
        ['H-2', 'Rake "Pro" steel', '$ 12.50', '3', '$ 37.50'],
        ['S-200', 'Trail boot', '$ 89.99', '1', '$ 89.99'],
      ],
      total: '$ 167.47',
    },
    afterRemove: {
      items: [
        ['H-1', 'Hose 15" reel', '$ 19.99', '2', '$ 39.98'],
        ['S-200', 'Trail boot', '$ 89.99', '1', '$ 89.99'],
      ],
      total: '$ 129.97',
    },
    // 129.97, tax 10.722525, weight 4 + 1.25 = 5.25: the 5-6 bracket.
    order: orderFields({
      tax: '10.72',
      amount: '156.19',
      charges: ['15.25', '15.50', '28.95', '31.20'],
      lines: ['H-1 ^ 2 ^ 19.99 ^ 39.98^', 'S-200 ^ 1 ^ 89.99 ^ 89.99^'],
    }),
    complect: {
      items: [
        ['H-1', 'Hose 15" reel', '$ 19.99', '1', '$ 19.99'],
        ['S-200', 'Trail boot', '$ 89.99', '4', '$ 359.96'],
      ],
      total: '$ 379.95',
    },
  },
);

// "order.htm" with shipping by weight: the tax buttons and the shipping
// methods for baskets on the edges of the weight table.
describe('order form with shipping by weight', () => {
  const state = servedShop([{ name: 'Tools', items: TOOLS }], ['--weight']);

  async function orderTools(quantities) {
    const shop = new Shop(state);
    await shop.open();
    await shop.showCategory('Tools');
    for (const [n, quantity] of quantities) await shop.orderOnList(n, quantity);
    await shop.showOrderForm();
    return shop;
  }

  test('weight 0.5, and a total whose cents round up to the next dollar', async () => {
    const shop = await orderTools([[1, 1]]);
    const lines = ['T-1 ^ 1 ^ 22.40 ^ 22.40^'];
    const charges = ['7.75', '8.25', '18.45', '20.00'];
    // 22.40 + 1.848 tax + 7.75 = 31.998.
    await shop.click('R12');
    assert.deepEqual(await shop.orderFields(),
      orderFields({ tax: '1.85', amount: '32.00', charges, lines }));
    // + 18.45 = 42.698
    await shop.click('V3');
    assert.deepEqual(await shop.orderFields(),
      orderFields({ tax: '1.85', amount: '42.70', charges, lines }));
    // Out of state: no tax, and the first method again: 22.40 + 7.75.
    await shop.click('R11');
    assert.deepEqual(await shop.orderFields(),
      orderFields({ tax: '0.00', amount: '30.15', charges, lines }));
    assert.equal(await shop.content.isChecked('[name=V1]'), true);
    assert.equal(await shop.content.isChecked('[name=V3]'), false);
    assert.equal(await shop.content.isChecked('[name=R12]'), false);
    assert.deepEqual(state.errors, []);
  });

  test('weight 20 uses the 19-20 charges', async () => {
    const shop = await orderTools([[1, 1], [2, 1]]);
    const lines = ['T-1 ^ 1 ^ 22.40 ^ 22.40^', 'T-2 ^ 1 ^ 150.00 ^ 150.00^'];
    const charges = ['32.00', '34.95', '52.95', '57.05'];
    // 172.40 + 14.223 tax = 186.623
    await shop.click('R12');
    assert.deepEqual(await shop.orderFields(),
      orderFields({ tax: '14.22', amount: '218.62', charges, lines }));
    await shop.click('V4');
    assert.deepEqual(await shop.orderFields(),
      orderFields({ tax: '14.22', amount: '243.67', charges, lines }));
    await shop.click('V2');
    assert.deepEqual(await shop.orderFields(),
      orderFields({ tax: '14.22', amount: '221.57', charges, lines }));
    assert.deepEqual(state.errors, []);
  });

  test('weight 20.01 uses the charges above 20', async () => {
    const shop = await orderTools([[1, 1], [2, 1], [3, 1]]);
    const lines = [
      'T-1 ^ 1 ^ 22.40 ^ 22.40^', 'T-2 ^ 1 ^ 150.00 ^ 150.00^', 'T-3 ^ 1 ^ 0.05 ^ 0.05^',
    ];
    const charges = ['100.00', '100.00', '100.00', '100.00'];
    // 172.45 out of state + 100.00
    await shop.click('R11');
    assert.deepEqual(await shop.orderFields(),
      orderFields({ tax: '0.00', amount: '272.45', charges, lines }));
    // 172.45 + 14.227125 tax + 100.00 = 286.677125
    await shop.click('R12');
    await shop.click('V3');
    assert.deepEqual(await shop.orderFields(),
      orderFields({ tax: '14.23', amount: '286.68', charges, lines }));
    assert.deepEqual(state.errors, []);
  });
});
