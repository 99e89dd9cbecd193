#include "store/PageText.h"

#include "common/TextFile.h"

namespace vendaro {

PageText& PageText::line(std::string_view text) {
  text_.append(text);
  text_.append(kCrLf);
  return *this;
}

PageText& PageText::text(std::string_view text) {
  text_.append(text);
  return *this;
}

PageText& PageText::scriptString(std::string_view value) {
  text::appendScriptString(text_, value);
  return *this;
}

}  // namespace vendaro
