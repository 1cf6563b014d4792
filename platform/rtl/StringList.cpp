#include "platform/rtl/StringList.h"

#include "platform/os/WinConst.h"

#include <algorithm>

int TStringList::Compare(const std::string& a, const std::string& b) const {
  uint32_t flags = CompareFlags | (CaseSensitive ? 0 : NORM_IGNORECASE);
  return Sys().CompareStringA(LOCALE_USER_DEFAULT, flags, a, b) - CSTR_EQUAL;
}

int TStringList::AddObject(const std::string& s, intptr_t object) {
  int index = Count();
  if (IsSorted) Find(s, index);
  Insert(index, s, object);
  return index;
}

void TStringList::Insert(int index, const std::string& s, intptr_t object) {
  Items.insert(Items.begin() + std::clamp(index, 0, Count()), Item{s, object});
}

void TStringList::Delete(int index) {
  if (index >= 0 && index < Count()) Items.erase(Items.begin() + index);
}

bool TStringList::Find(const std::string& s, int& index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = Compare(Items[size_t(mid)].Text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) found = true;
    }
  }
  index = lo;
  return found;
}

int TStringList::IndexOf(const std::string& s) const {
  if (IsSorted) {
    int index;
    return Find(s, index) ? index : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (Compare(Items[size_t(i)].Text, s) == 0) return i;
  return -1;
}

void TStringList::Sort() {
  std::stable_sort(Items.begin(), Items.end(),
                   [this](const Item& a, const Item& b) { return Compare(a.Text, b.Text) < 0; });
}

void TStringList::SetSorted(bool sorted) {
  if (sorted && !IsSorted) Sort();
  IsSorted = sorted;
}

void TStringList::SetText(const std::string& text) {
  Clear();
  size_t i = 0;
  while (i < text.size()) {
    size_t end = text.find_first_of("\r\n", i);
    if (end == std::string::npos) end = text.size();
    Add(text.substr(i, end - i));
    i = end;
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
}

std::string TStringList::Text() const {
  std::string out;
  for (const auto& item : Items) out += item.Text + "\r\n";
  return out;
}

void TStringList::LoadFromStream(TStream& stream) {
  int32_t size = stream.Size() - stream.Position();
  std::string text(size_t(std::max(size, 0)), '\0');
  if (size > 0) stream.ReadBuffer(&text[0], size);
  SetText(text);
}

void TStringList::SaveToStream(TStream& stream) const {
  std::string text = Text();
  stream.WriteBuffer(text.data(), int32_t(text.size()));
}

void TStringList::LoadFromFile(const std::string& fileName) {
  TFileStream file = TFileStream::OpenRead(fileName);
  LoadFromStream(file);
}

void TStringList::SaveToFile(const std::string& fileName) const {
  TFileStream file = TFileStream::Create(fileName);
  SaveToStream(file);
}
