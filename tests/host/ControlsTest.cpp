// The controls and the form as the wizard relies on them, driven the way the native
// routing drives them: clicks, rows toggled, keys, the modal loop, painting.
#include "GuiTest.h"
#include "WizardTestForm.h"

#include "platform/gui/Application.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Exceptions.h"
#include "wizard/Dialogs.h"

#include <climits>
#include <memory>

namespace {

class ControlsTest : public GuiTest {
protected:
  ControlsTest() {
    RegisterWizardClasses();
    Sim.AddResource("#10", "TMAINDLGFORM", MainDlgFormText());
    Form = std::make_unique<TWizardTestForm>();
  }
  // The form as the user sees it, on one page, with no control focused yet.
  void ShowPage(int page) {
    Form->SetVisible(true);
    Form->BackBtn->SetVisible(page != 0);
    Form->PgCtrl->SetActivePageIndex(page);
  }
  std::vector<std::string> TakeCalls() { return std::exchange(Form->Calls, {}); }
  std::unique_ptr<TWizardTestForm> Form;
};

// ---- check list ----

class CheckListTest : public ControlsTest {
protected:
  CheckListTest() {
    for (const char* name : {"Program", "Proofing", "Templates"}) List().Items().Add(name);
  }
  TCheckListBox& List() { return *Form->SelCompLstBx; }
};

TEST_F(CheckListTest, ToggleRuleSetsUncheckedToCheckedAndEverythingElseToUnchecked) {
  struct Case {
    TCheckBoxState Before, After;
  } cases[] = {{cbUnchecked, cbChecked}, {cbChecked, cbUnchecked}, {cbGrayed, cbUnchecked}};
  for (const Case& c : cases) {
    List().SetState(1, c.Before);
    TakeCalls();
    List().ClickCheck(1);
    EXPECT_EQ(List().State(1), c.After) << c.Before;
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{"SelCompLstBxClickCheck SelCompLstBx"});
    EXPECT_EQ(List().State(0), cbUnchecked) << "other rows stay";
  }
}

