#include "images/Catalogs.h"

#include "common/ImagePages.h"
#include "images/PageFiles.h"

namespace vendaro {

Catalogs::Catalogs(CatalogControls controls, Dialogs& dialogs, std::filesystem::path outputFolder)
    : c_(controls), dialogs_(dialogs), outputFolder_(std::move(outputFolder)) {}

std::string* Catalogs::selected() {
  const int index = c_.Combo1.ListIndex();
  if (index < 0 || index >= kCount) return nullptr;
  return &catalogs_[static_cast<std::size_t>(index)];
}

void Catalogs::addPicture(const std::string& address, ClickedPane pane, bool toPicture) {
  const int index = c_.Combo1.ListIndex();
  if (!c_.Combo1.Text().empty() && index >= 0 && index < kAddable) {
    catalogs_[static_cast<std::size_t>(index)] += pictureTag(address);
  } else if (toPicture) {
    c_.status.show(2, pane == ClickedPane::Main ? " Choose the catalog's name ,please !"
                                                : "Choose a catalig's name , please");
  } else {
    return;
  }
  dialogs_.Beep();
}

void Catalogs::viewcatalo_Click() {
  const std::string* catalog = selected();
  const std::string page = catalogPage(catalog ? *catalog : std::string());
  for (BrowserPane* pane : {&c_.WebBrowser1, &c_.WebBrowser5}) {
    if (pane->Visible()) pane->browser().writeDocument(page);
  }
}

void Catalogs::clearcatalog_Click() {
  std::string* catalog = selected();
  if (catalog == nullptr) return;
  catalog->clear();
  c_.status.show(2, "Buffer " + c_.Combo1.Text() + " is clear");
}

void Catalogs::savecatalog_Click() {
  const std::string* catalog = selected();
  savePageAs(dialogs_, c_.inPrivateZone, outputFolder_,
             savedCatalogPage(catalog ? *catalog : std::string()));
}

}  // namespace vendaro
