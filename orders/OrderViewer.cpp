#include "orders/OrderViewer.h"

#include <optional>

#include "orders/OrderMail.h"
#include "orders/OrderTables.h"
#include "platform/SqlText.h"

namespace vendaro {

const std::array<const char*, frmOrders::kFieldCount> frmOrders::kFieldNames = {
    "OrderID",         "CustomerID",       "OrderDate",    "ShipName",
    "ShipAddress",     "ShipCity",         "ShipState",    "ShipPostalCode",
    "ShipPhoneNumber", "ShippingMethodID", "ShippingCost", "BillName",
    "BillAddress",     "BillCity",         "BillState",    "BillPostalCode",
    "BillPhoneNumber", "Email1",           "Email2",       "SalesTax",
    "Total",           "SustServPhone",    "CCNumber",     "CCExp",
    "ShipAddress2",    "BillAddress2",     "Note",         "CardType",
    "Flags"};

namespace {

const std::array<const char*, frmOrders::kFieldCount> kLabelCaptions = {"OrderID:",
                                                                        "CustomerID:",
                                                                        "OrderDate:",
                                                                        "Name:",
                                                                        "Address:",
                                                                        "City:",
                                                                        "State:",
                                                                        "Postal Code:",
                                                                        "Phone Number:",
                                                                        "Shipping Method:",
                                                                        "Shipping Cost:",
                                                                        "Name:",
                                                                        "Address:",
                                                                        "City:",
                                                                        "State:",
                                                                        "Postal Code:",
                                                                        "Phone Number:",
                                                                        "Email1:",
                                                                        "",
                                                                        "SalesTax:",
                                                                        "Total:",
                                                                        "SustServPhone:",
                                                                        "CCNumber:",
                                                                        "CCExp:",
                                                                        "Address 2:",
                                                                        "Address 2:",
                                                                        "Note:",
                                                                        "Card Type:",
                                                                        "Flags:"};

}  // namespace

frmOrders::frmOrders(Database& database, Dialogs& dialogs, OrderViewerServices services)
    : datPrimaryRS(database, kPrimarySource),
      datSecondaryRS(database),
      orderList(database, dialogs),
      orderRecord(database, dialogs, std::move(services)),
      database_(database),
      dialogs_(dialogs) {
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    datPrimaryRS.bind(txtFields[i], kFieldNames[i]);
    lblLabels[i].setCaption(kLabelCaptions[i]);
  }
  txtFields[kOrderIdField].setLocked(true);
  datPrimaryRS.onReposition = [this] { datPrimaryRS_Reposition(); };
  datPrimaryRS.onValidate = [this] { mousePointer = MousePointer::Hourglass; };
  datPrimaryRS.onError = [this](int, const std::string& description) {
    datPrimaryRS_Error(description);
  };
  orderList.onOrderChosen = [this](std::int64_t orderId) { showChosenOrder(orderId); };
  orderRecord.onStatusChanged = [this](std::int64_t orderId, OrderStatus status) {
    orderList.statusChanged(orderId, status);
  };
}

void frmOrders::Form_Load() {
  if (const Done tables = prepareOrderTables(database_); !tables) {
    datPrimaryRS_Error(tables.error().message);
    return;
  }
  try {
    datPrimaryRS.Refresh();
  } catch (const DataError&) {
    // Reported by the error event; the window stays empty.
  }
  showWhetherEmpty();
  orderList.cmdFind_Click();
}

// Without orders there is nothing to delete or update: the data control says
// so and the two buttons are off.
void frmOrders::showWhetherEmpty() {
  const bool empty = datPrimaryRS.recordset().RecordCount() == 0;
  cmdDelete.setEnabled(!empty);
  cmdUpdate.setEnabled(!empty);
  if (empty) datPrimaryRS.setCaption(kNoOrders);
}

void frmOrders::Form_Unload() {
  mousePointer = MousePointer::Default;
}

void frmOrders::Form_Resize(int innerWidth, int innerHeight) {
  const int height = innerHeight - gridTop - datPrimaryHeight - picButtonsHeight - 30;
  if (innerWidth < 0 || height < 0) return;  // too small: the grid keeps its size
  gridWidth = innerWidth;
  gridHeight = height;
}

void frmOrders::datPrimaryRS_Reposition() {
  mousePointer = MousePointer::Default;
  maskCardDetails();
  showOrderLines();
  const int position = datPrimaryRS.recordset().AbsolutePosition();
  datPrimaryRS.setCaption("Record: " + std::to_string(position + 1));
  const std::optional<std::int64_t> orderId = currentOrderId();
  orderRecord.showOrder(orderId);
  if (orderId) orderList.selectOrder(*orderId);
  if (onRecordShown) onRecordShown();
}

std::optional<std::int64_t> frmOrders::currentOrderId() {
  if (!hasCurrentOrder()) return std::nullopt;
  try {
    const DbValue key = datPrimaryRS.recordset().Fields("OrderID").Value();
    if (key.isInteger()) return key.integer();
  } catch (const DataError&) {
    // A deleted record: no order.
  }
  return std::nullopt;
}

// The list chose an order: the record moves there; an order stored since
// the record set was read is found after reading it again.
void frmOrders::showChosenOrder(std::int64_t orderId) {
  try {
    Recordset& orders = datPrimaryRS.recordset();
    if (orders.FindKey(orderId)) return;
    datPrimaryRS.Refresh();
    showWhetherEmpty();
    orders.FindKey(orderId);
  } catch (const DataError& error) {
    datPrimaryRS_Error(error.what());
  }
}