TEST_F(CheckListTest, MouseAndSpaceBarToggleOnlyWhereTheRuleSays) {
  const int rowTop = List().ItemHeight(); // row 1
  struct Case {
    const char* What;
    std::function<void(TCheckListBox&)> Act;
    int ToggledRow; // -1: nothing toggles, no OnClickCheck
  } cases[] = {
      {"press at the left edge", [&](TCheckListBox& l) { l.MouseDown(0, rowTop + 3); }, 1},
      {"press on the last pixel of box + 2",
       [&](TCheckListBox& l) { l.MouseDown(TCheckListBox::CheckAreaWidth - 1, rowTop); }, 1},
      {"press just right of it",
       [&](TCheckListBox& l) { l.MouseDown(TCheckListBox::CheckAreaWidth, rowTop); }, -1},
      {"press on the text", [&](TCheckListBox& l) { l.MouseDown(100, rowTop); }, -1},
      {"press below the last row", [&](TCheckListBox& l) { l.MouseDown(2, rowTop * 5); }, -1},
      {"space on the selected row",
       [](TCheckListBox& l) {
         l.SetItemIndex(2);
         char key = ' ';
         l.KeyPress(key);
         EXPECT_EQ(key, 0) << "the list does not also search for a blank";
       },
       2},
      {"space without a selection",
       [](TCheckListBox& l) {
         l.SetItemIndex(-1);
         char key = ' ';
         l.KeyPress(key);
       },
       -1},
      {"another key",
       [](TCheckListBox& l) {
         l.SetItemIndex(2);
         char key = 'a';
         l.KeyPress(key);
       },
       -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    for (int i = 0; i < 3; ++i) List().SetState(i, cbChecked);
    TakeCalls();
    c.Act(List());
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(List().State(i), i == c.ToggledRow ? cbUnchecked : cbChecked) << i;
    EXPECT_EQ(TakeCalls().size(), c.ToggledRow < 0 ? 0u : 1u);
  }
}

TEST_F(CheckListTest, StatesFollowTheirRowsWhenRowsComeAndGo) {
  List().SetState(0, cbGrayed);
  List().SetState(2, cbChecked);
  List().Items().Insert(1, "Inserted", 7);
  EXPECT_EQ(List().State(0), cbGrayed);
  EXPECT_EQ(List().State(1), cbUnchecked);
  EXPECT_EQ(List().State(3), cbChecked);
  EXPECT_EQ(List().Items().Objects(1), 7);
  List().Items().Delete(0);
  EXPECT_EQ(List().State(0), cbUnchecked);
  EXPECT_EQ(List().State(2), cbChecked);
  EXPECT_THROW(List().State(3), Exception);
  // Indexes outside the rows neither reach past the states nor change anything.
  List().Items().Insert(99, "last");
  List().Items().Insert(-5, "first");
  EXPECT_EQ(List().Items()[0], "first");
  EXPECT_EQ(List().Items()[4], "last");
  EXPECT_EQ(List().State(4), cbUnchecked);
  EXPECT_EQ(List().State(3), cbChecked);
  EXPECT_THROW(List().Items().Delete(5), Exception);
  EXPECT_THROW(List().Items().Delete(-1), Exception);
  EXPECT_THROW(List().Items().PutObject(5, 1), Exception);
  EXPECT_THROW(List().Items()[5], Exception);
  EXPECT_EQ(List().Items().Count(), 5);
  List().Items().Clear();
  EXPECT_THROW(List().State(0), Exception);
}

TEST_F(CheckListTest, RowDrawingHandsTheRectangleRightOfTheBoxWithSelectionColoursSet) {
  List().SetState(0, cbGrayed);
  List().SetState(1, cbChecked);
  List().SetItemIndex(1);
  TRecordingCanvas& canvas = Recorded(List().Canvas());
  const int h = List().ItemHeight();
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    canvas.Clear();
    Form->DrawnRows.clear();
    Form->BrushAtDraw.clear();
    Form->FontAtDraw.clear();
    List().PaintItem(row);
    const TRect rowRect = List().ItemRect(row);
    ASSERT_EQ(Form->DrawnRows.size(), 1u);
    EXPECT_EQ(Form->DrawnRows[0].second,
              (TRect{TCheckListBox::CheckAreaWidth, rowRect.Top, rowRect.Right, rowRect.Bottom}));
    EXPECT_EQ(Form->BrushAtDraw[0], row == 1 ? clHighlight : clWindow);
    EXPECT_EQ(Form->FontAtDraw[0], row == 1 ? clHighlightText : clWindowText);
    const auto boxes = canvas.OpsOf(TDrawOp::TKind::CheckBox);
    ASSERT_EQ(boxes.size(), 1u);
    const int top = row * h + (h - TCheckListBox::CheckBoxSize) / 2;
    EXPECT_EQ(boxes[0].Rect, (TRect{1, top, 14, top + 13}));
    EXPECT_EQ(boxes[0].Checked, row != 2);
    EXPECT_EQ(boxes[0].Inactive, row == 0);
    // The box stands on the list's colour, also on the selected row.
    EXPECT_EQ(canvas.Ops.front().Kind, TDrawOp::TKind::FillRect);
    EXPECT_EQ(canvas.Ops.front().BrushColor, clWindow);
    EXPECT_EQ(canvas.Ops.front().Rect,
              (TRect{0, row * h, TCheckListBox::CheckAreaWidth, row * h + h}));
    EXPECT_TRUE(canvas.OpsOf(TDrawOp::TKind::FocusRect).empty()) << "the list has no focus";
  }
  ShowPage(3);
  List().SetFocus();
  canvas.Clear();
  List().PaintItem(1);
  const auto focus = canvas.OpsOf(TDrawOp::TKind::FocusRect);
  ASSERT_EQ(focus.size(), 1u);
  EXPECT_EQ(focus[0].Rect.Left, TCheckListBox::CheckAreaWidth);
}

// ---- buttons and the modal show ----

TEST_F(ControlsTest, ClickSetsTheModalResultFromTheButtonBeforeItsHandlerRuns) {
  Form->SetModalResult(mrCancel);
  Form->NextBtn->Click();
  Form->NextBtn->SetModalResult(mrOk);
  Form->NextBtn->Click();
  EXPECT_EQ(Form->ModalResultsSeen, (std::vector<int>{mrNone, mrOk}));
  EXPECT_EQ(Form->ModalResult(), mrOk);
}

