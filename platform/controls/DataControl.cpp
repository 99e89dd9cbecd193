#include "platform/controls/DataControl.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/Text.h"
#include "platform/controls/TextBox.h"

namespace vendaro {
namespace {

[[noreturn]] void throwNoCurrentRecord() {
  throw DataError(data_errors::kNoCurrentRecord, "No current record.");
}

// An emptied bound box stores Null, as the data control does, so that a
// cleared number field does not turn into an empty text.
DbValue boxValue(const TextBox& box) {
  if (box.Text().empty()) return {};
  return DbValue(box.Text());
}

}  // namespace

// ---- Field ----

const std::string& Field::Name() const {
  owner_->requireColumn(column_);
  return owner_->result_.columns[column_];
}

DbValue Field::Value() const {
  owner_->requireColumn(column_);
  if (owner_->editMode_ != DataControl::EditMode::None) return owner_->editBuffer_[column_];
  owner_->requireCurrentRecord();
  return owner_->row(owner_->position_)[column_];
}

void Field::setValue(const DbValue& value) {
  owner_->requireColumn(column_);
  if (owner_->editMode_ == DataControl::EditMode::None) owner_->recordset_.Edit();
  owner_->editBuffer_[column_] = value;
  owner_->editTouched_[column_] = true;
}

// ---- Recordset ----

// With no records left both ends hold once the cursor is off the rows; a
// deleted current record keeps both false until the next move, as in DAO.
bool Recordset::Eof() const {
  const long position = owner_.position_;
  return position >= owner_.rowCount() || (owner_.liveRows_ == 0 && position < 0);
}

bool Recordset::Bof() const {
  const long position = owner_.position_;
  return position < 0 || (owner_.liveRows_ == 0 && position >= owner_.rowCount());
}

void Recordset::MoveFirst() {
  if (owner_.liveRows_ == 0) throwNoCurrentRecord();
  owner_.saveEdits();
  owner_.moveTo(owner_.nextLive(-1));
}

void Recordset::MoveLast() {
  if (owner_.liveRows_ == 0) throwNoCurrentRecord();
  owner_.saveEdits();
  owner_.moveTo(owner_.previousLive(owner_.rowCount()));
}

void Recordset::MoveNext() {
  if (Eof()) throwNoCurrentRecord();
  owner_.saveEdits();
  owner_.moveTo(owner_.nextLive(owner_.position_));
}

void Recordset::MovePrevious() {
  if (Bof()) throwNoCurrentRecord();
  owner_.saveEdits();
  owner_.moveTo(owner_.previousLive(owner_.position_));
}

int Recordset::RecordCount() const {
  return static_cast<int>(owner_.liveRows_);
}

int Recordset::AbsolutePosition() const {
  if (!owner_.onLiveRecord()) return -1;
  return static_cast<int>(
      std::count(owner_.deleted_.begin(), owner_.deleted_.begin() + owner_.position_, false));
}

void Recordset::setAbsolutePosition(int position) {
  if (position < 0 || position >= owner_.liveRows_) {
    throw DataError(data_errors::kInvalidArgument, "Invalid argument.");
  }
  owner_.saveEdits();
  long index = owner_.nextLive(-1);
  for (int skipped = 0; skipped < position; ++skipped) index = owner_.nextLive(index);
  owner_.moveTo(index);
}

void Recordset::AddNew() {
  owner_.requireUpdatable();
  owner_.beginEdit(DataControl::EditMode::AddNew);
  owner_.fillBoundBoxes();
}

void Recordset::Edit() {
  owner_.requireUpdatable();
  owner_.requireCurrentRecord();
  owner_.beginEdit(DataControl::EditMode::Edit);
}

void Recordset::Update() {
  if (owner_.editMode_ == DataControl::EditMode::None) {
    throw DataError(data_errors::kNoEditInProgress,
                    "Update or CancelUpdate without AddNew or Edit.");
  }
  owner_.commitEdit();
}

void Recordset::CancelUpdate() {
  const bool wasAdding = owner_.editMode_ == DataControl::EditMode::AddNew;
  owner_.endEdit();
  if (wasAdding) owner_.fillBoundBoxes();
}

void Recordset::Delete() {
  owner_.requireUpdatable();
  owner_.requireCurrentRecord();
  const auto index = static_cast<std::size_t>(owner_.position_);
  owner_.database_.deleteRow(owner_.result_.baseTable, owner_.result_.rowIds[index]);
  owner_.endEdit();
  owner_.deleted_[index] = true;
  --owner_.liveRows_;
}

Recordset::BookmarkValue Recordset::Bookmark() const {
  owner_.requireCurrentRecord();
  return owner_.position_;
}

void Recordset::setBookmark(BookmarkValue bookmark) {
  if (bookmark < 0 || !owner_.isLive(static_cast<long>(bookmark))) {
    throw DataError(data_errors::kInvalidBookmark, "Not a valid bookmark.");
  }
  owner_.saveEdits();
  owner_.moveTo(static_cast<long>(bookmark));
}

bool Recordset::FindKey(std::int64_t key) {
  const auto& keys = owner_.result_.rowIds;
  const auto found = std::find(keys.begin(), keys.end(), key);
  const long index = static_cast<long>(found - keys.begin());
  if (found == keys.end() || !owner_.isLive(index)) return false;
  owner_.saveEdits();
  owner_.moveTo(index);
  return true;
}

Recordset::BookmarkValue Recordset::LastModified() const {
  if (owner_.lastModified_ < 0) throwNoCurrentRecord();
  return owner_.lastModified_;
}

Field Recordset::Fields(const std::string& name) {
  const long column = owner_.findColumn(name);
  if (column < 0) {
    throw DataError(data_errors::kItemNotFound, "Item not found in this collection: " + name);
  }
  return Field(owner_, static_cast<std::size_t>(column));
}

int Recordset::fieldCount() const {
  return static_cast<int>(owner_.result_.columns.size());
}

Field Recordset::fieldAt(int index) {
  if (index < 0 || index >= fieldCount()) {
    throw DataError(data_errors::kItemNotFound, "Item not found in this collection.");
  }
  return Field(owner_, static_cast<std::size_t>(index));
}

// ---- DataControl ----

DataControl::DataControl(Database& database, std::string recordSource)
    : database_(database), recordSource_(std::move(recordSource)) {}

void DataControl::Refresh() {
  try {
    saveEdits();
    if (std::optional<QueryResult> keys = database_.selectKeys(recordSource_)) {
      result_ = std::move(*keys);
      result_.rows.assign(result_.rowIds.size(), {});
      loaded_.assign(result_.rowIds.size(), false);
    } else {
      result_ = database_.select(recordSource_);
      loaded_.assign(result_.rows.size(), true);
    }
  } catch (const DataError& error) {
    if (onError) onError(error.number(), error.what());
    throw;
  }
  deleted_.assign(result_.rows.size(), false);
  liveRows_ = rowCount();
  lastModified_ = -1;
  endEdit();
  moveTo(liveRows_ > 0 ? 0 : rowCount());
}

void DataControl::UpdateRecord() {
  saveEdits();
}

void DataControl::UpdateControls() {
  endEdit();
  fillBoundBoxes();
}

void DataControl::bind(TextBox& box, const std::string& fieldName) {
  bindings_.push_back({&box, fieldName});
}

void DataControl::saveEdits() {
  if (onValidate) onValidate();
  const bool adding = editMode_ == EditMode::AddNew;
  if (!adding && !onLiveRecord()) return;

  std::vector<std::pair<TextBox*, std::size_t>> edited;
  for (const Binding& binding : bindings_) {
    const long column = findColumn(binding.fieldName);
    if (binding.box->DataChanged() && column >= 0) {
      edited.emplace_back(binding.box, static_cast<std::size_t>(column));
    }
  }
  const bool touched =
      std::find(editTouched_.begin(), editTouched_.end(), true) != editTouched_.end();
  if (edited.empty() && !touched) {
    // Nothing was typed or set: an untouched new record is dropped rather
    // than stored as an empty row.
    endEdit();
    if (adding) fillBoundBoxes();
    return;
  }
  if (editMode_ == EditMode::None) recordset_.Edit();
  for (const auto& [box, column] : edited) {
    editBuffer_[column] = boxValue(*box);
    editTouched_[column] = true;
  }
  commitEdit();
  for (const auto& [box, column] : edited) box->setDataChanged(false);
}

void DataControl::commitEdit() {
  requireUpdatable();
  FieldValues values;
  for (std::size_t column = 0; column < editBuffer_.size(); ++column) {
    if (editTouched_[column]) values.emplace_back(result_.columns[column], editBuffer_[column]);
  }
  if (editMode_ == EditMode::AddNew) {
    const std::int64_t rowId = database_.insertRow(result_.baseTable, values);
    const bool wasPastEnd = position_ >= rowCount();
    result_.rows.push_back(readBack(rowId, editBuffer_));
    result_.rowIds.push_back(rowId);
    loaded_.push_back(true);
    deleted_.push_back(false);
    ++liveRows_;
    lastModified_ = rowCount() - 1;
    if (wasPastEnd) position_ = rowCount();
  } else {
    requireCurrentRecord();
    const auto index = static_cast<std::size_t>(position_);
    database_.updateRow(result_.baseTable, result_.rowIds[index], values);
    result_.rows[index] = readBack(result_.rowIds[index], editBuffer_);
    lastModified_ = position_;
  }
  endEdit();
}

void DataControl::beginEdit(EditMode mode) {
  if (mode == EditMode::AddNew) {
    editBuffer_.assign(result_.columns.size(), DbValue());
  } else {
    editBuffer_ = row(position_);
  }
  editTouched_.assign(result_.columns.size(), false);
  editMode_ = mode;
}

void DataControl::endEdit() {
  editMode_ = EditMode::None;
  editBuffer_.clear();
  editTouched_.clear();
}

void DataControl::moveTo(long index) {
  position_ = index;
  fillBoundBoxes();
  reposition();
}

void DataControl::fillBoundBoxes() {
  const bool adding = editMode_ == EditMode::AddNew;
  for (const Binding& binding : bindings_) {
    const long column = findColumn(binding.fieldName);
    std::string text;
    if (column >= 0 && adding) {
      text = editBuffer_[column].toText();
    } else if (column >= 0 && onLiveRecord()) {
      text = row(position_)[column].toText();
    }
    binding.box->setText(text);
    binding.box->setDataChanged(false);
  }
}

// A record set of keys reads each row once, when it is first needed.
const std::vector<DbValue>& DataControl::row(long index) {
  std::vector<DbValue>& values = result_.rows[static_cast<std::size_t>(index)];
  if (!loaded_[static_cast<std::size_t>(index)]) {
    values = readBack(result_.rowIds[static_cast<std::size_t>(index)],
                      std::vector<DbValue>(result_.columns.size()));
    loaded_[static_cast<std::size_t>(index)] = true;
  }
  return values;
}

void DataControl::reposition() {
  if (onReposition) onReposition();
}

bool DataControl::isLive(long index) const {
  return index >= 0 && index < rowCount() && !deleted_[index];
}

void DataControl::requireCurrentRecord() const {
  if (position_ < 0 || position_ >= rowCount()) throwNoCurrentRecord();
  if (deleted_[position_]) throw DataError(data_errors::kRecordDeleted, "Record is deleted.");
}

void DataControl::requireUpdatable() const {
  if (result_.baseTable.empty()) {
    throw DataError(data_errors::kReadOnly, "Cannot update. Database or object is read-only.");
  }
}

void DataControl::requireColumn(std::size_t column) const {
  if (column >= result_.columns.size()) {
    throw DataError(data_errors::kItemNotFound, "Item not found in this collection.");
  }
}

long DataControl::nextLive(long index) const {
  do {
    ++index;
  } while (index < rowCount() && deleted_[index]);
  return index;
}

long DataControl::previousLive(long index) const {
  do {
    --index;
  } while (index >= 0 && deleted_[index]);
  return index;
}

long DataControl::findColumn(const std::string& name) const {
  const auto& columns = result_.columns;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (text::equalsIgnoringCase(columns[i], name)) return static_cast<long>(i);
  }
  return -1;
}

std::vector<DbValue> DataControl::readBack(std::int64_t rowId,
                                           const std::vector<DbValue>& fallback) {
  std::vector<DbValue> row = fallback;
  for (const auto& [name, value] : database_.readRow(result_.baseTable, rowId)) {
    const long column = findColumn(name);
    if (column >= 0) row[column] = value;
  }
  return row;
}

}  // namespace vendaro
