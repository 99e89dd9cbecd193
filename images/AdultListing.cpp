#include "images/AdultListing.h"

#include <algorithm>

#include "platform/url/WebAddress.h"

namespace vendaro {
namespace {

constexpr const char* kCreated = "Your adult listing is created and  saved";
constexpr const char* kPasswordPrompt = "Your password , please";
constexpr const char* kPasswordTitle = "Only parents!!!";

}  // namespace

AdultListing::AdultListing(AdultListingControls controls, Dialogs& dialogs,
                           std::string parentalPassword)
    : c_(controls), dialogs_(dialogs), parentalPassword_(std::move(parentalPassword)) {}

void AdultListing::createadultlisting_Click() {
  c_.List4.Clear();
  for (const std::string& link : c_.listlinks.items()) {
    const std::string site = siteOf(link);
    const auto& sites = c_.domain.items();
    if (site.empty() || std::find(sites.begin(), sites.end(), site) != sites.end()) continue;
    c_.domain.AddItem(site);
  }
  dialogs_.MsgBox(kCreated);
}

void AdultListing::editadultlisting_Click() {
  const auto answer = dialogs_.PasswordBox(kPasswordPrompt, kPasswordTitle);
  if (!answer || *answer != parentalPassword_) return;
  c_.domain.setVisible(true);
}

}  // namespace vendaro
