// The wizard's logo as committed: its layout, and its decoding row for row.
#include "LogoData.h"
#include "PngFixture.h"
#include "SimTest.h"

#include "wizard/ResConst.h"

#include <gtest/gtest.h>

namespace {

using namespace pngfix;
using LogoTest = SimTest;

const std::string Logo(reinterpret_cast<const char*>(LogoPng), LogoPngSize);

struct TFileChunk {
  std::string Type, Data;
};

std::vector<TFileChunk> ChunksOf(const std::string& file) {
  std::vector<TFileChunk> chunks;
  for (size_t at = 8; at + 12 <= file.size();) {
    const auto* p = reinterpret_cast<const uint8_t*>(file.data() + at);
    const size_t length = size_t(p[0]) << 24 | size_t(p[1]) << 16 | size_t(p[2]) << 8 | p[3];
    chunks.push_back({file.substr(at + 4, 4), file.substr(at + 8, length)});
    at += 12 + length;
  }
  return chunks;
}

TEST(Logo, IsHeaderPaletteOneImageChunkAndEndWithoutFilters) {
  const std::vector<TFileChunk> chunks = ChunksOf(Logo);
  ASSERT_EQ(chunks.size(), 4u);
  EXPECT_EQ(chunks[0].Type, "IHDR");
  EXPECT_EQ(chunks[0].Data, BigEndian(120) + BigEndian(260) + Bytes({8, 3, 0, 0, 0}));
  EXPECT_EQ(chunks[1].Type, "PLTE");
  EXPECT_EQ(chunks[1].Data.size(), 768u);
  EXPECT_EQ(chunks[2].Type, "IDAT");
  EXPECT_EQ(chunks[3].Type, "IEND");
  const std::string rows = Inflate(chunks[2].Data);
  ASSERT_EQ(rows.size(), 260u * 121u);
  for (size_t y = 0; y < 260; ++y) EXPECT_EQ(rows[y * 121], '\0') << "filter type of row " << y;
}

TEST(Logo, DecodesToEightBitRowsEqualToItsInflatedRows) {
  const std::vector<TFileChunk> chunks = ChunksOf(Logo);
  ASSERT_EQ(chunks.size(), 4u);
  const std::string rows = Inflate(chunks[2].Data);
  ASSERT_EQ(rows.size(), 260u * 121u);
  TPNGImage image;
  LoadPng(image, Logo);
  ASSERT_EQ(image.Width(), 120);
  ASSERT_EQ(image.Height(), 260);
  EXPECT_EQ(image.PixelFormat(), TPixelFormat::pf8bit);
  for (int y = 0; y < 260; ++y)
    ASSERT_EQ(Row(image, y, 120), rows.substr(size_t(y) * 121 + 1, 120)) << "row " << y;
  const std::vector<TPaletteEntry> entries = image.PaletteEntries();
  ASSERT_EQ(entries.size(), 256u);
  for (size_t i = 0; i < 256; ++i) {
    const std::string rgb = chunks[1].Data.substr(3 * i, 3);
    EXPECT_EQ(Bytes({entries[i].Red, entries[i].Green, entries[i].Blue}), rgb) << "entry " << i;
  }
}

TEST_F(LogoTest, LoadsFromItsResourceAsTheWizardDoes) {
  Sim.AddResource(ResConst::ResLogoType, ResConst::ResLogoName, Logo);
  {
    TPNGImage image;
    {
      TResourceStream resource(ResConst::ResLogoName, ResConst::ResLogoType);
      image.LoadFromStream(resource);
    }
    TBitmap shown;
    shown.Assign(image);
    EXPECT_EQ(shown.Width(), 120);
    EXPECT_EQ(shown.PaletteEntries().size(), 256u);
    EXPECT_EQ(Sim.LivePalettes(), 2u); // the image's and the copy's
  }
  EXPECT_EQ(Sim.LivePalettes(), 0u);
}

} // namespace