TEST_F(ControlsTest, TheCloseQueryCanRefuseAndResetsTheModalResult) {
  Form->AllowClose = false;
  std::vector<int> seen;
  Headless.OnModalStep = [&](TForm& form) {
    seen.push_back(form.ModalResult());
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(Form->Modal());
    if (seen.size() == 2) Form->AllowClose = true;
    Form->CancelBtn->Click();
  };
  EXPECT_EQ(Form->ShowModal(), mrCancel);
  EXPECT_EQ(seen, (std::vector<int>{mrNone, mrNone}));
  EXPECT_EQ(Form->CloseQueries, 2);
  EXPECT_FALSE(Form->Visible());
  EXPECT_FALSE(Form->Modal());
}

TEST_F(ControlsTest, AModalResultThatStandsEndsTheShowAfterOneCloseQuery) {
  Headless.OnModalStep = [&](TForm& form) { form.SetModalResult(mrOk); };
  EXPECT_EQ(Form->ShowModal(), mrOk);
  EXPECT_EQ(Form->CloseQueries, 1);
  // Closing a form that is not modal asks the same question, then hides it.
  Form->SetVisible(true);
  Form->AllowClose = false;
  Form->Close();
  EXPECT_TRUE(Form->Visible());
  Form->AllowClose = true;
  Form->Close();
  EXPECT_FALSE(Form->Visible());
  EXPECT_EQ(Form->CloseQueries, 3);
}

TEST_F(ControlsTest, AModalShowThatNeverEndsRaisesInsteadOfHanging) {
  Headless.ModalStepLimit = 25;
  int steps = 0;
  Headless.OnModalStep = [&](TForm&) { ++steps; };
  EXPECT_THROW(Form->ShowModal(), Exception);
  EXPECT_EQ(steps, 25);
  EXPECT_FALSE(Form->Visible());
  EXPECT_FALSE(Form->Modal());
  Headless.OnModalStep = nullptr;
  EXPECT_THROW(Form->ShowModal(), Exception) << "no driver";
}

// ---- keys ----

TEST_F(ControlsTest, EnterAndEscapePressTheButtonsTheRulesName) {
  struct Case {
    int Page;
    const char* Focus; // "" for none
    bool NextEnabled, CancelEnabled;
    int Key;
    const char* Pressed; // "" when the form leaves the key alone
  } cases[] = {
      {0, "", true, true, vkReturn, "BNClick NextBtn"},
      {2, "DestDirEdt", true, true, vkReturn, "BNClick NextBtn"},
      {2, "BackBtn", true, true, vkReturn, "BNClick BackBtn"},
      {2, "CancelBtn", true, true, vkReturn, "CancelBtnClick CancelBtn"},
      {2, "DestDirEdt", false, true, vkReturn, ""},
      {1, "LicenseChkBx", true, true, vkReturn, "BNClick NextBtn"},
      {1, "LicenseMemo", true, true, vkReturn, ""},
      {2, "DestDirEdt", true, true, vkEscape, "CancelBtnClick CancelBtn"},
      {1, "LicenseMemo", true, true, vkEscape, "CancelBtnClick CancelBtn"},
      {2, "NextBtn", true, true, vkEscape, "CancelBtnClick CancelBtn"},
      {6, "", true, false, vkEscape, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Page) + " " + c.Focus + " " + std::to_string(c.Key));
    ShowPage(c.Page);
    Form->NextBtn->SetEnabled(c.NextEnabled);
    Form->CancelBtn->SetEnabled(c.CancelEnabled);
    Form->SetActiveControl(nullptr);
    if (*c.Focus) {
      auto* focus = dynamic_cast<TWinControl*>(Form->FindComponent(c.Focus));
      focus->SetFocus();
      ASSERT_TRUE(focus->Focused());
    }
    TakeCalls();
    EXPECT_EQ(Form->DialogKey(c.Key, false), *c.Pressed != 0);
    const auto calls = TakeCalls();
    // Cancel goes on to the close query.
    EXPECT_EQ(calls.empty() ? "" : calls[0], c.Pressed);
  }
}

