#include "common/DataLists.h"

#include "platform/Database.h"

namespace vendaro {
namespace {

// Goes to the first record; false when the record source has none.
bool moveToFirstRecord(Recordset& records) {
  try {
    records.MoveFirst();
  } catch (const DataError& error) {
    if (error.number() == data_errors::kNoCurrentRecord) return false;
    throw;
  }
  return !records.Eof();
}

void fillFromData(ListControl& list, DataControl& source, const TextBox& boundBox) {
  source.Refresh();
  list.Clear();
  Recordset& records = source.recordset();
  if (!moveToFirstRecord(records)) return;
  while (!records.Eof()) {
    list.AddItem(boundBox.Text());
    records.MoveNext();
  }
}

bool fieldShows(const DbValue& field, const std::string& value) {
  return !field.isNull() && field.toText() == value;
}

}  // namespace

void FillComboFromData(ListControl& combo, DataControl& source, const TextBox& boundBox) {
  fillFromData(combo, source, boundBox);
}

void FillListFromData(ListControl& list, DataControl& source, const TextBox& boundBox) {
  fillFromData(list, source, boundBox);
}

void FindRecord(DataControl& source, const std::string& fieldName, const std::string& value) {
  Recordset& records = source.recordset();
  if (!moveToFirstRecord(records)) return;
  while (!records.Eof()) {
    if (fieldShows(records.Fields(fieldName).Value(), value)) return;
    records.MoveNext();
  }
}

}  // namespace vendaro
