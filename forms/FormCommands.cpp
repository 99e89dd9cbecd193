#include "forms/FormCommands.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "common/CsvText.h"
#include "common/TextFile.h"
#include "forms/FormScript.h"
#include "forms/FormTables.h"
#include "forms/ResponseRows.h"
#include "forms/StoredForms.h"
#include "platform/HeadlessDialogs.h"
#include "platform/Text.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {
namespace {

constexpr const char* kFormPagePrefix = "vendaro form-page: ";
constexpr const char* kResponsesPrefix = "vendaro responses: ";
constexpr const char* kDeleteFormPrefix = "vendaro delete-form: ";

// A command that only reads does not create the database.
bool databaseExists(const std::filesystem::path& appFolder, const char* prefix, std::ostream& err) {
  const std::filesystem::path file = appFolder / kProgramDatabaseFile;
  if (std::filesystem::is_regular_file(file)) return true;
  err << prefix << "no database " << file.string() << "\n";
  return false;
}

// The field names of the form in table order, then those of the responses
// that the form no longer has.
std::vector<std::string> responseColumns(std::vector<std::string> columns,
                                         const std::vector<FormResponse>& responses) {
  for (const FormResponse& response : responses) {
    for (const std::string& name : response.fieldNames) {
      if (std::find(columns.begin(), columns.end(), name) == columns.end()) columns.push_back(name);
    }
  }
  return columns;
}

// A service's error as the command prints it: a missing form as it is, any
// other failure after `lead`.
void printFailure(std::ostream& err, const char* prefix, const Error& error, const char* lead) {
  err << prefix << (error.kind == ErrorKind::NotFound ? "" : lead) << error.message << "\n";
}

// A value as one CSV cell: trimmed, and its inner line breaks as blanks, so
// no cell spans two lines.
std::string csvCell(const std::string& value) {
  std::string cell;
  for (char c : text::trimmed(value)) {
    if (c == '\r') continue;
    cell += c == '\n' ? ' ' : c;
  }
  return cell;
}

void writeResponses(const std::vector<FormResponse>& responses,
                    const std::vector<std::string>& columns, bool csv, std::ostream& out) {
  if (csv) {
    std::vector<std::string> header = {"responder", "respondDate"};
    header.insert(header.end(), columns.begin(), columns.end());
    out << csvRow(header);
  } else if (responses.empty()) {
    out << "No responses.\n";
  }
  for (const FormResponse& response : responses) {
    if (csv) {
      std::vector<std::string> row = {std::string(text::trimmed(response.responder)),
                                      response.respondDate};
      for (const std::string& name : columns) row.push_back(csvCell(response.value(name)));
      out << csvRow(row);
      continue;
    }
    out << "Response from " << text::trimmed(response.responder) << " on " << response.respondDate
        << "\n";
    for (const std::string& name : columns) {
      out << "  " << name << ": " << text::withLf(text::trimmed(response.value(name))) << "\n";
    }
  }
}

// A page or script replaces a plain file only: a link or a device at that
// name is left as it is instead of being replaced.
bool writePlainFile(const std::filesystem::path& file, const std::string& text, std::ostream& err) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(file, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    err << kFormPagePrefix << file.string() << " is not a regular file; the page was not written\n";
    return false;
  }
  if (!writeWholeFile(file, text)) {
    err << kFormPagePrefix << "cannot write " << file.string() << "\n";
    return false;
  }
  return true;
}

}  // namespace

int runFormPageCommand(const FormPageOptions& options, std::ostream& out, std::ostream& err) {
  if (!databaseExists(options.appFolder, kFormPagePrefix, err)) return kFormCommandFailed;
  SqliteDatabase database(options.appFolder / kProgramDatabaseFile);
  const Outcome<StoredForm> form = readStoredForm(database, options.form);
  if (!form) {
    printFailure(err, kFormPagePrefix, form.error(), "cannot read the forms: ");
    return kFormCommandFailed;
  }
  std::string scriptFile;
  std::optional<MailFormScript> script;
  if (options.formScript) {
    if (options.output.empty()) {
      err << kFormPagePrefix << "--form-script needs --output: the script goes beside the page\n";
      return kFormCommandFailed;
    }
    script = storedFormScript(database, options.form);
    if (!script || !isPlainMailAddress(script->address)) {
      err << kFormPagePrefix << "the form " << options.form
          << " has no plain e-mail address (letters, digits, \".@_+-\") for its script\n";
      return kFormCommandFailed;
    }
    scriptFile = scriptFileOf(options.output).filename().string();
  }
  FormPageProperties properties = form->page;
  properties.scriptFile = scriptFile;
  const std::string page = formPageText(properties, form->rows) + std::string(text::kCrLf);
  if (options.output.empty()) {
    out << page;
    return 0;
  }
  if (script && !writePlainFile(scriptFileOf(options.output), mailFormScriptText(*script), err)) {
    return kFormCommandFailed;
  }
  return writePlainFile(options.output, page, err) ? 0 : kFormCommandFailed;
}

int runResponsesCommand(const ListResponsesOptions& options, std::ostream& out, std::ostream& err) {
  if (!databaseExists(options.appFolder, kResponsesPrefix, err)) return kFormCommandFailed;
  SqliteDatabase database(options.appFolder / kProgramDatabaseFile);
  const Outcome<ResponseForm> form = responseFormOf(database, options.form);
  std::vector<FormResponse> responses;
  try {
    if (!form) throw DataError(data_errors::kOtherError, form.error().message);
    responses =
        groupResponses(database.select("select * from [Respond] order by respondID"), options.form);
  } catch (const DataError& error) {
    err << kResponsesPrefix << "cannot read the responses: " << error.what() << "\n";
    return kFormCommandFailed;
  }
  const bool formExists = form->exists;
  // The responses of a form deleted since are still listed.
  if (!formExists && responses.empty()) {
    err << kResponsesPrefix << "there is no form named " << options.form << "\n";
    return kFormCommandFailed;
  }
  writeResponses(responses, responseColumns(form->fields, responses), options.csv, out);
  return 0;
}

int runDeleteFormCommand(const DeleteFormOptions& options, std::ostream& out, std::ostream& err) {
  if (!databaseExists(options.appFolder, kDeleteFormPrefix, err)) return kFormCommandFailed;
  SqliteDatabase database(options.appFolder / kProgramDatabaseFile);
  bool asked = false;
  HeadlessDialogs dialogs(
      [&err, &asked](const std::string& text, MessageIcon) {
        asked = true;
        err << text << "\n";
      },
      options.questionAnswer);
  const Outcome<bool> deleted =
      deleteStoredForm(database, options.form, [&dialogs](const std::string& question) {
        return dialogs.MsgBox(question, MessageButtons::YesNo, MessageIcon::Question, {}) ==
               MessageResult::Yes;
      });
  if (!deleted) {
    printFailure(err, kDeleteFormPrefix, deleted.error(), "cannot delete the form: ");
    return kFormCommandFailed;
  }
  if (!*deleted) {
    err << kDeleteFormPrefix << "not deleted" << (asked ? " (--yes deletes it)" : "") << "\n";
    return kFormCommandFailed;
  }
  out << "deleted the form " << options.form << "\n";
  return 0;
}

}  // namespace vendaro
