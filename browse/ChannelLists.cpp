#include "browse/ChannelLists.h"

#include <vector>

#include "browse/ListRecords.h"

namespace vendaro {
namespace {

constexpr const char* kBackgroundQuestion = "Would You like open it in a background mode?";

PictureBox& toolbarPicture(MainWindowControls& main, const char* name, PictureBox& fallback) {
  PictureBox* button = main.toolbarButton ? main.toolbarButton(name) : nullptr;
  return button != nullptr ? *button : fallback;
}

}  // namespace

ChannelLists::ChannelLists(MainWindowControls& main, Dialogs& dialogs, EventLoop& loop,
                           const VendorSettings& vendor)
    : Picture8(toolbarPicture(main, "Picture8", ownPicture8_)),
      Picture11(toolbarPicture(main, "Picture11", ownPicture11_)),
      Timer10(loop, kRetryMs, false),
      Timer11(loop, kRetryMs, false),
      main_(main),
      dialogs_(dialogs),
      vendor_(vendor) {
  for (ListControl* list : {&ara2, &pubsearch, &privchann, &privsearch}) list->setVisible(false);
  // The buttons appear once the lists have arrived.
  Picture8.setVisible(false);
  Picture11.setVisible(false);
  main_.Inet(5).onStateChanged = [this](int state) { Inet5_StateChanged(state); };
  main_.Inet(6).onStateChanged = [this](int state) { Inet6_StateChanged(state); };
  main_.Inet(7).onStateChanged = [this](int state) { Inet7_StateChanged(state); };
  main_.Inet(8).onStateChanged = [this](int state) { Inet8_StateChanged(state); };
  Timer10.onTimer = [this] { Timer10_Timer(); };
  Timer11.onTimer = [this] { Timer11_Timer(); };
}

ChannelLists::~ChannelLists() {
  for (int inet : {5, 6, 7, 8}) main_.Inet(inet).onStateChanged = nullptr;
}

bool ChannelLists::loadList(const Source& source, int state) {
  if (state == Transfer::kStateError) {
    main_.StatusBar1.setPanelText(1, std::string("The ") + source.what + " could not be loaded");
    return false;
  }
  if (state != Transfer::kStateResponseCompleted) return false;
  const std::string text = main_.Inet(source.inet).GetChunk(kListReadSize);
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
  publicListChanged({6, main_.pubch, ara2, "channel list"}, state);
}

void ChannelLists::Inet7_StateChanged(int state) {
  publicListChanged({7, main_.pubs, pubsearch, "search engine list"}, state);
}

void ChannelLists::publicListChanged(const Source& source, int state) {
  loadList(source, state);
  bool running = false;
  for (int inet : {5, 6, 7, 8}) running = running || main_.Inet(inet).StillExecuting();
  if (!running) {
    Picture8.setVisible(true);
    Picture11.setVisible(true);
  }
}

void ChannelLists::Inet5_StateChanged(int state) {
  privateListChanged({5, main_.privch, privchann, "private channel list"}, state, Picture11,
                     Timer10);
}

void ChannelLists::Inet8_StateChanged(int state) {
  privateListChanged({8, main_.privs, privsearch, "private search engine list"}, state, Picture8,
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
  retry(5, Timer10);
}

void ChannelLists::Timer11_Timer() {
  retry(8, Timer11);
}

void ChannelLists::retry(int inet, Timer& timer) {
  timer.setEnabled(false);
  Transfer& transfer = main_.Inet(inet);
  if (!transfer.StillExecuting()) transfer.Execute(transfer.URL());
}

void ChannelLists::Picture11_Click() {
  if (!main_.inPrivateZone) {
    popUp(main_.pubch, &ChannelLists::pubch_Click);
    main_.keepRecord = true;
  } else {
    main_.keepRecord = false;
    main_.Combo2.setVisible(false);
    popUp(main_.privch, &ChannelLists::privch_Click);
  }
}

void ChannelLists::Picture8_Click() {
  if (!main_.inPrivateZone) {
    popUp(main_.pubs, &ChannelLists::pubs_Click);
    main_.keepRecord = true;
  } else {
    main_.keepRecord = false;
    main_.Combo2.setVisible(false);
    popUp(main_.privs, &ChannelLists::privs_Click);
  }
}

void ChannelLists::popUp(MenuItem& menu, void (ChannelLists::*choose)(int)) {
  if (main_.popupMenu) main_.popupMenu(menu, [this, choose](int index) { (this->*choose)(index); });
}

void ChannelLists::openChannel(const ListControl& addresses, int index) {
  const std::string address = addresses.List(index + 1);
  // An entry without an address opens nothing, so nothing is asked either.
  if (address.empty()) return;
  const MessageResult answer =
      dialogs_.MsgBox(kBackgroundQuestion, MessageButtons::YesNo, MessageIcon::None);
  main_.navigatePane(answer == MessageResult::Yes ? main_.WebBrowser5 : main_.WebBrowser1,
                     address);
}

void ChannelLists::openSearchEngine(const ListControl& addresses, int index) {
  const std::string address = addresses.List(index + 1);
  if (address.empty()) return;
  for (BrowserPane* pane : {&main_.WebBrowser1, &main_.WebBrowser5}) {
    if (pane->Visible()) pane->browser().Navigate(address);
  }
}

}  // namespace vendaro
