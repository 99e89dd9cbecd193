#include <unistd.h>

#include <iostream>
#include <memory>

#include "publish/PublishCommand.h"
#include "publish/PublishSubsystem.h"

namespace vendaro {

void addPublishCommandLine(CommandLine& commandLine) {
  auto options = std::make_shared<PublishOptions>();
  UploadDestination& destination = options->destination;
  CLI::App* publish =
      commandLine.add("publish", "Upload what changed in a project's site to the web host");
  publish->add_option("PROJECT", options->project, "Project folder name")->required();
  publish->add_option("--to", destination.url,
                      "sftp://user@host[:port]/folder, ftps://user@host[:port]/folder or "
                      "file:///folder (default: the last destination of the project)");
  publish->add_option("--user", destination.user, "User (default: the one in the address)");
  publish
      ->add_option("--password-file", options->passwordFile,
                   "File whose first line is the password (default: $VENDARO_PUBLISH_PASSWORD)")
      ->check(CLI::ExistingFile);
  publish->add_option("--key", destination.keyFile, "SSH private key (default: the SSH agent)")
      ->check(CLI::ExistingFile);
  publish->add_option("--known-hosts", destination.knownHostsFile,
                      "SSH known-hosts file (default: ~/.ssh/known_hosts)");
  publish->add_flag("--trust-new-host", destination.trustNewHost,
                    "Add an SSH host that is not yet known to the known-hosts file");
  publish->add_flag("--implicit-tls", destination.implicitTls,
                    "FTPS with TLS from the first byte (port 990) instead of AUTH TLS");
  publish->add_option("--ca-file", destination.caFile, "Extra certificate authority for FTPS")
      ->check(CLI::ExistingFile);
  publish->add_flag("--dry-run", options->dryRun, "List what would be uploaded, upload nothing");
  publish->callback([&commandLine, options] {
    commandLine.choose([options](const AppContext& context) {
      PublishOptions chosen = *options;
      chosen.appFolder = context.folder;
      chosen.terminal = ::isatty(STDERR_FILENO) == 1;
      return runPublishCommand(chosen, std::cout, std::cerr);
    });
  });
}

}  // namespace vendaro
