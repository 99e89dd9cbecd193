// Replaces the shown document with the HTML text it is called with, as
// document.open, write and close do. Used for texts too large to load as a
// data address; the caller appends the argument list "(text)".
(function (html) {
  'use strict';
  document.open();
  document.write(html);
  document.close();
  return true;
})
