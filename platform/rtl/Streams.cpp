#include "platform/rtl/Streams.h"

#include "platform/os/WinConst.h"
#include "platform/rtl/Consts.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <cstring>
#include <utility>

int32_t TStream::Size() {
  int32_t pos = Seek(0, soFromCurrent);
  int32_t end = Seek(0, soFromEnd);
  Seek(pos, soFromBeginning);
  return end;
}

void TStream::SetSize(int32_t) {}

void TStream::ReadBuffer(void* buffer, int32_t count) {
  if (count != 0 && Read(buffer, count) != count) Abort();
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EStreamError(SStreamWriteError);
}

int32_t TStream::CopyFrom(TStream& source, int32_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  if (count <= 0) return 0;
  const int32_t result = count;
  std::vector<uint8_t> buffer(size_t(std::min<int32_t>(count, 0xF000)));
  while (count != 0) {
    int32_t n = std::min<int32_t>(count, int32_t(buffer.size()));
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    count -= n;
  }
  return result;
}

void TCustomMemoryStream::SetPointer(const uint8_t* data, int32_t size) {
  Data = data;
  DataSize = size;
}

int32_t TCustomMemoryStream::Read(void* buffer, int32_t count) {
  if (count <= 0 || Pos < 0 || Pos >= DataSize) return 0;
  int32_t n = std::min(count, DataSize - Pos);
  std::memcpy(buffer, Data + Pos, size_t(n));
  Pos += n;
  return n;
}

int32_t TCustomMemoryStream::Seek(int32_t offset, uint16_t origin) {
  int64_t base = origin == soFromCurrent ? Pos : origin == soFromEnd ? DataSize : 0;
  int64_t target = base + offset;
  // Positions stay within 0 and the 32-bit range; past the end is allowed, as for files.
  Pos = int32_t(std::clamp<int64_t>(target, 0, INT32_MAX));
  return Pos;
}

void TMemoryStream::Reserve(int32_t size) {
  if (size_t(size) > Buffer.size())
    Buffer.resize(std::max<size_t>(size_t(size), Buffer.size() * 2));
}

void TMemoryStream::SetSize(int32_t size) {
  if (size < 0) size = 0;
  Reserve(size);
  SetPointer(Buffer.data(), size);
  if (Pos > size) Pos = size;
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
  if (count <= 0 || Pos < 0) return 0;
  int64_t end = int64_t(Pos) + count;
  if (end > INT32_MAX) return 0;
  if (end > DataSize) {
    Reserve(int32_t(end));
    SetPointer(Buffer.data(), int32_t(end));
  }
  std::memcpy(Buffer.data() + Pos, buffer, size_t(count));
  Pos = int32_t(end);
  return count;
}

TResourceStream::TResourceStream(const std::string& name, const std::string& type) {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  if (!Sys().FindResourceData(name, type, &data, &size) || size > uint32_t(INT32_MAX))
    throw EResNotFound(Format(SResNotFound, {name}));
  SetPointer(data, int32_t(size));
}

int32_t TResourceStream::Write(const void*, int32_t) {
  throw EStreamError(SStreamWriteError);
}

TFileStream::TFileStream(const std::string& fileName, uint32_t access, uint32_t share,
                         uint32_t disposition, uint32_t flags)
    : File(Sys().CreateFileW(WideFrom1252(fileName), access, share, disposition, flags)) {
  if (File == INVALID_HANDLE_VALUE) throw EFOpenError(Format(SFOpenError, {fileName}));
}

TFileStream::TFileStream(TFileStream&& other) noexcept
    : File(std::exchange(other.File, INVALID_HANDLE_VALUE)) {}

TFileStream::~TFileStream() {
  if (File != INVALID_HANDLE_VALUE) Sys().CloseHandle(File);
}

TFileStream TFileStream::Create(const std::string& fileName) {
  return TFileStream(fileName, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
}

TFileStream TFileStream::OpenRead(const std::string& fileName) {
  return TFileStream(fileName, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

int32_t TFileStream::Read(void* buffer, int32_t count) {
  uint32_t n = 0;
  if (count <= 0 || !Sys().ReadFile(File, buffer, uint32_t(count), &n)) return 0;
  return int32_t(n);
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
  uint32_t n = 0;
  if (count <= 0) return 0;
  Sys().WriteFile(File, buffer, uint32_t(count), &n);
  return int32_t(n);
}

int32_t TFileStream::Seek(int32_t offset, uint16_t origin) {
  return int32_t(Sys().SetFilePointer(File, offset, nullptr, origin));
}

void TFileStream::SetSize(int32_t size) {
  Seek(size, soFromBeginning);
  Sys().SetEndOfFile(File);
}
