// The editing side of the web editor: puts the page in design mode, runs
// the numbered editing commands (the browser's own editing commands, and
// scripts for tables, absolute positioning and the view switches, which the
// browser does not have) and reports the page's command states and HTML to
// the editor through the web channel object "vendaroEditState". Runs in the
// application world after qwebchannel.js, as `vendaroEditor`.
var vendaroEditor = (function () {
  'use strict';

  var channelObject = null;
  var viewSheets = {};
  var snapToGrid = false;
  var kGrid = 8;
  // An empty cell holds a line break so it keeps its height; typing replaces
  // it, so no stray character stands before the text.
  var kEmptyCell = '<br>';

  // Commands the browser runs itself: number -> [command, toggles].
  var native = {
    5000: ['bold', true], 5023: ['italic', true], 5048: ['underline', true],
    5030: ['insertOrderedList', true], 5051: ['insertUnorderedList', true],
    5031: ['outdent', false], 5018: ['indent', false],
    5025: ['justifyLeft', true], 5024: ['justifyCenter', true], 5026: ['justifyRight', true],
    5046: ['foreColor', false], 5049: ['undo', false], 5033: ['redo', false],
    5003: ['cut', false], 5002: ['copy', false], 5032: ['paste', false],
    5035: ['selectAll', false], 5017: ['insertImage', false], 5016: ['createLink', false],
    5044: ['fontName', false], 5045: ['fontSize', false], 5009: ['fontName', false]
  };

  // Block format names in the order the editor lists them, with their tags.
  var formats = [
    ['Normal', 'div'], ['Formatted', 'pre'], ['Address', 'address'],
    ['Heading 1', 'h1'], ['Heading 2', 'h2'], ['Heading 3', 'h3'],
    ['Heading 4', 'h4'], ['Heading 5', 'h5'], ['Heading 6', 'h6'],
    ['Numbered List', 'ol'], ['Bulleted List', 'ul'], ['Directory List', 'dir'],
    ['Menu List', 'menu'], ['Definition Term', 'dt'], ['Definition', 'dd'],
    ['Paragraph', 'p']
  ];
  var positionable = /^(DIV|P|IMG|TABLE|H[1-6]|UL|OL|PRE|ADDRESS|BLOCKQUOTE|BUTTON|SPAN|HR|FORM)$/;

  function selection() { return window.getSelection(); }

  function anchorElement() {
    var s = selection();
    if (!s || s.rangeCount === 0) return null;
    var node = s.getRangeAt(0).startContainer;
    if (node.nodeType !== Node.ELEMENT_NODE) node = node.parentNode;
    if (node && node.nodeType === Node.ELEMENT_NODE && s.getRangeAt(0).startContainer === node &&
        node.childNodes[s.getRangeAt(0).startOffset] &&
        node.childNodes[s.getRangeAt(0).startOffset].nodeType === Node.ELEMENT_NODE &&
        !s.isCollapsed) {
      node = node.childNodes[s.getRangeAt(0).startOffset];
    }
    return document.body && document.body.contains(node) ? node : null;
  }

  function closest(element, test) {
    for (var e = element; e && e !== document.body; e = e.parentNode) {
      if (e.nodeType === Node.ELEMENT_NODE && test(e)) return e;
    }
    return null;
  }

  function currentCell() {
    return closest(anchorElement(), function (e) { return e.tagName === 'TD' || e.tagName === 'TH'; });
  }

  function positionedElement() {
    return closest(anchorElement(), function (e) { return e.style.position === 'absolute'; });
  }

  function elementToPosition() {
    return positionedElement() ||
      closest(anchorElement(), function (e) { return positionable.test(e.tagName); });
  }

  // Cells of the current row the selection touches, in order.
  function selectedCells() {
    var cell = currentCell();
    if (!cell) return [];
    var range = selection().getRangeAt(0);
    var cells = Array.prototype.filter.call(cell.parentNode.cells, function (c) {
      return c === cell || range.intersectsNode(c);
    });
    if (cells.length < 2 && cell.nextElementSibling) cells.push(cell.nextElementSibling);
    return cells;
  }

  function status(number) {
    var hasSelection = anchorElement() !== null;
    if (native[number]) {
      var name = native[number][0];
      if (!document.queryCommandSupported(name)) return 0;
      if (number === 5049 && ownEdits.length) return 3;
      if (number === 5033 && ownRedo.length) return 3;
      if (number === 5049 || number === 5033) return document.queryCommandEnabled(name) ? 3 : 1;
      if (!hasSelection) return 1;
      if (native[number][1] && document.queryCommandState(name)) return 7;
      return document.queryCommandEnabled(name) ? 3 : 1;
    }
    var cell = currentCell();
    var positioned = positionedElement();
    switch (number) {
      case 5011: case 5013: case 5014: case 5043: case 5022: case 5008:
        return hasSelection ? 3 : 1;
      case 5005: case 5006: case 5007: case 5019: case 5020: case 5021:
        return cell ? 3 : 1;
      case 5029: return cell && selectedCells().length > 1 ? 3 : 1;
      case 5047: return cell && cell.colSpan > 1 ? 3 : 1;
      case 5028:
        if (positioned) return 7;
        return elementToPosition() ? 3 : 1;
      case 5036: case 5037: case 5038: case 5039: case 5040: case 5041:
        return positioned ? 3 : 1;
      case 5027:
        if (!positioned) return 1;
        return positioned.hasAttribute('data-locked') ? 7 : 3;
    }
    return 0;
  }

  function blockFormat() {
    var list = closest(anchorElement(), function (e) { return /^(OL|UL|DIR|MENU)$/.test(e.tagName); });
    var tag = list ? list.tagName.toLowerCase() : String(document.queryCommandValue('formatBlock'));
    for (var i = 0; i < formats.length; ++i) {
      if (formats[i][1] === tag) return formats[i][0];
    }
    return 'Normal';
  }

  function fontName() {
    var name = String(document.queryCommandValue('fontName'));
    return name.split(',')[0].replace(/^["']|["']$/g, '').trim();
  }

  function documentHtml() {
    var doctype = document.doctype ? new XMLSerializer().serializeToString(document.doctype) + '\n' : '';
    return doctype + document.documentElement.outerHTML;
  }

  function state() {
    var statuses = {};
    var numbers = [5000, 5002, 5003, 5005, 5006, 5007, 5008, 5009, 5011, 5013, 5014, 5016, 5017,
                   5018, 5019, 5020, 5021, 5022, 5023, 5024, 5025, 5026, 5027, 5028, 5029, 5030,
                   5031, 5032, 5033, 5035, 5036, 5037, 5038, 5039, 5040, 5041, 5043, 5044, 5045,
                   5046, 5047, 5048, 5049, 5051];
    numbers.forEach(function (n) { statuses[n] = status(n); });
    return JSON.stringify({
      statuses: statuses, fontName: fontName(),
      fontSize: String(document.queryCommandValue('fontSize') || ''),
      blockFormat: blockFormat(), html: documentHtml()
    });
  }

  function report() {
    if (channelObject) channelObject.report(state());
  }

  // Replaces `element` by `replacement` as one editing step, so undo brings
  // the old element back; the caret goes into the replacement's element at
  // `caretPath` (child indexes from the replacement).
  function replaceElement(element, replacement, caretPath) {
    var all = document.getElementsByTagName(element.tagName);
    var index = Array.prototype.indexOf.call(all, element);
    var range = document.createRange();
    range.selectNode(element);
    selection().removeAllRanges();
    selection().addRange(range);
    document.execCommand('insertHTML', false, replacement ? replacement.outerHTML : '');
    var placed = replacement ? document.getElementsByTagName(element.tagName)[index] : null;
    if (!placed) return;
    var target = placed;
    (caretPath || []).forEach(function (i) { if (target && target.children[i]) target = target.children[i]; });
    var caret = document.createRange();
    caret.selectNodeContents(target);
    caret.collapse(true);
    selection().removeAllRanges();
    selection().addRange(caret);
  }

  // The current cell's table, a clone of it, and where the cell is in it.
  function tableEdit() {
    var cell = currentCell();
    if (!cell) return null;
    var table = closest(cell, function (e) { return e.tagName === 'TABLE'; });
    var rows = Array.prototype.slice.call(table.rows);
    var rowIndex = rows.indexOf(cell.parentNode);
    var clone = table.cloneNode(true);
    return {
      table: table, clone: clone, rowIndex: rowIndex, cellIndex: cell.cellIndex,
      row: clone.rows[rowIndex], cell: clone.rows[rowIndex].cells[cell.cellIndex]
    };
  }

  function caretPath(edit, rowIndex, cellIndex) {
    var row = edit.clone.rows[rowIndex];
    if (!row) return [];
    var path = [];
    for (var e = row.cells[Math.min(cellIndex, row.cells.length - 1)]; e && e !== edit.clone; e = e.parentNode) {
      path.unshift(Array.prototype.indexOf.call(e.parentNode.children, e));
    }
    return path;
  }

  function newCell(like) {
    var cell = like.cloneNode(false);
    cell.removeAttribute('colspan');
    cell.removeAttribute('rowspan');
    cell.innerHTML = kEmptyCell;
    return cell;
  }

  function finishTable(edit, rowIndex, cellIndex) {
    if (edit.clone.rows.length === 0 || edit.clone.rows[0].cells.length === 0) {
      replaceElement(edit.table, null);
      return;
    }
    replaceElement(edit.table, edit.clone, caretPath(edit, rowIndex, cellIndex));
  }

  var tableCommands = {
    5019: function (edit) {  // insert cell
      edit.row.insertBefore(newCell(edit.cell), edit.cell.nextSibling);
      finishTable(edit, edit.rowIndex, edit.cellIndex + 1);
    },
    5020: function (edit) {  // insert column
      Array.prototype.forEach.call(edit.clone.rows, function (row) {
        var at = row.cells[Math.min(edit.cellIndex, row.cells.length - 1)];
        if (at) row.insertBefore(newCell(at), at.nextSibling);
      });
      finishTable(edit, edit.rowIndex, edit.cellIndex + 1);
    },
    5021: function (edit) {  // insert row
      var row = edit.row.cloneNode(false);
      Array.prototype.forEach.call(edit.row.cells, function (c) {
        var cell = newCell(c);
        if (c.colSpan > 1) cell.colSpan = c.colSpan;
        row.appendChild(cell);
      });
      edit.row.parentNode.insertBefore(row, edit.row.nextSibling);
      finishTable(edit, edit.rowIndex + 1, edit.cellIndex);
    },
    5005: function (edit) {  // delete cells
      edit.row.removeChild(edit.cell);
      if (edit.row.cells.length === 0) edit.row.parentNode.removeChild(edit.row);
      finishTable(edit, edit.rowIndex, edit.cellIndex);
    },
    5006: function (edit) {  // delete columns
      Array.prototype.slice.call(edit.clone.rows).forEach(function (row) {
        if (row.cells[edit.cellIndex]) row.removeChild(row.cells[edit.cellIndex]);
        if (row.cells.length === 0) row.parentNode.removeChild(row);
      });
      finishTable(edit, edit.rowIndex, edit.cellIndex);
    },
    5007: function (edit) {  // delete rows
      edit.row.parentNode.removeChild(edit.row);
      finishTable(edit, Math.min(edit.rowIndex, edit.clone.rows.length - 1), edit.cellIndex);
    },
    5029: function (edit) {  // merge cells
      var first = selectedCells()[0].cellIndex;
      var cells = selectedCells().map(function (c) { return edit.row.cells[c.cellIndex]; });
      var into = cells[0];
      cells.slice(1).forEach(function (c) {
        into.colSpan += c.colSpan;
        if (!/^(\s|&nbsp;|<br>)*$/.test(c.innerHTML)) into.innerHTML += ' ' + c.innerHTML;
        edit.row.removeChild(c);
      });
      finishTable(edit, edit.rowIndex, first);
    },
    5047: function (edit) {  // split cell
      if (edit.cell.colSpan < 2) return;
      edit.cell.colSpan -= 1;
      edit.row.insertBefore(newCell(edit.cell), edit.cell.nextSibling);
      finishTable(edit, edit.rowIndex, edit.cellIndex);
    }
  };

  function cellText(text) { return text ? ' ' + text : ''; }

  function insertTable(argument) {
    var p = JSON.parse(argument);
    var html = '<table' + cellText(p.TableAttrs) + '>';
    if (p.Caption) html += '<caption>' + p.Caption + '</caption>';
    html += '<tbody>';
    for (var r = 0; r < p.NumRows; ++r) {
      html += '<tr>';
      for (var c = 0; c < p.NumCols; ++c) html += '<td' + cellText(p.CellAttrs) + '>' + kEmptyCell + '</td>';
      html += '</tr>';
    }
    insertMarkup(html + '</tbody></table>');
  }

  function snapped(value) {
    return snapToGrid ? Math.round(value / kGrid) * kGrid : value;
  }

  // Positioning commands change the element's style and lock in place, and
  // inserted markup is placed as given: the browser's insertHTML would merge
  // a re-inserted block with its neighbours and rewrite inserted markup
  // (classes become spans with the page's styles frozen inline). Such
  // changes are kept here, as the body before and after, for undo and redo
  // while they are the latest edits; any edit of the browser's own ends that.
  var ownEdits = [];
  var ownRedo = [];

  function ownEdit(change) {
    var before = document.body.innerHTML;
    change();
    ownEdits.push({ before: before, after: document.body.innerHTML });
    ownRedo = [];
  }

  function restyle(element, change) {
    ownEdit(function () { change(element); });
  }

  function undo() {
    var edit = ownEdits.pop();
    if (!edit) { document.execCommand('undo'); return; }
    document.body.innerHTML = edit.before;
    ownRedo.push(edit);
  }

  function redo() {
    var edit = ownRedo.pop();
    if (!edit) { document.execCommand('redo'); return; }
    document.body.innerHTML = edit.after;
    ownEdits.push(edit);
  }

  // Replaces the selection with `html` exactly as given; the caret goes
  // after it. Parsed as a template's content, so a script in it never runs.
  function insertMarkup(html) {
    ownEdit(function () {
      var range = selection().getRangeAt(0);
      var template = document.createElement('template');
      template.innerHTML = html;
      var fragment = template.content;
      var last = fragment.lastChild;
      range.deleteContents();
      range.insertNode(fragment);
      if (!last) return;
      var caret = document.createRange();
      caret.setStartAfter(last);
      caret.collapse(true);
      selection().removeAllRanges();
      selection().addRange(caret);
    });
  }

  function browserEdited(event) {
    if (event.inputType === 'historyUndo' || event.inputType === 'historyRedo') return;
    ownEdits = [];
    ownRedo = [];
  }

  // The keyboard's undo and redo go the same way as the menu's.
  function undoKeys(event) {
    if (!(event.ctrlKey || event.metaKey)) return;
    var key = event.key.toLowerCase();
    if (key === 'z' && !event.shiftKey) undo();
    else if (key === 'y' || (key === 'z' && event.shiftKey)) redo();
    else return;
    event.preventDefault();
    report();
  }

  function makeAbsolute() {
    var positioned = positionedElement();
    if (positioned) {
      restyle(positioned, function (e) {
        ['position', 'left', 'top', 'z-index'].forEach(function (p) { e.style.removeProperty(p); });
        e.removeAttribute('data-locked');
        if (!e.getAttribute('style')) e.removeAttribute('style');
      });
      return;
    }
    var element = elementToPosition();
    if (!element) return;
    var box = element.getBoundingClientRect();
    restyle(element, function (e) {
      e.style.position = 'absolute';
      e.style.left = snapped(box.left + window.scrollX) + 'px';
      e.style.top = snapped(box.top + window.scrollY) + 'px';
      e.style.zIndex = '1';
    });
  }

  function zIndexes() {
    return Array.prototype.map.call(document.querySelectorAll('[style*="absolute"]'), function (e) {
      return parseInt(e.style.zIndex, 10) || 0;
    });
  }

  function setZ(compute) {
    var element = positionedElement();
    if (!element) return;
    var current = parseInt(element.style.zIndex, 10) || 0;
    var all = zIndexes();
    var z = compute(current, Math.max.apply(null, all), Math.min.apply(null, all));
    restyle(element, function (e) { e.style.zIndex = String(z); });
  }

  var positionCommands = {
    5028: makeAbsolute,
    5041: function () { setZ(function (z, max) { return Math.max(max + 1, 1); }); },
    5040: function () { setZ(function (z, max, min) { return min - 1; }); },
    5037: function () { setZ(function (z) { return z + 1; }); },
    5036: function () { setZ(function (z) { return Math.max(z - 1, 1); }); },
    5039: function () { setZ(function (z) { return Math.abs(z) || 1; }); },
    5038: function () { setZ(function (z) { return -(Math.abs(z) || 1); }); },
    5027: function () {
      var element = positionedElement();
      if (!element) return;
      restyle(element, function (e) {
        if (e.hasAttribute('data-locked')) e.removeAttribute('data-locked');
        else e.setAttribute('data-locked', '');
      });
    }
  };

  // A list made inside a <p> nests invalidly (the browser puts the list in
  // the paragraph); the paragraph becomes a <div> first.
  function makeList(command) {
    if (closest(anchorElement(), function (e) { return e.tagName === 'P'; })) {
      document.execCommand('formatBlock', false, 'div');
    }
    document.execCommand(command);
  }

  function setBlockFormat(name) {
    for (var i = 0; i < formats.length; ++i) {
      if (formats[i][0] !== name) continue;
      var tag = formats[i][1];
      if (tag === 'ol') makeList('insertOrderedList');
      else if (tag === 'ul' || tag === 'dir' || tag === 'menu') makeList('insertUnorderedList');
      else document.execCommand('formatBlock', false, tag);
    }
  }

  // A page without a caret (a new one) gets one at the start of its body,
  // so commands and insertions have a place to act.
  function ensureCaret() {
    var s = selection();
    if (!document.body || (s.rangeCount > 0 && document.body.contains(s.getRangeAt(0).startContainer))) return;
    var caret = document.createRange();
    caret.setStart(document.body, 0);
    caret.collapse(true);
    s.removeAllRanges();
    s.addRange(caret);
  }

  function exec(number, argument) {
    ensureCaret();
    if (number === 5022) insertTable(argument);
    else if (number === 5043) setBlockFormat(argument);
    else if (number === 5008) window.find(argument, false, false, true);
    else if (tableCommands[number]) { var edit = tableEdit(); if (edit) tableCommands[number](edit); }
    else if (positionCommands[number]) positionCommands[number]();
    else if (number === 5030 || number === 5051) makeList(native[number][0]);
    else if (number === 5049) undo();
    else if (number === 5033) redo();
    else if (native[number]) document.execCommand(native[number][0], false, argument || null);
    return state();
  }

  function pasteHtml(html) {
    ensureCaret();
    if (html) insertMarkup(html);
    else if (!selection().isCollapsed) document.execCommand('delete');
    return state();
  }

  // A style sheet that is shown but never part of the document's HTML.
  function setViewSheet(name, on, rules) {
    var sheet = viewSheets[name];
    if (!sheet) {
      sheet = viewSheets[name] = new CSSStyleSheet();
      sheet.replaceSync(rules);
    }
    var sheets = document.adoptedStyleSheets.filter(function (s) { return s !== sheet; });
    if (on) sheets.push(sheet);
    document.adoptedStyleSheets = sheets;
  }

  function setView(borders, details, snap) {
    setViewSheet('borders', borders, 'table, td, th { outline: 1px dotted #999; }');
    setViewSheet('details', details,
      'p, div, h1, h2, h3, h4, h5, h6, pre, address, ul, ol, li, form, span, br' +
      ' { outline: 1px dashed #6a9; } [style*="absolute"] { outline: 1px solid #c60; }');
    snapToGrid = snap;
    return state();
  }

  function start(borders, details, snap) {
    document.designMode = 'on';
    document.execCommand('defaultParagraphSeparator', false, 'div');
    ensureCaret();
    return setView(borders, details, snap);
  }

  function listen() {
    ['selectionchange', 'input', 'keyup', 'mouseup'].forEach(function (kind) {
      document.addEventListener(kind, report, true);
    });
  }

  document.addEventListener('input', browserEdited, true);
  document.addEventListener('keydown', undoKeys, true);
  if (typeof qt !== 'undefined' && qt.webChannelTransport) {
    new QWebChannel(qt.webChannelTransport, function (channel) {
      channelObject = channel.objects.vendaroEditState;
      listen();
    });
  }

  return { exec: exec, pasteHtml: pasteHtml, setView: setView, start: start, state: state };
})();