TEST_F(ControlsTest, TabMovesThroughTheShowingControlsInCreationOrder) {
  ShowPage(2);
  const std::vector<std::string> order = {"DestDirEdt", "DestDirLstBx", "DestDirCmbBx",
                                          "BackBtn",    "NextBtn",      "CancelBtn"};
  std::vector<std::string> forward, backward;
  for (size_t i = 0; i < order.size() + 1; ++i) {
    EXPECT_TRUE(Form->DialogKey(vkTab, false));
    forward.push_back(Form->ActiveControl()->Name());
  }
  for (size_t i = 0; i < order.size(); ++i) {
    EXPECT_TRUE(Form->DialogKey(vkTab, true));
    backward.push_back(Form->ActiveControl()->Name());
  }
  std::vector<std::string> expected = order;
  expected.push_back(order[0]);
  EXPECT_EQ(forward, expected);
  EXPECT_EQ(backward, (std::vector<std::string>{"CancelBtn", "NextBtn", "BackBtn", "DestDirCmbBx",
                                                "DestDirLstBx", "DestDirEdt"}));
}

TEST_F(ControlsTest, AcceleratorsReachTheShowingControlOfThatLetter) {
  ShowPage(2);
  Form->NextBtn->SetCaption("&Next >");
  EXPECT_TRUE(Form->DialogChar('F'));
  EXPECT_EQ(Form->ActiveControl(), Form->DestDirEdt) << "the label passes it on";
  EXPECT_TRUE(Form->DialogChar('n'));
  EXPECT_EQ(TakeCalls(), std::vector<std::string>{"BNClick NextBtn"});
  EXPECT_FALSE(Form->DialogChar('x'));

  ShowPage(1);
  EXPECT_TRUE(Form->DialogChar('a'));
  EXPECT_FALSE(Form->LicenseChkBx->Checked());
  EXPECT_EQ(Form->ActiveControl(), Form->LicenseChkBx);
  EXPECT_FALSE(Form->InstallToAllChkBx->Checked()) << "its page is hidden";
  Form->LicenseChkBx->SetEnabled(false);
  EXPECT_FALSE(Form->DialogChar('a'));
}

// ---- focus ----

TEST_F(ControlsTest, FocusNeedsAShownFormAndLeavesControlsThatDisappear) {
  Form->PgCtrl->SetActivePageIndex(2);
  Form->DestDirEdt->SetFocus();
  EXPECT_EQ(Form->ActiveControl(), nullptr) << "the form is not shown";
  ShowPage(2);
  Form->DestDirEdt->SetFocus();
  EXPECT_TRUE(Form->DestDirEdt->Focused());
  Form->PgCtrl->SetActivePageIndex(3);
  EXPECT_EQ(Form->ActiveControl(), Form->SelCompLstBx);
  Form->NextBtn->SetFocus();
  Form->NextBtn->SetEnabled(false);
  EXPECT_EQ(Form->ActiveControl(), Form->CancelBtn);
}

// ---- windows ----

TEST_F(ControlsTest, TheFormsHandleMakesTheWindowsOfEveryDescendant) {
  EXPECT_FALSE(Form->DestDirLstBx->HandleAllocated());
  const Handle window = Form->Handle();
  EXPECT_NE(window, 0u);
  EXPECT_EQ(Headless.WindowsCreated(), 1 + Form->ComponentCount());
  for (int i = 0; i < Form->ComponentCount(); ++i)
    EXPECT_TRUE(dynamic_cast<TWinControl*>(Form->Components(i))->HandleAllocated()) << i;
  EXPECT_TRUE(Form->DestDirLstBx->HadWindowInHook);
  EXPECT_EQ(Form->DestDirLstBx->HookCalls, 1);
  EXPECT_EQ(Form->Handle(), window);
  Sys().SetTimer(Form->Handle(), 1, 1000);
  EXPECT_TRUE(Sim.TimerRunning(window, 1));
  EXPECT_FALSE(Form->Visible()) << "the window exists but is not shown";
}

// ---- painting ----

