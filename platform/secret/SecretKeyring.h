#pragma once

#include <optional>
#include <string>

#include "platform/PasswordKeyring.h"

namespace vendaro {

// The mailbox passwords in the desktop keyring through libsecret, under the
// attributes "host" and "user" of the schema "org.vendaro.Mailbox". Whether a
// secret service answers is asked once, on first use.
class SecretKeyring : public PasswordKeyring {
 public:
  bool available() override;
  std::optional<std::string> lookup(const std::string& host, const std::string& user) override;
  bool store(const std::string& host, const std::string& user,
             const std::string& password) override;
  void forget(const std::string& host, const std::string& user) override;

 private:
  std::optional<bool> available_;
};

}  // namespace vendaro
