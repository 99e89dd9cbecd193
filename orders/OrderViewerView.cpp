#include "orders/OrderViewerView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <functional>
#include <utility>

#include "platform/qt/QtGeometry.h"
#include "platform/qt/QtGuard.h"
#include "platform/qt/QtLabelBinding.h"

namespace vendaro {
namespace {

// Where each bound box sits: the order's own fields down the first column,
// the shipping and billing addresses beside it under their headings.
constexpr std::array<std::size_t, 13> kOrderFields = {0,  1,  2,  9,  10, 19, 20,
                                                      21, 27, 22, 23, 26, 28};
constexpr std::array<std::size_t, 8> kShippingFields = {3, 4, 24, 5, 6, 7, 8, 17};
constexpr std::array<std::size_t, 8> kBillingFields = {11, 12, 25, 13, 14, 15, 16, 18};

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

QLabel* heading(Label& label, const char* name, QWidget* parent) {
  auto* widget = new QLabel(parent);
  widget->setObjectName(QLatin1String(name));
  QFont font = widget->font();
  font.setBold(true);
  widget->setFont(font);
  new QtLabelBinding(label, *widget);
  return widget;
}

}  // namespace

OrderViewerView::OrderViewerView(frmOrders& form)
    : form_(form),
      fields_(makeFields()),
      grid_(new QTableWidget(this)),
      recordBar_(makeRecordBar()),
      buttons_(makeButtons()) {
  setObjectName(QStringLiteral("frmOrders"));
  grid_->setObjectName(QStringLiteral("grdDataGrid"));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->hide();

  // The model lays the grid out from these heights, in twips.
  form_.gridTop = static_cast<int>(twips(fields_->sizeHint().height()));
  form_.datPrimaryHeight = static_cast<int>(twips(recordBar_->sizeHint().height()));
  form_.picButtonsHeight = static_cast<int>(twips(buttons_->sizeHint().height()));

  setWindowTitle(qt(form_.Caption.Caption()));
  captionListener_ =
      form_.Caption.addListener([this] { setWindowTitle(qt(form_.Caption.Caption())); });
  form_.onRecordShown = [this] { showRecord(); };
  form_.onClose = [this] { close(); };
  resize(kInitialWidth, kInitialHeight);
  form_.Form_Load();
  showRecord();
}

OrderViewerView::~OrderViewerView() {
  form_.onRecordShown = nullptr;
  form_.onClose = nullptr;
  form_.Caption.removeListener(captionListener_);
}

QWidget* OrderViewerView::makeFields() {
  auto* fields = new QWidget(this);
  fields->setObjectName(QStringLiteral("fields"));
  auto* layout = new QGridLayout(fields);
  for (std::size_t row = 0; row < kOrderFields.size(); ++row) {
    addField(*layout, kOrderFields[row], static_cast<int>(row), 0);
  }
  layout->addWidget(heading(form_.lblShipping, "lblShipping", fields), 0, 3);
  layout->addWidget(heading(form_.lblBilling, "lblBilling", fields), 0, 5);
  for (std::size_t row = 0; row < kShippingFields.size(); ++row) {
    addField(*layout, kShippingFields[row], static_cast<int>(row) + 1, 2);
    addField(*layout, kBillingFields[row], static_cast<int>(row) + 1, 4);
  }
  return fields;
}

void OrderViewerView::addField(QGridLayout& layout, std::size_t field, int row, int column) {
  QWidget* parent = layout.parentWidget();
  QLabel* label =
      ui_.label(form_.lblLabels[field], QStringLiteral("lblLabels%1").arg(field), parent);
  QLineEdit* box =
      ui_.lineEdit(form_.txtFields[field], QStringLiteral("txtFields%1").arg(field), parent);
  box->setToolTip(QLatin1String(frmOrders::kFieldNames[field]));
  label->setBuddy(box);
  layout.addWidget(label, row, column);
  layout.addWidget(box, row, column + 1);
}

QWidget* OrderViewerView::makeRecordBar() {
  auto* bar = new QWidget(this);
  bar->setObjectName(QStringLiteral("datPrimaryRS"));
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  // Each arrow's handler is made here in the member function, not inside the
  // helper: GCC 12 lets a lambda made inside a [&] lambda reach `this`
  // through the helper's frame, which is gone when the arrow is clicked.
  const auto arrow = [this, bar, layout](const char* name, const char* text,
                                         std::function<void()> move) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setText(QLatin1String(text));
    connect(button, &QToolButton::clicked, this, [move = std::move(move)] { runGuarded(move); });
    layout->addWidget(button);
  };
  arrow("datPrimaryRSFirst", "|<", [this] { form_.datPrimaryRS_MoveFirst(); });
  arrow("datPrimaryRSPrevious", "<", [this] { form_.datPrimaryRS_MovePrevious(); });
  recordCaption_ = new QLabel(bar);
  recordCaption_->setObjectName(QStringLiteral("datPrimaryRSCaption"));
  recordCaption_->setAlignment(Qt::AlignCenter);
  recordCaption_->setFrameShape(QFrame::Panel);
  recordCaption_->setFrameShadow(QFrame::Sunken);
  layout->addWidget(recordCaption_, 1);
  arrow("datPrimaryRSNext", ">", [this] { form_.datPrimaryRS_MoveNext(); });
  arrow("datPrimaryRSLast", ">|", [this] { form_.datPrimaryRS_MoveLast(); });
  return bar;
}

