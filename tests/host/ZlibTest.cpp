// The buffer inflater and the inflating stream.
#include "ZlibFixture.h"

#include "compress/Zlib.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

// Bytes that do not compress.
std::string Noise(size_t size, uint32_t seed = 1) {
  std::string s(size, '\0');
  for (char& c : s) {
    seed = seed * 1103515245u + 12345u;
    c = char(seed >> 23);
  }
  return s;
}

// Bytes that compress well but not to nothing.
std::string Text(size_t size) {
  std::string s;
  for (size_t i = 0; s.size() < size; ++i) s += "line " + std::to_string(i) + " of the text\r\n";
  s.resize(size);
  return s;
}

std::string Str(const THeapBlock& block, int32_t length) {
  return std::string(reinterpret_cast<const char*>(block.get()), size_t(length));
}

THeapBlock HeapCopy(const std::string& s) {
  THeapBlock block(static_cast<uint8_t*>(std::malloc(s.size())));
  std::memcpy(block.get(), s.data(), s.size());
  return block;
}

// A memory stream that records the counts asked of its Read.
class TRecordingStream : public TStream {
public:
  explicit TRecordingStream(const std::string& bytes) {
    Inner.WriteBuffer(bytes.data(), int32_t(bytes.size()));
    Inner.SetPosition(0);
  }
  int32_t Read(void* buffer, int32_t count) override {
    Requests.push_back(count);
    return Inner.Read(buffer, count);
  }
  int32_t Write(const void* buffer, int32_t count) override { return Inner.Write(buffer, count); }
  int32_t Seek(int32_t offset, uint16_t origin) override { return Inner.Seek(offset, origin); }

  TMemoryStream Inner;
  std::vector<int32_t> Requests;
};

std::string ReadString(TStream& stream, int32_t count) {
  std::string s(size_t(count > 0 ? count : 0), '\0');
  s.resize(size_t(stream.Read(&s[0], count)));
  return s;
}

TEST(InflateIncrement, RoundsUpToAMultipleOf256) {
  const struct {
    int32_t Length;
    int64_t Increment;
  } cases[] = {{1, 256}, {255, 256},     {256, 256},     {257, 512},
               {0, 0},   {65536, 65536}, {65537, 65792}, {INT32_MAX, int64_t(1) << 31}};
  for (const auto& c : cases) EXPECT_EQ(InflateIncrement(c.Length), c.Increment) << c.Length;
}

TEST(InflateBuffer, GivesTheExactBytesWhateverTheEstimate) {
  const std::string raw = Text(100000);
  const std::string z = Deflate(raw);
  const int32_t exact = int32_t(raw.size());
  // 0 grows from a block of about z.size() in many rounds; the exact length fills the first
  // block before the trailer has been read.
  for (int32_t expected :
       {0, -1, 1, exact - 1, exact, exact + 1, 5 * int32_t(z.size()), 10 * exact}) {
    THeapBlock out;
    int32_t length = -1;
    InflateBuffer(z.data(), int32_t(z.size()), out, length, expected);
    ASSERT_EQ(length, exact) << expected;
    EXPECT_EQ(Str(out, length), raw) << expected;
  }
}

TEST(InflateBuffer, OutputAsLongAsTheFirstBlockIsTrimmedBack) {
  const std::string raw = Noise(400) + std::string(112, 'x');
  const std::string z = Deflate(raw);
  ASSERT_EQ(InflateIncrement(int32_t(z.size())), 512);
  THeapBlock out;
  int32_t length = 0;
  InflateBuffer(z.data(), int32_t(z.size()), out, length, 0);
  EXPECT_EQ(length, 512);
  EXPECT_EQ(Str(out, length), raw);
}

TEST(InflateBuffer, AnEmptyResultIsANullBlock) {
  const std::string z = Deflate("");
  THeapBlock out = HeapCopy("old");
  int32_t length = 3;
  InflateBuffer(z.data(), int32_t(z.size()), out, length, 0);
  EXPECT_EQ(out.get(), nullptr);
  EXPECT_EQ(length, 0);
}

TEST(InflateBuffer, InputAndOutputMayBeTheSameVariables) {
  const std::string raw = Text(5000);
  const std::string z = Deflate(raw);

  // The archive's call: its block and size go in and come back inflated.
  THeapBlock block = HeapCopy(z);
  int32_t size = int32_t(z.size());
  InflateBuffer(block.get(), size, block, size, 5 * size);
  ASSERT_EQ(size, int32_t(raw.size()));
  EXPECT_EQ(Str(block, size), raw);

  // An input it does not own is left as it was.
  const std::string input = z;
  THeapBlock out;
  int32_t length = int32_t(input.size());
  InflateBuffer(input.data(), length, out, length, 0);
  EXPECT_EQ(length, int32_t(raw.size()));
  EXPECT_EQ(input, z);
}

