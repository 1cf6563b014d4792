// The PNG container: signature, chunk stream, registry, chunk list and the load's checks.
// Tests without a simulated machine use the build's own system, real GDI in the Windows build.
#include "PngFixture.h"
#include "SimTest.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using namespace pngfix;
using PngReaderTest = SimTest;

const std::string TwoByTwo = Deflate(Bytes({0, 1, 2, 0, 3, 0}));

// A valid 2 x 2 8-bit image around the given chunks.
std::string Around(std::initializer_list<std::string> before,
                   std::initializer_list<std::string> after = {Iend()}) {
  std::string file = Png({});
  for (const std::string& c : before) file += c;
  file += Ihdr(2, 2, 8) + Plte(4) + Chunk("IDAT", TwoByTwo);
  for (const std::string& c : after) file += c;
  return file;
}

void ExpectTwoByTwo(const TPNGImage& image) {
  ASSERT_EQ(image.Width(), 2);
  ASSERT_EQ(image.Height(), 2);
  EXPECT_EQ(image.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(Row(image, 0, 2), Bytes({1, 2}));
  EXPECT_EQ(Row(image, 1, 2), Bytes({3, 0}));
}

void ReadAll(TChunkList& list, const std::string& chunks) {
  TMemoryStream stream;
  stream.WriteBuffer(chunks.data(), int32_t(chunks.size()));
  stream.SetPosition(0);
  while (list.ReadChunk(stream) && stream.Position() < stream.Size()) {
  }
}

std::string DataOf(TChunk& chunk) {
  return std::string(reinterpret_cast<const char*>(chunk.Data.Memory()), size_t(chunk.Data.Size()));
}

TEST(PngRegistry, HoldsFourClassesInOrderAndComparesTypesByteWise) {
  ASSERT_EQ(ChunkClasses.Entries.size(), 4u);
  const struct {
    TChunkCode Type;
    TChunkClass Class;
  } expected[] = {{{'I', 'E', 'N', 'D'}, &TChunkIEND::Class},
                  {{'I', 'H', 'D', 'R'}, &TChunkIHDR::Class},
                  {{'I', 'D', 'A', 'T'}, &TChunkIDAT::Class},
                  {{'P', 'L', 'T', 'E'}, &TChunkPLTE::Class}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(ChunkClasses.Entries[size_t(i)].ChunkType, expected[i].Type) << i;
    EXPECT_EQ(ChunkClasses.Entries[size_t(i)].ChunkClass, expected[i].Class) << i;
    EXPECT_EQ(ChunkClasses.IndexOfType(expected[i].Type), i);
    EXPECT_EQ(ChunkClasses.IndexOfClass(expected[i].Class), i);
  }
  EXPECT_EQ(ChunkClasses.IndexOfType({'i', 'H', 'D', 'R'}), -1);
  EXPECT_EQ(ChunkClasses.IndexOfType({'t', 'E', 'X', 't'}), -1);
  EXPECT_EQ(ChunkClasses.IndexOfClass(&TChunk::Class), -1);
}

TEST(PngRegistry, ClassesCreateTheirOwnKindWithTheirTypeCode) {
  TPNGImage image;
  TChunkList list(image);
  for (const TChunkClasses::TEntry& entry : ChunkClasses.Entries) {
    std::unique_ptr<TChunk> chunk = entry.ChunkClass->Create(list);
    EXPECT_EQ(chunk->ClassType(), entry.ChunkClass);
    EXPECT_TRUE(chunk->InheritsFrom(&TChunk::Class));
    EXPECT_EQ(chunk->ChunkType, entry.ChunkType);
    EXPECT_EQ(&chunk->Owner, &list);
    EXPECT_EQ(chunk->Data.Size(), entry.ChunkClass == &TChunkIHDR::Class ? 13 : 0);
  }
  // An unregistered class keeps a type code of zeros.
  TChunk plain(list);
  EXPECT_EQ(plain.ChunkType, (TChunkCode{0, 0, 0, 0}));
  EXPECT_FALSE(plain.InheritsFrom(&TChunkIDAT::Class));
}

TEST(PngChunkList, IndexOfClassFindsTheLastOfAClassAndAddReturnsTheChunk) {
  TPNGImage image;
  TChunkList list(image);
  EXPECT_EQ(list.IndexOfClass(&TChunkPLTE::Class), -1);
  TChunk& first = list.Add(std::make_unique<TChunkPLTE>(list));
  list.Add(std::make_unique<TChunkIDAT>(list));
  TChunk& last = list.Add(std::make_unique<TChunkPLTE>(list));
  EXPECT_EQ(&first, list.Items[0].get());
  EXPECT_EQ(&last, list.Items[2].get());
  EXPECT_EQ(list.IndexOfClass(&TChunkPLTE::Class), 2);
  EXPECT_EQ(list.IndexOfClass(&TChunkIDAT::Class), 1);
  EXPECT_EQ(list.IndexOfClass(&TChunk::Class), -1);
  EXPECT_EQ(&last.Header(), &first);
}

TEST(PngChunkList, GathersAllImageDataIntoTheFirstImageDataChunk) {
  TPNGImage image;
  TChunkList list(image);
  const std::string data = Deflate(Bytes({0, 7, 0, 9}), 0); // stored: exactly 15 bytes
  ASSERT_EQ(data.size(), 15u);
  ReadAll(list, Ihdr(1, 2, 8) + Chunk("IDAT", data.substr(0, 10)) + Chunk("IDAT", "") + Plte(2) +
                    Chunk("IDAT", data.substr(10)) + Iend() + Chunk("IDAT", "late"));
  ASSERT_EQ(list.Items.size(), 4u);
  EXPECT_EQ(list.Items[0]->ClassType(), &TChunkIHDR::Class);
  EXPECT_EQ(list.Items[1]->ClassType(), &TChunkIDAT::Class);
  EXPECT_EQ(list.Items[2]->ClassType(), &TChunkPLTE::Class);
  EXPECT_EQ(list.Items[3]->ClassType(), &TChunkIEND::Class);
  EXPECT_EQ(DataOf(*list.Items[1]), data);
  EXPECT_EQ(list.Items[1]->ChunkType, (TChunkCode{'I', 'D', 'A', 'T'}));
  EXPECT_EQ(list.Items[3]->Data.Size(), 0);

  TPNGImage loaded;
  LoadPng(loaded, Png({Ihdr(1, 2, 8), Chunk("IDAT", data.substr(0, 10)), Chunk("IDAT", ""), Plte(2),
                       Chunk("IDAT", data.substr(10)), Iend()}));
  EXPECT_EQ(Row(loaded, 0, 1), Bytes({7}));
  EXPECT_EQ(Row(loaded, 1, 1), Bytes({9}));
}

TEST(PngChunkList, HeadersAreListedEachAndAShortOneStillHasThirteenBytes) {
  TPNGImage image;
  TChunkList list(image);
  ReadAll(list, Chunk("IHDR", Bytes({0, 0, 0, 3, 0, 0})) + Ihdr(9, 9, 4));
  ASSERT_EQ(list.Items.size(), 2u);
  EXPECT_EQ(DataOf(*list.Items[0]), Bytes({0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(&list.Items[1]->Header(), list.Items[0].get());
}

TEST(PngLoad, ReadsFromTheStreamsPositionAndNeverPastTheEndChunk) {
  const std::string file = Around({}, {Iend(), "garbage after the end", Bytes({0, 0})});
  TMemoryStream stream;
  stream.WriteBuffer("leading bytes", 13);
  stream.WriteBuffer(file.data(), int32_t(file.size()));
  stream.SetPosition(13);
  TPNGImage image;
  image.LoadFromStream(stream);
  ExpectTwoByTwo(image);
  EXPECT_EQ(stream.Position(), 13 + int32_t(file.size()) - 23);

  stream.SetPosition(0);
  TPNGImage atStart;
  EXPECT_THROW(atStart.LoadFromStream(stream), EAbort);
}

TEST(PngLoad, SkipsUnregisteredChunksAnywhereAndIgnoresCrcs) {
  TPNGImage image;
  LoadPng(image, Around({Chunk("tEXt", "Title\0Logo"), Chunk("gAMA", BigEndian(45455))},
                        {Chunk("tIME", Bytes({7, 230, 1, 2, 3, 4, 5})), Iend()}));
  ExpectTwoByTwo(image);

  std::string badCrcs = Around({});
  const size_t headerCrc = 8 + Ihdr(2, 2, 8).size() - 1, paletteCrc = headerCrc + Plte(4).size();
  for (size_t at : {headerCrc, paletteCrc}) badCrcs[at] = char(badCrcs[at] ^ 0x5A);
  TPNGImage unchecked;
  LoadPng(unchecked, badCrcs);
  ExpectTwoByTwo(unchecked);

  TPNGImage withoutEnd;
  LoadPng(withoutEnd, Around({}, {}));
  ExpectTwoByTwo(withoutEnd);

  // An unregistered chunk claiming more than the stream holds ends the reading.
  TPNGImage cut;
  LoadPng(cut, Around({}, {RawChunk(1000, "zzZz", "short")}));
  ExpectTwoByTwo(cut);
}

TEST(PngLoad, FailsTheChecksWithEAbort) {
  const std::string idat = Chunk("IDAT", TwoByTwo);
  const struct {
    const char* Name;
    std::string File;
  } cases[] = {
      {"not a signature", "\x89PNG\r\n\x1b\n" + Ihdr(2, 2, 8) + Plte(4) + idat + Iend()},
      {"shorter than a signature", "\x89PNG"},
      {"nothing after the signature", Png({})},
      {"no registered chunk", Png({Chunk("tEXt", "a"), Chunk("zzzz", "")})},
      {"lower-case header", Png({Chunk("ihdr", Ihdr(2, 2, 8).substr(8, 13)), Plte(4), idat})},
      {"palette before the header", Png({Plte(4), Ihdr(2, 2, 8), idat, Iend()})},
      {"image data before the header", Png({idat, Ihdr(2, 2, 8), Plte(4), Iend()})},
      {"palette shaped like a header first",
       Png({Chunk("PLTE", Ihdr(2, 2, 8).substr(8, 13) + "xy"), Ihdr(2, 2, 8), idat, Iend()})},
      {"no image data", Png({Ihdr(2, 2, 8), Plte(4), Iend()})},
      {"image data cut short", Png({Ihdr(2, 2, 8), Plte(4), RawChunk(40, "IDAT", TwoByTwo)})},
      {"end inside a length", Png({Ihdr(2, 2, 8), Plte(4), idat, Bytes({0, 0, 0})})},
      {"end inside a type", Png({Ihdr(2, 2, 8), Plte(4), idat, Bytes({0, 0, 0, 0, 'I', 'E'})})},
      {"registered chunk, length 2^31", Around({}, {RawChunk(0x80000000u, "IEND")})},
      {"unregistered chunk, length 2^31", Around({}, {RawChunk(0x80000000u, "tEXt")})},
      // Taken as -12 this would seek back onto the same chunk header for ever.
      {"unregistered chunk, length -12", Around({}, {RawChunk(0xFFFFFFF4u, "tEXt"), Iend()})},
      {"registered chunk, length -1", Around({}, {RawChunk(0xFFFFFFFFu, "PLTE"), Iend()})},
  };
  for (const auto& c : cases) {
    TPNGImage image;
    try {
      LoadPng(image, c.File);
      ADD_FAILURE() << c.Name << ": loaded";
    } catch (const EAbort& e) {
      EXPECT_STREQ(e.what(), "Operation aborted") << c.Name;
    }
    EXPECT_TRUE(image.Empty()) << c.Name;
  }
}

TEST_F(PngReaderTest, AFailedCheckLeavesTheImageAsItWas) {
  TPNGImage image;
  LoadPng(image, Around({}));
  const Handle palette = image.Palette();
  EXPECT_THROW(LoadPng(image, Png({Ihdr(5, 5, 1), Plte(2), Iend()})), EAbort);
  ExpectTwoByTwo(image);
  EXPECT_EQ(image.Palette(), palette);
  EXPECT_EQ(Sim.LivePalettes(), 1u);
}

TEST(PngSave, WritesNothing) {
  TPNGImage image;
  LoadPng(image, Around({}));
  TMemoryStream target;
  target.WriteBuffer("x", 1);
  image.SaveToStream(target);
  EXPECT_EQ(target.Size(), 1);
  EXPECT_EQ(target.Position(), 1);
}

} // namespace
