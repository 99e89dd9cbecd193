#pragma once

#include <QListWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls/ListControl.h"
#include "platform/qt/QtControlBinding.h"

namespace vendaro {

// Keeps a QListWidget and a list box model in step: the entries and the
// chosen entry are drawn; the entry the user chooses becomes the model's
// ListIndex before onClick or onDblClick is raised. The binding is a child of
// the widget; the list must outlive it.
class QtListBoxBinding : public QtControlBinding {
  Q_OBJECT

 public:
  QtListBoxBinding(ListControl& list, QListWidget& widget);

  std::function<void()> onClick;
  std::function<void()> onDblClick;

 private:
  void show() override;
  // Brings the widget's rows to the model's entries by replacing only the
  // rows between the unchanged start and end, so taking the top entry of a
  // list of thousands, or appending to it, stays cheap.
  void showEntries();
  void takeRow(int row);
  void takeClick(const QModelIndex& index);
  void takeDoubleClick(const QModelIndex& index);

  ListControl& list_;
  QListWidget& widget_;
  // The entries the widget shows.
  std::vector<std::string> shown_;
};

}  // namespace vendaro
