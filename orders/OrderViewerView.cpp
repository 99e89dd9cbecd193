#include "orders/OrderViewerView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <QTableWidget>
#include <QToolButton>
#include <functional>
#include <utility>

#include "orders/OrderListView.h"
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
      record_(new QWidget(this)),
      fields_(makeFields()),
      grid_(new QTableWidget(record_)),
      recordBar_(makeRecordBar()),
      buttons_(makeButtons()) {
  setObjectName(QStringLiteral("frmOrders"));
  record_->setObjectName(QStringLiteral("record"));
  record_->installEventFilter(this);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(makeListPane());
  splitter->addWidget(makeRecordSide());
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({460, kInitialWidth - 460});
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);
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
  form_.orderRecord.lblBanner.removeListener(bannerListener_);
  form_.onRecordShown = nullptr;
  form_.onClose = nullptr;
  form_.Caption.removeListener(captionListener_);
}

QWidget* OrderViewerView::makeFields() {
  auto* fields = new QWidget(record_);
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
  auto* bar = new QWidget(record_);
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
  auto* bar = new QWidget(record_);
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
// data control's bar and the buttons at the bottom of the record's area.
void OrderViewerView::placeBelowFields() {
  const int width = record_->width();
  const int height = record_->height();
  fields_->setGeometry(0, 0, width, pixels(form_.gridTop));
  grid_->setGeometry(0, pixels(form_.gridTop), pixels(form_.gridWidth), pixels(form_.gridHeight));
  const int buttonsHeight = pixels(form_.picButtonsHeight);
  const int recordHeight = pixels(form_.datPrimaryHeight);
  recordBar_->setGeometry(0, height - buttonsHeight - recordHeight, width, recordHeight);
  buttons_->setGeometry(0, height - buttonsHeight, width, buttonsHeight);
}

bool OrderViewerView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == record_ && event->type() == QEvent::Resize) {
    form_.Form_Resize(static_cast<int>(twips(record_->width())),
                      static_cast<int>(twips(record_->height())));
    placeBelowFields();
  }
  return QtToolWindow::eventFilter(watched, event);
}

// The search and filters above the list of orders.
QWidget* OrderViewerView::makeListPane() {
  OrderListPane& list = form_.orderList;
  auto* pane = new QWidget(this);
  pane->setObjectName(QStringLiteral("orderList"));
  auto* layout = new QGridLayout(pane);
  const auto find = [this] { form_.orderList.cmdFind_Click(); };
  layout->addWidget(ui_.label(list.lblSearch, QStringLiteral("lblSearch"), pane), 0, 0);
  QLineEdit* search = ui_.lineEdit(list.txtSearch, QStringLiteral("txtSearch"), pane);
  connect(search, &QLineEdit::returnPressed, this, [find] { runGuarded(find); });
  layout->addWidget(search, 0, 1, 1, 3);
  layout->addWidget(ui_.comboBox(list.cboStatus, QStringLiteral("cboStatus"), find, pane), 1, 0);
  layout->addWidget(ui_.checkBox(list.chkFlagged, QStringLiteral("chkFlagged"), find, pane), 1, 1);
  layout->addWidget(ui_.button(list.cmdFind, QStringLiteral("cmdFind"), find, pane), 1, 3);
  layout->addWidget(ui_.label(list.lblFromDate, QStringLiteral("lblFromDate"), pane), 2, 0);
  QLineEdit* from = ui_.lineEdit(list.txtFromDate, QStringLiteral("txtFromDate"), pane);
  QLineEdit* to = ui_.lineEdit(list.txtToDate, QStringLiteral("txtToDate"), pane);
  for (QLineEdit* day : {from, to}) {
    day->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    connect(day, &QLineEdit::returnPressed, this, [find] { runGuarded(find); });
  }
  layout->addWidget(from, 2, 1);
  layout->addWidget(ui_.label(list.lblToDate, QStringLiteral("lblToDate"), pane), 2, 2);
  layout->addWidget(to, 2, 3);
  layout->addWidget(new OrderListView(list, pane), 3, 0, 1, 4);
  layout->addWidget(ui_.label(list.lblCount, QStringLiteral("lblCount"), pane), 4, 0, 1, 4);
  layout->setRowStretch(3, 1);
  return pane;
}

