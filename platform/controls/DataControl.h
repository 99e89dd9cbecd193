#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Database.h"
#include "platform/DbValue.h"

namespace vendaro {

class TextBox;
class DataControl;

// One field of the current record.
class Field {
 public:
  Field(DataControl& owner, std::size_t column) : owner_(&owner), column_(column) {}
  const std::string& Name() const;
  // The field's value in the current record (in the edit buffer while an
  // AddNew or Edit runs); DataError 3021 without a current record, 3167 when
  // it was deleted.
  DbValue Value() const;
  // Sets the value in the edit buffer (AddNew or Edit; Edit is implied).
  void setValue(const DbValue& value);

 private:
  DataControl* owner_;
  std::size_t column_;
};

// The record set of a data control: a snapshot of the query's rows with a
// current position, DAO style. Moves save edited bound boxes first and fill
// them afterwards, as the data control does.
class Recordset {
 public:
  explicit Recordset(DataControl& owner) : owner_(owner) {}

  bool Eof() const;
  bool Bof() const;
  void MoveFirst();
  void MoveNext();
  void MovePrevious();
  void MoveLast();
  int RecordCount() const;
  // 0-based position of the current record; -1 when there is none.
  int AbsolutePosition() const;
  void setAbsolutePosition(int position);

  void AddNew();
  void Edit();
  // Writes the edit buffer: a new row for AddNew (appended to the record set;
  // the current record does not change), the current row for Edit. A
  // read-only record set throws DataError 3027.
  void Update();
  void CancelUpdate();
  // Deletes the current record; it stays current (and unreadable) until a move.
  void Delete();

  using BookmarkValue = std::int64_t;
  BookmarkValue Bookmark() const;
  void setBookmark(BookmarkValue bookmark);
  // Moves to the live record whose row key (a table's INTEGER PRIMARY KEY)
  // is `key`; false, and no move, when the record set has none.
  bool FindKey(std::int64_t key);
  // The bookmark of the record added or changed last; DataError 3021 when
  // nothing was written since the last Refresh.
  BookmarkValue LastModified() const;

  // Field by name, letter case ignored; unknown names throw DataError 3265.
  Field Fields(const std::string& name);
  int fieldCount() const;
  Field fieldAt(int index);

 private:
  DataControl& owner_;
};

// A data control: a record-source text (table name or SELECT) on a database,
// its record set, and the text boxes bound to its fields.
class DataControl {
 public:
  explicit DataControl(Database& database, std::string recordSource = {});
  DataControl(const DataControl&) = delete;
  DataControl& operator=(const DataControl&) = delete;

  const std::string& RecordSource() const { return recordSource_; }
  void setRecordSource(const std::string& text) { recordSource_ = text; }
  // Saves edited bound boxes, re-runs the record source and goes to the first
  // record. Throws DataError (and raises onError) when the text cannot run.
  void Refresh();
  // Raises onValidate and writes the edited bound boxes (and a pending AddNew
  // or Edit) to the current record.
  void UpdateRecord();
  // Fills the bound boxes from the current record again, dropping edits.
  void UpdateControls();
  Recordset& recordset() { return recordset_; }

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption) { caption_ = caption; }

  // Binds `box` to `fieldName`: it shows that field of the current record and
  // what is typed into it is stored when the record source moves or refreshes.
  void bind(TextBox& box, const std::string& fieldName);

  // Raised after every change of the current record.
  std::function<void()> onReposition;
  // Raised before every move, update or refresh.
  std::function<void()> onValidate;
  // Raised when Refresh fails, with the data control's error number and text.
  std::function<void(int number, const std::string& description)> onError;

 private:
  friend class Recordset;
  friend class Field;

  struct Binding {
    TextBox* box;
    std::string fieldName;
  };
  enum class EditMode { None, Edit, AddNew };

  Database& database_;
  std::string recordSource_;
  std::string caption_;
  Recordset recordset_{*this};
  std::vector<Binding> bindings_;

  // Raises onValidate, then stores the edited bound boxes and any pending
  // AddNew or Edit into the database.
  void saveEdits();
  void commitEdit();
  void beginEdit(EditMode mode);
  void endEdit();
  void moveTo(long index);
  void fillBoundBoxes();
  void reposition();

  long rowCount() const { return static_cast<long>(result_.rows.size()); }
  bool isLive(long index) const;
  bool onLiveRecord() const { return isLive(position_); }
  // Throws 3021 without a current record and 3167 when it was deleted.
  void requireCurrentRecord() const;
  void requireUpdatable() const;
  void requireColumn(std::size_t column) const;
  long nextLive(long index) const;
  long previousLive(long index) const;
  // Index of the column named `name` (ASCII letter case ignored), or -1.
  long findColumn(const std::string& name) const;
  // The stored values of snapshot row `rowId`, read back after a write;
  // columns the table does not have keep their value from `fallback`.
  std::vector<DbValue> readBack(std::int64_t rowId, const std::vector<DbValue>& fallback);

  // The values of row `index`, read first when only its key is known.
  const std::vector<DbValue>& row(long index);

  // Snapshot of the last Refresh, with rows added since appended at the end.
  // Deleted rows stay in place (marked) so bookmarks remain valid. A source
  // of whole table rows holds only the keys at first (Database::selectKeys):
  // a row's values are read when it is first visited (`loaded_`), so a large
  // table opens at once.
  QueryResult result_;
  std::vector<bool> loaded_;
  std::vector<bool> deleted_;
  long liveRows_ = 0;
  // Index into result_.rows; -1 before the first record, rows.size() after the last.
  long position_ = 0;
  EditMode editMode_ = EditMode::None;
  std::vector<DbValue> editBuffer_;
  std::vector<bool> editTouched_;
  std::int64_t lastModified_ = -1;
};

}  // namespace vendaro
