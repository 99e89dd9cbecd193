#pragma once

#include <string>

#include "common/VendorSettings.h"
#include "platform/Browser.h"
#include "platform/CommandRegistry.h"
#include "platform/EventLoop.h"

namespace vendaro {

// The page shipped with the program (browse/resources/start-page.htm), with
// "{vendor}" where the vendor site's address goes.
extern const char* const kStartPageResource;

// The start page shown in the main pane when the vendor site cannot be
// reached: what the workbench does, links that open its tools, and the
// settings key of the vendor site. Its links run the tools' commands; only
// while it is shown, and only the commands it offers.
class StartPage {
 public:
  // The host of the page's command links; reserved, so it never resolves.
  static constexpr const char* kCommandPrefix = "http://vendaro.invalid/command/";

  StartPage(Browser& pane, const VendorSettings& vendor, CommandRegistry& commands,
            EventLoop& loop);
  ~StartPage();
  StartPage(const StartPage&) = delete;
  StartPage& operator=(const StartPage&) = delete;

  // The page's text for the current settings.
  std::string html() const;
  // Writes the page into the pane, unless the user has already opened
  // another page there.
  void show();
  // Whether the pane still shows the page.
  bool shown() const { return shown_; }

 private:
  void beforeNavigate(const std::string& address, bool& cancel);

  Browser& pane_;
  const VendorSettings& vendor_;
  CommandRegistry& commands_;
  EventLoop& loop_;
  bool shown_ = false;
  bool navigated_ = false;
  // The pane's own handler, called for every other navigation.
  std::function<void(const std::string&, bool&)> previous_;
};

}  // namespace vendaro
