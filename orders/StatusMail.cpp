#include "orders/StatusMail.h"

#include <cstdio>
#include <ctime>

#include "common/UtcTime.h"
#include "orders/CustomerMail.h"
#include "orders/Outbox.h"

namespace vendaro {

std::string mailDate(std::int64_t seconds) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&time, &utc);
  char text[64];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d +0000", kDays[utc.tm_wday],
                utc.tm_mday, kMonths[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min,
                utc.tm_sec);
  return text;
}

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
  const OutgoingMail mail = composeCustomerMail(
      mailTemplate, *notice, from, mailDate(nowSeconds),
      "order-" + std::to_string(orderId) + "-" + event + "." + std::to_string(nowSeconds) + "@" +
          from.substr(from.find('@') + 1));
  Outbox outbox(database);
  result.queued = outbox.queue(orderId, event, mail, utcTimeText(nowSeconds));
  if (const std::optional<OutboxMail> queued = outbox.find(orderId, event)) {
    result.mailId = queued->id;
  }
  return result;
}

}  // namespace vendaro
