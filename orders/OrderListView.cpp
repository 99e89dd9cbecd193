#include "orders/OrderListView.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QItemSelectionModel>

#include "platform/qt/QtGuard.h"

namespace vendaro {
namespace {

// The rows and columns of the list model, as Qt asks for them.
class OrderRowsTable : public QAbstractTableModel {
 public:
  OrderRowsTable(OrderListPane& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(list_.rows().size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(OrderListPane::kColumns.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const std::vector<std::string> cells = list_.cells(static_cast<std::size_t>(index.row()));
    return QString::fromStdString(cells.at(static_cast<std::size_t>(index.column())));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return QString::fromStdString(OrderListPane::kColumns.at(static_cast<std::size_t>(section)));
  }
  void reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  OrderListPane& list_;
};

}  // namespace

OrderListView::OrderListView(OrderListPane& list, QWidget* parent)
    : QTableView(parent), list_(list), table_(new OrderRowsTable(list, this)) {
  setObjectName(QStringLiteral("lstOrders"));
  setModel(table_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->hide();
  // Rows of one height: Qt need not measure 100,000 of them.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setStretchLastSection(true);
  constexpr int kWidths[] = {60, 90, 160, 70, 80};
  for (int column = 0; column < 5; ++column) setColumnWidth(column, kWidths[column]);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!showing_ && current.isValid()) rowChosen(current.row());
          });
  list_.onRowsChanged = [this] { rowsChanged(); };
  list_.onSelectionChanged = [this] { showSelection(); };
  rowsChanged();
}

OrderListView::~OrderListView() {
  list_.onRowsChanged = nullptr;
  list_.onSelectionChanged = nullptr;
}

void OrderListView::rowsChanged() {
  showing_ = true;
  static_cast<OrderRowsTable*>(table_)->reset();
  showing_ = false;
  showSelection();
}

void OrderListView::showSelection() {
  showing_ = true;
  const int row = list_.selectedRow();
  if (row < 0) {
    clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  } else {
    selectRow(row);
    scrollTo(table_->index(row, 0));
  }
  showing_ = false;
}

void OrderListView::rowChosen(int row) {
  runGuarded([this, row] { list_.lstOrders_Click(row); });
}

}  // namespace vendaro
