// The keyring adapter against a real secret service: GNOME Keyring on a
// private session bus, started by with-keyring.
#include "platform/secret/SecretKeyring.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vendaro {
namespace {

TEST(SecretKeyringTest, StoresFindsAndForgetsAMailboxPassword) {
  if (std::getenv("VENDARO_TEST_KEYRING") == nullptr) GTEST_SKIP() << "run through with-keyring";
  SecretKeyring keyring;
  ASSERT_TRUE(keyring.available());
  EXPECT_EQ(keyring.lookup("pop.shop.example", "orders"), std::nullopt);
  ASSERT_TRUE(keyring.store("pop.shop.example", "orders", "s3cret word"));
  ASSERT_TRUE(keyring.store("pop.shop.example", "forms", "other"));
  EXPECT_EQ(keyring.lookup("pop.shop.example", "orders"), "s3cret word");
  ASSERT_TRUE(keyring.store("pop.shop.example", "orders", "changed"));
  EXPECT_EQ(keyring.lookup("pop.shop.example", "orders"), "changed");
  keyring.forget("pop.shop.example", "orders");
  EXPECT_EQ(keyring.lookup("pop.shop.example", "orders"), std::nullopt);
  EXPECT_EQ(keyring.lookup("pop.shop.example", "forms"), "other");
}

// Without a session bus there is no keyring, and nothing is stored.
TEST(SecretKeyringTest, WithoutASecretServiceNothingIsKept) {
  if (std::getenv("VENDARO_TEST_KEYRING") != nullptr) GTEST_SKIP() << "a keyring is running";
  ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
  SecretKeyring keyring;
  EXPECT_FALSE(keyring.available());
  EXPECT_FALSE(keyring.store("pop.shop.example", "orders", "pw"));
  EXPECT_EQ(keyring.lookup("pop.shop.example", "orders"), std::nullopt);
}

}  // namespace
}  // namespace vendaro
