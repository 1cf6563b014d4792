#include "platform/gui/ItemStrings.h"

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
  List.Put(index, s);
  Changed();
}

void TItemStrings::PutObject(int index, intptr_t object) {
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
  List.Insert(index, s, object);
  if (Observer) Observer->ItemInserted(index);
  Changed();
}

void TItemStrings::Delete(int index) {
  List.Delete(index);
  if (Observer) Observer->ItemDeleted(index);
  Changed();
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
