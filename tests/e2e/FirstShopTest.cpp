// The walk-through of docs/first-shop.md: its shell commands run in order
// from a fresh folder, against a private POP3 server whose mailbox holds one
// order mail, and what the walk-through says happens is checked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/TextFile.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/orders/OrderTestMails.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/ServerProcess.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;
using testing::Pop3TestServer;
using testing::programInPath;

const fs::path kVendaro = VENDARO_BIN_PATH;
const fs::path kWalkThrough = VENDARO_FIRST_SHOP_DOC;

// The ```sh blocks of the walk-through, in order, as one script.
std::string walkThroughScript() {
  const std::string doc = readWholeFile(kWalkThrough).value_or("");
  std::string script;
  for (std::size_t start = doc.find("```sh\n"); start != std::string::npos;
       start = doc.find("```sh\n", start)) {
    start += 6;
    const std::size_t end = doc.find("```\n", start);
    script += doc.substr(start, end - start);
    start = end;
  }
  return script;
}

void replace(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

TEST(FirstShopTest, EveryCommandOfTheWalkThroughDoesWhatItSays) {
  VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
  VENDARO_REQUIRE_TOOL(programInPath("python3") && programInPath("curl"),
                       "python3 and curl are not installed (see scripts/install-deps)");
  Pop3TestServer server;
  server.addUser("orders", "mailbox-password");
  server.start();
  testing::OrderMailText order;
  order.description = "G1 ^ 2 ^ 6.50 ^ 13.00^\r\n Total Price : $$$ 13.00\r\n";
  server.deliver("orders", order.text());

  // The example mailbox and port become the private server and a free port.
  testing::TempFolder folder;
  testing::TempFolder scratch;
  // A server the script leaves running when a command fails is stopped too.
  std::string script = "cd '" + folder.path().string() +
                       "'\ntrap 'jobs -p | xargs -r kill 2>/dev/null' EXIT\n" + walkThroughScript();
  replace(script, "pop_host = \"pop.tea.example\"",
          "pop_host = \"127.0.0.1\"\nport = " + std::to_string(server.tlsPort()) +
              "\nca_file = \"" + server.caFile() + "\"");
  const std::string port = std::to_string(testing::freePort());
  replace(script, "8000 --bind", port + " --bind");
  replace(script, "127.0.0.1:8000/", "127.0.0.1:" + port + "/");
  const testing::ProgramResult run =
      testing::runProgram({"sh", "-ec", script},
                          {"PATH=" + kVendaro.parent_path().string() + ":" + std::getenv("PATH"),
                           "HOME=" + folder.path().string()},
                          scratch.path());
  ASSERT_EQ(run.exitCode, 0) << run.err << run.out;

  const fs::path project = folder.path() / "shop-home" / "Tea";
  for (const char* page : {"index.htm", "l_Green tea.htm", "l_Mugs.htm", "basket.htm"}) {
    EXPECT_NE(run.out.find("wrote " + (project / page).string() + "\n"), std::string::npos) << page;
  }
  EXPECT_NE(readWholeFile(project / "order.htm").value_or("").find("orders@tea.example"),
            std::string::npos);
  EXPECT_NE(run.out.find("the shop answers\n"), std::string::npos);
  EXPECT_NE(run.out.find("orders stored: 1\n"), std::string::npos) << run.out;
  EXPECT_TRUE(fs::is_regular_file(folder.path() / "shop-home" / "Vendaro2.mdb"));
  const std::string csv = readWholeFile(folder.path() / "orders.csv").value_or("");
  EXPECT_NE(csv.find("G1"), std::string::npos) << csv;
  EXPECT_NE(csv.find("Ann Buyer"), std::string::npos) << csv;
}

}  // namespace
}  // namespace vendaro
