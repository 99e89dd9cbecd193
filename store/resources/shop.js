// The responsive shop's script: the basket kept in the browser's storage, the
// "Add to basket" forms, the basket page and the checkout. The basket and
// checkout pages load catalogue.js first, which sets window.SHOP (items with
// prices in cents, currency, tax and shipping rules, payment link). Money is
// counted in whole cents.
(() => {
  'use strict';

  const MAX_QUANTITY = 999;
  // One basket per shop folder, so two shops on one host keep their own.
  const STORAGE_KEY = 'vendaro-basket:' + location.pathname.replace(/[^/]*$/, '');
  const currency = document.documentElement.dataset.currency || '$';
  const shop = window.SHOP || { items: [], tax: { rate: 0, rates: {} }, shipping: [], payment: {} };

  // ---- The basket: item key -> quantity ----

  function wholeQuantity(value) {
    const number = Math.floor(Number(value));
    return Number.isFinite(number) && number > 0 ? Math.min(number, MAX_QUANTITY) : 0;
  }

  function readBasket() {
    let saved = {};
    try {
      saved = JSON.parse(localStorage.getItem(STORAGE_KEY) || '{}') || {};
    } catch (error) {
      saved = {};
    }
    const basket = {};
    for (const key of Object.keys(saved)) {
      const quantity = wholeQuantity(saved[key]);
      if (quantity > 0) basket[key] = quantity;
    }
    return basket;
  }

  function writeBasket(basket) {
    try {
      localStorage.setItem(STORAGE_KEY, JSON.stringify(basket));
    } catch (error) {
      announce('The basket could not be saved in this browser.');
    }
    showCount(basket);
  }

  function countOf(basket) {
    return Object.values(basket).reduce((sum, quantity) => sum + quantity, 0);
  }

  function showCount(basket) {
    for (const badge of document.querySelectorAll('[data-basket-count]')) {
      badge.textContent = String(countOf(basket));
    }
  }

  // The basket's lines in catalogue order: items no longer sold drop out.
  function basketLines(basket) {
    return shop.items.filter((item) => basket[item.key] > 0)
      .map((item) => ({ item, quantity: basket[item.key], total: item.price * basket[item.key] }));
  }

  // ---- Money ----

  function plainMoney(cents) {
    const sign = cents < 0 ? '-' : '';
    const whole = Math.abs(cents);
    return sign + Math.floor(whole / 100) + '.' + String(whole % 100).padStart(2, '0');
  }

  function shownMoney(cents) {
    return /[A-Za-z]/.test(currency) ? currency + ' ' + plainMoney(cents) : currency + plainMoney(cents);
  }

  // ---- Messages ----

  let toastTimer;
  function announce(message) {
    const toast = document.querySelector('[data-toast]');
    if (!toast) return;
    toast.textContent = message;
    clearTimeout(toastTimer);
    toastTimer = setTimeout(() => { toast.textContent = ''; }, 5000);
  }

  function element(tag, properties, children) {
    const made = Object.assign(document.createElement(tag), properties || {});
    for (const child of children || []) made.append(child);
    return made;
  }

  // ---- "Add to basket" ----

  function addToBasket(form) {
    const input = form.elements.quantity;
    const quantity = wholeQuantity(input.value);
    if (quantity === 0) {
      announce('Please enter a quantity of at least 1.');
      input.focus();
      return;
    }
    const basket = readBasket();
    const key = form.dataset.key;
    basket[key] = Math.min((basket[key] || 0) + quantity, MAX_QUANTITY);
    writeBasket(basket);
    announce('Added ' + quantity + ' \u00d7 ' + form.dataset.name + ' to the basket (' +
      countOf(basket) + ' in all).');
  }

  // ---- Totals, tax and shipping ----

  function taxRate(state, country) {
    for (const place of [state, country]) {
      const key = (place || '').trim().toLowerCase();
      if (key && Object.prototype.hasOwnProperty.call(shop.tax.rates, key)) return shop.tax.rates[key];
    }
    return shop.tax.rate;
  }

  function shippingCharge(method, weight) {
    if (!(weight > 0)) return 0;
    for (const [upTo, cents] of method.bands) {
      if (weight <= upTo) return cents;
    }
    return method.over;
  }

  // Everything the order form shows and posts for the basket, an address and
  // a shipping method (its index, or -1 without shipping).
  function orderTotals(basket, state, country, methodIndex) {
    const lines = basketLines(basket);
    let products = 0;
    let weight = 0;
    for (const line of lines) {
      products += line.total;
      weight += line.item.weight * line.quantity;
    }
    const tax = Math.floor(products * taxRate(state, country) + 0.5);
    const charges = shop.shipping.map((method) => shippingCharge(method, weight));
    const shipping = methodIndex >= 0 ? charges[methodIndex] || 0 : 0;
    return { lines, products, weight, tax, charges, shipping, total: products + tax + shipping };
  }

  function totalsList(rows) {
    const list = element('dl', { className: 'totals' });
    for (const [label, cents, strong] of rows) {
      const term = element('dt', { textContent: label });
      const value = element('dd', { textContent: shownMoney(cents) });
      if (strong) {
        term.className = 'grand';
        value.className = 'grand';
      }
      list.append(term, value);
    }
    return list;
  }

  // ---- The basket page ----

  function renderBasket(container) {
    const basket = readBasket();
    const totals = orderTotals(basket, '', '', -1);
    container.replaceChildren();
    if (totals.lines.length === 0) {
      container.append(element('p', { textContent: 'Your basket is empty.' }),
        element('p', {}, [element('a', { href: 'index.html', textContent: 'Continue shopping' })]));
      return;
    }
    const list = element('ul', { className: 'lines' });
    for (const line of totals.lines) list.append(basketLine(line, container));
    container.append(list, totalsList([['Products total', totals.products, true]]),
      element('p', { className: 'actions' }, [
        element('a', { href: 'index.html', textContent: 'Continue shopping' }),
        element('a', { href: 'checkout.html', className: 'button', textContent: 'Checkout' }),
      ]));
  }

  function basketLine(line, container) {
    const { item } = line;
    const id = 'quantity-' + item.key;
    const quantity = element('input', {
      id, type: 'number', min: '0', max: String(MAX_QUANTITY), value: String(line.quantity),
    });
    quantity.setAttribute('inputmode', 'numeric');
    const total = element('span', { className: 'line-total', textContent: shownMoney(line.total) });
    quantity.addEventListener('change', () => {
      const basket = readBasket();
      const wanted = wholeQuantity(quantity.value);
      if (wanted === 0) {
        removeLine(item, container);
        return;
      }
      basket[item.key] = wanted;
      quantity.value = String(wanted);
      writeBasket(basket);
      total.textContent = shownMoney(item.price * wanted);
      container.querySelector('.totals dd').textContent =
        shownMoney(orderTotals(basket, '', '', -1).products);
    });
    const remove = element('button', { type: 'button', className: 'secondary', textContent: 'Remove' });
    remove.setAttribute('aria-label', 'Remove ' + item.name);
    remove.addEventListener('click', () => removeLine(item, container));
    return element('li', { className: 'line' }, [
      element('div', {}, [
        element('a', { href: item.page, textContent: item.name }),
        element('p', { className: 'meta', textContent: 'Item ' + item.id + ', ' + shownMoney(item.price) + ' each' }),
      ]),
      element('div', { className: 'line-controls' }, [
        element('div', {}, [element('label', { htmlFor: id, textContent: 'Quantity' }), quantity]),
        remove, total,
      ]),
    ]);
  }

  function removeLine(item, container) {
    const basket = readBasket();
    delete basket[item.key];
    writeBasket(basket);
    renderBasket(container);
    announce(item.name + ' was removed from the basket.');
    document.querySelector('h1').focus();
  }

  // ---- The checkout ----

  function checkedMethod(form) {
    const chosen = form.querySelector('input[name=Shipping]:checked');
    return chosen ? Number(chosen.dataset.method) : (shop.shipping.length > 0 ? 0 : -1);
  }

  // The order's texts as the order intake reads them: one line per item
  // "ID ^ quantity ^ price ^ line total^", then " Total Price : " and the
  // amount; charges with the currency, the amount after "$$$ ".
  function fillOrderFields(form, totals, methodIndex) {
    const amount = '$$$ ' + plainMoney(totals.total);
    const lines = totals.lines.map((line) => line.item.id + ' ^ ' + line.quantity + ' ^ ' +
      plainMoney(line.item.price) + ' ^ ' + plainMoney(line.total) + '^\n').join('');
    form.elements.DESCRIPTION.value = lines + '\n Total Price : ' + amount;
    form.elements.AMOUNT.value = amount;
    form.elements.T2.value = currency + ' ' + plainMoney(totals.tax);
    shop.shipping.forEach((method, index) => {
      form.elements['V' + (index + 1)].value = index === methodIndex ? method.intake : '';
      form.elements['T' + (index + 3)].value = currency + ' ' + plainMoney(totals.charges[index]);
    });
  }

  function renderSummary(summary, totals, methodIndex) {
    summary.replaceChildren();
    if (totals.lines.length === 0) {
      summary.append(element('p', { textContent: 'Your basket is empty.' }));
      return;
    }
    const list = element('ul', { className: 'lines' });
    for (const line of totals.lines) {
      list.append(element('li', { className: 'line' }, [
        element('span', { textContent: line.quantity + ' \u00d7 ' + line.item.name + ' (' + line.item.id + ')' }),
        element('span', { textContent: shownMoney(line.total) }),
      ]));
    }
    const rows = [['Products', totals.products]];
    if (methodIndex >= 0) rows.push(['Shipping (' + shop.shipping[methodIndex].name + ')', totals.shipping]);
    rows.push(['Sales tax', totals.tax], ['Total', totals.total, true]);
    summary.append(list, totalsList(rows));
  }

  function setupCheckout(checkout) {
    const form = checkout.querySelector('form');
    const summary = checkout.querySelector('[data-summary]');
    const billing = checkout.querySelector('[data-billing]');
    const differs = checkout.querySelector('[data-billing-differs]');
    const update = () => {
      const methodIndex = checkedMethod(form);
      const totals = orderTotals(readBasket(), form.elements.StateS.value, form.elements.CountryS.value, methodIndex);
      renderSummary(summary, totals, methodIndex);
      fillOrderFields(form, totals, methodIndex);
      for (const label of form.querySelectorAll('input[name=Shipping]')) {
        const charge = label.parentElement.querySelector('[data-charge]');
        if (charge) charge.textContent = shownMoney(totals.charges[Number(label.dataset.method)]);
      }
      return totals;
    };
    form.addEventListener('input', update);
    form.addEventListener('change', update);
    differs.addEventListener('change', () => {
      billing.hidden = !differs.checked;
      for (const input of billing.querySelectorAll('[data-required]')) input.required = differs.checked;
    });
    form.addEventListener('submit', (event) => {
      const totals = update();
      if (totals.lines.length === 0) {
        event.preventDefault();
        announce('Your basket is empty.');
        return;
      }
      if (!differs.checked) {
        for (const input of billing.querySelectorAll('input')) {
          const shipping = form.elements[input.name.replace(/B$/, 'S').replace('PhoneD', 'PhoneE').replace('E_Mail2', 'E_Mail1')];
          if (shipping) input.value = shipping.value;
        }
      }
      const reference = 'W' + Date.now().toString(36).toUpperCase();
      form.elements.OrderRef.value = reference;
      // The form is sent first; the page then confirms and empties the basket.
      setTimeout(() => confirmOrder(checkout, reference, totals, form.elements.Payment.value), 0);
    });
    update();
  }

  function confirmOrder(checkout, reference, totals, payment) {
    const confirmation = document.querySelector('[data-confirmation]');
    const parts = [
      element('h2', { textContent: 'Thank you for your order' }),
      element('p', { textContent: 'Your order reference is ' + reference + '. The total is ' + shownMoney(totals.total) + '.' }),
    ];
    if (payment === 'Payment link' && shop.payment.link) {
      const link = shop.payment.link.replace(/\{amount\}/g, encodeURIComponent(plainMoney(totals.total)))
        .replace(/\{currency\}/g, encodeURIComponent(currency))
        .replace(/\{reference\}/g, encodeURIComponent(reference));
      parts.push(element('p', {}, [element('a', { href: link, className: 'button', textContent: 'Pay ' + shownMoney(totals.total) + ' now' })]));
    }
    confirmation.replaceChildren(...parts);
    checkout.hidden = true;
    confirmation.hidden = false;
    confirmation.focus();
    writeBasket({});
  }

  // ---- Start ----

  document.addEventListener('submit', (event) => {
    const form = event.target.closest('form.add');
    if (!form) return;
    event.preventDefault();
    addToBasket(form);
  });
  window.addEventListener('storage', (event) => {
    if (event.key === STORAGE_KEY) showCount(readBasket());
  });
  showCount(readBasket());
  const basketView = document.querySelector('[data-basket]');
  if (basketView) renderBasket(basketView);
  const checkout = document.querySelector('[data-checkout]');
  if (checkout) setupCheckout(checkout);
})();