// The detail source follows the current order. Without a current order the
// grid is emptied; an order whose key is not a number keeps the old lines.
void frmOrders::showOrderLines() {
  if (!hasCurrentOrder()) {
    grdDataGrid.rows.clear();
    return;
  }
  try {
    const std::string key = datPrimaryRS.recordset().Fields("OrderID").Value().toText();
    const std::optional<std::string> number = sqlWholeNumber(key);
    if (!number) return;
    datSecondaryRS.setRecordSource(kDetailSource + *number);
    datSecondaryRS.Refresh();
    fillGrid();
  } catch (const DataError&) {
    // The grid keeps its previous content.
  }
}

void frmOrders::fillGrid() {
  Recordset& lines = datSecondaryRS.recordset();
  OrderGrid grid;
  for (int i = 0; i < lines.fieldCount(); ++i) grid.columns.push_back(lines.fieldAt(i).Name());
  for (; !lines.Eof(); lines.MoveNext()) {
    std::vector<std::string> row;
    for (int i = 0; i < lines.fieldCount(); ++i) row.push_back(lines.fieldAt(i).Value().toText());
    grid.rows.push_back(std::move(row));
  }
  grdDataGrid = std::move(grid);
}

// The masked boxes are locked and not marked as edited, so "&Update" never
// writes the mask over the stored number.
void frmOrders::maskCardDetails() {
  TextBox& number = txtFields[kCardNumberField];
  TextBox& expiry = txtFields[kCardExpiryField];
  number.setText(maskedCardNumber(number.Text()));
  expiry.setText("");
  for (TextBox* box : {&number, &expiry}) {
    box->setDataChanged(false);
    box->setLocked(true);
  }
}

void frmOrders::cmdShowCard_Click() {
  if (!hasCurrentOrder()) return;
  Recordset& orders = datPrimaryRS.recordset();
  try {
    for (const std::size_t field : {kCardNumberField, kCardExpiryField}) {
      TextBox& box = txtFields[field];
      box.setText(orders.Fields(kFieldNames[field]).Value().toText());
      box.setDataChanged(false);
      box.setLocked(false);
    }
  } catch (const DataError& error) {
    datPrimaryRS_Error(error.what());
  }
}

bool frmOrders::hasCurrentOrder() {
  Recordset& orders = datPrimaryRS.recordset();
  return orders.AbsolutePosition() >= 0;
}

void frmOrders::datPrimaryRS_Error(const std::string& description) {
  dialogs_.MsgBox(kDataErrorMessage + description);
}

// Deletes the current order with its lines, in one transaction, and shows
// the next one, or the last when it was the last; without a current order
// nothing happens.
void frmOrders::cmdDelete_Click() {
  if (!hasCurrentOrder()) return;
  Recordset& orders = datPrimaryRS.recordset();
  try {
    const DbValue orderId = orders.Fields("OrderID").Value();
    database_.beginTransaction();
    try {
      database_.execute("DELETE FROM [Order Details] WHERE [OrderID] = ?", {orderId});
      orders.Delete();
      database_.commit();
    } catch (const DataError&) {
      database_.rollback();
      throw;
    }
    if (orderId.isInteger()) orderList.orderDeleted(orderId.integer());
    orders.MoveNext();
    if (orders.Eof() && orders.RecordCount() > 0) orders.MoveLast();
  } catch (const DataError& error) {
    datPrimaryRS_Error(error.what());
  }
  showWhetherEmpty();
}

void frmOrders::cmdRefresh_Click() {
  try {
    datPrimaryRS.Refresh();
  } catch (const DataError&) {
    // Reported by the error event.
  }
  showWhetherEmpty();
  orderList.cmdFind_Click();
}

// Writes the edited boxes and stays on the record just written; without a
// current order, or with nothing edited, the window stays as it is.
void frmOrders::cmdUpdate_Click() {
  if (!hasCurrentOrder()) return;
  Recordset& orders = datPrimaryRS.recordset();
  try {
    datPrimaryRS.UpdateRecord();
    orders.setBookmark(orders.LastModified());
  } catch (const DataError& error) {
    if (error.number() != data_errors::kNoCurrentRecord) datPrimaryRS_Error(error.what());
  }
  mousePointer = MousePointer::Default;
}

template <typename Move>
void frmOrders::moveOrders(Move move) {
  Recordset& orders = datPrimaryRS.recordset();
  if (orders.RecordCount() == 0) return;
  try {
    move(orders);
  } catch (const DataError& error) {
    datPrimaryRS_Error(error.what());
  }
}

void frmOrders::datPrimaryRS_MoveFirst() {
  moveOrders([](Recordset& orders) { orders.MoveFirst(); });
}

void frmOrders::datPrimaryRS_MovePrevious() {
  moveOrders([](Recordset& orders) {
    if (!orders.Bof()) orders.MovePrevious();
    if (orders.Bof()) orders.MoveFirst();
  });
}

void frmOrders::datPrimaryRS_MoveNext() {
  moveOrders([](Recordset& orders) {
    if (!orders.Eof()) orders.MoveNext();
    if (orders.Eof()) orders.MoveLast();
  });
}

void frmOrders::datPrimaryRS_MoveLast() {
  moveOrders([](Recordset& orders) { orders.MoveLast(); });
}

void frmOrders::cmdClose_Click() {
  mousePointer = MousePointer::Default;
  if (onClose) onClose();
}

}  // namespace vendaro
