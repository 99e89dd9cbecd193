#include "platform/curl/MailLogin.h"

#include "platform/curl/Pop3Session.h"

namespace vendaro {

std::string mailServerUrl(const MailAccount& account, const char* plainScheme,
                          const char* tlsScheme) {
  const bool implicitTls = account.security == MailAccount::Security::Tls;
  std::string url = std::string(implicitTls ? tlsScheme : plainScheme) + "://";
  std::string host = account.host;
  std::string port = account.port > 0 ? std::to_string(account.port) : std::string();
  const std::size_t colon = host.rfind(':');
  const bool bracketed = !host.empty() && host.front() == '[';
  const bool namedPort = colon != std::string::npos && colon + 1 < host.size() &&
                         host.find_first_not_of("0123456789", colon + 1) == std::string::npos &&
                         (bracketed ? host[colon - 1] == ']' : host.find(':') == colon);
  if (namedPort) {
    if (port.empty()) port = host.substr(colon + 1);
    host.erase(colon);
  }
  const bool ipv6 = !bracketed && host.find(':') != std::string::npos;
  url += ipv6 ? "[" + host + "]" : host;
  if (!port.empty()) url += ":" + port;
  return url;
}

void setMailLogin(CURL* easy, const char* protocols, const MailAccount& account,
                  const MailTimeouts& timeouts, char* errorBuffer) {
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, protocols);
  curl_easy_setopt(easy, CURLOPT_USERNAME, account.user.c_str());
  if (account.login == MailAccount::Login::OAuth2) {
    curl_easy_setopt(easy, CURLOPT_XOAUTH2_BEARER, account.password.c_str());
  } else {
    curl_easy_setopt(easy, CURLOPT_PASSWORD, account.password.c_str());
  }
  if (account.security == MailAccount::Security::StartTls) {
    curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  }
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!account.caFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, account.caFile.c_str());
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
  curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeouts.idleSeconds);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
}

}  // namespace vendaro
