#include "platform/gui/ItemStrings.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

void TItemStrings::Changed() {
  if (UpdateCount > 0) {
    ChangedInUpdate = true;
    return;
  }
  if (Observer) Observer->ItemsChanged();
}

void TItemStrings::EndUpdate() {
  if (UpdateCount == 0) return;
  if (--UpdateCount == 0 && ChangedInUpdate) {
    ChangedInUpdate = false;
    if (Observer) Observer->ItemsChanged();
  }
}

void TItemStrings::Put(int index, const std::string& s) {
  CheckIndex(index);
  List.Put(index, s);
  Changed();
}

void TItemStrings::PutObject(int index, intptr_t object) {
  CheckIndex(index);
  List.PutObject(index, object);
  Changed();
}

int TItemStrings::AddObject(const std::string& s, intptr_t object) {
  const int index = List.AddObject(s, object);
  if (Observer) Observer->ItemInserted(index);
  Changed();
  return index;
}

void TItemStrings::Insert(int index, const std::string& s, intptr_t object) {
  // An index past either end inserts at that end, as the string list does.
  index = index < 0 ? 0 : index > List.Count() ? List.Count() : index;
  List.Insert(index, s, object);
  if (Observer) Observer->ItemInserted(index);
  Changed();
}

void TItemStrings::Delete(int index) {
  CheckIndex(index);
  List.Delete(index);
  if (Observer) Observer->ItemDeleted(index);
  Changed();
}

void TItemStrings::CheckIndex(int index) const {
  if (index < 0 || index >= List.Count())
    throw Exception(Format("List index out of bounds (%d)", {index}));
}

void TItemStrings::Clear() {
  if (List.Count() == 0) return;
  List.Clear();
  if (Observer) Observer->ItemsCleared();
  Changed();
}

void TItemStrings::SetText(const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  Assign(lines);
}

void TItemStrings::LoadFromFile(const std::string& fileName) {
  TStringList lines;
  lines.LoadFromFile(fileName);
  Assign(lines);
}

void TItemStrings::Assign(const TStringList& source) {
  TItemsUpdate update(*this);
  Clear();
  for (int i = 0; i < source.Count(); ++i) AddObject(source[i], source.Object(i));
  ChangedInUpdate = true;
}
