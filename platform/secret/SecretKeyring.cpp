#include "platform/secret/SecretKeyring.h"

#include <libsecret/secret.h>

namespace vendaro {
namespace {

const SecretSchema* mailboxSchema() {
  static const SecretSchema schema = {
      "org.vendaro.Mailbox",
      SECRET_SCHEMA_NONE,
      {{"host", SECRET_SCHEMA_ATTRIBUTE_STRING},
       {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
       {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
      0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  return &schema;
}

// Frees a GError the calls report; the keyring's errors only mean "not kept".
bool failed(GError* error) {
  if (error == nullptr) return false;
  g_error_free(error);
  return true;
}

}  // namespace

bool SecretKeyring::available() {
  if (!available_) {
    // Opening a session asks the service itself (a bus without a secret
    // service gives a proxy all the same); without a session bus or a secret
    // service this fails at once.
    GError* error = nullptr;
    SecretService* service =
        secret_service_get_sync(SECRET_SERVICE_OPEN_SESSION, nullptr, &error);
    available_ = !failed(error) && service != nullptr;
    if (service != nullptr) g_object_unref(service);
  }
  return *available_;
}

std::optional<std::string> SecretKeyring::lookup(const std::string& host,
                                                 const std::string& user) {
  if (!available()) return std::nullopt;
  GError* error = nullptr;
  gchar* password = secret_password_lookup_sync(mailboxSchema(), nullptr, &error, "host",
                                                host.c_str(), "user", user.c_str(), nullptr);
  if (failed(error) || password == nullptr) return std::nullopt;
  std::string found(password);
  secret_password_free(password);
  return found;
}

bool SecretKeyring::store(const std::string& host, const std::string& user,
                          const std::string& password) {
  if (!available()) return false;
  const std::string label = "Vendaro mailbox " + user + "@" + host;
  GError* error = nullptr;
  const gboolean stored = secret_password_store_sync(
      mailboxSchema(), SECRET_COLLECTION_DEFAULT, label.c_str(), password.c_str(), nullptr,
      &error, "host", host.c_str(), "user", user.c_str(), nullptr);
  return !failed(error) && stored;
}

void SecretKeyring::forget(const std::string& host, const std::string& user) {
  if (!available()) return;
  GError* error = nullptr;
  secret_password_clear_sync(mailboxSchema(), nullptr, &error, "host", host.c_str(), "user",
                             user.c_str(), nullptr);
  (void)failed(error);
}

}  // namespace vendaro