// The banner over the record, the record, and the status panel under it.
QWidget* OrderViewerView::makeRecordSide() {
  auto* side = new QWidget(this);
  auto* layout = new QVBoxLayout(side);
  layout->setContentsMargins(0, 0, 0, 0);
  banner_ = ui_.label(form_.orderRecord.lblBanner, QStringLiteral("lblBanner"), side);
  banner_->setWordWrap(true);
  banner_->setMargin(6);
  bannerListener_ = form_.orderRecord.lblBanner.addListener([this] { showBanner(); });
  showBanner();
  layout->addWidget(banner_);
  record_->setParent(side);
  layout->addWidget(record_, 1);
  layout->addWidget(makeStatusPanel());
  return side;
}

void OrderViewerView::showBanner() {
  static constexpr const char* kStyles[] = {
      "", "background: #dff0d8; color: #1e4620;", "background: #fcf3cf; color: #5c4400;",
      "background: #c62828; color: white; font-weight: bold;"};
  banner_->setStyleSheet(
      QLatin1String(kStyles[static_cast<int>(form_.orderRecord.bannerKind)]));
}

// The order's status and history, the change of status and the documents.
QWidget* OrderViewerView::makeStatusPanel() {
  OrderRecordPanel& record = form_.orderRecord;
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("orderStatus"));
  auto* layout = new QGridLayout(panel);
  layout->addWidget(ui_.label(record.lblStatus, QStringLiteral("lblStatus"), panel), 0, 0, 1, 2);
  QListWidget* history =
      ui_.listBox(record.lstHistory, QStringLiteral("lstHistory"), {}, {}, panel);
  history->setMaximumHeight(fontMetrics().height() * 6);
  layout->addWidget(history, 1, 0, 5, 2);
  const auto labelled = [&](Label& caption, const char* name, QWidget* field, int row) {
    layout->addWidget(ui_.label(caption, QLatin1String(name), panel), row, 2);
    layout->addWidget(field, row, 3);
  };
  labelled(record.lblNewStatus, "lblNewStatus",
           ui_.comboBox(record.cboNewStatus, QStringLiteral("cboNewStatus"), {}, panel), 0);
  labelled(record.lblNote, "lblNote", ui_.lineEdit(record.txtNote, QStringLiteral("txtNote"), panel),
           1);
  labelled(record.lblCarrier, "lblCarrier",
           ui_.lineEdit(record.txtCarrier, QStringLiteral("txtCarrier"), panel), 2);
  labelled(record.lblTracking, "lblTracking",
           ui_.lineEdit(record.txtTracking, QStringLiteral("txtTracking"), panel), 3);
  layout->addWidget(ui_.checkBox(record.chkNotify, QStringLiteral("chkNotify"), {}, panel), 4, 3);
  layout->addWidget(ui_.button(record.cmdSetStatus, QStringLiteral("cmdSetStatus"),
                               [this] { form_.orderRecord.cmdSetStatus_Click(); }, panel),
                    5, 3);
  auto* documents = new QHBoxLayout;
  documents->addWidget(ui_.button(record.cmdInvoice, QStringLiteral("cmdInvoice"),
                                  [this] { form_.orderRecord.cmdInvoice_Click(); }, panel));
  documents->addWidget(ui_.button(record.cmdPackingSlip, QStringLiteral("cmdPackingSlip"),
                                  [this] { form_.orderRecord.cmdPackingSlip_Click(); }, panel));
  documents->addWidget(ui_.button(record.cmdCreditNote, QStringLiteral("cmdCreditNote"),
                                  [this] { form_.orderRecord.cmdCreditNote_Click(); }, panel));
  documents->addStretch(1);
  layout->addLayout(documents, 6, 0, 1, 4);
  QLabel* outcome = ui_.label(record.lblOutcome, QStringLiteral("lblOutcome"), panel);
  outcome->setWordWrap(true);
  layout->addWidget(outcome, 7, 0, 1, 4);
  layout->setColumnStretch(1, 1);
  layout->setColumnStretch(3, 1);
  return panel;
}

void OrderViewerView::windowClosing() {
  form_.Form_Unload();
}

}  // namespace vendaro
