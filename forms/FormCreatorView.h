#pragma once

#include <memory>

#include "forms/FormCreator.h"
#include "platform/qt/QtToolWindow.h"
#include "platform/qt/QtViewBuilder.h"

class QGridLayout;
class QTabWidget;
class QTableWidget;

namespace vendaro {

class MailboxIntake;

// The form creator on screen: the tabs "Page Properties", "Fields" and
// "&E-mail DB interface", each control drawn from the model and its events
// passed on; the dialogs the model asks for are shown beside it. Loads the
// forms when made. The model must outlive the view.
class FormCreatorView : public QtToolWindow {
  Q_OBJECT

 public:
  static constexpr int kInitialWidth = 760;
  static constexpr int kInitialHeight = 560;

  // `intake` draws the mailbox part of the responses tab; null leaves it out.
  FormCreatorView(Settings& creator, MailboxIntake* intake);
  ~FormCreatorView() override;

 protected:
  void windowClosing() override;

 private:
  QWidget* makePropertiesTab();
  QWidget* makeFieldsTab();
  QWidget* makeResponsesTab(MailboxIntake* intake);
  void addMailbox(MailboxIntake& intake, QGridLayout& layout, QWidget* parent);
  void showDialog(std::shared_ptr<FieldDialog> dialog);
  void showResponses();

  Settings& creator_;
  QtViewBuilder ui_;
  QTabWidget* tabs_;
  QTableWidget* grid_ = nullptr;
};

}  // namespace vendaro
