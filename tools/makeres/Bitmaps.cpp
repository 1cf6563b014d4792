#include "Bitmaps.h"

namespace {

// The standard 16-colour palette, and one letter per entry for drawing with text.
constexpr uint32_t Palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                  0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                  0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
// black maroon green olive navy purple teal silver gray red lime yellow blue fuchsia aqua
// white; '.' (fuchsia) is the transparent colour.
const std::string Letters = "kmGonptsgrlyb.aw";

// 16 x 16
const std::vector<std::string> ClosedFolder = {
    "................", //
    "................", //
    ".kkkkk..........", //
    "kywwwyk.........", //
    "kwyyyyykkkkkkk..", //
    "kwwwwwwwwwwwwwk.", //
    "kwyyyyyyyyyyyyok", //
    "kwyyyyyyyyyyyyok", //
    "kwyyyyyyyyyyyyok", //
    "kwyyyyyyyyyyyyok", //
    "kwyyyyyyyyyyyyok", //
    "kwyyyyyyyyyyyyok", //
    "kyoooooooooooook", //
    ".kkkkkkkkkkkkkkk", //
    "................", //
    "................", //
};

// 16 x 16
const std::vector<std::string> OpenFolder = {
    "................", //
    "................", //
    ".kkkkk..........", //
    "kywwwyk.........", //
    "kwyyyyykkkkkkk..", //
    "kwyyyyyyyyyyyok.", //
    "kwyyokkkkkkkkkkk", //
    "kwyokwwwwwwwwwwk", //
    "kwykwyyyyyyyyyok", //
    "kwokwyyyyyyyyok.", //
    "kykwyyyyyyyyyok.", //
    "kokwyyyyyyyyok..", //
    "kkwyyyyyyyyyok..", //
    "kkoooooooooook..", //
    ".kkkkkkkkkkkk...", //
    "................", //
};

// 16 x 11
const std::vector<std::string> FixedDrive = {
    "................", //
    "...kkkkkkkkkkkk.", //
    "..kwwwwwwwwwwwgk", //
    ".kwsssssssssswgk", //
    "kwwwwwwwwwwwwggk", //
    "kwsssssssssssggk", //
    "kwssssssslGssgk.", //
    "kwsssssssssssk..", //
    "kgggggggggggk...", //
    ".kkkkkkkkkkk....", //
    "................", //
};

// 16 x 10
const std::vector<std::string> RemovableDrive = {
    "................", //
    ".kkkkkkkkkkkk...", //
    "kwwwwwwwwwwwgkkk", //
    "kwssbbbbbssggkwk", //
    "kwsbwbbbbssggksk", //
    "kwsbbbbbbssggksk", //
    "kwssssssslsggkkk", //
    "kgggggggggggkk..", //
    ".kkkkkkkkkkkk...", //
    "................", //
};

} // namespace

std::vector<TNamedBitmap> ControlBitmaps() {
  return {{"OpenFolder.bmp", EncodeBitmap16(OpenFolder, Palette, Letters)},
          {"ClosedFolder.bmp", EncodeBitmap16(ClosedFolder, Palette, Letters)},
          {"FixedDrive.bmp", EncodeBitmap16(FixedDrive, Palette, Letters)},
          {"RemovableDrive.bmp", EncodeBitmap16(RemovableDrive, Palette, Letters)}};
}
