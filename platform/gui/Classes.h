#pragma once
// Components: a name, an owner that destroys what it owns (last created first), the class
// registry the form reader creates components from, and small sets of enumeration values.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class TObject {
public:
  virtual ~TObject() = default;
};

// A set of values of a small enumeration (at most 32 values), like the class library's sets.
template <class E> class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) Bits |= Bit(e);
  }
  constexpr bool Contains(E e) const { return (Bits & Bit(e)) != 0; }
  constexpr TSet& Include(E e) {
    Bits |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    Bits &= ~Bit(e);
    return *this;
  }
  constexpr bool Empty() const { return Bits == 0; }
  constexpr uint32_t Mask() const { return Bits; }
  constexpr bool operator==(TSet o) const { return Bits == o.Bits; }
  constexpr bool operator!=(TSet o) const { return Bits != o.Bits; }

private:
  static constexpr uint32_t Bit(E e) { return uint32_t(1) << unsigned(e); }
  uint32_t Bits = 0;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TPropertyReader;

class TComponent : public TObject {
public:
  TComponent() = default;
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name) { FName = name; }
  TComponent* Owner() const { return FOwner; }

  // Takes ownership; the component is destroyed with this one (last inserted first).
  TComponent& InsertComponent(std::unique_ptr<TComponent> component);
  template <class T, class... A> T& CreateOwned(A&&... args) {
    auto p = std::make_unique<T>(std::forward<A>(args)...);
    T& ref = *p;
    InsertComponent(std::move(p));
    return ref;
  }
  int ComponentCount() const { return int(Owned.size()); }
  TComponent* Components(int index) const { return Owned.at(size_t(index)).get(); }
  // Case ignored, as names in a form description are.
  TComponent* FindComponent(const std::string& name) const;

  // True while a form reader fills this component in.
  bool Loading() const { return FLoading; }

  // Sets one property from a form description; false when the class has no such property.
  virtual bool ReadProperty(TPropertyReader& reader);
  // After the whole form has been read and references resolved, in creation order.
  virtual void Loaded();

protected:
  // A component with the same owner is being destroyed: drop references to it.
  virtual void Notification(TComponent* removed);
  void DestroyComponents();

private:
  friend class TFormReader;
  std::string FName;
  TComponent* FOwner = nullptr;
  bool FLoading = false;
  std::vector<std::unique_ptr<TComponent>> Owned;
};

// The class registry: class names of form descriptions and how to make such a component.
using TComponentFactory = std::function<std::unique_ptr<TComponent>()>;
void RegisterClass(const std::string& className, TComponentFactory factory);
template <class T> void RegisterClass(const std::string& className) {
  RegisterClass(className, [] { return std::make_unique<T>(); });
}
void UnregisterClass(const std::string& className);
// Null when no class of that name (case ignored) is registered.
const TComponentFactory* FindClass(const std::string& className);
