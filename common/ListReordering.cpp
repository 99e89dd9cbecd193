#include "common/ListReordering.h"

#include <string>

namespace vendaro {
namespace {

constexpr const char* kDuplicateNameMessage =
    "You already have the same name , Please choose a new one ";

// Replaces the entries at `upper` and `upper + 1` by each other.
void swapNeighbours(ListControl& list, int upper) {
  const std::string first = list.List(upper);
  const std::string second = list.List(upper + 1);
  list.RemoveItem(upper);
  list.RemoveItem(upper);
  list.AddItem(second, upper);
  list.AddItem(first, upper + 1);
}

}  // namespace

void MoveItemDown(ListControl& list) {
  const int index = list.ListIndex();
  if (index < 0 || index + 1 >= list.ListCount()) return;
  swapNeighbours(list, index);
  list.setListIndex(index + 1);
}

void MoveItemUp(ListControl& list) {
  const int index = list.ListIndex();
  if (index - 1 < 0) return;
  swapNeighbours(list, index - 1);
  list.setListIndex(index - 1);
}

void CheckDuplicateName(const ListControl& combo, Dialogs& dialogs) {
  for (int i = 0; i < combo.ListCount(); ++i) {
    if (combo.List(i) == combo.Text()) dialogs.MsgBox(kDuplicateNameMessage, MessageButtons::Ok);
  }
}

}  // namespace vendaro
