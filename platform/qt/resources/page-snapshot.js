// Takes a snapshot of the page for the research tools and returns it as a
// JSON text. Runs in the application world, so the page's own scripts can
// neither see nor change it. Frames of the same origin are read through their
// documents; another origin's frame throws on access and is given no document.
(function () {
  'use strict';

  var MAX_FRAME_DEPTH = 5;
  var MAX_FRAMES = 50;
  // Texts are handed out from the innermost elements outwards; past this many
  // characters the large enclosing elements get none (a very deep page would
  // otherwise need space in the square of its size).
  var TEXT_BUDGET = 64 * 1024 * 1024;

  // Elements whose text is never shown, and everything inside them.
  var HIDING_TAGS = {
    SCRIPT: 1, STYLE: 1, TITLE: 1, TEMPLATE: 1, NOSCRIPT: 1, HEAD: 1, NOFRAMES: 1,
    SELECT: 1, IFRAME: 1, OBJECT: 1, TEXTAREA: 1, DATALIST: 1
  };
  var HREF_TAGS = { A: 1, AREA: 1, LINK: 1 };
  var SRC_TAGS = {
    IMG: 1, FRAME: 1, IFRAME: 1, SCRIPT: 1, EMBED: 1, INPUT: 1, SOURCE: 1, AUDIO: 1,
    VIDEO: 1, TRACK: 1
  };
  var framesRead = 0;

  function attribute(element, name) {
    var value = element.getAttribute(name);
    return value === null ? '' : value;
  }

  function isHtml(element) {
    return element.namespaceURI === 'http://www.w3.org/1999/xhtml';
  }

  function hidesText(element) {
    var tag = element.tagName.toUpperCase();
    if (tag === 'SCRIPT' || tag === 'STYLE' || tag === 'TITLE') return true;
    if (!isHtml(element)) {
      return element.namespaceURI === 'http://www.w3.org/2000/svg' && element.tagName === 'desc';
    }
    return element.hasAttribute('hidden') || HIDING_TAGS.hasOwnProperty(tag);
  }

  function isShown(element) {
    for (var e = element; e; e = e.parentElement) {
      if (hidesText(e)) return false;
    }
    return true;
  }

  // The rendered text with white space (no-break space included) collapsed.
  function visibleText(element) {
    var text = element.innerText;
    if (typeof text !== 'string') return '';
    return text.replace(/[ \t\n\r\f\u00a0]+/g, ' ').replace(/^ | $/g, '');
  }

  // A resolved address, or '' when the element has no such attribute.
  function address(element, name) {
    if (!element.hasAttribute(name)) return '';
    var value = element[name];
    return typeof value === 'string' ? value : attribute(element, name);
  }

  function describe(element) {
    var tag = element.tagName;
    var html = isHtml(element);
    return {
      tagName: tag,
      outerText: '',
      id: attribute(element, 'id'),
      name: attribute(element, 'name'),
      content: html && tag === 'META' ? attribute(element, 'content') : '',
      href: html && HREF_TAGS.hasOwnProperty(tag) ? address(element, 'href') : '',
      src: html && SRC_TAGS.hasOwnProperty(tag) ? address(element, 'src') : ''
    };
  }

  function fillTexts(elements, described) {
    var spent = 0;
    for (var i = elements.length - 1; i >= 0; --i) {
      if (!isShown(elements[i])) continue;
      var text = visibleText(elements[i]);
      if (text.length > TEXT_BUDGET - spent) continue;
      described[i].outerText = text;
      spent += text.length;
    }
  }

  function frameDocument(frame, depth) {
    if (depth > MAX_FRAME_DEPTH || framesRead >= MAX_FRAMES) return null;
    ++framesRead;
    try {
      var inner = frame.contentDocument;
      return inner ? snapshot(inner, depth + 1) : null;
    } catch (e) {
      return null;
    }
  }

  function snapshot(doc, depth) {
    var elements = doc.getElementsByTagName('*');
    var all = [];
    var links = [];
    var images = [];
    var frameElements = [];
    for (var i = 0; i < elements.length; ++i) all.push(describe(elements[i]));
    fillTexts(elements, all);
    for (i = 0; i < elements.length; ++i) {
      var element = elements[i];
      var tag = all[i].tagName;
      if (!isHtml(element)) continue;
      if ((tag === 'A' || tag === 'AREA') && element.hasAttribute('href')) {
        links.push({ href: all[i].href, outerText: all[i].outerText });
      } else if (tag === 'IMG') {
        images.push({ src: all[i].src, alt: attribute(element, 'alt') });
      } else if (tag === 'FRAME' || tag === 'IFRAME') {
        frameElements.push(i);
      }
    }
    var frames = frameElements.map(function (index) {
      return {
        name: all[index].name,
        src: all[index].src,
        document: frameDocument(elements[index], depth)
      };
    });
    var location = doc.location;
    return {
      url: doc.URL,
      title: doc.title,
      domain: location ? location.hostname.toLowerCase() : '',
      bodyTagName: doc.body ? doc.body.tagName : '',
      all: all,
      links: links,
      images: images,
      frames: frames
    };
  }

  return JSON.stringify(snapshot(document, 1));
})();
