#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "orders/OrderListPane.h"
#include "orders/OrderRecordPanel.h"
#include "platform/Database.h"
#include "platform/Dialogs.h"
#include "platform/controls/DataControl.h"
#include "platform/controls/Label.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// The rows the grid shows: the columns and values of the detail source.
struct OrderGrid {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};

enum class MousePointer { Default, Hourglass };

// The order viewer `frmOrders`: one order at a time in bound boxes, sorted by
// customer, with the order's lines in a grid below. OrderID cannot be
// edited; the card number is masked until "Show C&ard" is clicked. Beside
// the record, the list of orders (`orderList`) chooses the order shown; above
// and below it, its price check, status, history and actions (`orderRecord`).
class frmOrders {
 public:
  static constexpr const char* kPrimarySource = "select * from [Orders] Order by [CustomerID]";
  static constexpr const char* kDetailSource =
      "select [OrderID],[ProductID],[Quantity],[Price],[LineTotal] from [Order Details] where "
      "[OrderID]=";
  static constexpr const char* kDataErrorMessage = "Data error event hit err:";
  static constexpr const char* kNoOrders = "No orders yet";
  static constexpr std::size_t kFieldCount = 29;
  static constexpr std::size_t kOrderIdField = 0;
  static constexpr std::size_t kCardNumberField = 22;
  static constexpr std::size_t kCardExpiryField = 23;
  // The field each box of `txtFields` is bound to, in order.
  static const std::array<const char*, kFieldCount> kFieldNames;

  frmOrders(Database& database, Dialogs& dialogs, OrderViewerServices services = {});
  frmOrders(const frmOrders&) = delete;
  frmOrders& operator=(const frmOrders&) = delete;

  void Form_Load();
  void Form_Unload();
  // Lays the grid out for a window of this inner size (twips).
  void Form_Resize(int innerWidth, int innerHeight);
  void cmdDelete_Click();
  void cmdRefresh_Click();
  void cmdUpdate_Click();
  void cmdClose_Click();
  // Shows the current order's full card number and expiry date, which are
  // otherwise masked (last four digits, no date) and cannot be edited.
  void cmdShowCard_Click();

  // The arrows of the data control: first, previous, next and last order.
  // Moving past either end stays on the first or last order; without orders
  // nothing happens.
  void datPrimaryRS_MoveFirst();
  void datPrimaryRS_MovePrevious();
  void datPrimaryRS_MoveNext();
  void datPrimaryRS_MoveLast();

  // Raised by "&Close": the view closes the window.
  std::function<void()> onClose;
  // Raised after another order became current (or none): the view redraws
  // the grid and the data control's caption.
  std::function<void()> onRecordShown;

  Label Caption{"Orders"};
  DataControl datPrimaryRS;
  DataControl datSecondaryRS;
  std::array<TextBox, kFieldCount> txtFields;
  // One caption per box of `txtFields` (Email2 shares the "Email1:" row).
  std::array<Label, kFieldCount> lblLabels;
  Label lblShipping{"Shipping"};
  Label lblBilling{"Billing"};
  Label cmdDelete{"&Delete"};
  Label cmdRefresh{"&Refresh"};
  Label cmdUpdate{"&Update"};
  Label cmdClose{"&Close"};
  Label cmdShowCard{"Show C&ard"};
  OrderGrid grdDataGrid;
  MousePointer mousePointer = MousePointer::Default;
  OrderListPane orderList;
  OrderRecordPanel orderRecord;

  // Layout in twips: the grid's top and the heights of the bars below it.
  int gridTop = 4560;
  int gridWidth = 0;
  int gridHeight = 0;
  int datPrimaryHeight = 345;
  int picButtonsHeight = 300;

 private:
  void datPrimaryRS_Reposition();
  void datPrimaryRS_Error(const std::string& description);
  void showOrderLines();
  std::optional<std::int64_t> currentOrderId();
  void showChosenOrder(std::int64_t orderId);
  void maskCardDetails();
  void showWhetherEmpty();
  void fillGrid();
  bool hasCurrentOrder();
  template <typename Move>
  void moveOrders(Move move);

  Database& database_;
  Dialogs& dialogs_;
};

}  // namespace vendaro
