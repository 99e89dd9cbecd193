#include "forms/FormTables.h"

namespace vendaro {
namespace {

// Every column the form creator writes is text, but the keys.
constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS [Forms] (
  formID INTEGER PRIMARY KEY AUTOINCREMENT, formName TEXT, formFile TEXT, tabStyle TEXT,
  baseLoc TEXT, [frame] TEXT, backmage TEXT, backColor TEXT, backText TEXT, hyperlink TEXT,
  VHyperlink TEXT, AHyperlink TEXT, email TEXT);
CREATE TABLE IF NOT EXISTS [Fields] (
  formID INTEGER, fieldName TEXT, fieldType TEXT, fieldDescription TEXT);
CREATE TABLE IF NOT EXISTS [Respond] (
  respondID INTEGER PRIMARY KEY AUTOINCREMENT, respondForm TEXT, respondDate TEXT,
  responder TEXT, FieldName TEXT, fieldValue TEXT);
)sql";

}  // namespace

void createFormTables(Database& database) {
  database.createMissingTables({"Forms", "Fields", "Respond"}, kSchema);
}

}  // namespace vendaro
