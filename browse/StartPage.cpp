#include "browse/StartPage.h"

#include <algorithm>
#include <array>

#include "platform/Text.h"

namespace vendaro {
namespace {

// The tool commands the page's links may run.
constexpr std::array<const char*, 6> kOfferedCommands{"stgen",     "orders",  "formgenerator",
                                                      "webeditor", "analise", "submitting"};

bool offered(const std::string& name) {
  return std::any_of(kOfferedCommands.begin(), kOfferedCommands.end(),
                     [&](const char* command) { return name == command; });
}

// Addresses a written document passes through before it shows.
bool writingDocument(const std::string& address) {
  return address.empty() || address == "about:blank" ||
         text::startsWithIgnoringCase(address, "data:");
}

}  // namespace

StartPage::StartPage(Browser& pane, const VendorSettings& vendor, CommandRegistry& commands,
                     EventLoop& loop)
    : pane_(pane), vendor_(vendor), commands_(commands), loop_(loop) {
  previous_ = pane_.onBeforeNavigate;
  pane_.onBeforeNavigate = [this](const std::string& address, bool& cancel) {
    beforeNavigate(address, cancel);
  };
}

StartPage::~StartPage() {
  pane_.onBeforeNavigate = previous_;
}

std::string StartPage::html() const {
  std::string page = kStartPageResource;
  const std::string key = "{vendor}";
  const std::size_t at = page.find(key);
  if (at != std::string::npos) page.replace(at, key.size(), text::htmlEscaped(vendor_.baseUrl));
  return page;
}

void StartPage::show() {
  // A page the user asked for may still be on its way.
  if (navigated_ || pane_.Busy() || !writingDocument(pane_.LocationURL())) return;
  shown_ = true;
  pane_.writeDocument(html());
}

void StartPage::beforeNavigate(const std::string& address, bool& cancel) {
  const std::string prefix = kCommandPrefix;
  if (shown_ && address.rfind(prefix, 0) == 0) {
    cancel = true;
    const std::string name = address.substr(prefix.size());
    // The tool opens after the navigation callback has returned.
    if (offered(name)) loop_.post([&commands = commands_, name] { commands.run(name); });
    return;
  }
  if (!writingDocument(address)) {
    shown_ = false;
    navigated_ = true;
  }
  if (previous_) previous_(address, cancel);
}

}  // namespace vendaro
