#pragma once
// The headless backend: controls keep all their state, windows are numbers, canvases record,
// and the modal show runs a driver the test installs.
//
// Text metrics model (fixed, so layouts are predictable): a font of Height -h (h pixels of
// character) has a character height (tmHeight) of h + 2; a positive Height is the character
// height itself. Every character is (h + 1) / 2 pixels wide, one more in bold; a line of
// text is as high as the character height. The default font (Height -11) gives 13 and 6.

#include "platform/gui/Backend.h"

#include <functional>

class THeadlessGui : public TGuiBackend {
public:
  // Called once per turn of a modal show's loop; it plays the user (presses buttons, toggles
  // rows). A show that has not ended after ModalStepLimit turns raises an Exception, so a
  // test never hangs; so does a show without a driver.
  std::function<void(TForm&)> OnModalStep;
  int ModalStepLimit = 1000;
  // Whether visual styles count as active (panels that show their parent's background).
  bool Themes = false;

  std::unique_ptr<TNativeWindow> CreateNativeWindow(TWinControl& control) override;
  std::unique_ptr<TNativeWindow> CreateApplicationWindow(TApplication& application) override;
  std::unique_ptr<TCanvas> CreateCanvas() override;
  int CharHeight(const TFont& font) override;
  TSize TextExtent(const TFont& font, const std::string& text) override;
  uint32_t SysColor(int index) override;
  bool ThemesActive() override { return Themes; }
  void BeginModal(TForm& form) override;
  void ModalStep(TForm& form) override;
  void EndModal(TForm& form) override;

  // Windows made so far (each gets a new number).
  int WindowsCreated() const { return Created; }

private:
  int Created = 0;
  int Steps = 0;
};
