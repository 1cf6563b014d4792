#include "tools/sampleproduct/SampleContent.h"

#include "tools/sampleproduct/SampleLicense.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace {

constexpr double kPi = 3.14159265358979323846;

// A small fixed generator, so that every build makes the same bytes.
class TRandom {
public:
  explicit TRandom(uint64_t seed) : State(seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint32_t Next() {
    State = State * 6364136223846793005ull + 1442695040888963407ull;
    return uint32_t(State >> 33);
  }
  uint32_t Below(uint32_t n) { return Next() % n; }

private:
  uint64_t State;
};

const char* const kWords[] = {
    "letter",  "page",   "draft",   "word",   "spell",  "margin",  "column",  "table",   "note",
    "chapter", "report", "meeting", "office", "friend", "morning", "evening", "answer",  "thank",
    "kind",    "regard", "welcome", "season", "summer", "winter",  "garden",  "river",   "market",
    "station", "window", "picture", "story",  "reader", "writer",  "careful", "simple",  "quick",
    "bright",  "gentle", "modern",  "useful", "please", "confirm", "receive", "enclose", "reply",
    "request", "order",  "invoice", "number", "date",   "subject", "address", "sincere", "faithful",
    "warm",    "wish",   "the",     "a",      "of",     "and",     "to",      "in",      "for",
    "with",    "your",   "our",     "this",   "that",   "we",      "you",     "is",      "will"};
constexpr uint32_t kWordCount = sizeof kWords / sizeof kWords[0];

// head, then pieces while they fit, then padding, then tail: exactly size bytes.
std::string Fit(std::string head, const std::string& tail, size_t size, char pad, TRandom& random,
                std::string (*piece)(TRandom&)) {
  if (head.size() + tail.size() > size)
    throw std::runtime_error("a planned size of " + std::to_string(size) + " is too small");
  while (true) {
    std::string next = piece(random);
    if (head.size() + next.size() + tail.size() > size) break;
    head += next;
  }
  head.append(size - tail.size() - head.size(), pad);
  return (head + tail).substr(0, size);
}

// Bytes of the fixed generator: the same in every build, and beyond what deflate can shrink.
std::string Incompressible(size_t size) {
  TRandom random(0x50A7);
  std::string out(size, '\0');
  for (char& c : out) c = char(random.Next());
  return out;
}

std::string Sentence(TRandom& random) {
  std::string s;
  int words = 4 + int(random.Below(9));
  for (int i = 0; i < words; ++i) {
    std::string w = kWords[random.Below(kWordCount)];
    if (i == 0) w[0] = char(w[0] - 32);
    s += w + (i + 1 < words ? " " : ". ");
  }
  return s;
}

std::string RtfParagraph(TRandom& random) {
  return Sentence(random) + (random.Below(4) == 0 ? "\\par\r\n" : "");
}

// Pronounceable made-up words for the word lists.
std::string MadeUpWord(TRandom& random) {
  static const char* const syllables[] = {"ab", "ar", "be", "ca", "de", "el", "en", "fo", "ga",
                                          "in", "ka", "lo", "ma", "ne", "or", "pa", "qu", "ri",
                                          "sa", "te", "un", "ve", "wi", "xy", "yo", "ze"};
  std::string w;
  int n = 1 + int(random.Below(4));
  for (int i = 0; i < n; ++i) w += syllables[random.Below(26)];
  return w;
}

std::string WordZero(TRandom& random) {
  return MadeUpWord(random) + std::string(1, '\0');
}

std::string AutoCorrectLine(TRandom& random) {
  std::string right = MadeUpWord(random);
  std::string wrong = right;
  if (wrong.size() > 2 && wrong[1] != wrong[2])
    std::swap(wrong[1], wrong[2]);
  else
    wrong += wrong.back(); // a doubled last letter
  return wrong + "=" + right + "\r\n";
}

std::string PatternLine(TRandom& random) {
  std::string w = MadeUpWord(random);
  size_t at = 1 + random.Below(uint32_t(w.size()));
  w.insert(at, 1, char('1' + random.Below(5)));
  return (random.Below(5) == 0 ? "." : "") + w + "\r\n";
}

std::string CacheEntry(TRandom& random) {
  std::string e(6, '\0');
  uint32_t hash = random.Next();
  uint16_t count = uint16_t(1 + random.Below(900));
  std::memcpy(&e[0], &hash, 4);
  std::memcpy(&e[4], &count, 2);
  return e;
}

std::string Le32(uint32_t v) {
  std::string s(4, '\0');
  std::memcpy(&s[0], &v, 4);
  return s;
}
std::string Le16(uint16_t v) {
  std::string s(2, '\0');
  std::memcpy(&s[0], &v, 2);
  return s;
}

std::string BaseName(const std::string& name) {
  std::string base = name.substr(name.rfind('\\') + 1);
  return base.substr(0, base.rfind('.'));
}

// A document template with its title, or a clip: a few words to drop into a document.
std::string Rtf(const TSampleFile& f, TRandom& random) {
  const std::string title = BaseName(f.Name.Name);
  std::string head =
      f.Name.Kind == TSampleKind::Template
          ? "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}\r\n{\\info{\\title " +
                title + "}{\\author Pennacle Word Processor}}\r\n\\f0\\fs24 {\\b " + title +
                "}\\par\r\n"
          : "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + title + "\\par ";
  return Fit(head, "}\r\n", size_t(f.Size), ' ', random, RtfParagraph);
}

// A 16-colour picture: a shape on a plain ground, the rest of the planned size as a gap
// before the pixels, which readers skip.
std::string Picture(const TSampleFile& f, TRandom& random) {
  const size_t header = 14 + 40 + 16 * 4;
  if (size_t(f.Size) < header + 32)
    throw std::runtime_error("a planned picture of " + std::to_string(f.Size) + " bytes");
  int side = 8;
  while (header + size_t((side + 8) / 2 + 3) / 4 * 4 * size_t(side + 8) <= size_t(f.Size))
    side += 8;
  const uint32_t row = uint32_t((side / 2 + 3) / 4 * 4);
  const uint32_t pixels = row * uint32_t(side);
  const uint32_t offset = uint32_t(f.Size) - pixels;
  std::string bmp = "BM" + Le32(uint32_t(f.Size)) + Le32(0) + Le32(offset);
  bmp += Le32(40) + Le32(uint32_t(side)) + Le32(uint32_t(side)) + Le16(1) + Le16(4) + Le32(0) +
         Le32(pixels) + Le32(2835) + Le32(2835) + Le32(16) + Le32(0);
  static const uint8_t palette[16][3] = {
      {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
      {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
      {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  for (const auto& c : palette) bmp += std::string{char(c[2]), char(c[1]), char(c[0]), '\0'};
  bmp.append(offset - bmp.size(), '\0');
  const uint8_t ground = 15, ink = uint8_t(1 + random.Below(14));
  const double radius = side * (0.25 + 0.02 * random.Below(8));
  const uint32_t shape = random.Below(3);
  for (int y = 0; y < side; ++y) {
    std::string line(row, '\0');
    for (int x = 0; x < side; ++x) {
      double dx = std::fabs(x - side / 2.0 + 0.5), dy = std::fabs(y - side / 2.0 + 0.5);
      double distance = shape == 0   ? std::sqrt(dx * dx + dy * dy)
                        : shape == 1 ? std::max(dx, dy)
                                     : (dx + dy) * 0.75;
      uint8_t colour = distance < radius ? ink : ground;
      line[size_t(x / 2)] = char(uint8_t(line[size_t(x / 2)]) | (x % 2 ? colour : colour << 4));
    }
    bmp += line;
  }
  return bmp;
}

// The scheme's sounds one after another in one wave: 8-bit mono at 11,025 samples a second.
std::string SoundScheme(const TSampleFile& f) {
  const uint32_t data = uint32_t(f.Size) - 44;
  std::string wav = "RIFF" + Le32(uint32_t(f.Size) - 8) + "WAVEfmt " + Le32(16) + Le16(1) +
                    Le16(1) + Le32(11025) + Le32(11025) + Le16(1) + Le16(8) + "data" + Le32(data);
  static const double tones[] = {523.25, 659.25, 783.99, 1046.5, 440.0, 880.0};
  const uint32_t each = data / 6;
  for (uint32_t i = 0; i < data; ++i) {
    uint32_t tone = std::min<uint32_t>(i / each, 5), t = i - tone * each;
    double fade = 1.0 - double(t) / each;
    double v = std::sin(2 * kPi * tones[tone] * t / 11025.0) * 100.0 * fade;
    wav += char(uint8_t(128 + int(std::lround(v))));
  }
  return wav;
}

} // namespace

std::string SampleContent(const TSampleFile& f, int ordinal) {
  TRandom random(uint64_t(ordinal) * 131 + uint64_t(f.Name.Kind) + 7);
  const size_t size = size_t(f.Size);
  using K = TSampleKind;
  switch (f.Name.Kind) {
  case K::Program: return StandInProgram(f.Size);
  case K::License: return SampleLicenseText;
  case K::LanguageSettings:
    return Fit("; Pennacle Word Processor language settings\r\n[Language]\r\nName=" +
                   BaseName(f.Name.Name) + "\r\nLocale=" + (ordinal == 0 ? "1033" : "2057") +
                   "\r\nQuotes=\"\"''\r\n\r\n[AutoCorrect]\r\n",
               "", size, '\n', random, AutoCorrectLine);
  case K::Lexicon:
    return Fit("ZLX\x1A" + Le32(1) + Le32(size / 8), "", size, '\0', random, WordZero);
  case K::UserDictionary: return std::string();
  case K::WordCache: return Fit("PNCC" + Le32(1), "", size, '\0', random, CacheEntry);
  case K::Hyphenation:
    return Fit("% Hyphenation patterns, " + BaseName(f.Name.Name) + "\r\n", "", size, '\n', random,
               PatternLine);
  case K::Template:
  case K::Clip: return Rtf(f, random);
  case K::Picture: return Picture(f, random);
  case K::SoundScheme: return SoundScheme(f);
  }
  return std::string(size, '\0');
}

std::string PaddedProgram(const std::string& program, int32_t size) {
  if (program.size() > size_t(size))
    throw std::runtime_error("the program has " + std::to_string(program.size()) +
                             " bytes, more than the " + std::to_string(size) +
                             " that the archive's figures leave for it");
  // Bytes after a program's last section are never loaded, so they do not change it. They
  // are data that does not compress, as a real program's are: zeros would make the payload
  // a tenth of its real size and hide what inflating it costs.
  return program + Incompressible(size_t(size) - program.size());
}

std::string StandInProgram(int32_t size) {
  const std::string text = "MZ\r\nStand-in for pnc.exe: the host build has no Windows compiler. "
                           "It is never run; it only gives the archive the program's size.\r\n";
  return (text + Incompressible(size_t(size))).substr(0, size_t(size));
}
