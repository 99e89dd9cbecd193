#include "forms/GetResponsesCommand.h"

#include <optional>

#include "forms/FormCommands.h"
#include "forms/ResponseMailStore.h"
#include "forms/StoredForms.h"
#include "intake/MailIntakeSession.h"
#include "intake/MailboxCommandLine.h"
#include "platform/BlockingEventLoop.h"
#include "platform/Text.h"
#include "platform/curl/MailClients.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {
namespace {

constexpr const char* kPrefix = "vendaro get-responses: ";

}  // namespace

int runGetResponsesCommand(const GetResponsesOptions& options, const MailSettings& settings,
                           std::ostream& out, std::ostream& err) {
  MailAccount account = options.mailbox;
  if (!readMailboxSecret(account, options.passwordFile, options.tokenCommand, kPrefix, err)) {
    return kFormCommandFailed;
  }
  if (!std::filesystem::is_regular_file(options.appFolder / kProgramDatabaseFile)) {
    err << kPrefix << "no database " << (options.appFolder / kProgramDatabaseFile).string() << "\n";
    return kFormCommandFailed;
  }
  SqliteDatabase database(options.appFolder / kProgramDatabaseFile);
  BlockingEventLoop loop;
  HeadlessDialogs dialogs = printingDialogs(out, err, options.questionAnswer);
  const Outcome<ResponseForm> form = responseFormOf(database, options.form);
  if (!form) {
    err << kPrefix << "cannot open the form database: " << form.error().message << "\n";
    return kFormCommandFailed;
  }
  // Whether the form exists is asked again for every response, as a form
  // may be deleted while the intake runs; its fields are those at the start.
  ResponseMailStore store(database,
                          [&database, &options, fields = form->fields] {
                            const Outcome<ResponseForm> now =
                                responseFormOf(database, options.form);
                            return ResponseForm{options.form, fields, now && now->exists};
                          },
                          {});
  MailIntakeSession session(loop, dialogs, makeMailClient(loop, account.protocol, settings), store);
  session.lockFile = options.appFolder / kIntakeLockFile;
  session.deletesStored = options.deleteMessages;
  // The log is printed whole once the intake has ended, after its message boxes.
  std::string log;
  session.events.log = [&log](const std::string& lines) { log += lines; };

  const IntakeResult result = runIntakeToEnd(session, loop, account);

  out << text::withLf(log);
  out << "responses stored: " << result.stored << "\n";
  // Responses that could not be stored are not a success.
  if (store.keptForMissingForm() > 0) {
    err << kPrefix << "the form " << options.form << " does not exist; "
        << store.keptForMissingForm() << " response(s) left on the server\n";
    return kFormCommandFailed;
  }
  if (result.completed && result.failed > 0) {
    err << kPrefix << result.failed
        << " response mail(s) could not be stored; they stay on the server for the next run\n";
    return kFormCommandFailed;
  }
  if (!result.completed) {
    err << kPrefix
        << (result.error.empty() ? "the intake did not start"
                                 : "the intake failed: " + result.error)
        << "\n";
    return kFormCommandFailed;
  }
  return 0;
}

}  // namespace vendaro
