#include "orders/OrderRecordPanel.h"

#include <filesystem>

#include "common/Dates.h"
#include "orders/CustomerMail.h"
#include "orders/OrderDetails.h"
#include "orders/OrderWorkflow.h"
#include "orders/PriceCheck.h"
#include "orders/StatusMail.h"

namespace vendaro {
namespace {

constexpr OrderStatus kStatuses[] = {OrderStatus::New,       OrderStatus::Confirmed,
                                     OrderStatus::Paid,      OrderStatus::Shipped,
                                     OrderStatus::Completed, OrderStatus::Cancelled};

bool startsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

// "2026-12-07T10:00:00Z  new -> shipped, DHL 0042: left at the door"
std::string historyLine(const StatusChangeRecord& change) {
  std::string line = change.changed + "  " + change.oldStatus + " -> " + change.newStatus;
  if (!change.carrier.empty()) line += ", " + change.carrier + " " + change.tracking;
  if (!change.note.empty()) line += ": " + change.note;
  return line;
}

}  // namespace

BannerKind bannerKindOf(const std::string& verdict) {
  if (verdict == kVerdictOk) return BannerKind::Ok;
  if (startsWith(verdict, kVerdictMismatch) || startsWith(verdict, kVerdictDuplicate)) {
    return BannerKind::Flagged;
  }
  return BannerKind::Unchecked;
}

std::string bannerText(const std::string& verdict) {
  if (verdict == kVerdictOk) return "Price check: ok";
  if (startsWith(verdict, kVerdictMismatch)) {
    std::string text = "Price check: mismatch";
    const std::string reasons = verdict.substr(std::string(kVerdictMismatch).size());
    std::size_t start = 0;
    while (start <= reasons.size()) {
      const std::size_t end = std::min(reasons.find("; ", start), reasons.size());
      text += "\n" + reasons.substr(start, end - start);
      start = end + 2;
    }
    return text;
  }
  if (startsWith(verdict, kVerdictDuplicate)) {
    return "Price check: " + verdict + " (the same order arrived twice)";
  }
  if (verdict == kVerdictNoCatalogue) {
    return "Price check: no catalogue (no published catalogue lists these items)";
  }
  if (verdict == kVerdictNotChecked) {
    return "Price check: not checked (stored before orders were checked; vendaro check-orders "
           "checks it)";
  }
  return "Price check: " + verdict;
}

OrderRecordPanel::OrderRecordPanel(Database& database, Dialogs& dialogs,
                                   OrderViewerServices services)
    : database_(database), dialogs_(dialogs), services_(std::move(services)) {
  for (const OrderStatus status : kStatuses) cboNewStatus.AddItem(std::string(statusName(status)));
  lblBanner.setVisible(false);
  enableActions();
}

std::int64_t OrderRecordPanel::now() const {
  return services_.now ? services_.now() : secondsNow();
}

void OrderRecordPanel::showOrder(std::optional<std::int64_t> orderId) {
  orderId_ = orderId;
  lblOutcome.setCaption("");
  showRecord();
  enableActions();
}

void OrderRecordPanel::showBanner(const std::string& verdict) {
  bannerKind = verdict.empty() ? BannerKind::None : bannerKindOf(verdict);
  lblBanner.setCaption(verdict.empty() ? "" : bannerText(verdict));
  lblBanner.setVisible(!verdict.empty());
}

// The current order's banner, status and history; all empty without one.
void OrderRecordPanel::showRecord() {
  lstHistory.Clear();
  if (!orderId_) {
    showBanner("");
    lblStatus.setCaption("");
    return;
  }
  const Outcome<OrderDetails> order = readOrderDetails(database_, {}, *orderId_);
  if (!order) {
    showBanner("");
    lblStatus.setCaption("The status cannot be read: " + order.error().message);
    return;
  }
  showBanner(order->verdict);
  lblStatus.setCaption("Status: " + std::string(statusName(order->status)));
  std::vector<std::string> lines;
  for (const StatusChangeRecord& change : order->history) lines.push_back(historyLine(change));
  lstHistory.AddItems(std::move(lines));
}

void OrderRecordPanel::enableActions() {
  const bool order = orderId_.has_value();
  cmdSetStatus.setEnabled(order);
  for (Label* button : {&cmdInvoice, &cmdPackingSlip, &cmdCreditNote}) {
    button->setEnabled(order && services_.writeDocument);
    button->setVisible(static_cast<bool>(services_.writeDocument));
  }
}

// A notification asked for must be possible before the status changes, so a
// change is never made without the mail the merchant wanted.
bool OrderRecordPanel::notifyPossible(OrderStatus status) {
  if (!chkNotify.checked()) return true;
  if (!isNotifiedStatus(status)) {
    dialogs_.MsgBox(kNotNotified);
    return false;
  }
  if (services_.mailFrom.empty()) {
    dialogs_.MsgBox(kNoSender);
    return false;
  }
  return true;
}

void OrderRecordPanel::cmdSetStatus_Click() {
  if (!orderId_) return;
  const int chosen = cboNewStatus.ListIndex();
  if (chosen < 0) {
    dialogs_.MsgBox(kChooseStatus);
    return;
  }
  const OrderStatus status = kStatuses[chosen];
  if (!notifyPossible(status)) return;
  // With the application folder the change also moves the counted stock.
  const Outcome<StatusChanged> changed =
      changeOrderStatus(database_, services_.appFolder,
                        {*orderId_, status, txtNote.Text(), txtCarrier.Text(), txtTracking.Text()},
                        utcTimeText(now()));
  if (!changed) {
    const bool failed = changed.error().kind == ErrorKind::Io;
    dialogs_.MsgBox((failed ? "The status cannot be changed: " : "") + changed.error().message);
    return;
  }
  lblOutcome.setCaption(changed->message);
  if (chkNotify.checked()) notifyCustomer(status);
  for (TextBox* box : {&txtNote, &txtCarrier, &txtTracking}) box->setText("");
  showRecord();
  if (onStatusChanged) onStatusChanged(*orderId_, status);
}

// Queues the mail in the outbox; `vendaro outbox --send` (or the next run
// of `vendaro order ... --notify`) sends it.
void OrderRecordPanel::notifyCustomer(OrderStatus status) {
  const Outcome<QueuedStatusMail> queued =
      queueStatusMail(database_, services_.appFolder, services_.mailFrom, *orderId_, status,
                      txtCarrier.Text(), txtTracking.Text(), now());
  std::string outcome = lblOutcome.Caption();
  if (!queued) {
    dialogs_.MsgBox("The status was changed, but the mail to the customer cannot be queued: " +
                    queued.error().message);
    return;
  }
  if (!queued->queued) {
    outcome += " The customer already has a mail about " + std::string(statusName(status)) +
               "; it is not sent twice.";
  } else {
    outcome += " The mail to the customer is queued (vendaro outbox --send sends it).";
  }
  if (!queued->warning.empty()) outcome += " " + queued->warning;
  lblOutcome.setCaption(outcome);
}

void OrderRecordPanel::cmdInvoice_Click() {
  writeDocument(OrderDocumentKind::Invoice);
}

void OrderRecordPanel::cmdPackingSlip_Click() {
  writeDocument(OrderDocumentKind::PackingSlip);
}

void OrderRecordPanel::cmdCreditNote_Click() {
  writeDocument(OrderDocumentKind::CreditNote);
}

void OrderRecordPanel::writeDocument(OrderDocumentKind kind) {
  if (!orderId_ || !services_.writeDocument) return;
  std::string message;
  const std::optional<std::filesystem::path> file =
      services_.writeDocument(kind, *orderId_, message);
  if (!file) {
    dialogs_.MsgBox(message);
    return;
  }
  lblOutcome.setCaption("Written: " + file->string());
  if (services_.launcher && !services_.launcher->start(kOpenProgram, {file->string()})) {
    dialogs_.MsgBox("The document was written to " + file->string() +
                    ", but no program could open it.");
  }
}

}  // namespace vendaro
