#pragma once

#include <string>
#include <vector>

#include "platform/Database.h"

namespace vendaro {

// One submitted response: the records the intake stored for one mail.
struct FormResponse {
  std::string respondForm;
  std::string respondDate;
  std::string responder;
  std::vector<std::string> fieldNames;
  std::vector<std::string> fieldValues;

  // The value of field `name`; empty when the response has none.
  std::string value(const std::string& name) const;
};

// Groups the `Respond` rows (in key order) into responses: a run of rows with
// the same subject, date and sender, a new response starting where a field
// name comes again. Only the responses whose subject contains `formName`
// (letter case counts, as the intake matches them) are kept.
std::vector<FormResponse> groupResponses(const QueryResult& respond, const std::string& formName);

}  // namespace vendaro
