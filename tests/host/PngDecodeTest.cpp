// PNG pixel decoding: filters, bit depths, the palette and its handle, and the refusals.
// Tests without a simulated machine use the build's own system, real GDI in the Windows build;
// palette counts are checked on the simulated machine.
#include "PngFixture.h"
#include "SimTest.h"

#include "compress/Zlib.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using namespace pngfix;
using PngDecodeTest = SimTest;

std::vector<TPaletteEntry> EntriesOf(int count, int first = 0) {
  std::vector<TPaletteEntry> entries;
  for (int i = first; i < first + count; ++i)
    entries.push_back({uint8_t(i), uint8_t(2 * i), uint8_t(255 - i), 0});
  return entries;
}

void ExpectEntries(const TBitmap& image, const std::vector<TPaletteEntry>& expected) {
  std::vector<TPaletteEntry> actual = image.PaletteEntries();
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(actual[i].Red, expected[i].Red) << i;
    EXPECT_EQ(actual[i].Green, expected[i].Green) << i;
    EXPECT_EQ(actual[i].Blue, expected[i].Blue) << i;
    EXPECT_EQ(actual[i].Flags, 0) << i;
  }
}

TEST(PngFilters, PaethPredictorPrefersLeftThenAbove) {
  const struct {
    uint8_t Left, Above, UpperLeft, Expected;
  } cases[] = {
      {10, 20, 15, 15}, {0, 3, 2, 0},     {0, 3, 1, 3},       {4, 22, 10, 22},
      {7, 7, 7, 7},     {255, 0, 255, 0}, {200, 250, 0, 250},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PaethPredictor(c.Left, c.Above, c.UpperLeft), c.Expected)
        << int(c.Left) << "," << int(c.Above) << "," << int(c.UpperLeft);
}

TEST(PngFilters, UnfilterReconstructsEachTypeModulo256) {
  const struct {
    const char* Name;
    uint8_t Type;
    std::string Row, Above, Expected;
  } cases[] = {
      {"none", 0, Bytes({5, 6, 7}), Bytes({1, 1, 1}), Bytes({5, 6, 7})},
      {"sub", 1, Bytes({1, 1, 1}), Bytes({9, 9, 9}), Bytes({1, 2, 3})},
      {"sub wraps", 1, Bytes({200, 100}), Bytes({0, 0}), Bytes({200, 44})},
      {"up", 2, Bytes({1, 2, 255}), Bytes({10, 20, 2}), Bytes({11, 22, 1})},
      {"average", 3, Bytes({5, 7}), Bytes({10, 20}), Bytes({10, 22})},
      // (250 + 200) / 2 is formed at full width: 100 + 225 = 325, stored as 69.
      {"average past 255", 3, Bytes({250, 100}), Bytes({0, 200}), Bytes({250, 69})},
      // Byte 1 predicts from left 10, above 20, upper left 15: the upper left wins.
      {"paeth", 4, Bytes({251, 1, 3}), Bytes({15, 20, 30}), Bytes({10, 16, 33})},
  };
  for (const auto& c : cases) {
    std::string row = c.Row;
    TChunkIDAT::Unfilter(c.Type, reinterpret_cast<uint8_t*>(&row[0]),
                         reinterpret_cast<const uint8_t*>(c.Above.data()), 1, int32_t(row.size()));
    EXPECT_EQ(row, c.Expected) << c.Name;
  }
  for (uint8_t type : {5, 6, 255}) {
    std::string row = Bytes({1, 2});
    const std::string above = Bytes({3, 4});
    EXPECT_THROW(TChunkIDAT::Unfilter(type, reinterpret_cast<uint8_t*>(&row[0]),
                                      reinterpret_cast<const uint8_t*>(above.data()), 1, 2),
                 EAbort)
        << int(type);
    EXPECT_EQ(row, Bytes({1, 2}));
  }
}

TEST(PngDecode, EveryFilterTypeInOneImage) {
  const std::vector<std::string> rows = {
      Bytes({0, 255, 128, 7, 7, 200}),   Bytes({3, 250, 130, 7, 9, 1}),
      Bytes({250, 250, 250, 0, 255, 0}), Bytes({10, 20, 15, 0, 3, 2}),
      Bytes({4, 22, 10, 60, 90, 255}),   Bytes({255, 254, 253, 252, 251, 250}),
  };
  for (const std::vector<uint8_t>& filters :
       {std::vector<uint8_t>{0, 1, 2, 3, 4, 4}, {4, 3, 2, 1, 0, 3}, {3, 4, 3, 4, 3, 4}}) {
    TPNGImage image;
    LoadPng(image,
            Png({Ihdr(6, 6, 8), Plte(256), Chunk("IDAT", ImageData(rows, filters)), Iend()}));
    ASSERT_EQ(image.Height(), 6);
    for (int y = 0; y < 6; ++y)
      EXPECT_EQ(Row(image, y, 6), rows[size_t(y)]) << "row " << y << " filter " << int(filters[y]);
  }
}

