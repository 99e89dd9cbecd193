#include "orders/OrderMail.h"

#include <algorithm>

#include "common/MailValues.h"
#include "common/NumberText.h"
#include "common/TextSearch.h"
#include "platform/Text.h"
#include "platform/mime/MailBodyDecoder.h"

namespace vendaro {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kDescription = "DESCRIPTION=";
constexpr std::string_view kAmount = "AMOUNT=";

struct ShippingChoice {
  std::string_view button;
  std::string_view method;
  std::string_view charge;
};

// Checked in this order; a later match overrides an earlier one.
constexpr ShippingChoice kShippingChoices[] = {{"V1", "Saver", "T3"},
                                               {"V2", "Economy", "T4"},
                                               {"V3", "Standard", "T5"},
                                               {"V4", "Priority", "T6"}};

// The block's first entry runs up to the first CR LF found from its third
// character and keeps the CR; every further complete line is an entry
// without its line end. Text after the last CR LF is not taken.
std::vector<std::string> cutEntries(std::string_view block) {
  std::vector<std::string> entries;
  const std::size_t firstEnd = positionOf(block, kCrLf, 3);
  entries.emplace_back(block.substr(0, firstEnd));
  if (firstEnd == 0) return entries;
  std::size_t start = firstEnd + 1;  // 0-based index just after the LF
  while (start < block.size()) {
    const std::size_t end = block.find(kCrLf, start);
    if (end == std::string_view::npos) break;
    entries.emplace_back(block.substr(start, end - start));
    start = end + kCrLf.size();
  }
  return entries;
}

void readBlock(std::string_view text, OrderMail& mail) {
  const std::size_t p = positionOfIgnoringCase(text, kDescription);
  if (p == 0) return;
  const std::size_t blockStart = p + kDescription.size();
  const std::size_t q = positionOfIgnoringCase(text, kAmount, blockStart);
  mail.blockClosed = q != 0;
  mail.block = mail.blockClosed ? std::string(middle(text, blockStart, q - blockStart))
                                : std::string(middle(text, blockStart));
  mail.entries = cutEntries(mail.block);
}

void readShipping(OrderMail& mail) {
  for (const ShippingChoice& choice : kShippingChoices) {
    if (mail.value(choice.button) == choice.method) {
      mail.shippingMethod = choice.method;
      mail.shippingCost = mail.value(choice.charge);
    }
  }
}

void readSingleAddress(std::string_view text, OrderMail& mail) {
  for (const SingleAddressField& field : kSingleAddressFields) {
    if (!mail.value(field.billing).empty() || !mail.value(field.shipping).empty()) return;
  }
  for (auto& [name, value] : mail.fields) {
    for (const SingleAddressField& field : kSingleAddressFields) {
      if (name == field.billing || name == field.shipping) {
        value = GetLineValue(text, "\n" + std::string(field.name) + "=");
      }
    }
  }
}

constexpr std::string_view kNoteStart = "\nNote=";

// Does this line start a form field of the order pages ("B1=Submit")?
bool startsFormField(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  const std::string_view name = line.substr(0, equals);
  for (const std::string_view field : kOrderFieldNames) {
    if (name == field) return true;
  }
  return name == "B1" || name == "B2" || name == "DESCRIPTION";
}

// The note is a text box of several lines: it runs to the next field.
void readNote(std::string_view text, OrderMail& mail) {
  const std::size_t found = text.find(kNoteStart);
  if (found == std::string_view::npos) return;
  std::size_t start = found + kNoteStart.size();
  std::string note;
  for (bool first = true; start < text.size(); first = false) {
    const std::size_t end = std::min(text.find(kCrLf, start), text.size());
    const std::string_view line = text.substr(start, end - start);
    if (!first && startsFormField(line)) break;
    if (!first) note += kCrLf;
    note += line;
    start = end + kCrLf.size();
  }
  mail.note = std::string(text::trimmed(note));
}

}  // namespace

const std::string& OrderMail::value(std::string_view name) const {
  static const std::string kEmpty;
  for (const auto& [fieldName, fieldValue] : fields) {
    if (fieldName == name) return fieldValue;
  }
  return kEmpty;
}

bool isOrderSubject(const std::string& subject) {
  return subject.find("Online Order") != std::string::npos;
}

OrderMail readOrderMail(std::string_view text) {
  OrderMail mail;
  mail.subject = decodedHeaderText(GetLineValue(text, "Subject:"));
  mail.sender = GetLineValue(text, "from:");
  readBlock(text, mail);
  for (const std::string_view name : kOrderFieldNames) {
    mail.fields.emplace_back(std::string(name), GetLineValue(text, std::string(name) + "="));
  }
  readSingleAddress(text, mail);
  readShipping(mail);
  readNote(text, mail);
  return mail;
}

std::optional<OrderLine> splitOrderLine(std::string_view entry) {
  std::string parts[4];
  std::size_t start = 0;
  for (std::string& part : parts) {
    const std::size_t mark = entry.find('^', start);
    if (mark == std::string_view::npos) return std::nullopt;
    part = std::string(entry.substr(start, mark - start));
    start = mark + 1;
  }
  return OrderLine{parts[0], parts[1], parts[2], parts[3]};
}

bool isWholePositiveQuantity(std::string_view quantity) {
  const std::string_view number = text::trimmed(quantity);
  if (!isPlainNumber(number) || number[0] == '-') return false;
  const std::size_t point = number.find('.');
  const std::string_view whole = number.substr(0, point);
  const bool fractionZero = point == std::string_view::npos ||
                            number.find_first_not_of('0', point + 1) == std::string_view::npos;
  return fractionZero && whole.find_first_not_of("+0") != std::string_view::npos;
}

std::optional<std::string> orderTotal(std::string_view amount) {
  if (amount.size() <= 3) return std::nullopt;
  return std::string(amount.substr(3));
}

std::string maskedCardNumber(std::string_view number) {
  std::string digits;
  for (const char c : number) {
    if (c >= '0' && c <= '9') digits += c;
  }
  const std::size_t hidden =
      digits.size() > kShownCardDigits ? digits.size() - kShownCardDigits : 0;
  return std::string(hidden, '*') + digits.substr(hidden);
}

}  // namespace vendaro
