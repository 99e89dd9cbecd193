#pragma once

#include <curl/curl.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/Text.h"

#include "tests/support/Pop3TestServer.h"
#include "tests/support/ServerProcess.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {

// PHP's built-in server on a loopback port serving a site folder, whose
// mail() hands every mail to a sendmail that drops it into a mailbox of a
// test dovecot, as a mail server would.
class PhpMailSite {
 public:
  static constexpr const char* kPhp = "/usr/bin/php";
  static constexpr const char* kUnavailable = "php is not installed (php-cli; see scripts/install-deps)";
  static bool available() { return ::access(kPhp, X_OK) == 0; }

  PhpMailSite(const std::filesystem::path& site, const Pop3TestServer& mail,
              const std::string& user) {
    const std::string maildir = mail.maildirOf(user).string();
    tools_.write("sendmail", "#!/bin/sh\nf=" + maildir + "/tmp/post.$$\ncat > \"$f\" && mv \"$f\" " +
                                 maildir + "/new/\n");
    std::filesystem::permissions(tools_.file("sendmail"), std::filesystem::perms::owner_all);
    port_ = freePort();
    php_ = spawn({kPhp, "-n", "-d", "sendmail_path=" + tools_.file("sendmail").string(), "-S",
                  "127.0.0.1:" + std::to_string(port_), "-t", site.string()},
                 tools_.file("php.log"));
    waitForPort(port_);
  }
  ~PhpMailSite() { stop(); }
  PhpMailSite(const PhpMailSite&) = delete;
  PhpMailSite& operator=(const PhpMailSite&) = delete;

  struct Answer {
    long status = 0;
    std::string page;
  };
  // Posts the fields, URL-encoded, to the site's `file`.
  Answer post(const std::string& file,
              const std::vector<std::pair<std::string, std::string>>& fields) const {
    std::string form;
    for (const auto& [name, value] : fields) {
      form += (form.empty() ? "" : "&") + text::percentEncoded(name) + "=" +
              text::percentEncoded(value);
    }
    Answer answer;
    const std::string address = url() + file;
    CURL* easy = curl_easy_init();
    curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, form.c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &answer.page);
    curl_easy_perform(easy);
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &answer.status);
    curl_easy_cleanup(easy);
    return answer;
  }

  void stop() { killTree(php_); }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
  std::string log() const { return tools_.read("php.log"); }

 private:
  static size_t collect(char* data, size_t size, size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
  }

  TempFolder tools_;
  int port_ = 0;
  pid_t php_ = -1;
};

}  // namespace vendaro::testing
