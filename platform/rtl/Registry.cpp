#include "platform/rtl/Registry.h"

#include "platform/os/WinConst.h"

#include <algorithm>
#include <cstring>
#include <vector>

TRegistry::TRegistry() : Root(HKEY_CURRENT_USER) {}

void TRegistry::SetRootKey(Handle root) {
  if (root == Root) return;
  CloseKey();
  Root = root;
}

void TRegistry::OpenKey(const std::string& path) {
  CloseKey();
  Handle key = 0;
  if (Sys().RegCreateKeyExA(Root, path, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &key, nullptr) ==
          int32_t(ERROR_SUCCESS) &&
      key)
    Key.Reset(key);
}

bool TRegistry::ValueInfo(const std::string& name, uint32_t& type, uint32_t& size) {
  type = 0;
  size = 0;
  return Key.Valid() &&
         Sys().RegQueryValueExA(Key.Get(), name, &type, nullptr, &size) == int32_t(ERROR_SUCCESS);
}

bool TRegistry::ValueExists(const std::string& name) {
  uint32_t type, size;
  return ValueInfo(name, type, size);
}

std::string TRegistry::ReadString(const std::string& name) {
  uint32_t type, size;
  if (!ValueInfo(name, type, size) || size == 0) return std::string();
  std::vector<char> data(size);
  if (Sys().RegQueryValueExA(Key.Get(), name, &type, data.data(), &size) != int32_t(ERROR_SUCCESS))
    return std::string();
  return std::string(data.data(), strnlen(data.data(), std::min<size_t>(size, data.size())));
}

int32_t TRegistry::ReadInteger(const std::string& name) {
  int32_t value = 0;
  uint32_t type = 0, size = sizeof value;
  if (!Key.Valid() ||
      Sys().RegQueryValueExA(Key.Get(), name, &type, &value, &size) != int32_t(ERROR_SUCCESS))
    return 0;
  return value;
}

void TRegistry::WriteString(const std::string& name, const std::string& text) {
  if (Key.Valid())
    Sys().RegSetValueExA(Key.Get(), name, REG_SZ, text.c_str(), uint32_t(text.size() + 1));
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  if (Key.Valid()) Sys().RegSetValueExA(Key.Get(), name, REG_DWORD, &value, sizeof value);
}