TEST(PngDecode, BitDepthsGiveTheirPixelFormatsAndRows) {
  const struct {
    const char* Name;
    uint8_t BitDepth;
    int32_t Width;
    std::string Filtered, Expected;
    TPixelFormat Format;
  } cases[] = {
      // Ten pixels: both bytes are copied, the six bits after the last pixel included.
      {"1 bit", 1, 10, Bytes({0xB3, 0x7F}), Bytes({0xB3, 0x7F}), TPixelFormat::pf1bit},
      // Indices 1, 2, 3: the 4-bit row is 0x12 and then 3 in the high half.
      {"2 bits, 3 pixels", 2, 3, Bytes({0x6C}), Bytes({0x12, 0x30}), TPixelFormat::pf4bit},
      {"2 bits, 5 pixels", 2, 5, Bytes({0xE4, 0x7F}), Bytes({0x32, 0x10, 0x10}),
       TPixelFormat::pf4bit},
      {"4 bits", 4, 3, Bytes({0x12, 0x3F}), Bytes({0x12, 0x3F}), TPixelFormat::pf4bit},
      {"8 bits", 8, 3, Bytes({1, 2, 3}), Bytes({1, 2, 3}), TPixelFormat::pf8bit},
      // The first byte of each 2-byte sample becomes the pixel.
      {"16 bits", 16, 2, Bytes({0xAB, 0xCD, 0x01, 0x02}), Bytes({0xAB, 0x01}),
       TPixelFormat::pf8bit},
  };
  for (const auto& c : cases) {
    TPNGImage image;
    LoadPng(image, SimplePng(c.Width, c.BitDepth, {c.Filtered, c.Filtered}, 3));
    EXPECT_EQ(image.Width(), c.Width) << c.Name;
    EXPECT_EQ(image.PixelFormat(), c.Format) << c.Name;
    for (int y = 0; y < 2; ++y)
      EXPECT_EQ(Row(image, y, int(c.Expected.size())), c.Expected) << c.Name << " row " << y;
    ExpectEntries(image, EntriesOf(3));
  }
}