TEST(InflateBuffer, TrailingBytesAfterTheStreamAreIgnored) {
  const std::string raw = Text(3000);
  const std::string z = Deflate(raw) + "trailing garbage";
  THeapBlock out;
  int32_t length = 0;
  InflateBuffer(z.data(), int32_t(z.size()), out, length, 0);
  EXPECT_EQ(Str(out, length), raw);
}

TEST(InflateBuffer, BadStreamsRaiseAndLeaveTheOutputAsItWas) {
  const std::string z = Deflate(Text(3000));
  std::string corrupt = z;
  corrupt[2] = char(0xFF);
  std::string badChecksum = z;
  badChecksum.back() = char(badChecksum.back() ^ 1);
  const struct {
    const char* Name;
    std::string Input;
    int32_t Length;
  } cases[] = {
      {"corrupt block", corrupt, int32_t(corrupt.size())},
      {"wrong checksum", badChecksum, int32_t(badChecksum.size())},
      {"cut in the data", z, int32_t(z.size() / 2)},
      {"cut in the checksum", z, int32_t(z.size() - 2)},
      {"header only", z, 2},
      {"preset dictionary", PresetDictionaryStream, int32_t(PresetDictionaryStream.size())},
      {"length 0", z, 0},
      {"negative length", z, -4},
  };
  for (const auto& c : cases) {
    THeapBlock out = HeapCopy("kept");
    const uint8_t* before = out.get();
    int32_t length = 4;
    EXPECT_THROW(InflateBuffer(c.Input.data(), c.Length, out, length, 0), EZlibError) << c.Name;
    EXPECT_EQ(out.get(), before) << c.Name;
    EXPECT_EQ(Str(out, 4), "kept") << c.Name;
    EXPECT_EQ(length, 4) << c.Name;
  }
}

class ZStreamTest : public ::testing::Test {
protected:
  ZStreamTest() {
    Source.WriteBuffer(Z.data(), int32_t(Z.size()));
    Source.SetPosition(0);
  }
  const std::string Raw = Text(300000);
  const std::string Z = Deflate(Raw);
  TMemoryStream Source;
};

TEST_F(ZStreamTest, ReadsInPiecesAndEndsWithTheStream) {
  TZDecompressionStream stream(Source);
  EXPECT_EQ(stream.SourcePosition, 0);
  EXPECT_EQ(stream.SourceLimit, 0x7FFFFFFF);
  std::string all, piece;
  do {
    piece = ReadString(stream, 7777);
    all += piece;
  } while (piece.size() == 7777);
  EXPECT_EQ(all, Raw);
  EXPECT_EQ(stream.Position(), int32_t(Raw.size()));
  EXPECT_EQ(ReadString(stream, 100), "");
  EXPECT_EQ(ReadString(stream, 100), "");
}

TEST_F(ZStreamTest, AStreamEndingWithItsSourceGivesWhatRemainsThenNothing) {
  TZDecompressionStream stream(Source);
  EXPECT_EQ(ReadString(stream, int32_t(Raw.size()) - 10), Raw.substr(0, Raw.size() - 10));
  EXPECT_EQ(ReadString(stream, 50), Raw.substr(Raw.size() - 10));
  EXPECT_EQ(ReadString(stream, 50), "");
  EXPECT_EQ(stream.SourceRead, int32_t(Z.size()));
}

TEST(ZStream, RefillsTakeAtMost64KiBAndStopAtTheLimit) {
  const std::string raw = Noise(200000);
  const std::string z = Deflate(raw);
  {
    TRecordingStream source(z);
    TZDecompressionStream stream(source);
    EXPECT_EQ(ReadString(stream, int32_t(raw.size()) + 1), raw);
    ASSERT_GE(source.Requests.size(), 4u);
    for (int32_t request : source.Requests) EXPECT_EQ(request, 65536);
    EXPECT_EQ(stream.SourceRead, int32_t(z.size()));
  }
  {
    TRecordingStream source(z);
    TZDecompressionStream stream(source);
    stream.SourceLimit = 70000;
    const std::string got = ReadString(stream, int32_t(raw.size()));
    EXPECT_EQ(source.Requests, (std::vector<int32_t>{65536, 70000 - 65536}));
    EXPECT_EQ(stream.SourceRead, 70000);
    EXPECT_GT(got.size(), 60000u);
    EXPECT_LT(got.size(), 70000u);
    EXPECT_EQ(got, raw.substr(0, got.size()));
    EXPECT_EQ(ReadString(stream, 10), "");
    EXPECT_EQ(source.Requests.size(), 2u);
  }
}

