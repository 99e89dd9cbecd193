#include "store/ItemTableView.h"

#include <QHeaderView>

#include "platform/qt/QtGuard.h"

namespace vendaro {

ItemTableView::ItemTableView(Wizard1& wizard, QWidget* parent)
    : QTableWidget(parent), wizard_(wizard) {
  setObjectName(QStringLiteral("List2"));
  setColumnCount(static_cast<int>(std::size(Wizard1::kItemColumns)));
  QStringList headers;
  for (const char* caption : Wizard1::kItemColumns) headers << QString::fromLatin1(caption);
  setHorizontalHeaderLabels(headers);
  verticalHeader()->hide();
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QTableWidget::currentCellChanged, this, [this](int row) { takeRow(row); });
  connect(this, &QTableWidget::cellClicked, this, [this](int row) {
    takeRow(row);
    runGuarded([this] { wizard_.List2_Click(); });
  });
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row) {
    takeRow(row);
    runGuarded([this] { wizard_.List2_DblClick(); });
  });
  listener_ = wizard_.List2.addListener([this] { showItems(); });
  showItems();
}

ItemTableView::~ItemTableView() {
  wizard_.List2.removeListener(listener_);
}

void ItemTableView::showItems() {
  showing_ = true;
  const int rows = wizard_.List2.ListCount();
  setRowCount(rows);
  for (int row = 0; row < rows; ++row) {
    const std::vector<std::string> fields = wizard_.itemColumns(row);
    for (std::size_t column = 0; column < fields.size(); ++column) {
      setItem(row, static_cast<int>(column),
              new QTableWidgetItem(QString::fromStdString(fields[column])));
    }
  }
  setCurrentCell(wizard_.List2.ListIndex(), 0);
  if (wizard_.List2.ListIndex() < 0) clearSelection();
  showing_ = false;
}

void ItemTableView::takeRow(int row) {
  if (showing_) return;
  if (row >= -1 && row < wizard_.List2.ListCount()) wizard_.List2.setListIndex(row);
}

}  // namespace vendaro
