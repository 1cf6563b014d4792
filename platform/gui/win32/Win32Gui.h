#pragma once
// The native backend: real windows of user32 and comctl32, painting through gdi32 and
// uxtheme, and the one message loop of a modal show.

#include "platform/gui/Backend.h"
#include "platform/gui/win32/GdiObjects.h"

#include <map>
#include <string>
#include <tuple>

class TWin32Gui : public TGuiBackend {
public:
  TWin32Gui();
  ~TWin32Gui() override;

  std::unique_ptr<TNativeWindow> CreateNativeWindow(TWinControl& control) override;
  std::unique_ptr<TNativeWindow> CreateApplicationWindow(TApplication& application) override;
  std::unique_ptr<TCanvas> CreateCanvas() override;
  int CharHeight(const TFont& font) override;
  TSize TextExtent(const TFont& font, const std::string& text) override;
  uint32_t SysColor(int index) override;
  bool ThemesActive() override;
  void BeginModal(TForm& form) override;
  void ModalStep(TForm& form) override;
  void EndModal(TForm& form) override;

  // Shared for the program's life, one per font and one per colour.
  HFONT FontHandle(const TFont& font);
  HBRUSH BrushHandle(TColor color);

private:
  bool PreTranslate(TForm& form, const MSG& msg);
  std::map<std::tuple<std::string, int, uint32_t>, THFont> Fonts;
  std::map<uint32_t, THBrush> Brushes;
  bool QuitSeen = false;
  int QuitCode = 0;
};

TWin32Gui& Win32Gui();
