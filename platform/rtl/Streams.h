#pragma once
// Streams of the class library: 32-bit counts and positions, Seek with origins 0, 1 and 2,
// Position and Size through Seek.

#include <cstdint>
#include <string>
#include <vector>

constexpr uint16_t soFromBeginning = 0;
constexpr uint16_t soFromCurrent = 1;
constexpr uint16_t soFromEnd = 2;

class TStream {
public:
  virtual ~TStream() = default;
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  virtual int32_t Seek(int32_t offset, uint16_t origin) = 0;

  int32_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int32_t position) { Seek(position, soFromBeginning); }
  // Seeks to the end and back; a stream with a cheaper answer overrides it.
  virtual int32_t Size();
  virtual void SetSize(int32_t size);

  // Reads exactly count bytes or raises EAbort.
  void ReadBuffer(void* buffer, int32_t count);
  // Writes exactly count bytes or raises EStreamError.
  void WriteBuffer(const void* buffer, int32_t count);
  // Copies count bytes from source's position; a count of 0 copies the whole of source from
  // its start. A negative count copies nothing. Returns the count copied.
  int32_t CopyFrom(TStream& source, int32_t count);
};

// A stream over a block of memory; reads and seeks, no writes of its own.
class TCustomMemoryStream : public TStream {
public:
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Seek(int32_t offset, uint16_t origin) override;
  int32_t Size() override { return DataSize; }
  const uint8_t* Memory() const { return Data; }

protected:
  void SetPointer(const uint8_t* data, int32_t size);
  const uint8_t* Data = nullptr;
  int32_t DataSize = 0;
  int32_t Pos = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
  int32_t Write(const void* buffer, int32_t count) override;
  void SetSize(int32_t size) override;
  void Clear() { SetSize(0); }
  uint8_t* Memory() { return Buffer.data(); }

private:
  void Reserve(int32_t size);
  std::vector<uint8_t> Buffer;
};

// The bytes of a resource of the executable, read in place. Raises EResNotFound.
class TResourceStream : public TCustomMemoryStream {
public:
  TResourceStream(const std::string& name, const std::string& type);
  int32_t Write(const void* buffer, int32_t count) override;
};

// A file through the system; the name is ANSI and opened as code page 1252.
class TFileStream : public TStream {
public:
  TFileStream(const std::string& fileName, uint32_t access, uint32_t share, uint32_t disposition,
              uint32_t flags = 0x80 /* FILE_ATTRIBUTE_NORMAL */);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  // Creates or truncates, no sharing (the class library's fmCreate).
  static TFileStream Create(const std::string& fileName);
  // Opens for reading, denying writers (fmOpenRead or fmShareDenyWrite).
  static TFileStream OpenRead(const std::string& fileName);
  TFileStream(TFileStream&& other) noexcept;

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int32_t Seek(int32_t offset, uint16_t origin) override;
  void SetSize(int32_t size) override;

private:
  uintptr_t File;
};
