#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "platform/HeadlessDialogs.h"

namespace vendaro {

inline constexpr int kFormCommandFailed = 2;

// The options of `vendaro form-page`.
struct FormPageOptions {
  std::filesystem::path appFolder;  // already resolved
  std::string form;
  std::filesystem::path output;  // empty: the page goes to `out`
  // The page posts to a mail script written beside it (`output` with ".php").
  bool formScript = false;
};

// Writes the page of a stored form with its fields in table order, as
// "Save" writes it (the page text and one CR LF). Returns kFormCommandFailed
// with a message on `err` when the database or the form is missing or the
// file cannot be written. With `formScript` the page posts to its mail script,
// written beside it; the form then needs a plain e-mail address and `output`.
int runFormPageCommand(const FormPageOptions& options, std::ostream& out, std::ostream& err);

// The options of `vendaro responses`.
struct ListResponsesOptions {
  std::filesystem::path appFolder;  // already resolved
  std::string form;
  bool csv = false;
};

// Lists the stored responses of a form, one per mail, with one value per
// field of the form (the fields of the stored records that the form no
// longer has follow). With `csv`: a header row "responder,respondDate" and
// the field names, then one row per response. A form that does not exist
// and has no stored responses gives a message and kFormCommandFailed.
int runResponsesCommand(const ListResponsesOptions& options, std::ostream& out, std::ostream& err);

// The options of `vendaro delete-form`.
struct DeleteFormOptions {
  std::filesystem::path appFolder;  // already resolved
  std::string form;
  QuestionAnswer questionAnswer = QuestionAnswer::No;
};

// Deletes a stored form with its fields and its stored responses, as
// "Delete" does, after the question that names how many responses go with
// it (printed on `err`; answered No unless `--yes`). Returns
// kFormCommandFailed when the form is missing or the answer is No.
int runDeleteFormCommand(const DeleteFormOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vendaro
