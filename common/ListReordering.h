#pragma once

#include "platform/Dialogs.h"
#include "platform/controls/ListControl.h"

namespace vendaro {

// Swaps the selected entry with the one below it and keeps it selected.
// Does nothing when nothing is selected or the last entry is selected.
void MoveItemDown(ListControl& list);

// Swaps the selected entry with the one above it and keeps it selected.
// Does nothing when nothing is selected or the first entry is selected.
void MoveItemUp(ListControl& list);

// Warns once for every entry of `combo` that equals its edit text exactly
// (letter case counts). Changes nothing.
void CheckDuplicateName(const ListControl& combo, Dialogs& dialogs);

}  // namespace vendaro
