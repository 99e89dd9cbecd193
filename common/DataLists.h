#pragma once

#include <string>

#include "platform/controls/DataControl.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// Re-runs `source`, clears `combo` and appends the text of `boundBox` (a box
// bound to one field of `source`) for every record, in order. An empty
// record source leaves the list empty. Errors of the record source other than
// an empty set (a record source that cannot run) are passed on as DataError.
void FillComboFromData(ListControl& combo, DataControl& source, const TextBox& boundBox);

// The same for a list box.
void FillListFromData(ListControl& list, DataControl& source, const TextBox& boundBox);

// Goes to the first record whose field `fieldName` shows `value` exactly (as
// a bound box would show it; a null field matches nothing). Without a match
// the record source ends past its last record (EOF). An unknown field name is
// passed on as DataError 3265.
void FindRecord(DataControl& source, const std::string& fieldName, const std::string& value);

}  // namespace vendaro
