#include <iostream>
#include <memory>

#include "common/CommandLine.h"
#include "platform/Text.h"
#include "research/ResearchCommands.h"
#include "research/ResearchSubsystem.h"

namespace vendaro {
namespace {

// Every address argument must be a web page: a word meant as a keyword that
// lands among the addresses is refused, not skipped.
const CLI::Validator kWebAddress(
    [](std::string& address) {
      return text::isWebAddress(address) ? std::string()
                                   : "not an http or https address: " + address +
                                         " (give each keyword with its own --keyword)";
    },
    "URL");

void addLinks(CommandLine& commandLine) {
  auto options = std::make_shared<LinksOptions>();
  CLI::App* links = commandLine.add("links", "Print the links of a page, one per line");
  links->add_option("URL", options->address, "The page (http or https)")
      ->required()
      ->check(kWebAddress);
  links->add_option("--keyword", options->keyword,
                    "Only links whose address or text contains WORD (letter case ignored)");
  links->callback([&commandLine, options] {
    commandLine.choose(
        [options](const AppContext&) { return runLinksCommand(*options, std::cout, std::cerr); });
  });
}

void addFind(CommandLine& commandLine) {
  auto options = std::make_shared<FindOptions>();
  auto email = std::make_shared<bool>(false);
  auto contact = std::make_shared<bool>(false);
  CLI::App* find = commandLine.add(
      "find", "Print the pages that contain a keyword, an e-mail link or contact words");
  CLI::Option* keyword =
      find->add_option("--keyword", options->keywords,
                       "A word to look for; repeat it for several (--keyword a --keyword b)")
          ->allow_extra_args(false);
  CLI::Option* emailFlag = find->add_flag("--email", *email, "Pages with a mailto: link");
  CLI::Option* contactFlag = find->add_flag("--contact", *contact, "Pages with contact words");
  keyword->excludes(emailFlag)->excludes(contactFlag);
  emailFlag->excludes(contactFlag);
  find->add_option("--report", options->report, "Read the pages found into this report page");
  find->add_option("URL", options->addresses, "The pages to search (http or https)")
      ->required()
      ->check(kWebAddress);
  find->callback([&commandLine, options, email, contact, keyword] {
    if (keyword->count() == 0 && !*email && !*contact) {
      throw CLI::ValidationError("find", "one of --keyword, --email or --contact is required");
    }
    options->kind = *email ? FindKind::Email : *contact ? FindKind::Contact : FindKind::Keywords;
    commandLine.choose(
        [options](const AppContext&) { return runFindCommand(*options, std::cout, std::cerr); });
  });
}

}  // namespace

void addResearchCommandLine(CommandLine& commandLine) {
  addLinks(commandLine);
  addFind(commandLine);
}

}  // namespace vendaro
