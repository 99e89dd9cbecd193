// Places one order in a generated shop site with headless Chromium and prints
// the body the browser sends for it.
//
//   node place-order.mjs --site FOLDER --order CATEGORY:N:QUANTITY ...
//        [--within-state] [--method 1..4] [--cod] [--responsive] --field NAME=VALUE ...
//   node place-order.mjs --site-url URL --order ... --field ...
//
// With --responsive the site is of the responsive layout: the items go into
// the basket on the category pages and the order is placed on its checkout
// (the billing address is its own when a billing field is given).
//
// Orders QUANTITY of the N-th item (1-based) of each CATEGORY's list page,
// opens "order.htm" ("order_cod.htm" with --cod), picks the tax button and
// the shipping button when a method is given, fills the fields and
// presses "Submit". The order form posts to a mailto: address; a browser
// would hand the body to a mail program, so the form's action is pointed at
// a loopback capture server instead. Method and encoding (text/plain) stay
// the page's own, so the body is Chromium's own encoding of the form.
//
// With --site-url the site is served at URL (by PHP, with its order script):
// the form posts where the page says, after the script's shortest fill time,
// and the text of the page that answers the post is printed.
import { parseArgs } from 'node:util';

import { ResponsiveShop } from './responsive-pages.mjs';
import { launchChromium, Shop } from './shop-pages.mjs';
import { serve, serveFolder } from './shop-site.mjs';

const { values: options } = parseArgs({
  options: {
    site: { type: 'string' },
    'site-url': { type: 'string' },
    order: { type: 'string', multiple: true, default: [] },
    'within-state': { type: 'boolean', default: false },
    method: { type: 'string' },
    cod: { type: 'boolean', default: false },
    responsive: { type: 'boolean', default: false },
    field: { type: 'string', multiple: true, default: [] },
  },
});
if (!options.site === !options['site-url']) {
  throw new Error('one of --site FOLDER and --site-url URL is required');
}
// The order script takes no form sent sooner after the page opened.
const SCRIPT_FILL_MS = 2000;

// Receives one POST and hands its method, content type and raw body over.
async function captureServer() {
  let deliver;
  const received = new Promise((resolve) => { deliver = resolve; });
  const server = await serve((request, response) => {
    const chunks = [];
    request.on('data', (chunk) => chunks.push(chunk));
    request.on('end', () => {
      response.writeHead(200, { 'Content-Type': 'text/html' }).end('<p>Order received</p>');
      const { method, headers } = request;
      deliver({ method, type: headers['content-type'], body: Buffer.concat(chunks) });
    });
  });
  return { ...server, url: server.url + 'order', received };
}

// Fills the order form; returns when it opened.
async function fillOrder(shop) {
  await shop.open();
  for (const order of options.order) {
    const [category, n, quantity] = order.split(':');
    await shop.showCategory(category);
    await shop.orderOnList(Number(n), Number(quantity));
  }
  if (options.cod) await shop.showOrderForm('COD', /\/order_cod\.htm$/);
  else await shop.showOrderForm();
  const opened = Date.now();
  await shop.click(options['within-state'] ? 'R12' : 'R11');
  if (options.method) await shop.click('V' + options.method);
  for (const field of options.field) {
    const split = field.indexOf('=');
    await shop.content.locator(`[name=${field.slice(0, split)}]`).fill(field.slice(split + 1));
  }
  return opened;
}

async function placeOrder(shop, capture) {
  await fillOrder(shop);
  await shop.content.evaluate((url) => { document.forms.FormOrder.action = url; }, capture.url);
  await shop.click('B1');
  return capture.received;
}

// Posts the order form to the site's order script and returns the text of
// the page it answers with.
async function placeScriptOrder(shop) {
  const opened = await fillOrder(shop);
  await new Promise((resolve) => setTimeout(resolve, SCRIPT_FILL_MS + 200 - (Date.now() - opened)));
  await Promise.all([shop.content.waitForNavigation({ url: /order\.php$/ }), shop.click('B1')]);
  return shop.content.evaluate(() => document.body.innerText);
}

const BILLING_FIELDS = /^(NameB|Adrs1B|Adrs2B|CityB|StateB|ZIPB|PhoneD|E_Mail2)$/;

async function placeResponsiveOrder(shop, capture) {
  for (const order of options.order) {
    const [category, n, quantity] = order.split(':');
    await shop.open('c-' + category.toLowerCase().replace(/[^a-z0-9]+/g, '-') + '.html');
    await shop.add(Number(n), Number(quantity));
  }
  await shop.open('checkout.html');
  const fields = Object.fromEntries(options.field.map((field) => {
    const split = field.indexOf('=');
    return [field.slice(0, split), field.slice(split + 1)];
  }));
  if (Object.keys(fields).some((name) => BILLING_FIELDS.test(name))) {
    await shop.page.locator('[data-billing-differs]').check();
  }
  await shop.fillCheckout(fields, options.method && Number(options.method));
  await shop.page.evaluate((url) => {
    document.querySelector('[data-checkout] form').action = url;
  }, capture.url);
  await shop.page.getByRole('button', { name: 'Place order' }).click();
  return capture.received;
}

if (options['site-url']) {
  const chromium = await launchChromium();
  try {
    const page = await chromium.context.newPage();
    process.stdout.write(await placeScriptOrder(new Shop(page, options['site-url'])));
  } finally {
    await chromium.close();
  }
  process.exit(0);
}

const site = await serveFolder(options.site);
const capture = await captureServer();
const chromium = await launchChromium();
try {
  const page = await chromium.context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  const sent = options.responsive
    ? await placeResponsiveOrder(new ResponsiveShop(page, site.url), capture)
    : await placeOrder(new Shop(page, site.url), capture);
  if (errors.length > 0) throw new Error('script errors in the shop: ' + errors.join('; '));
  if (sent.method !== 'POST' || !sent.type?.startsWith('text/plain')) {
    throw new Error(`the order was sent as ${sent.method} ${sent.type}`);
  }
  process.stdout.write(sent.body);
} finally {
  await chromium.close();
  await capture.close();
  await site.close();
}
