#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "intake/MailStore.h"
#include "platform/Database.h"

namespace vendaro {

// The form whose responses an intake collects: its name, its field names in
// table order, and whether it is (still) stored in `Forms`.
struct ResponseForm {
  std::string name;
  std::vector<std::string> fields;
  bool exists = false;
};

// What one stored response showed: the subject, sender and intake date.
struct StoredResponse {
  std::string subject;
  std::string sender;
  std::string date;
};

// Stores form responses: for a mail whose subject contains the form's name,
// one `Respond` record per field of the form and the message's unique id in
// `ImportedResponses`, in one transaction. A mail for another form, or for a
// form that no longer exists, is left on the server (the latter is logged).
class ResponseMailStore : public MailStore {
 public:
  // `chosenForm` is asked at the start of every intake; `today` gives the
  // intake date (empty: the local date as YYYY-MM-DD).
  ResponseMailStore(Database& database, std::function<ResponseForm()> chosenForm,
                    std::function<std::string()> today);

  void prepare(const std::string& mailboxKey) override;
  bool wasImported(const std::string& uid) const override;
  std::string importedNote() const override {
    return "was imported before; its response is not stored again.";
  }
  StoredMail store(const std::string& messageText, const std::string& uid) override;

  // Raised after each stored response.
  std::function<void(const StoredResponse&)> onStored;
  // Responses left on the server in this intake because their form is gone.
  int keptForMissingForm() const { return keptForMissingForm_; }

 private:
  void writeResponse(const std::string& mail, const StoredResponse& response,
                     const std::string& uid);
  std::string today() const;

  Database& database_;
  std::function<ResponseForm()> chosenForm_;
  std::function<std::string()> today_;
  ResponseForm form_;
  std::string mailbox_;
  std::set<std::string> imported_;
  int keptForMissingForm_ = 0;
};

}  // namespace vendaro
