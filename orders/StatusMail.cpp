#include "orders/StatusMail.h"

#include "common/Dates.h"
#include "orders/CustomerMail.h"
#include "orders/Outbox.h"
#include "platform/DataFailure.h"

namespace vendaro {

Outcome<QueuedStatusMail> queueStatusMail(Database& database,
                                          const std::filesystem::path& appFolder,
                                          const std::string& from, std::int64_t orderId,
                                          OrderStatus status, const std::string& carrier,
                                          const std::string& tracking, std::int64_t nowSeconds) {
  try {
    std::optional<OrderNotice> notice = readOrderNotice(database, orderId);
    if (!notice)
      return failure(ErrorKind::NotFound, "there is no order " + std::to_string(orderId));
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
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

}  // namespace vendaro
