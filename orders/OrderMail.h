#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vendaro {

// One ordered item as the order pages write it: "A100 ^ 2 ^ 25.00 ^ 50.00^".
// The parts keep their blanks; the database converts them.
struct OrderLine {
  std::string productId;
  std::string quantity;
  std::string price;
  std::string lineTotal;
};

// The form fields of an order mail that the intake reads, in the order it
// reads them.
inline constexpr std::string_view kOrderFieldNames[] = {"AMOUNT",   "V1",      "V2",
                                                        "V3",       "V4",      "T2",
                                                        "T3",       "T4",      "T5",
                                                        "T6",       "NameB",   "NameS",
                                                        "Adrs1B",   "Adrs1S",  "Adrs2B",
                                                        "Adrs2S",   "StateB",  "StateS",
                                                        "CityB",    "CityS",   "ZIPB",
                                                        "ZIPS",     "PhoneE",  "PhoneD",
                                                        "E_Mail1",  "E_Mail2", "Cust_Serv_Phone",
                                                        "CCNumber", "CCExp",   "METHOD"};

// The order forms without shipping name their address fields once; such an
// order's address is its billing and its shipping address. Each single field
// with the billing and the shipping field it stands for.
struct SingleAddressField {
  std::string_view name;
  std::string_view billing;
  std::string_view shipping;
};
inline constexpr SingleAddressField kSingleAddressFields[] = {
    {"Name", "NameB", "NameS"},   {"Adrs1", "Adrs1B", "Adrs1S"}, {"Adrs2", "Adrs2B", "Adrs2S"},
    {"City", "CityB", "CityS"},   {"State", "StateB", "StateS"}, {"ZIP", "ZIPB", "ZIPS"},
    {"Phone", "PhoneD", "PhoneE"}};

// What the intake reads from one mail (headers and body, CR LF line ends).
struct OrderMail {
  std::string subject;
  std::string sender;
  // The text between "DESCRIPTION=" and the next "AMOUNT=".
  std::string block;
  // The entries the block is cut into, as the order list shows them.
  std::vector<std::string> entries;
  // False when the mail has "DESCRIPTION=" but no "AMOUNT=" after it; the
  // block then runs to the end of the mail.
  bool blockClosed = true;
  std::vector<std::pair<std::string, std::string>> fields;
  std::string shippingMethod;
  std::string shippingCost;
  // The shopper's note: the lines from "Note=" (at the start of a line) up
  // to the next form field or the end of the mail.
  std::string note;

  // The value of a form field read by `readOrderMail`; empty when absent.
  const std::string& value(std::string_view name) const;
};

// True for the subject of an order mail: it contains "Online Order" (exact case).
bool isOrderSubject(const std::string& subject);

// Reads subject, sender, order block, form fields and shipping choice. When
// no billing or shipping address field has a value, the single address
// fields (at the start of a line) fill both.
OrderMail readOrderMail(std::string_view text);

// Splits an entry at its first four "^"; nothing when it has fewer.
std::optional<OrderLine> splitOrderLine(std::string_view entry);

// True when an ordered quantity (blanks around it allowed) is a whole number
// above zero: "2" and "2.00" are, "0.01", "0" and "two" are not.
bool isWholePositiveQuantity(std::string_view quantity);

// The order total from the AMOUNT field: without its first three characters
// (the "$$$" prefix); nothing when no amount remains.
std::optional<std::string> orderTotal(std::string_view amount);

// How a log or a listing shows the card number and expiry date of an order.
enum class CardDetails { Shown, Masked };

// A card number as printed for people: a star for each digit but the last
// four, then those four ("************1111"). Other characters are left out,
// so nothing but the last four digits can be read from it.
inline constexpr std::size_t kShownCardDigits = 4;
std::string maskedCardNumber(std::string_view number);

}  // namespace vendaro
