#include "platform/gui/headless/HeadlessGui.h"

#include "platform/gui/Forms.h"
#include "platform/gui/headless/RecordingCanvas.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace {

// Far from the numbers the simulated machine hands out for its own handles.
constexpr Handle FirstWindowHandle = 0x7E000000;

class THeadlessWindow : public TNativeWindow {
public:
  explicit THeadlessWindow(Handle handle) : Number(handle) {}
  Handle WindowHandle() const override { return Number; }
  void Update(TControlChange) override {}
  void Invalidate() override {}
  void Focus() override {}

private:
  Handle Number;
};

// A description may give any height; the metrics stay within int, as a real device's do.
int Clamped(int64_t value) {
  return int(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

int CharacterPixels(const TFont& font) {
  const int64_t height = font.Height();
  return Clamped(height < 0 ? -height : height > 2 ? height - 2 : 1);
}

// The classic system colours.
constexpr uint32_t SystemColors[] = {
    0xC8D0D4, 0x6E3A3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
    0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
    0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xFF0000, 0xC8D0D4};

} // namespace

std::unique_ptr<TNativeWindow> THeadlessGui::CreateNativeWindow(TWinControl&) {
  return std::make_unique<THeadlessWindow>(FirstWindowHandle + Handle(++Created) * 4);
}

std::unique_ptr<TNativeWindow> THeadlessGui::CreateApplicationWindow(TApplication&) {
  return std::make_unique<THeadlessWindow>(FirstWindowHandle + Handle(++Created) * 4);
}

std::unique_ptr<TCanvas> THeadlessGui::CreateCanvas() {
  return std::make_unique<TRecordingCanvas>();
}

int THeadlessGui::CharHeight(const TFont& font) {
  const int64_t height = font.Height();
  return Clamped(height < 0 ? -height + 2 : height);
}

TSize THeadlessGui::TextExtent(const TFont& font, const std::string& text) {
  const int64_t width =
      (int64_t(CharacterPixels(font)) + 1) / 2 + (font.Style().Contains(fsBold) ? 1 : 0);
  return TSize{Clamped(width * int64_t(text.size())), CharHeight(font)};
}

uint32_t THeadlessGui::SysColor(int index) {
  return index >= 0 && size_t(index) < sizeof SystemColors / sizeof SystemColors[0]
             ? SystemColors[index]
             : 0;
}

void THeadlessGui::BeginModal(TForm&) {
  Steps = 0;
}

void THeadlessGui::ModalStep(TForm& form) {
  if (!OnModalStep) throw Exception("A modal show needs a driver in the headless backend");
  if (++Steps > ModalStepLimit)
    throw Exception(Format("The modal show did not end within %d steps", {ModalStepLimit}));
  OnModalStep(form);
}

void THeadlessGui::EndModal(TForm&) {}
