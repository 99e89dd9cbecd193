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
      const items = expected.basket.items.filter((_, index) => index !== 1);
      assert.deepEqual(await shop.basket(), { items, total: expected.totalAfterRemove });
      // Without the Manufacturer box its cells stay empty (never "undefined").
      assert.deepEqual(await shop.manufacturers(), ['', '']);

      // Within state, then the second shipping method.
      await shop.showOrderForm();
      assert.deepEqual(await shop.manufacturers(), ['', '']);
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
  totalAfterRemove: '$ 249.90',
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
    totalAfterRemove: '$ 129.97',
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

describe('manufacturer cells with the Manufacturer box', () => {
  const state = servedShop(PLAIN, ['--weight', '--manufacturer']);

  test('the basket and the order form show the makers', async () => {
    const shop = new Shop(state);
    await shop.open();
    await shop.showCategory('Shoes');
    await shop.orderOnList(1, 1);
    await shop.showCategory('Tools');
    await shop.orderOnList(1, 2);
    for (const show of [() => shop.showBasket(), () => shop.showOrderForm()]) {
      await show();
      assert.deepEqual(await shop.manufacturers(), ['Acme', 'Forge']);
    }
    assert.deepEqual(state.errors, []);
  });
});

// "order.htm" with shipping by weight: the tax buttons and the shipping
// methods for baskets on the edges of the weight table. Each case orders the
// first `items` tools once, then presses the buttons of each step and reads
// the tax and the amount; `charges` are those of the basket's weight bracket.
const TOOL_LINES = [
  'T-1 ^ 1 ^ 22.40 ^ 22.40^', 'T-2 ^ 1 ^ 150.00 ^ 150.00^', 'T-3 ^ 1 ^ 0.05 ^ 0.05^',
];
const WEIGHT_CASES = [{
  title: 'weight 0.5, and a total whose cents round up to the next dollar',
  items: 1,
  charges: ['7.75', '8.25', '18.45', '20.00'],
  steps: [
    [['R12'], '1.85', '32.00'],  // 22.40 + 1.848 tax + 7.75 = 31.998
    [['V3'], '1.85', '42.70'],  // + 18.45 = 42.698
    [['R11'], '0.00', '30.15'],  // out of state: no tax, and the first method again
  ],
  // What the last step leaves chosen.
  checked: { V1: true, V3: false, R12: false },
}, {
  title: 'weight 20 uses the 19-20 charges',
  items: 2,
  charges: ['32.00', '34.95', '52.95', '57.05'],
  steps: [
    [['R12'], '14.22', '218.62'],  // 172.40 + 14.223 tax + 32.00
    [['V4'], '14.22', '243.67'],
    [['V2'], '14.22', '221.57'],
  ],
}, {
  title: 'weight 20.01 uses the charges above 20',
  items: 3,
  charges: ['100.00', '100.00', '100.00', '100.00'],
  steps: [
    [['R11'], '0.00', '272.45'],  // 172.45 out of state + 100.00
    [['R12', 'V3'], '14.23', '286.68'],  // + 14.227125 tax = 286.677125
  ],
}];

describe('order form with shipping by weight', () => {
  const state = servedShop([{ name: 'Tools', items: TOOLS }], ['--weight']);

  for (const { title, items, charges, steps, checked = {} } of WEIGHT_CASES) {
    test(title, async () => {
      const shop = new Shop(state);
      await shop.open();
      await shop.showCategory('Tools');
      for (let n = 1; n <= items; n++) await shop.orderOnList(n, 1);
      await shop.showOrderForm();
      const lines = TOOL_LINES.slice(0, items);
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
