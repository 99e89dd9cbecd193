#include "forms/FormScript.h"

namespace vendaro {

std::optional<MailFormScript> storedFormScript(Database& database, const std::string& formName) {
  const QueryResult forms =
      database.query("select formID, email from [Forms] where formName = ? order by formID",
                     {DbValue(formName)});
  if (forms.rows.empty()) return std::nullopt;
  MailFormScript script;
  script.address = forms.rows.front()[1].toText();
  script.subject = formName;
  const QueryResult fields =
      database.query("select fieldName, fieldType from [Fields] where formID = ? order by rowid",
                     {forms.rows.front()[0]});
  for (const auto& field : fields.rows) {
    script.fields.push_back(field[0].toText());
    if (field[1].toText() == "textarea") script.multiLine.push_back(field[0].toText());
  }
  return script;
}

std::filesystem::path scriptFileOf(const std::filesystem::path& page) {
  std::filesystem::path script = page;
  return script.replace_extension(".php");
}

}  // namespace vendaro
