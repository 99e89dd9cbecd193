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

PrivateZone::PrivateZone(Ports ports, Dialogs& dialogs, const VendorSettings& vendor,
                         const PrivateZoneSettings& settings, ChannelLists& lists)
    : zone_(ports.zone),
      addressBar_(ports.addressBar),
      status_(ports.status),
      panes_(ports.panes),
      offers_(ports.offers),
      dialogs_(dialogs),
      vendor_(vendor),
      settings_(settings),
      lists_(lists) {}

void PrivateZone::toggle() {
  addressBar_.setVisible(false);
  lists_.Picture11.setVisible(false);
  lists_.Picture8.setVisible(false);
  if (zone_.inPrivateZone) {
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
  zone_.inPrivateZone = false;
  for (BrowserPane* pane : {&panes_.WebBrowser1, &panes_.WebBrowser5}) {
    try {
      pane->browser().Navigate(kBlankPage);
      pane->browser().clearHistory();
    } catch (const std::exception&) {
      // A pane without a document stays as it is; the other steps still run.
    }
  }
  enableImageBufferSaving(false);
  zone_.keepRecord = false;
  status_.show(2, kPublicZoneText);
  addressBar_.setText("");
  addressBar_.setVisible(true);
  lists_.Picture11.setVisible(true);
  lists_.Picture8.setVisible(true);
}

void PrivateZone::enter() {
  lists_.Timer11.setEnabled(true);
  lists_.Timer10.setEnabled(true);
  lists_.Inet8.Execute(vendor_.address(settings_.searchList));
  panes_.WebBrowser1.browser().Navigate(vendor_.address(settings_.startPage));
  lists_.Inet5.Execute(vendor_.address(settings_.channelList));
  zone_.inPrivateZone = true;
  enableImageBufferSaving(true);
  status_.show(2, kPrivateZoneText);
  const bool keep = dialogs_.MsgBox(kRecordQuestion, MessageButtons::YesNo, MessageIcon::None,
                                    kRecordTitle) == MessageResult::Yes;
  zone_.keepRecord = keep;
  status_.show(2, keep ? kKeptText : kNotKeptText);
}

void PrivateZone::enableImageBufferSaving(bool enabled) {
  if (!offers_.menuEntry) return;
  if (MenuItem* entry = offers_.menuEntry("sreport")) entry->setEnabled(enabled);
}

}  // namespace vendaro