TEST_F(ControlsTest, TheTitlePanelPaintsItsOwnColourWhenToldToUnderVisualStyles) {
  TRecordingCanvas canvas;
  struct Case {
    bool Themes, ParentBackground;
    TDrawOp::TKind Background;
  } cases[] = {{true, true, TDrawOp::TKind::ParentBackground},
               {true, false, TDrawOp::TKind::FillRect},
               {false, true, TDrawOp::TKind::FillRect}};
  for (const Case& c : cases) {
    Headless.Themes = c.Themes;
    Form->TopPanel->SetParentBackground(c.ParentBackground);
    canvas.Clear();
    Form->TopPanel->Paint(canvas);
    ASSERT_FALSE(canvas.Ops.empty());
    EXPECT_EQ(canvas.Ops[0].Kind, c.Background);
    EXPECT_EQ(canvas.Ops[0].Rect, (TRect{0, 0, 492, 46}));
    if (c.Background == TDrawOp::TKind::FillRect) {
      EXPECT_EQ(canvas.Ops[0].BrushColor, clWhite);
    }
    // Outer lowered bevel, then inner raised one just inside it: 4 lines each.
    const auto lines = canvas.OpsOf(TDrawOp::TKind::Line);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].PenColor, clBtnShadow);
    EXPECT_EQ(lines[0].Pos, (TPoint{0, 45}));
    EXPECT_EQ(lines[2].PenColor, clBtnHighlight);
    EXPECT_EQ(lines[2].Pos, (TPoint{491, 0}));
    EXPECT_EQ(lines[4].PenColor, clBtnHighlight);
    EXPECT_EQ(lines[4].Pos, (TPoint{1, 44}));
    EXPECT_EQ(lines[6].PenColor, clBtnShadow);
  }
}

TEST_F(ControlsTest, BevelsDrawTheSeparatorAndTheLogoColumnLine) {
  struct TLine {
    TPoint From, To;
    TColor Color;
  };
  auto linesOf = [](TWinControl& c) {
    TRecordingCanvas canvas;
    c.Paint(canvas);
    std::vector<TLine> lines;
    for (const TDrawOp& op : canvas.OpsOf(TDrawOp::TKind::Line))
      lines.push_back({op.Pos, op.To, op.PenColor});
    return lines;
  };
  const auto separator = linesOf(*dynamic_cast<TBevel*>(Form->FindComponent("J")));
  ASSERT_EQ(separator.size(), 4u);
  EXPECT_EQ(separator[1].From, (TPoint{0, 0})); // the top row in the shadow colour
  EXPECT_EQ(separator[1].To, (TPoint{490, 0}));
  EXPECT_EQ(separator[1].Color, clBtnShadow);
  EXPECT_EQ(separator[3].From, (TPoint{490, 1})); // the bottom row highlighted
  EXPECT_EQ(separator[3].To, (TPoint{0, 1}));
  EXPECT_EQ(separator[3].Color, clBtnHighlight);
  const auto column = linesOf(*dynamic_cast<TBevel*>(Form->FindComponent("B")));
  ASSERT_EQ(column.size(), 2u);
  EXPECT_EQ(column[0].From, (TPoint{0, 0}));
  EXPECT_EQ(column[0].To, (TPoint{0, 301}));
  EXPECT_EQ(column[0].Color, clBtnShadow);
  EXPECT_EQ(column[1].From, (TPoint{1, 0}));
  EXPECT_EQ(column[1].Color, clBtnHighlight);
}

TEST_F(ControlsTest, TheImageDrawsItsBitmapUnscaledAtTheTopLeft) {
  TBitmap& bitmap = Form->LogoImage->Picture().Bitmap();
  bitmap.SetPixelFormat(TPixelFormat::pf8bit);
  bitmap.SetSize(100, 50);
  TRecordingCanvas canvas;
  Form->LogoImage->Paint(canvas);
  ASSERT_EQ(canvas.Ops.size(), 2u);
  EXPECT_EQ(canvas.Ops[0].Kind, TDrawOp::TKind::FillRect);
  EXPECT_EQ(canvas.Ops[0].BrushColor, clBtnFace) << "the rest in the column's colour";
  EXPECT_EQ(canvas.Ops[1].Kind, TDrawOp::TKind::Draw);
  EXPECT_EQ(canvas.Ops[1].Pos, (TPoint{0, 0}));
  EXPECT_EQ(canvas.Ops[1].Bitmap, &bitmap);
  EXPECT_FALSE(canvas.Ops[1].Transparent);
}

// ---- list and combo box bases ----

