#pragma once

#include <QWidget>

#include "platform/qt/QtToolWindow.h"
#include "platform/qt/QtViewBuilder.h"
#include "publish/PublishWindow.h"

class QProgressBar;

namespace vendaro {

// The publish window on screen: the boxes under their captions, the trust
// check box, Publish and Stop, the progress bar with its caption and the
// log. The model must outlive the view.
class PublishView : public QtToolWindow {
  Q_OBJECT

 public:
  explicit PublishView(frmPublish& form);
  ~PublishView() override;

 protected:
  void windowClosing() override;

 private:
  frmPublish& form_;
  QtViewBuilder ui_;
  QProgressBar* progress_;
  Control::ListenerId progressListener_;
};

}  // namespace vendaro
