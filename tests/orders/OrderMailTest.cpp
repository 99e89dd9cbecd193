#include "orders/OrderMail.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/MailValues.h"
#include "platform/mime/MailBodyDecoder.h"
#include "tests/orders/OrderTestMails.h"

namespace vendaro {
namespace {

using testing::OrderMailText;

TEST(OrderMailTest, TextAfterTheLastLineEndAndAMissingAmountAreHandled) {
  OrderMailText mail;
  mail.description = "A100 ^ 2 ^ 25.00 ^ 50.00^\r\nB7 ^ 1";
  EXPECT_EQ(readOrderMail(mail.text()).entries.size(), 1u);

  const std::string noAmount =
      "Subject: Online Order\r\n\r\nDESCRIPTION=A1 ^ 1 ^ 2 ^ 2^\r\nNameB=X\r\n";
  const OrderMail order = readOrderMail(noAmount);
  EXPECT_FALSE(order.blockClosed);
  ASSERT_EQ(order.entries.size(), 2u);
  EXPECT_EQ(order.entries[1], "NameB=X");
  EXPECT_TRUE(readOrderMail("Subject: Online Order\r\n\r\nNameB=X\r\n").entries.empty());
  mail.v1 = "saver";  // a shipping choice must match exactly
  EXPECT_EQ(readOrderMail(mail.text()).shippingMethod, "");
}

TEST(OrderMailTest, LinesAndTotalsKeepTheirBlanks) {
  const auto line = splitOrderLine("A100 ^ 2 ^ 25.00 ^ 50.00^\r");
  ASSERT_TRUE(line);
  EXPECT_EQ(std::tuple(line->productId, line->quantity, line->price, line->lineTotal),
            std::tuple("A100 ", " 2 ", " 25.00 ", " 50.00"));
  EXPECT_FALSE(splitOrderLine("A100 ^ 2 ^ 25.00 50.00"));
  EXPECT_FALSE(splitOrderLine(" Total Price : $$$ 54.12"));

  EXPECT_EQ(orderTotal("$$$ 54.12"), " 54.12");
  EXPECT_FALSE(orderTotal("$$$"));
  EXPECT_FALSE(orderTotal(""));
  EXPECT_FALSE(isOrderSubject("online order"));
  EXPECT_TRUE(isOrderSubject("Re: Online Order 17"));
}

TEST(OrderMailTest, ACardNumberShowsAStarPerHiddenDigitAndItsLastFour) {
  EXPECT_EQ(maskedCardNumber("4111-1111 1111-1111"), "************1111");
  EXPECT_EQ(maskedCardNumber("no. 123"), "123");
  EXPECT_EQ(maskedCardNumber(""), "");
}

TEST(MailBodyDecoderTest, DecodesBodiesAndKeepsHeaders) {
  const std::string headers =
      "From: ann@buyer.example\r\nSubject: Online Order\r\nMIME-Version: 1.0\r\n";
  const std::string plain = "Subject: Online Order\r\n\r\nNameB=Ann\r\n";
  EXPECT_EQ(decodedMailText(plain), plain);
  const std::string utf8 = headers +
                           "content-type: Text/Plain; format=flowed;\r\n charset=\"UTF-8\"\r\n"
                           "Content-Transfer-Encoding: 8bit\r\n\r\nNameB=Ren\xC3\xA9"
                           "e\r\n";
  EXPECT_EQ(decodedMailText(utf8), utf8);
  // A charset named on a continuation line is still converted.
  const std::string latin1 = headers +
                             "Content-Type: text/plain;\r\n\tcharset=iso-8859-1\r\n\r\n"
                             "NameB=Ren\xE9"
                             "e\r\n";
  EXPECT_EQ(GetLineValue(decodedMailText(latin1), "NameB="),
            "Ren\xC3\xA9"
            "e");

  const std::string quoted =
      headers +
      "Content-Type: text/plain; charset=utf-8\r\n"
      "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
      "NameB=3DRen=C3=A9e Buyer\r\nDESCRIPTION=3DA100 ^ 2 ^ 25.00 ^ 50.00^=\r\n"
      "\r\nAMOUNT=3D$$$ 1\r\n";
  const std::string decoded = decodedMailText(quoted);
  EXPECT_EQ(decoded.substr(0, headers.size()), headers);
  EXPECT_NE(decoded.find("\r\n\r\nNameB=Ren\xC3\xA9"
                         "e Buyer\r\nDESCRIPTION=A100 ^ 2 ^ 25.00 ^ 50.00^\r\nAMOUNT=$$$ 1\r\n"),
            std::string::npos)
      << decoded;

  const std::string multipart = headers +
                                "Content-Type: multipart/alternative; boundary=\"b1\"\r\n\r\n"
                                "--b1\r\nContent-Type: text/html\r\n\r\n<p>NameB=Html</p>\r\n"
                                "--b1\r\nContent-Type: text/plain; charset=iso-8859-1\r\n"
                                "Content-Transfer-Encoding: base64\r\n\r\n"
                                "TmFtZUI9UmVu6WUNCg==\r\n--b1--\r\n";
  EXPECT_EQ(GetLineValue(decodedMailText(multipart), "NameB="),
            "Ren\xC3\xA9"
            "e");
}

}  // namespace
}  // namespace vendaro