TEST(PngDecode, OtherBitDepthsStoreNothingButStillInflateAndUnfilter) {
  TPNGImage image;
  LoadPng(image, SimplePng(2, 8, {Bytes({9, 9})}));
  // Width 4 at 3 bits: rows of 2 bytes.
  LoadPng(image, SimplePng(4, 3, {Bytes({0xFF, 0xFF}), Bytes({0x77, 0x77})}));
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_EQ(image.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(Row(image, 0, 4), std::string(4, '\0'));
  EXPECT_EQ(Row(image, 1, 4), std::string(4, '\0'));

  const std::string badFilter = Deflate(Bytes({0, 1, 1, 5, 1, 1}));
  EXPECT_THROW(LoadPng(image, Png({Ihdr(4, 2, 3), Plte(2), Chunk("IDAT", badFilter)})), EAbort);
  EXPECT_THROW(LoadPng(image, Png({Ihdr(4, 2, 3), Plte(2), Chunk("IDAT", "not zlib data")})),
               EZlibError);
}

TEST(PngDecode, ShortHeaderFieldsAreZeroAndTheRestDecodes) {
  TPNGImage image;
  LoadPng(image, Png({Chunk("IHDR", BigEndian(2) + BigEndian(1) + Bytes({8})), Plte(3),
                      Chunk("IDAT", Deflate(Bytes({0, 2, 1}))), Iend()}));
  EXPECT_EQ(image.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(Row(image, 0, 2), Bytes({2, 1}));
}

TEST(PngDecode, MissingImageBytesReadAsZeros) {
  const std::vector<std::string> full = {Bytes({1, 2, 3, 4}), Bytes({5, 6, 7, 8}),
                                         Bytes({9, 10, 11, 12})};
  TPNGImage image;
  LoadPng(image, SimplePng(4, 8, full));
  ASSERT_EQ(Row(image, 2, 4), full[2]);

  // A complete zlib stream that ends in row 1, which uses filter Up: its missing bytes are
  // zeros before unfiltering, so they repeat the row above.
  const std::string shortRows = Deflate(Bytes({0, 1, 2, 3, 4, 2, 4, 4}));
  LoadPng(image, Png({Ihdr(4, 3, 8), Plte(2), Chunk("IDAT", shortRows), Iend()}));
  EXPECT_EQ(Row(image, 0, 4), Bytes({1, 2, 3, 4}));
  EXPECT_EQ(Row(image, 1, 4), Bytes({5, 6, 3, 4}));
  EXPECT_EQ(Row(image, 2, 4), std::string(4, '\0'));

  // Row buffers are reused: a row cut short two rows later must not show row 0's bytes.
  const std::string laterRows = Deflate(Bytes({0, 1, 2, 3, 4, 0, 5, 6, 7, 8, 0, 9}));
  LoadPng(image, Png({Ihdr(4, 4, 8), Plte(2), Chunk("IDAT", laterRows), Iend()}));
  EXPECT_EQ(Row(image, 1, 4), Bytes({5, 6, 7, 8}));
  EXPECT_EQ(Row(image, 2, 4), Bytes({9, 0, 0, 0}));
  EXPECT_EQ(Row(image, 3, 4), std::string(4, '\0'));

  // A zlib stream cut short in the same way.
  const std::string whole = ImageData(full, {0});
  LoadPng(image, Png({Ihdr(4, 3, 8), Plte(2), Chunk("IDAT", whole.substr(0, 9)), Iend()}));
  EXPECT_EQ(image.Height(), 3);
  EXPECT_EQ(Row(image, 2, 4), std::string(4, '\0'));
}

TEST(PngDecode, CorruptImageDataRaisesTheInflatersError) {
  const std::string good = ImageData({Bytes({1, 2}), Bytes({3, 4})}, {0});
  std::string corrupt = good;
  corrupt[2] = char(0xFF); // a final block of the reserved type
  for (const std::string& data : {corrupt, PresetDictionaryStream}) {
    TPNGImage image;
    EXPECT_THROW(LoadPng(image, Png({Ihdr(2, 2, 8), Plte(2), Chunk("IDAT", data)})), EZlibError);
  }
  // Bytes after the end of the zlib stream are not image data.
  TPNGImage image;
  LoadPng(image, Png({Ihdr(2, 2, 8), Plte(5), Chunk("IDAT", good + "trailing")}));
  EXPECT_EQ(Row(image, 1, 2), Bytes({3, 4}));
}

TEST_F(PngDecodeTest, ABadFilterTypeInTheThirdRowKeepsTheFirstTwo) {
  {
    const std::string data = Deflate(Bytes({0, 1, 2, 3, 2, 1, 1, 1, 5, 9, 9, 9, 0, 4, 4, 4}));
    TPNGImage image;
    EXPECT_THROW(LoadPng(image, Png({Ihdr(3, 4, 8), Plte(6), Chunk("IDAT", data), Iend()})),
                 EAbort);
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.Height(), 4);
    EXPECT_EQ(image.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(Row(image, 0, 3), Bytes({1, 2, 3}));
    EXPECT_EQ(Row(image, 1, 3), Bytes({2, 3, 4}));
    EXPECT_EQ(Row(image, 2, 3), std::string(3, '\0'));
    EXPECT_EQ(Row(image, 3, 3), std::string(3, '\0'));
    ExpectEntries(image, EntriesOf(6));
    EXPECT_EQ(Sim.LivePalettes(), 1u);
  }
  EXPECT_EQ(Sim.LivePalettes(), 0u);
}

TEST_F(PngDecodeTest, PaletteComesFromTheLastPaletteChunkCutTo256Entries) {
  TPNGImage image;
  const std::string idat = Chunk("IDAT", Deflate(Bytes({0, 1})));
  LoadPng(image, Png({Ihdr(1, 1, 8), Chunk("PLTE", Bytes({1, 2, 3, 4, 5, 6, 7})), idat}));
  EXPECT_EQ(image.PaletteEntries().size(), 2u);
  EXPECT_EQ(image.PaletteEntries()[1].Blue, 6);

  LoadPng(image, Png({Ihdr(1, 1, 8), Plte(300), idat}));
  ExpectEntries(image, EntriesOf(256));

  Sim.ResetCallCounts();
  LoadPng(image, Png({Ihdr(1, 1, 8), Plte(5), idat, Chunk("PLTE", Bytes({9, 8, 7})), Iend()}));
  EXPECT_EQ(Sim.CallCount(SimCall::CreatePalette), 1);
  ASSERT_EQ(image.PaletteEntries().size(), 1u);
  EXPECT_EQ(image.PaletteEntries()[0].Red, 9);
  // Every load replaced the image's palette; the old ones are gone.
  EXPECT_EQ(Sim.LivePalettes(), 1u);
}

TEST_F(PngDecodeTest, RefusalsLeaveTheImageAndTheMachineAsTheyWere) {
  TPNGImage image;
  LoadPng(image, SimplePng(2, 8, {Bytes({1, 2})}));
  const Handle palette = image.Palette();
  const std::string idat = Chunk("IDAT", Deflate(Bytes({0, 1})));
  const struct {
    const char* Name;
    std::string File;
  } cases[] = {
      {"no palette", Png({Ihdr(1, 1, 8), idat, Iend()})},
      {"palette of 2 bytes", Png({Ihdr(1, 1, 8), Chunk("PLTE", "ab"), idat})},
      {"width 0", Png({Ihdr(0, 1, 8), Plte(2), idat})},
      {"height 0", Png({Ihdr(1, 0, 8), Plte(2), idat})},
      {"negative width", Png({Ihdr(-1, 1, 8), Plte(2), idat})},
      {"negative height", Png({Ihdr(1, -5, 8), Plte(2), idat})},
      {"64 Mi pixels and a row", Png({Ihdr(8192, 8193, 8), Plte(2), idat})},
      {"product past 32 bits", Png({Ihdr(0x7FFFFFFF, 0x7FFFFFFF, 1), Plte(2), idat})},
      {"row wider than a 16-bit one", Png({Ihdr(64 << 20, 1, 17), Plte(2), idat})},
  };
  for (const auto& c : cases) {
    Sim.ResetCallCounts();
    EXPECT_THROW(LoadPng(image, c.File), EAbort) << c.Name;
    EXPECT_EQ(Sim.CallCount(SimCall::CreatePalette), 0) << c.Name;
    EXPECT_EQ(image.Width(), 2) << c.Name;
    EXPECT_EQ(image.Height(), 1) << c.Name;
    EXPECT_EQ(Row(image, 0, 2), Bytes({1, 2})) << c.Name;
    EXPECT_EQ(image.Palette(), palette) << c.Name;
  }
  EXPECT_EQ(Sim.LivePalettes(), 1u);
}

TEST(PngDecode, SixtyFourMiPixelsAreStillDecoded) {
  TPNGImage image;
  LoadPng(image, Png({Ihdr(1 << 16, 1 << 10, 8), Plte(2), Chunk("IDAT", Deflate(Bytes({0, 1, 1}))),
                      Iend()}));
  EXPECT_EQ(image.Width(), 1 << 16);
  EXPECT_EQ(image.Height(), 1 << 10);
  EXPECT_EQ(Row(image, 0, 3), Bytes({1, 1, 0}));
  EXPECT_EQ(Row(image, 1023, 3), std::string(3, '\0'));
}

TEST_F(PngDecodeTest, AFailedPaletteCreationRaisesAndLeaksNothing) {
  TSimFault fault;
  fault.Call = SimCall::CreatePalette;
  Sim.AddFault(fault);
  {
    TPNGImage image;
    EXPECT_THROW(LoadPng(image, SimplePng(1, 8, {Bytes({1})})), EAbort);
    EXPECT_EQ(image.Palette(), Handle(0));
  }
  EXPECT_EQ(Sim.LivePalettes(), 0u);
}

TEST_F(PngDecodeTest, APaletteChunkDeletesOnlyThePaletteTheImageDidNotTake) {
  TPNGImage image;
  {
    TChunkList list(image);
    auto& plte = static_cast<TChunkPLTE&>(list.Add(std::make_unique<TChunkPLTE>(list)));
    plte.Data.WriteBuffer("\1\2\3\4\5\6", 6);
    const Handle first = plte.BuildPalette();
    ASSERT_NE(first, Handle(0));
    const Handle second = plte.BuildPalette();
    EXPECT_EQ(Sim.LivePalettes(), 1u); // the first is deleted when the second is built
    EXPECT_EQ(plte.Palette, second);
    EXPECT_EQ(Sim.PaletteOf(second).size(), 2u);
  }
  EXPECT_EQ(Sim.LivePalettes(), 0u);
  {
    TChunkList list(image);
    auto& plte = static_cast<TChunkPLTE&>(list.Add(std::make_unique<TChunkPLTE>(list)));
    plte.Data.WriteBuffer("\1\2\3", 3);
    image.SetPalette(plte.BuildPalette());
  }
  EXPECT_EQ(Sim.LivePalettes(), 1u);
  EXPECT_EQ(Sim.PaletteOf(image.Palette()).size(), 1u);
}

} // namespace
