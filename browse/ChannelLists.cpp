#include "browse/ChannelLists.h"

#include <vector>

#include "browse/ListRecords.h"

namespace vendaro {
namespace {

constexpr const char* kBackgroundQuestion = "Would You like open it in a background mode?";

PictureBox& toolbarPicture(const MainWindowOffers& offers, const char* name, PictureBox& fallback) {
  PictureBox* button = offers.toolbarButton ? offers.toolbarButton(name) : nullptr;
  return button != nullptr ? *button : fallback;
}

}  // namespace

ChannelLists::ChannelLists(Ports ports, Dialogs& dialogs, EventLoop& loop,
                           const VendorSettings& vendor)
    : Picture8(toolbarPicture(ports.offers, "Picture8", ownPicture8_)),
      Picture11(toolbarPicture(ports.offers, "Picture11", ownPicture11_)),
      Timer10(loop, kRetryMs, false),
      Timer11(loop, kRetryMs, false),
      Inet5(ports.transfers.take("private channel list")),
      Inet6(ports.transfers.take("public channel list")),
      Inet7(ports.transfers.take("public search engine list")),
      Inet8(ports.transfers.take("private search engine list")),
      status_(ports.status),
      panes_(ports.panes),
      zone_(ports.zone),
      addressBar_(ports.addressBar),
      offers_(ports.offers),
      dialogs_(dialogs),
      vendor_(vendor) {
  for (ListControl* list : {&ara2, &pubsearch, &privchann, &privsearch}) list->setVisible(false);
  // The buttons appear once the lists have arrived.
  Picture8.setVisible(false);
  Picture11.setVisible(false);
  for (MenuItem* menu : {&privs, &privch, &pubs, &pubch}) menu->addChild(menu->name() + "0", "");
  Inet5.onStateChanged = [this](int state) { Inet5_StateChanged(state); };
  Inet6.onStateChanged = [this](int state) { Inet6_StateChanged(state); };
  Inet7.onStateChanged = [this](int state) { Inet7_StateChanged(state); };
  Inet8.onStateChanged = [this](int state) { Inet8_StateChanged(state); };
  Timer10.onTimer = [this] { Timer10_Timer(); };
  Timer11.onTimer = [this] { Timer11_Timer(); };
}

ChannelLists::~ChannelLists() {
  for (Transfer* transfer : {&Inet5, &Inet6, &Inet7, &Inet8}) transfer->onStateChanged = nullptr;
}

void ChannelLists::loadPublicLists() {
  Inet6.Execute(vendor_.address("/pubchannels.txt"));
  Inet7.Execute(vendor_.address("/pubsearch.txt"));
}

void ChannelLists::removeRunTimeMenuEntries() {
  for (MenuItem* menu : {&privs, &privch, &pubs, &pubch}) menu->truncateChildren(1);
}

bool ChannelLists::loadList(const Source& source, int state) {
  if (state == Transfer::kStateError) {
    status_.show(1, std::string("The ") + source.what + " could not be loaded");
    return false;
  }
  if (state != Transfer::kStateResponseCompleted) return false;
  const std::string text = source.transfer.GetChunk(kListReadSize);
  std::vector<ListRecord> accepted;
  for (const auto& record : parseListRecords(text)) {
    // A record cut short before its ">" keeps its caption with no address.
    std::string address = acceptedListAddress(record.address, vendor_.baseUrl);
    if (!address.empty() || record.address.empty()) {
      accepted.push_back({record.caption, std::move(address)});
    }
  }
  source.menu.truncateChildren(1);
  source.addresses.Clear();
  source.addresses.AddItem("");
  for (std::size_t k = 0; k < accepted.size(); ++k) {
    if (k == 0) {
      source.menu.child(0).setCaption(accepted[k].caption);
    } else {
      source.menu.addChild(source.menu.name() + std::to_string(k), accepted[k].caption);
    }
    source.addresses.AddItem(accepted[k].address);
  }
  return true;
}

void ChannelLists::Inet6_StateChanged(int state) {
  publicListChanged({Inet6, pubch, ara2, "channel list"}, state);
}

void ChannelLists::Inet7_StateChanged(int state) {
  publicListChanged({Inet7, pubs, pubsearch, "search engine list"}, state);
}

void ChannelLists::publicListChanged(const Source& source, int state) {
  loadList(source, state);
  bool running = false;
  for (Transfer* transfer : {&Inet5, &Inet6, &Inet7, &Inet8}) {
    running = running || transfer->StillExecuting();
  }
  if (!running) {
    Picture8.setVisible(true);
    Picture11.setVisible(true);
  }
}

void ChannelLists::Inet5_StateChanged(int state) {
  privateListChanged({Inet5, privch, privchann, "private channel list"}, state, Picture11, Timer10);
}

void ChannelLists::Inet8_StateChanged(int state) {
  privateListChanged({Inet8, privs, privsearch, "private search engine list"}, state, Picture8,
                     Timer11);
}

void ChannelLists::privateListChanged(const Source& source, int state, PictureBox& button,
                                      Timer& retry) {
  if (!loadList(source, state)) return;
  if (source.addresses.ListCount() > 0) {
    button.setVisible(true);
    retry.setEnabled(false);
  }
}

void ChannelLists::Timer10_Timer() {
  retry(Inet5, Timer10);
}

void ChannelLists::Timer11_Timer() {
  retry(Inet8, Timer11);
}

void ChannelLists::retry(Transfer& transfer, Timer& timer) {
  timer.setEnabled(false);
  if (!transfer.StillExecuting()) transfer.Execute(transfer.URL());
}

void ChannelLists::Picture11_Click() {
  if (!zone_.inPrivateZone) {
    popUp(pubch, &ChannelLists::pubch_Click);
    zone_.keepRecord = true;
  } else {
    zone_.keepRecord = false;
    addressBar_.setVisible(false);
    popUp(privch, &ChannelLists::privch_Click);
  }
}

void ChannelLists::Picture8_Click() {
  if (!zone_.inPrivateZone) {
    popUp(pubs, &ChannelLists::pubs_Click);
    zone_.keepRecord = true;
  } else {
    zone_.keepRecord = false;
    addressBar_.setVisible(false);
    popUp(privs, &ChannelLists::privs_Click);
  }
}

void ChannelLists::popUp(MenuItem& menu, void (ChannelLists::*choose)(int)) {
  if (offers_.popupMenu)
    offers_.popupMenu(menu, [this, choose](int index) { (this->*choose)(index); });
}

void ChannelLists::openChannel(const ListControl& addresses, int index) {
  const std::string address = addresses.List(index + 1);
  // An entry without an address opens nothing, so nothing is asked either.
  if (address.empty()) return;
  const MessageResult answer =
      dialogs_.MsgBox(kBackgroundQuestion, MessageButtons::YesNo, MessageIcon::None);
  panes_.navigate(answer == MessageResult::Yes ? panes_.WebBrowser5 : panes_.WebBrowser1, address);
}

void ChannelLists::openSearchEngine(const ListControl& addresses, int index) {
  const std::string address = addresses.List(index + 1);
  if (address.empty()) return;
  for (BrowserPane* pane : {&panes_.WebBrowser1, &panes_.WebBrowser5}) {
    if (pane->Visible()) pane->browser().Navigate(address);
  }
}

}  // namespace vendaro
