#pragma once

#include <QTableView>

#include "orders/OrderListPane.h"

namespace vendaro {

// The list of orders on screen: a table that reads its cells from the list
// model only when they are drawn, so a list of 100,000 orders shows at
// once. Clicking a row (or moving with the keys) chooses that order; the
// model's choice is shown as the selected row. The model must outlive the view.
class OrderListView : public QTableView {
  Q_OBJECT

 public:
  OrderListView(OrderListPane& list, QWidget* parent);
  ~OrderListView() override;

 private:
  void rowsChanged();
  void showSelection();
  void rowChosen(int row);

  OrderListPane& list_;
  QAbstractTableModel* table_;
  bool showing_ = false;  // the view itself selects the model's row
};

}  // namespace vendaro
