#pragma once

#include <curl/curl.h>

#include <string>

#include "platform/MailClient.h"

namespace vendaro {

struct MailTimeouts;

// The server of `account` as a URL without path: `tlsScheme` for implicit
// TLS, else `plainScheme`. "localhost:8110" (as the settings allow) is a name
// with a port; an address with several colons is IPv6. A port given on its
// own wins over one written in the host.
std::string mailServerUrl(const MailAccount& account, const char* plainScheme,
                          const char* tlsScheme);

// What a POP3 and an IMAP session set alike on their handle: the protocols
// it may speak, the user with the password or the OAuth2 token (libcurl then
// picks XOAUTH2 or OAUTHBEARER as the server offers), STARTTLS when asked,
// certificate checks with the account's CA file, the connect and reply time
// limits, no signals, and the buffer for libcurl's error text.
void setMailLogin(CURL* easy, const char* protocols, const MailAccount& account,
                  const MailTimeouts& timeouts, char* errorBuffer);

}  // namespace vendaro
