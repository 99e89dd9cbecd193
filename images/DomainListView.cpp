#include "images/DomainListView.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace vendaro {

DomainListView::DomainListView(ListControl& domain, AdultListing& listing) : domain_(domain) {
  setObjectName(QStringLiteral("domainWindow"));
  setWindowTitle(QStringLiteral("Adult listing"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ui_.listBox(
      domain, QStringLiteral("domain"), [] {}, [&listing] { listing.domain_DblClick(); }, this));
  const Geometry& place = listing.domainPlace;
  resize(Geometry::pixels(place.width), Geometry::pixels(place.height));
}

void DomainListView::windowClosing() {
  domain_.setVisible(false);
}

}  // namespace vendaro