TEST_F(ControlsTest, OnlyTheUsersSelectionNotifies) {
  TListBox& list = *Form->DestDirLstBx;
  int clicks = 0;
  list.OnClick = [&](TObject*) { ++clicks; };
  for (const char* s : {"C:\\", "Program Files", "Pennacle"}) list.Items().AddObject(s, 5);
  list.SetItemIndex(1);
  EXPECT_EQ(clicks, 0);
  list.UserSelect(2);
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  list.Items().Insert(0, "first");
  EXPECT_EQ(list.ItemIndex(), 3) << "the selected row stays selected";
  list.Items().Delete(3);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItemIndex(9);
  EXPECT_EQ(list.ItemIndex(), -1);

  TComboBox& combo = *Form->DestDirCmbBx;
  int changes = 0;
  combo.OnClick = [&](TObject*) { ++clicks; };
  combo.OnChange = [&](TObject*) { ++changes; };
  combo.Items().Add("c: [system]");
  combo.Items().Add("e: [backup]");
  combo.SetItemIndex(1);
  EXPECT_EQ(changes, 0);
  combo.UserSelect(0);
  EXPECT_EQ(combo.ItemIndex(), 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(changes, 1);
  combo.Items().Clear();
  EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST_F(ControlsTest, AnUpdateReportsItsChangesOnce) {
  struct TCounting : TItemStrings::TObserver {
    int Changes = 0;
    void ItemsChanged() override { ++Changes; }
  } observer;
  TItemStrings items(&observer);
  items.Add("a");
  EXPECT_EQ(observer.Changes, 1);
  {
    TItemsUpdate update(items);
    items.BeginUpdate();
    items.Add("b");
    items.Insert(0, "c");
    items.EndUpdate();
    EXPECT_EQ(observer.Changes, 1);
  }
  EXPECT_EQ(observer.Changes, 2);
  try {
    TItemsUpdate update(items);
    items.Add("d");
    throw Exception("fails half-way");
  } catch (const Exception&) {
  }
  EXPECT_FALSE(items.Updating());
  EXPECT_EQ(observer.Changes, 3);
}

TEST_F(ControlsTest, TheMemoLoadsLinesFromAFile) {
  Sim.PutFile("C:\\Temp\\license.tmp", "First line\r\nSecond line\r\n\r\nLast");
  Form->LicenseMemo->Lines().LoadFromFile("C:\\Temp\\license.tmp");
  EXPECT_EQ(Form->LicenseMemo->Lines().Count(), 4);
  EXPECT_EQ(Form->LicenseMemo->Lines()[3], "Last");
  EXPECT_THROW(Form->LicenseMemo->Lines().LoadFromFile("C:\\Temp\\missing.tmp"), Exception);
  EXPECT_EQ(Form->LicenseMemo->Lines().Count(), 4) << "a failed load changes nothing";
}

TEST_F(ControlsTest, TextMetricsStayWithinRangeForAnyFontHeight) {
  // The description may give any height; the headless metrics once overflowed on these.
  struct Case {
    int height, charHeight, extentWidth; // of ten characters
  } cases[] = {{-11, 13, 60},
               {13, 13, 60},
               {INT_MIN, INT_MAX, INT_MAX},
               {INT_MAX, INT_MAX, INT_MAX},
               {-INT_MAX, INT_MAX, INT_MAX}};
  for (const Case& c : cases) {
    TFont font;
    font.SetHeight(c.height);
    EXPECT_EQ(FontCharHeight(font), c.charHeight) << c.height;
    const TSize extent = FontTextExtent(font, "0123456789");
    EXPECT_EQ(extent.Width, c.extentWidth) << c.height;
    EXPECT_EQ(extent.Height, c.charHeight) << c.height;
  }
}

TEST_F(ControlsTest, BoundsAndAlignmentStayWithinTheCoordinatesForAnySizes) {
  // A description may give any number; aligning two such panels once overflowed int.
  TForm form;
  form.SetBounds(0, 0, 400, 300);
  auto panel = [&form](TAlign align) -> TPanel& {
    TPanel& p = form.CreateOwned<TPanel>();
    p.SetParent(&form);
    p.SetBounds(INT_MAX, INT_MIN, INT_MAX, INT_MAX);
    p.SetAlign(align);
    return p;
  };
  TPanel& top1 = panel(alTop);
  TPanel& top2 = panel(alTop);
  TPanel& right = panel(alRight);
  TPanel& client = panel(alClient);
  form.Realign();
  // The second panel starts nearer the top edge, so it comes first.
  EXPECT_EQ(top2.BoundsRect(), (TRect{0, 0, 400, MaxCoordinate}));
  EXPECT_EQ(top1.BoundsRect(), (TRect{0, MaxCoordinate, 400, 2 * MaxCoordinate}));
  EXPECT_EQ(right.BoundsRect(), (TRect{400 - MaxCoordinate, MaxCoordinate, 400, MaxCoordinate}));
  EXPECT_EQ(client.BoundsRect(), (TRect{0, MaxCoordinate, 0, MaxCoordinate}));
  TPanel loose;
  loose.SetBounds(INT_MIN, INT_MAX, -1, INT_MIN);
  EXPECT_EQ(loose.Left(), -MaxCoordinate);
  EXPECT_EQ(loose.Top(), MaxCoordinate);
  EXPECT_EQ(loose.Width(), 0);
  EXPECT_EQ(loose.Height(), 0);
}

TEST_F(ControlsTest, RowsOfAnyHeightStayWithinTheCoordinates) {
  // Row 1 of a list with rows 2^31 - 1 high once began past the end of int.
  TListBox list;
  list.SetBounds(0, 0, 100, 100);
  for (const char* row : {"a", "b", "c"}) list.Items().Add(row);
  list.SetItemHeight(INT_MAX);
  EXPECT_EQ(list.ItemHeight(), MaxCoordinate);
  EXPECT_EQ(list.ItemRect(0), (TRect{0, 0, 96, MaxCoordinate}));
  EXPECT_EQ(list.ItemRect(2), (TRect{0, MaxCoordinate, 96, MaxCoordinate}));
  EXPECT_EQ(list.ItemRect(-3), (TRect{0, -MaxCoordinate, 96, -MaxCoordinate}));
  list.SetItemHeight(17);
  EXPECT_EQ(list.ItemRect(2), (TRect{0, 34, 96, 51}));

  TComboBox combo;
  combo.SetBounds(0, 0, 100, 20);
  for (const char* row : {"a", "b", "c"}) combo.Items().Add(row);
  combo.SetItemHeight(INT_MAX);
  std::vector<TRect> drawn;
  combo.OnDrawItem = [&drawn](TWinControl*, int, const TRect& rect, TOwnerDrawState) {
    drawn.push_back(rect);
  };
  for (int row = 0; row < 3; ++row) combo.PaintItem(row);
  EXPECT_EQ(drawn, (std::vector<TRect>{{0, 0, 100, MaxCoordinate},
                                       {0, MaxCoordinate, 100, MaxCoordinate},
                                       {0, MaxCoordinate, 100, MaxCoordinate}}));
}

// ---- components and the application ----

TEST(ComponentTest, AnOwnerDestroysWhatItOwnsLastCreatedFirst) {
  std::vector<std::string> destroyed;
  struct TTracked : TComponent {
    std::vector<std::string>* Log = nullptr;
    TComponent* Watched = nullptr;
    ~TTracked() override { Log->push_back(Name() + (Watched ? "+" : "-")); }
    void Notification(TComponent* removed) override {
      if (removed == Watched) Watched = nullptr;
    }
  };
  {
    TComponent owner;
    for (const char* name : {"first", "second", "third"}) {
      auto& c = owner.CreateOwned<TTracked>();
      c.SetName(name);
      c.Log = &destroyed;
    }
    // first watches third, which goes before it; second watches nothing.
    dynamic_cast<TTracked*>(owner.Components(0))->Watched = owner.Components(2);
    EXPECT_EQ(owner.FindComponent("SECOND"), owner.Components(1));
  }
  EXPECT_EQ(destroyed, (std::vector<std::string>{"third-", "second-", "first-"}));
}

TEST_F(ControlsTest, TheApplicationsWindowOwnsMessageBoxes) {
  TApplication app;
  EXPECT_EQ(app.WindowHandle(), 0u);
  app.CreateHandle();
  EXPECT_NE(app.WindowHandle(), 0u);
  Sim.MessageBoxAnswers.push_back(IDOK);
  ShowMessageBox("text", TMessageKind::Information, MessageButton::OK);
  EXPECT_EQ(Sim.MessageBoxes().back().Owner, app.WindowHandle());
}

} // namespace
