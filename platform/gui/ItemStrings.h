#pragma once
// The strings of a list, combo box or memo: each with a number attached (the item's object),
// reporting structural changes to the control that shows them.

#include "platform/rtl/StringList.h"

#include <cstdint>
#include <string>

class TItemStrings {
public:
  class TObserver {
  public:
    virtual ~TObserver() = default;
    virtual void ItemInserted(int /*index*/) {}
    virtual void ItemDeleted(int /*index*/) {}
    virtual void ItemsCleared() {}
    // Once per change, or once at the end of an update that changed anything.
    virtual void ItemsChanged() = 0;
  };

  explicit TItemStrings(TObserver* observer = nullptr) : Observer(observer) {}
  TItemStrings(const TItemStrings&) = delete;
  TItemStrings& operator=(const TItemStrings&) = delete;

  // An index outside the list raises Exception (reads, Put, PutObject, Delete).
  int Count() const { return List.Count(); }
  const std::string& operator[](int index) const { return Strings(index); }
  const std::string& Strings(int index) const {
    CheckIndex(index);
    return List[index];
  }
  void Put(int index, const std::string& s);
  intptr_t Objects(int index) const {
    CheckIndex(index);
    return List.Object(index);
  }
  void PutObject(int index, intptr_t object);

  int Add(const std::string& s) { return AddObject(s, 0); }
  int AddObject(const std::string& s, intptr_t object);
  // An index past either end inserts at that end.
  void Insert(int index, const std::string& s, intptr_t object = 0);
  void Delete(int index);
  void Clear();
  int IndexOf(const std::string& s) const { return List.IndexOf(s); }

  // Changes between the two are reported once, at the outermost EndUpdate.
  void BeginUpdate() { ++UpdateCount; }
  void EndUpdate();
  bool Updating() const { return UpdateCount > 0; }

  // Lines joined with CR LF; setting splits at CR, LF or CR LF.
  std::string Text() const { return List.Text(); }
  void SetText(const std::string& text);
  void LoadFromFile(const std::string& fileName);
  void Assign(const TStringList& source);
  const TStringList& Strings() const { return List; }

private:
  void Changed();
  void CheckIndex(int index) const;
  TObserver* Observer;
  TStringList List;
  int UpdateCount = 0;
  bool ChangedInUpdate = false;
};

// Scope of an update that ends also when an exception leaves it.
class TItemsUpdate {
public:
  explicit TItemsUpdate(TItemStrings& items) : Items(items) { Items.BeginUpdate(); }
  ~TItemsUpdate() { Items.EndUpdate(); }
  TItemsUpdate(const TItemsUpdate&) = delete;
  TItemsUpdate& operator=(const TItemsUpdate&) = delete;

private:
  TItemStrings& Items;
};
