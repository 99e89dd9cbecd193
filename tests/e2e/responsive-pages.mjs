// The pages of a generated responsive shop (`--layout responsive`) in
// headless Chromium, shared by its browser test and the order-placing script.
import { createRequire } from 'node:module';

const AXE = createRequire(import.meta.url).resolve('axe-core/axe.min.js');

export class ResponsiveShop {
  constructor(page, base) {
    this.page = page;
    this.base = base;
  }

  async open(file) {
    await this.page.goto(this.base + file);
  }

  // Types a quantity for the n-th card (1-based) of the shown category page,
  // presses "Add to basket" and waits for the confirmation.
  async add(n, quantity) {
    const card = this.page.locator('form.add').nth(n - 1);
    await card.getByLabel('Quantity').fill(String(quantity));
    await card.getByRole('button', { name: 'Add to basket' }).click();
    await this.page.locator('[data-toast]', { hasText: 'Added ' + quantity }).waitFor();
  }

  async count() {
    return Number(await this.page.locator('[data-basket-count]').textContent());
  }

  // The lines of the basket page as [name, quantity, line total], and the
  // products total.
  async basket() {
    return this.page.evaluate(() => ({
      lines: [...document.querySelectorAll('[data-basket] .line')].map((line) => [
        line.querySelector('a').textContent, line.querySelector('input').value,
        line.querySelector('.line-total').textContent]),
      total: document.querySelector('[data-basket] .totals dd')?.textContent,
    }));
  }

  // Fills the checkout's delivery address (field name -> value) and picks
  // the shipping method n (1-based) when given.
  async fillCheckout(fields, method) {
    for (const [name, value] of Object.entries(fields)) {
      await this.page.locator(`[name=${name}]`).fill(value);
    }
    if (method) await this.page.locator('input[name=Shipping]').nth(method - 1).check();
  }

  async orderFields() {
    return this.page.evaluate(() => {
      const form = document.querySelector('[data-checkout] form');
      const names = ['T2', 'T3', 'T4', 'T5', 'T6', 'V1', 'V2', 'V3', 'V4', 'AMOUNT', 'DESCRIPTION'];
      return Object.fromEntries(names.map((name) => [name, form.elements[name].value]));
    });
  }

  // What keeps the shown page from fitting the screen: sideways scrolling
  // and buttons smaller than 44 x 44 CSS pixels.
  async layoutProblems() {
    return this.page.evaluate(() => {
      const problems = [];
      const width = document.documentElement.clientWidth;
      if (document.documentElement.scrollWidth > width) {
        problems.push(`scrolls sideways: ${document.documentElement.scrollWidth} > ${width}`);
      }
      for (const button of document.querySelectorAll('button, .button, input[type=submit]')) {
        const box = button.getBoundingClientRect();
        if (box.width === 0 && box.height === 0) continue;  // not shown
        if (box.width < 44 || box.height < 44) {
          problems.push(`"${button.textContent.trim()}" is ${box.width} x ${box.height}`);
        }
      }
      return problems;
    });
  }

  // The serious and critical findings of axe-core on the shown page.
  async accessibilityProblems() {
    await this.page.addScriptTag({ path: AXE });
    return this.page.evaluate(async () => {
      const result = await window.axe.run(document);
      return result.violations.filter((found) => ['serious', 'critical'].includes(found.impact))
        .map((found) => `${found.id}: ${found.nodes.map((node) => node.target.join(' ')).join(', ')}`);
    });
  }
}
