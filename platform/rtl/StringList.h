#pragma once
// A list of strings, each with an attached number, kept in order or sorted. Comparisons are
// the user's locale with case ignored unless CaseSensitive is set.

#include "platform/rtl/Streams.h"

#include <cstdint>
#include <string>
#include <vector>

class TStringList {
public:
  int Count() const { return int(Items.size()); }
  const std::string& operator[](int index) const { return Items.at(size_t(index)).Text; }
  void Put(int index, const std::string& s) { Items.at(size_t(index)).Text = s; }
  intptr_t Object(int index) const { return Items.at(size_t(index)).Object; }
  void PutObject(int index, intptr_t object) { Items.at(size_t(index)).Object = object; }

  // Appends, or inserts at its sorted place while Sorted; returns the index.
  int Add(const std::string& s) { return AddObject(s, 0); }
  int AddObject(const std::string& s, intptr_t object);
  void Insert(int index, const std::string& s, intptr_t object = 0);
  void Delete(int index);
  void Clear() { Items.clear(); }

  int IndexOf(const std::string& s) const;           // bisection while Sorted, else from the first
  bool Find(const std::string& s, int& index) const; // bisection; index where s is or belongs
  void Sort();
  bool Sorted() const { return IsSorted; }
  void SetSorted(bool sorted);

  bool CaseSensitive = false;
  // Extra CompareStringA flags, such as SORT_STRINGSORT.
  uint32_t CompareFlags = 0;
  int Compare(const std::string& a, const std::string& b) const;

  // Lines end at CR, LF or CR LF; the last line needs no terminator.
  void SetText(const std::string& text);
  // Every line followed by CR LF.
  std::string Text() const;
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

private:
  struct Item {
    std::string Text;
    intptr_t Object = 0;
  };
  std::vector<Item> Items;
  bool IsSorted = false;
};
