// Reports the mouse moving over and off elements and clicks on them to the
// browser pane, through the web channel object "vendaroDocumentEvents". Runs in
// the application world after qwebchannel.js; listening in the capture phase
// sees events even where the page stops their propagation.
(function () {
  'use strict';

  function addressOf(element, name) {
    var value = element[name];
    return typeof value === 'string' ? value : '';
  }

  function listen(events) {
    function report(kind) {
      return function (event) {
        var target = event.target;
        if (!target || target.nodeType !== Node.ELEMENT_NODE) return;
        events.report(kind, target.tagName, addressOf(target, 'href'), addressOf(target, 'src'));
      };
    }
    document.addEventListener('mouseover', report('mouseover'), true);
    document.addEventListener('mouseout', report('mouseout'), true);
    document.addEventListener('click', report('click'), true);
  }

  if (typeof qt === 'undefined' || !qt.webChannelTransport) return;
  new QWebChannel(qt.webChannelTransport, function (channel) {
    listen(channel.objects.vendaroDocumentEvents);
  });
})();
