#include "orders/StatusMail.h"

#include "common/Dates.h"
#include "orders/CustomerMail.h"
#include "orders/Outbox.h"

namespace vendaro {

std::optional<QueuedStatusMail> queueStatusMail(Database& database,
                                                const std::filesystem::path& appFolder,
                                                const std::string& from, std::int64_t orderId,
                                                OrderStatus status, const std::string& carrier,
                                                const std::string& tracking,
                                                std::int64_t nowSeconds) {
  std::optional<OrderNotice> notice = readOrderNotice(database, orderId);
  if (!notice) return std::nullopt;
  notice->carrier = carrier;
  notice->tracking = tracking;
  QueuedStatusMail result;
  const MailTemplate mailTemplate = mailTemplateFor(appFolder, status, result.warning);
  const std::string event(statusName(status));
  const OutgoingMail mail =
      composeCustomerMail(mailTemplate, *notice, from, mailDateText(nowSeconds),
                          "order-" + std::to_string(orderId) + "-" + event + "." +
                              std::to_string(nowSeconds) + "@" + from.substr(from.find('@') + 1));
  Outbox outbox(database);
  result.queued = outbox.queue(orderId, event, mail, utcTimeText(nowSeconds));
  if (const std::optional<OutboxMail> queued = outbox.find(orderId, event)) {
    result.mailId = queued->id;
  }
  return result;
}

}  // namespace vendaro
