#include "orders/CheckOrdersCommand.h"

#include <map>
#include <string>

#include "orders/OrderChecks.h"
#include "orders/OrderCommands.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {
namespace {

constexpr const char* kPrefix = "vendaro check-orders: ";

// "ok", "mismatch", "no catalogue" or "duplicate": what the count groups by.
std::string verdictKind(const std::string& verdict) {
  for (const char* kind : {kVerdictMismatch, kVerdictDuplicate}) {
    const std::string prefix(kind);
    if (verdict.rfind(prefix, 0) == 0) return prefix.substr(0, prefix.find_first_of(": "));
  }
  return verdict;
}

}  // namespace

int runCheckOrdersCommand(const std::filesystem::path& appFolder, std::ostream& out,
                          std::ostream& err) {
  const std::filesystem::path file = appFolder / kProgramDatabaseFile;
  if (!std::filesystem::is_regular_file(file)) {
    err << kPrefix << "there is no order database " << file.string() << "\n";
    return kOrdersCommandFailed;
  }
  const OrderChecker checker(appFolder);
  for (const std::string& problem : checker.problems()) {
    err << kPrefix << "warning: a published record is left out: " << problem << "\n";
  }
  SqliteDatabase database(file);
  const Outcome<std::map<std::int64_t, std::string>> verdicts = checker.recheckAll(database);
  if (!verdicts) {
    return failOrderCommand(err, kPrefix, verdicts.error(), "cannot check the orders: ");
  }
  std::map<std::string, int> counts;
  for (const auto& [orderId, verdict] : *verdicts) {
    ++counts[verdictKind(verdict)];
    if (verdict != kVerdictOk) out << "Order " << orderId << ": " << verdict << "\n";
  }
  out << "orders checked: " << verdicts->size();
  for (const auto& [kind, count] : counts) out << ", " << kind << ": " << count;
  out << "\n";
  return 0;
}

}  // namespace vendaro
