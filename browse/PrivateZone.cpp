#include "browse/PrivateZone.h"

#include <exception>

namespace vendaro {
namespace {

constexpr const char* kRecordQuestion = "Would You like keep a record ?";
constexpr const char* kRecordTitle = "Log in to private area";
constexpr const char* kPrivateZoneText = "Private zone ";
constexpr const char* kKeptText = "Your tracking will keeped !!! ";
constexpr const char* kNotKeptText = "Your tracking will not keeped !!! ";
constexpr const char* kPublicZoneText = "Public zone";
constexpr const char* kBlankPage = "about:blank";

}  // namespace

PrivateZone::PrivateZone(MainWindowControls& main, Dialogs& dialogs, const VendorSettings& vendor,
                         const PrivateZoneSettings& settings, ChannelLists& lists)
    : main_(main), dialogs_(dialogs), vendor_(vendor), settings_(settings), lists_(lists) {}

void PrivateZone::toggle() {
  main_.Combo2.setVisible(false);
  lists_.Picture11.setVisible(false);
  lists_.Picture8.setVisible(false);
  if (main_.inPrivateZone) {
    leave();
  } else {
    enter();
  }
}

// Nothing of the zone is left behind: both panes show a blank page at
// about:blank (a written page would keep the private page's address) and
// forget their history, so Back cannot walk into the private pages, and the
// status bar says the public zone again.
void PrivateZone::leave() {
  main_.inPrivateZone = false;
  for (BrowserPane* pane : {&main_.WebBrowser1, &main_.WebBrowser5}) {
    try {
      pane->browser().Navigate(kBlankPage);
      pane->browser().clearHistory();
    } catch (const std::exception&) {
      // A pane without a document stays as it is; the other steps still run.
    }
  }
  enableImageBufferSaving(false);
  main_.keepRecord = false;
  main_.StatusBar1.setPanelText(2, kPublicZoneText);
  main_.Combo2.setText("");
  main_.Combo2.setVisible(true);
  lists_.Picture11.setVisible(true);
  lists_.Picture8.setVisible(true);
}

void PrivateZone::enter() {
  lists_.Timer11.setEnabled(true);
  lists_.Timer10.setEnabled(true);
  main_.Inet(8).Execute(vendor_.address(settings_.searchList));
  main_.WebBrowser1.browser().Navigate(vendor_.address(settings_.startPage));
  main_.Inet(5).Execute(vendor_.address(settings_.channelList));
  main_.inPrivateZone = true;
  enableImageBufferSaving(true);
  main_.StatusBar1.setPanelText(2, kPrivateZoneText);
  const bool keep = dialogs_.MsgBox(kRecordQuestion, MessageButtons::YesNo, MessageIcon::None,
                                    kRecordTitle) == MessageResult::Yes;
  main_.keepRecord = keep;
  main_.StatusBar1.setPanelText(2, keep ? kKeptText : kNotKeptText);
}

void PrivateZone::enableImageBufferSaving(bool enabled) {
  if (!main_.menuEntry) return;
  if (MenuItem* entry = main_.menuEntry("sreport")) entry->setEnabled(enabled);
}

}  // namespace vendaro
