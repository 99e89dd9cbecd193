#include "platform/digest/Sha256.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace vendaro::digest {

// FIPS 180-2's "abc" vector, the same bytes as a file (larger than one read
// block), and OpenSSH's unpadded base64 of the same digest.
TEST(DigestTest, Sha256AsHexOfTextAndFileAndAsBase64) {
  constexpr const char* kAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
  EXPECT_EQ(sha256Hex("abc"), kAbc);
  EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256Base64("abc"), "ungWv48Bz+pBQUDeXa4iI7ADYaOWF3qctBD/YfIAFa0");

  testing::TempFolder folder;
  folder.write("abc", "abc");
  EXPECT_EQ(fileSha256Hex(folder.file("abc")), kAbc);
  const std::string big(200000, 'x');
  folder.write("big", big);
  EXPECT_EQ(fileSha256Hex(folder.file("big")), sha256Hex(big));
  EXPECT_EQ(fileSha256Hex(folder.file("missing")), "");
}

}  // namespace vendaro::digest
