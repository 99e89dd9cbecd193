#include "platform/curl/CurlMailSender.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace vendaro {
namespace {

constexpr long kConnectSeconds = 20;
constexpr long kSendSeconds = 120;

struct Upload {
  const std::string& text;
  std::size_t sent = 0;
};

std::size_t readUpload(char* buffer, std::size_t size, std::size_t count, void* data) {
  Upload& upload = *static_cast<Upload*>(data);
  const std::size_t chunk = std::min(size * count, upload.text.size() - upload.sent);
  std::memcpy(buffer, upload.text.data() + upload.sent, chunk);
  upload.sent += chunk;
  return chunk;
}

std::string serverAddress(const SmtpSettings& settings) {
  const char* scheme = settings.security == MailAccount::Security::Tls ? "smtps://" : "smtp://";
  return scheme + settings.host + ":" + std::to_string(settings.portOrDefault());
}

}  // namespace

CurlMailSender::CurlMailSender(SmtpSettings settings, std::string password)
    : settings_(std::move(settings)), password_(std::move(password)) {}

SendResult CurlMailSender::send(const OutgoingMail& mail) {
  const std::unique_ptr<CURL, void (*)(CURL*)> easy(curl_easy_init(), curl_easy_cleanup);
  if (!easy) return {false, "libcurl cannot start"};
  CURL* handle = easy.get();
  const std::string address = serverAddress(settings_);
  const std::string from = "<" + mail.from + ">";
  const std::string to = "<" + mail.to + ">";
  curl_slist* recipients = curl_slist_append(nullptr, to.c_str());
  const std::unique_ptr<curl_slist, void (*)(curl_slist*)> keepRecipients(recipients,
                                                                          curl_slist_free_all);
  Upload upload{mail.message};
  char error[CURL_ERROR_SIZE] = "";
  curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
  curl_easy_setopt(handle, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients);
  curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(handle, CURLOPT_READFUNCTION, readUpload);
  curl_easy_setopt(handle, CURLOPT_READDATA, &upload);
  curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(mail.message.size()));
  curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, error);
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT, kSendSeconds);
  if (settings_.security == MailAccount::Security::StartTls) {
    curl_easy_setopt(handle, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  }
  if (!settings_.caFile.empty()) curl_easy_setopt(handle, CURLOPT_CAINFO, settings_.caFile.c_str());
  if (!settings_.user.empty()) {
    curl_easy_setopt(handle, CURLOPT_USERNAME, settings_.user.c_str());
    curl_easy_setopt(handle, CURLOPT_PASSWORD, password_.c_str());
  }
  const CURLcode result = curl_easy_perform(handle);
  if (result == CURLE_OK) return {true};
  return {false, error[0] != '\0' ? std::string(error) : curl_easy_strerror(result)};
}

}  // namespace vendaro
