#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "orders/InvoiceCommands.h"
#include "orders/OrderStatus.h"
#include "platform/Database.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// Writes an order's document (the same service as `vendaro invoice`,
// `packing-slip` and `credit-note`): the file written, or nothing with the
// message in `message`.
using OrderDocumentWriter = std::function<std::optional<std::filesystem::path>(
    OrderDocumentKind kind, std::int64_t orderId, std::string& message)>;

// What the order viewer's actions use beyond the database and the dialogs.
struct OrderViewerServices {
  std::filesystem::path appFolder;  // the merchant's mail templates
  std::string mailFrom;             // [smtp] from: the sender of mails to customers
  // The time of a change, in seconds since 1970; empty: the clock.
  std::function<std::int64_t()> now;
  // Empty: the window offers no documents.
  OrderDocumentWriter writeDocument;
  // Opens a written document; null: it is only written.
  Launcher* launcher = nullptr;
};

// How the price check's banner above the record looks.
enum class BannerKind { None, Ok, Unchecked, Flagged };

// The status side of the current order in the order viewer: the price
// check's banner, the status and its history, and the actions on the order
// (a status change with an optional note, carrier and tracking code, told
// to the customer on request; the invoice, packing slip and credit note).
class OrderRecordPanel {
 public:
  static constexpr const char* kOpenProgram = "xdg-open";
  static constexpr const char* kChooseStatus = "Choose the new status first.";
  static constexpr const char* kNotNotified =
      "The customer is told of confirmed, shipped and cancelled only.";
  static constexpr const char* kNoSender =
      "[smtp] from is not set in vendaro.toml, so the customer cannot be told; the status was not "
      "changed.";

  OrderRecordPanel(Database& database, Dialogs& dialogs, OrderViewerServices services);
  OrderRecordPanel(const OrderRecordPanel&) = delete;
  OrderRecordPanel& operator=(const OrderRecordPanel&) = delete;

  // Shows order `orderId`; nothing for none.
  void showOrder(std::optional<std::int64_t> orderId);

  // Moves the order to the status chosen in cboNewStatus, through the
  // workflow; a refusal is shown and nothing changes.
  void cmdSetStatus_Click();
  void cmdInvoice_Click();
  void cmdPackingSlip_Click();
  void cmdCreditNote_Click();

  Label lblBanner;
  BannerKind bannerKind = BannerKind::None;
  Label lblStatus;
  ListControl lstHistory;
  ListControl cboNewStatus;
  TextBox txtNote;
  TextBox txtCarrier;
  TextBox txtTracking;
  Label lblNewStatus{"New status:"};
  Label lblNote{"Note:"};
  Label lblCarrier{"Carrier:"};
  Label lblTracking{"Tracking code:"};
  CheckBox chkNotify{"Notify the customer"};
  Label cmdSetStatus{"Set &Status"};
  Label cmdInvoice{"&Invoice"};
  Label cmdPackingSlip{"&Packing slip"};
  Label cmdCreditNote{"Credit &note"};
  // What the last action did ("Invoice 2026-00001 of order 7: FILE").
  Label lblOutcome;

  // Raised after a status change: the list shows the new status.
  std::function<void(std::int64_t orderId, OrderStatus status)> onStatusChanged;

 private:
  void showBanner(const std::string& verdict);
  void showRecord();
  void enableActions();
  bool notifyPossible(OrderStatus status);
  void notifyCustomer(OrderStatus status);
  void writeDocument(OrderDocumentKind kind);
  std::int64_t now() const;

  Database& database_;
  Dialogs& dialogs_;
  OrderViewerServices services_;
  std::optional<std::int64_t> orderId_;
};

// The banner's text for a check verdict: the reasons of a mismatch one a line.
std::string bannerText(const std::string& verdict);
BannerKind bannerKindOf(const std::string& verdict);

}  // namespace vendaro
