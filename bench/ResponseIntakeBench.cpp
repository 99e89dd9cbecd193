// Times the response intake: a private dovecot on 127.0.0.1 holds N response
// mails of one form with three fields; `get-responses` (without --delete,
// into a fresh application folder) stores them. Prints responses per second.
// Usage: response_intake_bench [N]   (default 1000)
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "forms/GetResponsesCommand.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

int main(int argc, char** argv) {
  using namespace vendaro;
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
  if (!testing::Pop3TestServer::available()) {
    std::cerr << testing::Pop3TestServer::kUnavailable << "\n";
    return 1;
  }
  testing::Pop3TestServer server;
  server.addUser("forms", "secret");
  server.start();
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    server.deliver("forms", "From: visitor" + n +
                                "@x.example\r\nSubject: Survey\r\n\r\nname=Visitor " + n +
                                "\r\nemail=v" + n + "@x.example\r\ncomment=Fine\r\n");
  }
  testing::TempFolder folder;
  {
    testing::TestDatabase database(folder.file("Vendaro2.mdb"));
    const std::int64_t id = database.insertRow("Forms", {{"formName", "Survey"}});
    for (const char* name : {"name", "email", "comment"}) {
      database.insertRow("Fields", {{"formID", id}, {"fieldName", name}});
    }
  }
  folder.write("password", "secret\n");
  GetResponsesOptions options;
  options.appFolder = folder.path();
  options.form = "Survey";
  options.mailbox = {.host = "127.0.0.1", .port = server.port(), .user = "forms"};
  options.passwordFile = folder.file("password");
  std::ostringstream out;
  std::ostringstream err;
  const auto start = std::chrono::steady_clock::now();
  const int code = runGetResponsesCommand(options, MailSettings{}, out, err);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (code != 0) {
    std::cerr << err.str();
    return code;
  }
  std::cout << "response intake: " << count << " mails in " << took.count() << " s, "
            << static_cast<int>(count / took.count()) << " responses/s\n";
  return 0;
}
