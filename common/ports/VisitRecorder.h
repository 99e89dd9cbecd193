#pragma once

#include "platform/PageDocument.h"
#include "platform/controls/ListControl.h"

namespace vendaro {

// Records the site of a page shown in the main pane in a history list. The
// main window says which list; the favorites and histories feature implements it.
class VisitRecorder {
 public:
  virtual ~VisitRecorder() = default;
  virtual void recordVisitedDomain(ListControl& history, const PageDocument& document) = 0;
};

}  // namespace vendaro
