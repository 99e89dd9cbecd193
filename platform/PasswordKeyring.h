#pragma once

#include <optional>
#include <string>

namespace vendaro {

// The desktop's password store (the secret service), keyed by mailbox host
// and user. Passwords never go into a plain file.
class PasswordKeyring {
 public:
  virtual ~PasswordKeyring() = default;

  // Whether a secret service answers; when not, nothing is stored or found.
  virtual bool available() = 0;
  virtual std::optional<std::string> lookup(const std::string& host, const std::string& user) = 0;
  // Returns false when the password could not be stored.
  virtual bool store(const std::string& host, const std::string& user,
                     const std::string& password) = 0;
  virtual void forget(const std::string& host, const std::string& user) = 0;
};

}  // namespace vendaro
