#pragma once

#include <string>

namespace vendaro::testing {

// An order mail as the default order page sends it: a text/plain form body
// with one name=value line per field, CR LF line ends.
struct OrderMailText {
  std::string from = "ann@buyer.example";
  std::string subject = "Online Order";
  std::string description = "A100 ^ 2 ^ 25.00 ^ 50.00^\r\n Total Price : $$$ 54.12\r\n";
  std::string amount = "$$$ 54.12";
  std::string v1 = "Saver";
  std::string v3;

  std::string body() const {
    return "DESCRIPTION=" + description + "AMOUNT=" + amount + "\r\nV1=" + v1 + "\r\nV3=" + v3 +
           "\r\nT2=$ 4.12\r\nT3=$ 3.00\r\nT5=$ 9.50\r\nNameB=Ann Buyer"
           "\r\nNameS=Ann Buyer\r\nAdrs1B=1 Main St\r\nAdrs1S=1 Main St\r\nCityB=Springfield\r\n"
           "CityS=Springfield\r\nStateB=IL\r\nStateS=IL\r\nZIPB=62701\r\nZIPS=62701\r\n"
           "PhoneE=555-0100\r\nPhoneD=555-0101\r\nE_Mail1=ann@buyer.example\r\nE_Mail2=\r\n"
           "CCNumber=4111111111111111\r\nCCExp=12/29\r\n";
  }

  std::string text() const {
    return "From: " + from + "\r\nTo: orders@shop.example\r\nSubject: " + subject + "\r\n\r\n" +
           body();
  }
};

}  // namespace vendaro::testing
