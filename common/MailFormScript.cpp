#include "common/MailFormScript.h"

#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr std::string_view kAddressMark = "@ORDER_ADDRESS@";
constexpr std::string_view kFormStart = "// --- the form ---\n";
constexpr std::string_view kFormEnd = "// --- end of the form ---\n";
constexpr int kMultiLineLimit = 4000;

// `text` as a PHP string in single quotes.
std::string phpString(const std::string& text) {
  return text::backslashQuoted(text, '\'');
}

std::string phpList(const std::vector<std::string>& names, const std::string& suffix = {}) {
  std::string list = "array(";
  for (std::size_t i = 0; i < names.size(); ++i) {
    list += (i == 0 ? "" : ", ") + phpString(names[i]) + suffix;
  }
  return list + ")";
}

std::string formBlock(const MailFormScript& form) {
  return std::string(kFormStart) + "$SUBJECT = " + phpString(form.subject) + ";\n" +
         "$KNOWN_FIELDS = " + phpList(form.fields) + ";\n" +
         "$MULTI_LINE = " + phpList(form.multiLine, " => " + std::to_string(kMultiLineLimit)) +
         ";\n"
         "$IS_ORDER = false;\n"
         "$HONEYPOT = 'homepage_url';\n"
         "$FILL_TIME = 'fill_ms';\n"
         "$NOUN = 'response';\n"
         "$FORM_NAME = 'form';\n"
         "$THANKS_TITLE = 'Thank you';\n"
         "$THANKS_TEXT = 'Your response was sent to us. This is what you sent:';\n" +
         std::string(kFormEnd);
}

std::string withAddress(std::string script, const std::string& address) {
  const std::size_t at = script.find(kAddressMark);
  if (at != std::string::npos) script.replace(at, kAddressMark.size(), address);
  return script;
}

}  // namespace

std::string orderMailScriptText(const std::string& address) {
  return withAddress(kMailFormScriptResource, address);
}

std::string mailFormScriptText(const MailFormScript& form) {
  std::string script = withAddress(kMailFormScriptResource, form.address);
  const std::size_t start = script.find(kFormStart);
  const std::size_t end = script.find(kFormEnd);
  if (start != std::string::npos && end != std::string::npos) {
    script.replace(start, end + kFormEnd.size() - start, formBlock(form));
  }
  return script;
}

std::string mailFormHiddenFields(const std::string& trapField) {
  return "<script>var vendaroFormOpened=new Date().getTime()</script>"
         "<input type=\"hidden\" name=\"fill_ms\" value=\"0\">"
         "<div style=\"position:absolute;left:-10000px\" aria-hidden=\"true\"><input type=\"text\" "
         "name=\"" +
         trapField + "\" tabindex=\"-1\" autocomplete=\"off\"></div>";
}

bool isPlainMailAddress(std::string_view address) {
  if (address.empty() || address.find('@') == std::string_view::npos) return false;
  for (const char c : address) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       std::string_view(".@_+-").find(c) != std::string_view::npos;
    if (!plain) return false;
  }
  return true;
}

}  // namespace vendaro
