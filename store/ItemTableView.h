#pragma once

#include <QTableWidget>

#include "store/Wizard1.h"

namespace vendaro {

// The wizard's item list (List2) on screen as a table: one row per item
// record, one column per field under the boxes' captions. The row the user
// picks becomes List2's ListIndex before the wizard's click handlers run.
class ItemTableView : public QTableWidget {
  Q_OBJECT

 public:
  ItemTableView(Wizard1& wizard, QWidget* parent);
  ~ItemTableView() override;

 private:
  void showItems();
  void takeRow(int row);

  Wizard1& wizard_;
  Control::ListenerId listener_ = 0;
  bool showing_ = false;
};

}  // namespace vendaro
