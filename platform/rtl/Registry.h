#pragma once
// The class library's registry object: one root, at most one open key. Opening creates
// missing keys; no call's result is reported except where a read needs it.

#include "platform/os/Handles.h"

#include <cstdint>
#include <string>

class TRegistry {
public:
  TRegistry(); // root HKEY_CURRENT_USER, no key open
  ~TRegistry() = default;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  Handle RootKey() const { return Root; }
  // A different root closes the open key.
  void SetRootKey(Handle root);
  // Opens path below the root with full access, creating what is missing; on failure no key
  // is open.
  void OpenKey(const std::string& path);
  bool KeyOpen() const { return Key.Valid(); }
  void CloseKey() { Key.Reset(); }

  bool ValueExists(const std::string& name);
  // The value's registry type and size in bytes; false when it cannot be asked.
  bool ValueInfo(const std::string& name, uint32_t& type, uint32_t& size);
  // Empty for a missing or empty value; the text up to its first zero byte otherwise.
  std::string ReadString(const std::string& name);
  // The first four bytes of the value, whatever its type; 0 when they cannot be read.
  int32_t ReadInteger(const std::string& name);
  bool ReadBool(const std::string& name) { return ReadInteger(name) != 0; }

  void WriteString(const std::string& name, const std::string& text); // REG_SZ with its zero
  void WriteInteger(const std::string& name, int32_t value);          // REG_DWORD
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

private:
  Handle Root;
  TRegKeyHandle Key;
};
