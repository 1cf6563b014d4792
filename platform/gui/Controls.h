#pragma once
// Controls hold all of their state; a native window, when one exists, mirrors it. Native
// events call the same public methods tests call in the headless backend.
//
// Every control is a window (TWinControl). The member function Handle() hides the type
// Handle inside these classes: write ::Handle for the type there.

#include "platform/gui/Classes.h"
#include "platform/gui/Graphics.h"
#include "platform/os/System.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TWinControl;
class TForm;
class TNativeWindow;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Keys the form and the controls handle themselves (virtual-key codes).
constexpr int vkBack = 8, vkTab = 9, vkReturn = 13, vkEscape = 27, vkSpace = 32, vkUp = 38,
              vkDown = 40;

// What changed in a control, for the native window and for the control's own reactions.
enum class TControlChange { Bounds, Visible, Enabled, Text, Font, Color, State, Items, Selection };

// Far beyond any screen, yet small enough that a sum of a few positions and sizes stays
// within int.
constexpr int MaxCoordinate = 1 << 28;
// The value brought within -MaxCoordinate to MaxCoordinate.
int ToCoordinate(int64_t value);

class TControl : public TComponent {
public:
  TControl();
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  void SetParent(TWinControl* parent);
  // The form this control is on (itself for a form), or null.
  TForm* ParentForm() const;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  // Positions are kept within -MaxCoordinate to MaxCoordinate and sizes within 0 to
  // MaxCoordinate, whatever a description or a text extent asks for.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  // In the control's own coordinates.
  virtual TRect ClientRect() const { return TRect{0, 0, FWidth, FHeight}; }

  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all its parents up to a form that is shown.
  bool Showing() const;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  // Enabled, and so are all its parents.
  bool EnabledChain() const;

  // Caption and Text are one string, as in the class library.
  const std::string& Caption() const { return FText; }
  void SetCaption(const std::string& text) { SetText(text); }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& text);

  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  // While set, the font follows the parent's; changing the font clears it.
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool parentFont);

  TColor Color() const { return FColor; }
  void SetColor(TColor color);

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);

  TNotifyEvent OnClick;
  virtual void Click();

  bool ReadProperty(TPropertyReader& reader) override;

protected:
  // Every change of state passes here; overrides call the inherited one.
  virtual void Changed(TControlChange change);

private:
  friend class TWinControl;
  void ParentFontChanged();
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  std::string FText;
  TFont FFont;
  bool FParentFont = true;
  bool FSettingParentFont = false;
  TColor FColor = clBtnFace;
  TAlign FAlign = alNone;
};

class TWinControl : public TControl {
public:
  TWinControl();
  ~TWinControl() override;

  int ControlCount() const { return int(FControls.size()); }
  TControl* Controls(int index) const { return FControls.at(size_t(index)); }

  // The window, created on demand with the windows of all descendants.
  ::Handle Handle();
  bool HandleAllocated() const { return FNative != nullptr; }
  void HandleNeeded();
  void DestroyHandle();
  TNativeWindow* Native() const { return FNative.get(); }

  // Can take the focus now: a control that takes focus, showing and enabled up to its form.
  bool CanFocus() const;
  // Does nothing when the control cannot take the focus.
  void SetFocus();
  bool Focused() const;
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool tabStop) { FTabStop = tabStop; }
  // Whether this kind of control ever takes the focus (labels and containers do not).
  virtual bool AcceptsFocus() const { return false; }
  // The control handles this key itself when focused (a memo's Enter, for example), so the
  // form does not apply its dialog rules to it.
  virtual bool WantsKey(int key) const;

  // Input as the native window reports it; tests call these in the headless backend.
  virtual void KeyPress(char& key);
  virtual void MouseDown(int x, int y);
  // Drawing of controls that paint themselves (containers, bevels, images).
  virtual void Paint(TCanvas& canvas);

  // Lays out the aligned children again.
  void Realign();

  bool ReadProperty(TPropertyReader& reader) override;
  void Loaded() override;

protected:
  // Creates the window; an override calls the inherited one first and may then use it.
  virtual void CreateWnd();
  // The area aligned children share (the client area less any border).
  virtual TRect AlignArea() const { return ClientRect(); }
  void Changed(TControlChange change) override;
  // A child was added or removed.
  virtual void ControlInserted(TControl& control);
  virtual void ControlRemoved(TControl& control);

private:
  friend class TControl;
  void CreateHandleTree();
  void InsertControl(TControl& control);
  void RemoveControl(TControl& control);
  std::vector<TControl*> FControls; // not owned: components belong to their owner
  std::unique_ptr<TNativeWindow> FNative;
  bool FTabStop = false;
  bool FAligning = false;
};
