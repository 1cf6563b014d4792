#pragma once
// RAII owners of system handles; each releases through the seam with the matching call.

#include "platform/os/System.h"

#include <utility>

template <typename Closer> class TUniqueHandle {
public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(Handle h) : Value(h) {}
  ~TUniqueHandle() { Reset(); }
  TUniqueHandle(TUniqueHandle&& o) noexcept : Value(std::exchange(o.Value, kInvalidHandle)) {}
  TUniqueHandle& operator=(TUniqueHandle&& o) noexcept {
    if (this != &o) {
      Reset();
      Value = std::exchange(o.Value, kInvalidHandle);
    }
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;

  Handle Get() const { return Value; }
  bool Valid() const { return Value != kInvalidHandle && Value != 0; }
  Handle Release() { return std::exchange(Value, kInvalidHandle); }
  void Reset(Handle h = kInvalidHandle) {
    if (Valid()) Closer::Close(Value);
    Value = h;
  }

private:
  Handle Value = kInvalidHandle;
};

struct TFileCloser {
  static void Close(Handle h) { Sys().CloseHandle(h); }
};
struct TFindCloser {
  static void Close(Handle h) { Sys().FindClose(h); }
};
struct TRegKeyCloser {
  static void Close(Handle h) { Sys().RegCloseKey(h); }
};
struct TGdiObjectCloser {
  static void Close(Handle h) { Sys().DeleteObject(h); }
};

using TFileHandle = TUniqueHandle<TFileCloser>;
using TFindHandle = TUniqueHandle<TFindCloser>;
using TRegKeyHandle = TUniqueHandle<TRegKeyCloser>;
using TGdiObject = TUniqueHandle<TGdiObjectCloser>;
