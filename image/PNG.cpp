// The container side of PNG: signature, chunk stream, the registry of chunk classes and the
// checks made before decoding.
#include "image/PNG.h"

#include "platform/rtl/Exceptions.h"

#include <cstring>

namespace {

constexpr uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

template <typename T> std::unique_ptr<TChunk> MakeChunk(TChunkList& owner) {
  return std::make_unique<T>(owner);
}

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

TChunkClasses MakeChunkClasses() {
  TChunkClasses classes;
  classes.Register({'I', 'E', 'N', 'D'}, &TChunkIEND::Class);
  classes.Register({'I', 'H', 'D', 'R'}, &TChunkIHDR::Class);
  classes.Register({'I', 'D', 'A', 'T'}, &TChunkIDAT::Class);
  classes.Register({'P', 'L', 'T', 'E'}, &TChunkPLTE::Class);
  return classes;
}

} // namespace

const TChunkClassInfo TChunk::Class{nullptr, &MakeChunk<TChunk>};
const TChunkClassInfo TChunkIHDR::Class{&TChunk::Class, &MakeChunk<TChunkIHDR>};
const TChunkClassInfo TChunkPLTE::Class{&TChunk::Class, &MakeChunk<TChunkPLTE>};
const TChunkClassInfo TChunkIDAT::Class{&TChunk::Class, &MakeChunk<TChunkIDAT>};
const TChunkClassInfo TChunkIEND::Class{&TChunk::Class, &MakeChunk<TChunkIEND>};

TChunkClasses ChunkClasses = MakeChunkClasses();

void TChunkClasses::Register(const TChunkCode& chunkType, TChunkClass chunkClass) {
  Entries.push_back({chunkType, chunkClass});
}

int TChunkClasses::IndexOfType(const TChunkCode& chunkType) const {
  for (size_t i = 0; i < Entries.size(); ++i)
    if (Entries[i].ChunkType == chunkType) return int(i);
  return -1;
}

int TChunkClasses::IndexOfClass(TChunkClass chunkClass) const {
  for (size_t i = 0; i < Entries.size(); ++i)
    if (Entries[i].ChunkClass == chunkClass) return int(i);
  return -1;
}

TChunk::TChunk(TChunkList& owner, TChunkClass ownClass) : Owner(owner), OwnClass(ownClass) {
  const int index = ChunkClasses.IndexOfClass(ownClass);
  if (index >= 0) ChunkType = ChunkClasses.Entries[size_t(index)].ChunkType;
}

bool TChunk::InheritsFrom(TChunkClass chunkClass) const {
  for (TChunkClass c = OwnClass; c; c = c->Parent)
    if (c == chunkClass) return true;
  return false;
}

TChunk& TChunk::Header() const {
  if (Owner.Items.empty()) Abort();
  return *Owner.Items.front();
}

TChunkIHDR::TChunkIHDR(TChunkList& owner) : TChunk(owner, &Class) {
  Data.SetSize(13);
}

TChunk& TChunkList::Add(std::unique_ptr<TChunk> chunk) {
  Items.push_back(std::move(chunk));
  return *Items.back();
}

int TChunkList::IndexOfClass(TChunkClass chunkClass) const {
  for (size_t i = Items.size(); i-- > 0;)
    if (Items[i]->ClassType() == chunkClass) return int(i);
  return -1;
}

bool TChunkList::ReadChunk(TStream& stream) {
  // A stream that ends inside the length and type holds no further chunk.
  uint8_t lengthBytes[4];
  TChunkCode chunkType;
  stream.ReadBuffer(lengthBytes, sizeof lengthBytes);
  stream.ReadBuffer(chunkType.data(), int32_t(chunkType.size()));
  const uint32_t length = BigEndian32(lengthBytes);
  // PNG forbids such lengths; taken as negative they would move the reading backwards.
  if (length > 0x7FFFFFFFu) Abort();

  const int index = ChunkClasses.IndexOfType(chunkType);
  if (index < 0) {
    // Two moves, as length + 4 may not fit a 32-bit offset.
    stream.Seek(int32_t(length), soFromCurrent);
    stream.Seek(4, soFromCurrent);
    return true;
  }
  std::unique_ptr<TChunk> chunk = ChunkClasses.Entries[size_t(index)].ChunkClass->Create(*this);
  chunk->ChunkType = chunkType;
  if (length > 0) chunk->Data.CopyFrom(stream, int32_t(length));
  stream.Seek(4, soFromCurrent); // the CRC is not verified

  if (chunk->InheritsFrom(&TChunkIDAT::Class)) {
    const int first = IndexOfClass(&TChunkIDAT::Class);
    if (first >= 0) {
      TMemoryStream& gathered = Items[size_t(first)]->Data;
      gathered.Seek(0, soFromEnd);
      gathered.CopyFrom(chunk->Data, 0);
      return true;
    }
  }
  const bool end = chunk->InheritsFrom(&TChunkIEND::Class);
  Add(std::move(chunk));
  return !end;
}

void TPNGImage::LoadFromStream(TStream& stream) {
  TChunkList chunks(*this);
  uint8_t signature[sizeof PngSignature] = {};
  stream.Read(signature, sizeof signature); // a short read fails the comparison
  if (std::memcmp(signature, PngSignature, sizeof PngSignature) != 0) Abort();

  while (chunks.ReadChunk(stream) && stream.Position() < stream.Size()) {
  }
  if (chunks.Items.empty() || !chunks.Items.front()->InheritsFrom(&TChunkIHDR::Class) ||
      chunks.IndexOfClass(&TChunkIDAT::Class) < 0)
    Abort();
  for (const std::unique_ptr<TChunk>& chunk : chunks.Items) chunk->Process();
}

void TPNGImage::SaveToStream(TStream&) {}
