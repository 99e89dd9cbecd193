#include "platform/settings/SmtpSettings.h"

namespace vendaro {

bool isLoopbackHost(const std::string& host) {
  if (host == "localhost" || host == "::1" || host == "[::1]") return true;
  if (host.rfind("127.", 0) != 0) return false;
  int dots = 0;
  for (const char c : host) {
    if (c == '.') {
      ++dots;
    } else if (c < '0' || c > '9') {
      return false;
    }
  }
  return dots == 3;
}

SmtpSettings SmtpSettings::read(const SettingsFile& file) {
  SmtpSettings settings;
  settings.host = file.host("smtp", "host", "");
  settings.port = file.number("smtp", "port", 0, 0, 65535);
  const std::string security = file.choice("smtp", "security", "tls", {"tls", "starttls", "none"});
  settings.security = security == "tls"        ? MailAccount::Security::Tls
                      : security == "starttls" ? MailAccount::Security::StartTls
                                               : MailAccount::Security::None;
  if (settings.security == MailAccount::Security::None && !settings.host.empty() &&
      !isLoopbackHost(settings.host)) {
    throw SettingsError(file.lineOf("smtp", "security") +
                        "[smtp] security = \"none\" is accepted only for a server on this "
                        "machine (localhost or 127.0.0.1); use \"tls\" or \"starttls\"");
  }
  settings.user = file.text("smtp", "user", "");
  settings.from = file.email("smtp", "from", "");
  settings.caFile = file.text("smtp", "ca_file", "");
  return settings;
}

int SmtpSettings::portOrDefault() const {
  if (port != 0) return port;
  switch (security) {
    case MailAccount::Security::Tls:
      return 465;
    case MailAccount::Security::StartTls:
      return 587;
    case MailAccount::Security::None:
      break;
  }
  return 25;
}

}  // namespace vendaro
