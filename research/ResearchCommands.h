#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace vendaro {

// The options of `vendaro links`.
struct LinksOptions {
  std::string address;
  std::string keyword;  // the filter of "Get/Add all Links"; empty takes every link
};

// What `vendaro find` looks for.
enum class FindKind { Keywords, Email, Contact };

// The options of `vendaro find`.
struct FindOptions {
  FindKind kind = FindKind::Keywords;
  std::vector<std::string> keywords;
  std::filesystem::path report;  // empty: no report
  std::vector<std::string> addresses;
};

// Loads the page and prints the links "Get/Add all Links" collects from it,
// one per line. Returns 0; kExitError with a message on `err` when the
// address is not http or https; 1 with the address and the reason on `err`
// when the page cannot be read (no connection, an error status, a reply cut
// short, too many redirects, no answer within 30 seconds).
int runLinksCommand(const LinksOptions& options, std::ostream& out, std::ostream& err);

// Runs the keyword, e-mail or contact search over the addresses with the four
// fetchers and prints the pages found, one per line; with a report file,
// reads the pages found and writes the report page there. A page that cannot
// be read is named on `err` with the reason and the others are still
// searched. Returns 0 when every page was read, 1 when one was not,
// kExitError when the report cannot be written.
int runFindCommand(const FindOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vendaro
