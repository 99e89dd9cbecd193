#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vendaro {

// The PHP script (common/resources/mail-form.php) that takes the post of a
// page's form instead of a mailto: address, checks it (known fields only,
// size caps, no line breaks in one-line fields, a hidden trap field and a
// shortest fill time) and mails it to the merchant as the plain-text mail the
// intake reads: "name=value" lines under the form's subject. As it stands it
// is the shop's order script.
extern const char* const kMailFormScriptResource;

// What the script of a form page checks and sends.
struct MailFormScript {
  std::string address;  // the merchant's, where the mail goes
  std::string subject;
  std::vector<std::string> fields;     // the names the form posts
  std::vector<std::string> multiLine;  // those of them that may hold line breaks
};

// The shop's order script for orders to `address`.
std::string orderMailScriptText(const std::string& address);

// The script of one form page.
std::string mailFormScriptText(const MailFormScript& form);

// The hidden fields a page's form sends to the script, after its start tag
// `<form ... onsubmit="FILL_TIME_CODE">`: the milliseconds the visitor took
// and a text field out of sight that only robots fill in, named `trapField`.
std::string mailFormHiddenFields(const std::string& trapField);
// The onsubmit code that puts the fill time into its field.
inline constexpr const char* kFillTimeCode =
    "this.fill_ms.value=String(new Date().getTime()-vendaroFormOpened)";

// True for an address of letters, digits and ".@_+-" with an "@": nothing
// that could end a PHP string or reach a mail header as something else.
bool isPlainMailAddress(std::string_view address);

}  // namespace vendaro
