#pragma once

#include "images/AdultListing.h"
#include "platform/ListControl.h"
#include "platform/qt/QtToolWindow.h"
#include "platform/qt/QtViewBuilder.h"

namespace vendaro {

// The list `domain` on screen while it is shown for editing: a double click
// removes the chosen site. Closing the window hides the list. The list and
// the listing must outlive the view.
class DomainListView : public QtToolWindow {
  Q_OBJECT

 public:
  DomainListView(ListControl& domain, AdultListing& listing);

 protected:
  void windowClosing() override;

 private:
  ListControl& domain_;
  QtViewBuilder ui_;
};

}  // namespace vendaro
