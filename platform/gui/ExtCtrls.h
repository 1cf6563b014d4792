#pragma once
// Panels, bevels and images: controls that paint themselves.

#include "platform/gui/Bitmap.h"
#include "platform/gui/Controls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised };
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A container with an outer and an inner bevel, filled with its colour. While
// ParentBackground is set and visual styles are active it shows its parent's themed
// background instead of its colour.
class TPanel : public TWinControl {
public:
  TPanel();
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut cut);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut cut);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int width);
  bool ParentBackground() const { return FParentBackground; }
  void SetParentBackground(bool value);
  void Paint(TCanvas& canvas) override;

  bool ReadProperty(TPropertyReader& reader) override;

protected:
  TRect AlignArea() const override;

private:
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  bool FParentBackground = true;
};

// Lines in the shadow and highlight colours: a lowered box by default, or one edge.
class TBevel : public TWinControl {
public:
  TBevel();
  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle style);
  void Paint(TCanvas& canvas) override;

  bool ReadProperty(TPropertyReader& reader) override;

private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

class TPicture {
public:
  TBitmap& Bitmap() { return FBitmap; }
  const TBitmap& Bitmap() const { return FBitmap; }

private:
  TBitmap FBitmap;
};

// The picture's bitmap unscaled at the top-left corner, the rest in the parent's colour.
class TImage : public TWinControl {
public:
  TImage();
  TPicture& Picture() { return FPicture; }
  // Call after changing the bitmap so the window shows it.
  void PictureChanged();
  void Paint(TCanvas& canvas) override;

private:
  TPicture FPicture;
};
