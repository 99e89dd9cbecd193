#include "forms/ResponseMailStore.h"

#include "common/Dates.h"
#include "common/MailValues.h"
#include "forms/FormTables.h"
#include "forms/ResponseFields.h"
#include "platform/mime/MailBodyDecoder.h"

namespace vendaro {
namespace {

constexpr const char* kImportedSchema = R"sql(
CREATE TABLE IF NOT EXISTS [ImportedResponses] (
  mailbox TEXT NOT NULL, uid TEXT NOT NULL, PRIMARY KEY (mailbox, uid));
)sql";

}  // namespace

ResponseMailStore::ResponseMailStore(Database& database, std::function<ResponseForm()> chosenForm,
                                     std::function<std::string()> today)
    : database_(database), chosenForm_(std::move(chosenForm)), today_(std::move(today)) {}

void ResponseMailStore::prepare(const std::string& mailboxKey) {
  createFormTables(database_);
  database_.createMissingTables({"ImportedResponses"}, kImportedSchema);
  form_ = chosenForm_();
  mailbox_ = mailboxKey;
  keptForMissingForm_ = 0;
  imported_.clear();
  for (const auto& row : database_.select("ImportedResponses").rows) {
    if (row.size() >= 2 && row[0] == DbValue(mailbox_)) imported_.insert(row[1].toText());
  }
}

bool ResponseMailStore::wasImported(const std::string& uid) const {
  return !uid.empty() && imported_.count(uid) > 0;
}

// A mail for another form is not this intake's to delete: it stays on the
// server for the intake of its own form (or the order intake).
StoredMail ResponseMailStore::store(const std::string& messageText, const std::string& uid) {
  const std::string mail = decodedMailText(messageText);
  const StoredResponse response{decodedHeaderText(GetLineValue(mail, "Subject:")),
                                decodedHeaderText(GetLineValue(mail, "from:")), today()};
  if (response.subject.empty() || response.subject.find(form_.name) == std::string::npos) {
    return {StoreOutcome::NotForMe};
  }
  if (!form_.exists) {
    ++keptForMissingForm_;
    return {StoreOutcome::NotForMe,
            {},
            "A response to the form " + form_.name +
                ", which no longer exists, stays on the server (from" + response.sender + ").\r\n"};
  }
  if (form_.fields.empty()) {
    return {StoreOutcome::NotForMe,
            {},
            "The form " + form_.name + " has no fields; the response stays on the server (from" +
                response.sender + ").\r\n"};
  }
  try {
    writeResponse(mail, response, uid);
  } catch (const DataError& error) {
    return {StoreOutcome::Failed, error.what(),
            "The response of" + response.sender + " could not be stored: " + error.what() + "\r\n"};
  }
  if (!uid.empty()) imported_.insert(uid);
  if (onStored) onStored(response);
  return {StoreOutcome::Stored, {}, "Response from" + response.sender + "\r\n"};
}

void ResponseMailStore::writeResponse(const std::string& mail, const StoredResponse& response,
                                      const std::string& uid) {
  const std::vector<std::string> values = responseFieldValues(mail, form_.fields);
  database_.beginTransaction();
  try {
    for (std::size_t i = 0; i < form_.fields.size(); ++i) {
      database_.insertRow("Respond", {{"respondForm", DbValue(response.subject)},
                                      {"respondDate", DbValue(response.date)},
                                      {"responder", DbValue(response.sender)},
                                      {"FieldName", DbValue(form_.fields[i])},
                                      {"fieldValue", DbValue(values[i])}});
    }
    if (!uid.empty()) {
      database_.execute("INSERT OR IGNORE INTO [ImportedResponses] (mailbox, uid) VALUES (?, ?)",
                        {DbValue(mailbox_), DbValue(uid)});
    }
    database_.commit();
  } catch (const DataError&) {
    try {
      database_.rollback();
    } catch (const DataError&) {
      // The transaction is gone already; nothing of it was kept.
    }
    throw;
  }
}

std::string ResponseMailStore::today() const {
  return today_ ? today_() : localDateNow();
}

}  // namespace vendaro