TEST_F(ZStreamTest, ACountOfZeroOrLessInflatesNothingButPutsSourceBack) {
  TZDecompressionStream stream(Source);
  EXPECT_EQ(ReadString(stream, 10), Raw.substr(0, 10));
  const int32_t sourcePosition = stream.SourcePosition;
  Source.SetPosition(3);
  char buffer[1] = {'q'};
  EXPECT_EQ(stream.Read(buffer, 0), 0);
  EXPECT_EQ(Source.Position(), sourcePosition);
  Source.SetPosition(3);
  EXPECT_EQ(stream.Read(buffer, -5), -5);
  EXPECT_EQ(Source.Position(), sourcePosition);
  EXPECT_EQ(buffer[0], 'q');
  EXPECT_EQ(stream.Position(), 10);
  // Other code may move Source between reads.
  Source.SetPosition(0);
  EXPECT_EQ(ReadString(stream, 10), Raw.substr(10, 10));
}

TEST_F(ZStreamTest, RewindRestartsAtTheAbsoluteStartOfSource) {
  // Created over a stream that stands at its end, as the PNG decoder does.
  Source.Seek(0, soFromEnd);
  {
    TZDecompressionStream stream(Source);
    EXPECT_EQ(stream.SourcePosition, int32_t(Z.size()));
    EXPECT_EQ(ReadString(stream, 10), "");
    stream.SetPosition(0);
    EXPECT_EQ(Source.Position(), 0);
    EXPECT_EQ(stream.SourcePosition, 0);
    const std::string first = ReadString(stream, 100000);
    EXPECT_EQ(first, Raw.substr(0, 100000));
    stream.SetPosition(0);
    EXPECT_EQ(stream.Position(), 0);
    EXPECT_EQ(ReadString(stream, 100000), first);
  }
  // Data at an offset reads from there, but the rewind goes to 0, not back to the offset.
  TMemoryStream shifted;
  shifted.WriteBuffer("12345", 5);
  shifted.WriteBuffer(Z.data(), int32_t(Z.size()));
  shifted.SetPosition(5);
  TZDecompressionStream stream(shifted);
  EXPECT_EQ(ReadString(stream, 20), Raw.substr(0, 20));
  stream.SetPosition(0);
  EXPECT_EQ(shifted.Position(), 0);
  char buffer[20];
  EXPECT_THROW(stream.Read(buffer, 20), EZlibError);
}

TEST_F(ZStreamTest, ForwardSeeksSkipAndOtherSeeksChangeNothing) {
  TZDecompressionStream stream(Source);
  stream.SetPosition(10000); // two pieces of 4,096 and one of 1,808
  EXPECT_EQ(stream.Position(), 10000);
  EXPECT_EQ(ReadString(stream, 10), Raw.substr(10000, 10));
  EXPECT_EQ(stream.Seek(4096, soFromCurrent), 14106);
  EXPECT_EQ(stream.Seek(0, soFromCurrent), 14106);
  EXPECT_EQ(ReadString(stream, 10), Raw.substr(14106, 10));

  const struct {
    int32_t Offset;
    uint16_t Origin;
  } unchanged[] = {{100, soFromBeginning}, {14116, soFromBeginning}, {-1, soFromCurrent},
                   {0, soFromEnd},         {-5, soFromEnd},          {50, soFromEnd}};
  for (const auto& s : unchanged)
    EXPECT_EQ(stream.Seek(s.Offset, s.Origin), 14116) << s.Offset << " from " << s.Origin;
  EXPECT_EQ(ReadString(stream, 10), Raw.substr(14116, 10));

  EXPECT_THROW(stream.SetPosition(int32_t(Raw.size()) + 1), EAbort);
}

TEST_F(ZStreamTest, SizeIsTheCurrentPositionAndRewindsAtZero) {
  TZDecompressionStream stream(Source);
  ReadString(stream, 1234);
  EXPECT_EQ(stream.Size(), 1234);
  EXPECT_EQ(ReadString(stream, 6), Raw.substr(1234, 6));

  Source.Seek(0, soFromEnd);
  TZDecompressionStream atEnd(Source);
  EXPECT_EQ(atEnd.Size(), 0);
  EXPECT_EQ(Source.Position(), 0); // moving back to position 0 was a rewind
  EXPECT_EQ(ReadString(atEnd, 6), Raw.substr(0, 6));
}

TEST_F(ZStreamTest, WriteWritesNothing) {
  TZDecompressionStream stream(Source);
  EXPECT_EQ(stream.Write("abc", 3), 0);
  EXPECT_EQ(stream.Position(), 0);
  EXPECT_EQ(Source.Size(), int32_t(Z.size()));
  EXPECT_EQ(ReadString(stream, 5), Raw.substr(0, 5));
}

