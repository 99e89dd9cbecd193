#include "forms/ResponseRows.h"

#include <algorithm>

namespace vendaro {
namespace {

std::string column(const QueryResult& result, const std::vector<DbValue>& row,
                   const std::string& name) {
  const auto found = std::find(result.columns.begin(), result.columns.end(), name);
  if (found == result.columns.end()) return {};
  return row[static_cast<std::size_t>(found - result.columns.begin())].toText();
}

bool continues(const FormResponse& response, const FormResponse& record) {
  return response.respondForm == record.respondForm && response.respondDate == record.respondDate &&
         response.responder == record.responder &&
         std::find(response.fieldNames.begin(), response.fieldNames.end(),
                   record.fieldNames.front()) == response.fieldNames.end();
}

}  // namespace

std::string FormResponse::value(const std::string& name) const {
  const auto found = std::find(fieldNames.begin(), fieldNames.end(), name);
  if (found == fieldNames.end()) return {};
  return fieldValues[static_cast<std::size_t>(found - fieldNames.begin())];
}

std::vector<FormResponse> groupResponses(const QueryResult& respond, const std::string& formName) {
  std::vector<FormResponse> responses;
  for (const auto& row : respond.rows) {
    FormResponse record{column(respond, row, "respondForm"),
                        column(respond, row, "respondDate"),
                        column(respond, row, "responder"),
                        {column(respond, row, "FieldName")},
                        {column(respond, row, "fieldValue")}};
    if (record.respondForm.find(formName) == std::string::npos) continue;
    if (!responses.empty() && continues(responses.back(), record)) {
      responses.back().fieldNames.push_back(record.fieldNames.front());
      responses.back().fieldValues.push_back(record.fieldValues.front());
    } else {
      responses.push_back(std::move(record));
    }
  }
  return responses;
}

}  // namespace vendaro
