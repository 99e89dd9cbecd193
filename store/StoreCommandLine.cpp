#include <iostream>
#include <memory>

#include "platform/LargeHeap.h"
#include "store/GenerateCommand.h"
#include "store/StoreSettings.h"
#include "store/StoreSubsystem.h"

namespace vendaro {

void addStoreCommandLine(CommandLine& commandLine) {
  struct Choices {
    GenerateOptions options;
    std::string layout = "banner";
  };
  auto choices = std::make_shared<Choices>();
  CLI::App* generate =
      commandLine.add("generate", "Write the whole shop site of a store project into its folder");
  generate
      ->add_option("--layout", choices->layout,
                   "banner: banner and contents menu; contents: contents menu only; "
                   "responsive: frameless pages that fit a phone")
      ->check(CLI::IsMember({"banner", "contents", "responsive"}));
  GenerateOptions& options = choices->options;
  generate->add_flag("--manufacturer", options.manufacturer, "Show the manufacturer");
  generate->add_flag("--description-url", options.descriptionUrl,
                     "Link each item to its description page");
  generate->add_flag("--picture-url", options.pictureUrl, "Show each item's picture");
  generate->add_flag("--weight", options.weight, "Charge shipping by weight");
  generate->add_flag("--order-script", options.orderScript,
                     "E-mail order forms post to order.php (written too), which mails the "
                     "order; default: [store] order_form");
  generate->add_option("--sitemap", options.sitemapBase,
                       "Also write sitemap.xml and robots.txt for the site published at this "
                       "address (http:// or https://)");
  generate->add_option("PROJECT", options.project, "Project folder name")->required();
  generate->callback([&commandLine, choices] {
    choices->options.layout = choices->layout == "contents"     ? SiteLayout::ContentsOnly
                              : choices->layout == "responsive" ? SiteLayout::Responsive
                                                                : SiteLayout::BannerAndContents;
    commandLine.choose([choices](const AppContext& context) {
      GenerateOptions options = choices->options;
      options.appFolder = context.folder;
      options.endsProcess = true;
      prepareLargeHeap(std::size_t{256} << 20);
      return runGenerateCommand(options, context.vendor, StoreSettings::read(context.settings),
                                std::cout, std::cerr);
    });
  });
}

}  // namespace vendaro