TEST(ZStream, BadDataNeverLoops) {
  const std::string raw = Text(100000);
  const std::string z = Deflate(raw);
  std::string corruptLater = z;
  corruptLater[z.size() / 2] = char(corruptLater[z.size() / 2] ^ 0x55);
  const struct {
    const char* Name;
    std::string Data;
    bool Raises;
  } cases[] = {
      {"corrupt header", "\x78\x9C\xFF\xFF\xFF\xFF", true},
      {"corrupt in the middle", corruptLater, true},
      {"preset dictionary", PresetDictionaryStream, true},
      {"cut short", z.substr(0, z.size() / 2), false},
      {"cut in the checksum", z.substr(0, z.size() - 1), false},
      {"trailing garbage", z + Noise(70000), false},
      {"nothing", "", false},
  };
  for (const auto& c : cases) {
    TMemoryStream source;
    source.WriteBuffer(c.Data.data(), int32_t(c.Data.size()));
    source.SetPosition(0);
    TZDecompressionStream stream(source);
    std::vector<char> buffer(2 * raw.size());
    for (int attempt = 0; attempt < 2; ++attempt) {
      if (c.Raises) {
        EXPECT_THROW(stream.Read(buffer.data(), int32_t(buffer.size())), EZlibError) << c.Name;
        continue;
      }
      const int32_t got = stream.Read(buffer.data(), int32_t(buffer.size()));
      const std::string gotText(buffer.data(), size_t(got));
      EXPECT_EQ(gotText, raw.substr(0, gotText.size())) << c.Name;
      if (attempt == 0 && c.Name == std::string("trailing garbage")) {
        EXPECT_EQ(got, int32_t(raw.size()));
      }
      if (attempt == 1) {
        EXPECT_EQ(got, 0) << c.Name;
      }
    }
  }
}

} // namespace

// The CRC-32 the inflater checks gzip streams with: on Windows our own, elsewhere the
// library's, which proves the figures below.
TEST(Crc32, KnownValuesInOneCallOrInPieces) {
  auto crc = [](const std::string& s, uLong start = 0) {
    return crc32(start, reinterpret_cast<const Bytef*>(s.data()), uInt(s.size()));
  };
  const struct {
    std::string Bytes;
    uLong Crc;
  } cases[] = {
      {"", 0},
      {"a", 0xE8B7BE43},
      {"123456789", 0xCBF43926},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339},
      {std::string(3, '\xFF'), 0xFFFFFF00},
      {Noise(1 << 20), 0x43EC3A33},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Bytes.substr(0, 12));
    EXPECT_EQ(crc(c.Bytes), c.Crc);
    for (size_t cut : {size_t(1), c.Bytes.size() / 3, c.Bytes.size() - 1}) {
      if (cut >= c.Bytes.size()) continue;
      EXPECT_EQ(crc(c.Bytes.substr(cut), crc(c.Bytes.substr(0, cut))), c.Crc) << cut;
    }
  }
  EXPECT_EQ(crc32(0x12345678, Z_NULL, 10), 0u) << "no buffer gives the initial value";
}

TEST(Crc32, TheInflaterChecksAGzipStreamsTrailerWithIt) {
  const std::string fox = "The quick brown fox jumps over the lazy dog";
  const unsigned char gzip[] = {0x1f, 0x8b, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x03, 0x0b,
                                0xc9, 0x48, 0x55, 0x28, 0x2c, 0xcd, 0x4c, 0xce, 0x56, 0x48, 0x2a,
                                0xca, 0x2f, 0xcf, 0x53, 0x48, 0xcb, 0xaf, 0x50, 0xc8, 0x2a, 0xcd,
                                0x2d, 0x28, 0x56, 0xc8, 0x2f, 0x4b, 0x2d, 0x52, 0x28, 0x01, 0x4a,
                                0xe7, 0x24, 0x56, 0x55, 0x2a, 0xa4, 0xe4, 0xa7, 0x03, 0x00, 0x39,
                                0xa3, 0x4f, 0x41, 0x2b, 0x00, 0x00, 0x00};
  auto inflateGzip = [&](std::string stream, std::string& out) {
    z_stream z{};
    EXPECT_EQ(inflateInit2(&z, 16 + MAX_WBITS), Z_OK);
    out.assign(256, '\0');
    z.next_in = reinterpret_cast<Bytef*>(&stream[0]);
    z.avail_in = uInt(stream.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = uInt(out.size());
    const int result = inflate(&z, Z_FINISH);
    out.resize(z.total_out);
    inflateEnd(&z);
    return result;
  };
  std::string whole(reinterpret_cast<const char*>(gzip), sizeof gzip), out;
  EXPECT_EQ(inflateGzip(whole, out), Z_STREAM_END);
  EXPECT_EQ(out, fox);
  std::string badCheck = whole;
  badCheck[sizeof gzip - 8] ^= 1; // the first byte of the trailer's CRC
  EXPECT_EQ(inflateGzip(badCheck, out), Z_DATA_ERROR);
}
