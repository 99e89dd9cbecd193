// Headless Chromium and the pages of a generated shop site, shared by the
// browser tests and the order-placing script.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import { chromium } from 'playwright-core';

const CHROMIUM = process.env.VENDARO_CHROMIUM || '/usr/bin/chromium';

// Starts headless Chromium with a throw-away profile; `close` ends it and
// removes the profile.
export async function launchChromium() {
  const userData = fs.mkdtempSync(path.join(os.tmpdir(), 'vendaro-chromium-'));
  const context = await chromium.launchPersistentContext(userData, {
    executablePath: CHROMIUM,
    headless: true,
    args: [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--no-first-run', '--disable-sync',
    ],
  });
  return {
    context,
    close: async () => {
      await context.close();
      fs.rmSync(userData, { recursive: true, force: true });
    },
  };
}

// The frame tree of the banner layout: the start page on top, the menu in
// "c_ontents" and the content in "m_ain".
export class Shop {
  constructor(page, base) {
    this.page = page;
    this.base = base;
  }

  get menu() { return this.page.frame({ name: 'c_ontents' }); }
  get content() { return this.page.frame({ name: 'm_ain' }); }

  // Loads the start page (an empty basket) and opens the products menu.
  async open() {
    await this.page.goto(this.base + 'index.htm');
    await this.page.waitForFunction(() => !!window.frames.main?.frames?.c_ontents);
    await this.follow(this.menu, 'On-line', this.menu, /m_products\.htm$/);
  }

  // Clicks the link in `frame` whose text starts with `text` and waits until
  // `target` shows the page whose address matches `url`.
  async follow(frame, text, target, url) {
    const link = frame.locator('a', { hasText: text }).first();
    await Promise.all([target.waitForNavigation({ url }), link.click()]);
  }

  async showCategory(name) {
    const file = new RegExp('l_' + encodeURIComponent(name).replace(/[.]/g, '\\.') + '\\.htm$');
    await this.follow(this.menu, name, this.content, file);
  }

  // Types a quantity for the n-th item (1-based) of the shown list page and
  // presses its "Order" button.
  async orderOnList(n, quantity) {
    const box = this.content.locator('input[name=quantity]').nth(n - 1);
    await box.fill(String(quantity));
    await this.content.locator('input[value=Order]').nth(n - 1).click();
    assert.equal(await box.inputValue(), '0', 'the quantity box is reset after ordering');
  }

  async showBasket() {
    await this.follow(this.menu, 'Basket', this.content, /basket\.htm$/);
  }

  // Rows of the shown basket: the item rows as [id, description, price,
  // quantity, total] and the products total cell.
  async basket() {
    return this.content.evaluate(() => {
      const rows = [...document.querySelectorAll('tr')].map((row) =>
        [...row.cells].map((cell) => cell.textContent));
      const items = rows.filter((cells) => cells.length === 7 && cells[6] === '')
        .map((cells) => [cells[0], cells[1], cells[2], cells[4], cells[5]]);
      const total = rows.find((cells) => cells[0] === 'Products Total');
      return { items, total: total?.[1] };
    });
  }

  // The manufacturer cell of each item row of the shown basket or order
  // page: the rows of the first table that are neither head nor total.
  async manufacturers() {
    return this.content.evaluate(() => {
      const rows = [...document.querySelector('table').rows].map((row) =>
        [...row.cells].map((cell) => cell.textContent));
      return rows.filter((cells) => cells.length >= 6 && cells[0] !== 'Item ID')
        .map((cells) => cells[3]);
    });
  }

  async removeBasketLine(n) {
    const button = this.content.locator('input[value=Remove]').nth(n - 1);
    await Promise.all([this.content.waitForNavigation({ url: /basket\.htm$/ }), button.click()]);
  }

  // Opens an order page through "Order Form" and the payment choice:
  // "order.htm" by default, "order_cod.htm" through the link 'COD'.
  async showOrderForm(link = 'E-Mail Order', page = /\/order\.htm$/) {
    await this.follow(this.menu, 'Order Form', this.content, /select_payment\.htm$/);
    await this.follow(this.content, link, this.content, page);
  }

  async click(fieldName) {
    await this.content.locator(`[name=${fieldName}]`).click();
  }

  async orderFields() {
    return this.content.evaluate(() => {
      const form = document.forms.FormOrder;
      const names = ['T2', 'T1', 'T3', 'T4', 'T5', 'T6', 'AMOUNT', 'DESCRIPTION'];
      return Object.fromEntries(names.map((name) => [name, form[name].value]));
    });
  }
}