QWidget* OrderViewerView::makeButtons() {
  auto* bar = new QWidget(this);
  bar->setObjectName(QStringLiteral("picButtons"));
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  // The handlers are made here, not inside the helper (see makeRecordBar).
  const auto button = [this, bar, layout](Label& caption, const char* name,
                                          std::function<void()> click) {
    layout->addWidget(ui_.button(caption, QLatin1String(name), std::move(click), bar));
  };
  button(form_.cmdDelete, "cmdDelete", [this] { form_.cmdDelete_Click(); });
  button(form_.cmdRefresh, "cmdRefresh", [this] { form_.cmdRefresh_Click(); });
  button(form_.cmdUpdate, "cmdUpdate", [this] { form_.cmdUpdate_Click(); });
  button(form_.cmdClose, "cmdClose", [this] { form_.cmdClose_Click(); });
  button(form_.cmdShowCard, "cmdShowCard", [this] { form_.cmdShowCard_Click(); });
  layout->addStretch(1);
  return bar;
}

void OrderViewerView::showRecord() {
  recordCaption_->setText(qt(form_.datPrimaryRS.Caption()));
  showGrid();
  setCursor(form_.mousePointer == MousePointer::Hourglass ? Qt::WaitCursor : Qt::ArrowCursor);
}

void OrderViewerView::showGrid() {
  const OrderGrid& lines = form_.grdDataGrid;
  grid_->clear();
  grid_->setColumnCount(static_cast<int>(lines.columns.size()));
  grid_->setRowCount(static_cast<int>(lines.rows.size()));
  QStringList headers;
  for (const std::string& column : lines.columns) headers << qt(column);
  grid_->setHorizontalHeaderLabels(headers);
  for (std::size_t row = 0; row < lines.rows.size(); ++row) {
    for (std::size_t column = 0; column < lines.rows[row].size(); ++column) {
      grid_->setItem(static_cast<int>(row), static_cast<int>(column),
                     new QTableWidgetItem(qt(lines.rows[row][column])));
    }
  }
}

// The fields at the top, the grid sized by the model under them, and the
// data control's bar and the buttons at the bottom.
void OrderViewerView::placeBelowFields() {
  fields_->setGeometry(0, 0, width(), pixels(form_.gridTop));
  grid_->setGeometry(0, pixels(form_.gridTop), pixels(form_.gridWidth), pixels(form_.gridHeight));
  const int buttonsHeight = pixels(form_.picButtonsHeight);
  const int recordHeight = pixels(form_.datPrimaryHeight);
  recordBar_->setGeometry(0, height() - buttonsHeight - recordHeight, width(), recordHeight);
  buttons_->setGeometry(0, height() - buttonsHeight, width(), buttonsHeight);
}

void OrderViewerView::resizeEvent(QResizeEvent* event) {
  form_.Form_Resize(static_cast<int>(twips(width())), static_cast<int>(twips(height())));
  placeBelowFields();
  QWidget::resizeEvent(event);
}

void OrderViewerView::windowClosing() {
  form_.Form_Unload();
}

}  // namespace vendaro
