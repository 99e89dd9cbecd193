#include "images/AdultListing.h"

#include <algorithm>

namespace vendaro {
namespace {

constexpr const char* kCreated = "Your adult listing is created and  saved";
constexpr const char* kPasswordPrompt = "Your password , please";
constexpr const char* kPasswordTitle = "Only parents!!!";
constexpr Geometry kShownPlace{0, 1200, 3800, 2200};

}  // namespace

AdultListing::AdultListing(AdultListingControls controls, Dialogs& dialogs,
                           std::string parentalPassword)
    : c_(controls), dialogs_(dialogs), parentalPassword_(std::move(parentalPassword)) {}

std::string AdultListing::siteOf(const std::string& address) {
  const auto scheme = address.find("://");
  if (scheme == std::string::npos) return {};
  const auto start = scheme + 3;
  const auto end = address.find_first_of("/?#", start);
  return address.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

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
  const auto answer = dialogs_.InputBox(kPasswordPrompt, kPasswordTitle, "");
  if (!answer || *answer != parentalPassword_) return;
  domainPlace = kShownPlace;
  c_.domain.setVisible(true);
}

void AdultListing::domain_DblClick() {
  const int index = c_.domain.ListIndex();
  if (index >= 0 && index < c_.domain.ListCount()) c_.domain.RemoveItem(index);
}

}  // namespace vendaro
