#pragma once

#include "platform/qt/QtToolWindow.h"
#include "platform/qt/QtViewBuilder.h"
#include "submit/Submittion.h"

class QProgressBar;

namespace vendaro {

// The submission tool on screen: the tabs "Analysis", "Synthesis" and
// "Creation" drawing the window model's controls. The hidden browsers have
// no screen. The model must outlive the view.
class SubmittionView : public QtToolWindow {
  Q_OBJECT

 public:
  explicit SubmittionView(Submittion& window);

 private:
  QWidget* makeAnalysisTab();
  QWidget* makeSynthesisTab();
  QWidget* makeCreationTab();
  QProgressBar* progressBar(ProgressBar& bar, const QString& name, QWidget* parent);

  Submittion& window_;
  QtViewBuilder ui_;
};

}  // namespace vendaro
