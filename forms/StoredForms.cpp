#include "forms/StoredForms.h"

#include <algorithm>
#include <optional>

#include "forms/FormTables.h"
#include "forms/ResponseRows.h"
#include "platform/SqlText.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

// The position of `column` in the result, if it has one.
std::optional<std::size_t> columnIndex(const QueryResult& result, const std::string& column) {
  const auto found = std::find(result.columns.begin(), result.columns.end(), column);
  if (found == result.columns.end()) return std::nullopt;
  return static_cast<std::size_t>(found - result.columns.begin());
}

// The texts of `column` in every row; nothing when the result has no such column.
std::vector<std::string> columnTexts(const QueryResult& result, const std::string& column) {
  std::vector<std::string> texts;
  const std::optional<std::size_t> index = columnIndex(result, column);
  if (!index) return texts;
  for (const auto& row : result.rows) texts.push_back(row[*index].toText());
  return texts;
}

// The value of `column` in `row` as a bound text box shows it.
std::string fieldText(const QueryResult& result, std::size_t row, const std::string& column) {
  const std::optional<std::size_t> index = columnIndex(result, column);
  return index ? result.rows[row][*index].toText() : std::string();
}

// The row of the first form named `name`: a null name matches nothing.
std::optional<std::size_t> formRow(const QueryResult& forms, const std::string& name) {
  const std::optional<std::size_t> index = columnIndex(forms, "formName");
  if (!index) return std::nullopt;
  for (std::size_t row = 0; row < forms.rows.size(); ++row) {
    const DbValue& value = forms.rows[row][*index];
    if (!value.isNull() && value.toText() == name) return row;
  }
  return std::nullopt;
}

// The fields of the form in `row`; none when its key is not a whole number.
QueryResult formFields(Database& database, const QueryResult& forms, std::size_t row) {
  const std::optional<std::string> formId = sqlWholeNumber(fieldText(forms, row, "formID"));
  if (!formId) return {};
  return database.select("Select * From Fields Where (Fields.formID = " + *formId + ")");
}

void deleteFormRecords(Database& database, const std::string& formId, const std::string& name) {
  const DbValue key(static_cast<std::int64_t>(std::stoll(formId)));
  database.beginTransaction();
  try {
    database.execute("DELETE FROM [Fields] WHERE formID = ?", {key});
    database.execute("DELETE FROM [Respond] WHERE trim(respondForm) = ?", {DbValue(name)});
    database.execute("DELETE FROM [Forms] WHERE formID = ?", {key});
    database.commit();
  } catch (const DataError&) {
    database.rollback();
    throw;
  }
}

}  // namespace

Outcome<StoredForm> readStoredForm(Database& database, const std::string& name) {
  try {
    createFormTables(database);
    const QueryResult forms = database.select("Forms");
    const std::optional<std::size_t> row = formRow(forms, name);
    if (!row) return failure(ErrorKind::NotFound, "no form named " + name);
    const auto text = [&](const char* column) { return fieldText(forms, *row, column); };
    StoredForm form;
    form.page = {name,
                 text("baseLoc"),
                 text("backmage"),
                 text("backColor"),
                 text("backText"),
                 text("hyperlink"),
                 text("VHyperlink"),
                 text("AHyperlink"),
                 text("email"),
                 text("tabStyle"),
                 {}};
    const QueryResult fields = formFields(database, forms, *row);
    form.rows = columnTexts(fields, "fieldDescription");
    form.fieldNames = columnTexts(fields, "fieldName");
    return form;
  } catch (const DataError& error) {
    return failure(ErrorKind::Io, error.what());
  }
}

Outcome<ResponseForm> responseFormOf(Database& database, const std::string& name) {
  Outcome<StoredForm> stored = readStoredForm(database, name);
  if (stored) return ResponseForm{name, std::move(stored->fieldNames), true};
  if (stored.error().kind != ErrorKind::NotFound) return stored.error();
  return ResponseForm{name, {}, false};
}

// The responses (mails) stored under exactly this form's name.
int storedResponseCount(Database& database, const std::string& name) {
  int count = 0;
  for (const FormResponse& response :
       groupResponses(database.select("select * from [Respond] order by respondID"), name)) {
    if (text::trimmed(response.respondForm) == name) ++count;
  }
  return count;
}

std::string deletionQuestion(const std::string& name, int responses) {
  if (responses == 0) return "Delete the form \"" + name + "\"? It has no stored responses.";
  if (responses == 1) return "Delete the form \"" + name + "\" and its stored response?";
  return "Delete the form \"" + name + "\" and its " + std::to_string(responses) +
         " stored responses?";
}

Outcome<bool> deleteStoredForm(Database& database, const std::string& name,
                               const std::function<bool(const std::string& question)>& confirm) {
  try {
    createFormTables(database);
    const QueryResult forms = database.select("Forms");
    const std::optional<std::size_t> row = formRow(forms, name);
    if (!row) return failure(ErrorKind::NotFound, "no form named " + name);
    if (!confirm(deletionQuestion(name, storedResponseCount(database, name)))) return false;
    const std::optional<std::string> formId = sqlWholeNumber(fieldText(forms, *row, "formID"));
    if (!formId) return failure(ErrorKind::Io, "the form " + name + " has no key");
    deleteFormRecords(database, *formId, name);
    return true;
  } catch (const DataError& error) {
    return failure(ErrorKind::Io, error.what());
  }
}

}  // namespace vendaro
