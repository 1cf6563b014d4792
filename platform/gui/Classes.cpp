#include "platform/gui/Classes.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace {

// Names in descriptions are ASCII identifiers; case is ignored.
std::string Key(const std::string& name) {
  std::string key = name;
  for (char& c : key) c = char(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

std::map<std::string, TComponentFactory>& Registry() {
  static std::map<std::string, TComponentFactory> registry;
  return registry;
}

} // namespace

TComponent::~TComponent() {
  DestroyComponents();
}

void TComponent::DestroyComponents() {
  while (!Owned.empty()) {
    std::unique_ptr<TComponent> last = std::move(Owned.back());
    Owned.pop_back();
    Notification(last.get());
    for (const auto& other : Owned) other->Notification(last.get());
  }
}

TComponent& TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
  component->FOwner = this;
  Owned.push_back(std::move(component));
  return *Owned.back();
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  const std::string key = Key(name);
  for (const auto& c : Owned)
    if (Key(c->Name()) == key) return c.get();
  return nullptr;
}

bool TComponent::ReadProperty(TPropertyReader&) {
  return false;
}

void TComponent::Loaded() {}

void TComponent::Notification(TComponent*) {}

void RegisterClass(const std::string& className, TComponentFactory factory) {
  Registry()[Key(className)] = std::move(factory);
}

void UnregisterClass(const std::string& className) {
  Registry().erase(Key(className));
}

const TComponentFactory* FindClass(const std::string& className) {
  auto it = Registry().find(Key(className));
  return it == Registry().end() ? nullptr : &it->second;
}
