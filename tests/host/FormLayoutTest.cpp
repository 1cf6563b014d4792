// The wizard's form description read by the form reader: every component's class, parent,
// bounds and settings, the state right after loading, and errors that name their line.
#include "GuiTest.h"
#include "WizardTestForm.h"

#include "platform/gui/FormReader.h"

#include <map>
#include <memory>
#include <typeindex>

namespace {

// A form of one label, read from the text given.
struct TLabelForm : TForm {
  TLabel* L = nullptr;
  explicit TLabelForm(const std::string& text) {
    PublishField("L", L);
    ReadFormText(text, "TLabelForm");
  }
};

class FormLayoutTest : public GuiTest {
protected:
  FormLayoutTest() {
    RegisterWizardClasses();
    Sim.AddResource("#10", "TMAINDLGFORM", MainDlgFormText());
  }
  std::unique_ptr<TWizardTestForm> Load() { return std::make_unique<TWizardTestForm>(); }
};

constexpr int Def = -1; // the class's own default

struct TLayoutRow {
  const char* Name;
  const char* Class;
  const char* Parent;
  int Left, Top, Width, Height;
};

// In creation order.
const TLayoutRow Layout[] = {
    {"PgCtrl", "TPageControl", "MainDlgForm", 120, 41, 375, 268},
    {"WelcomeTabSheet", "TTabSheet", "PgCtrl", Def, Def, Def, Def},
    {"WelcomeLbl", "TLabel", "WelcomeTabSheet", 12, 27, 349, 115},
    {"LicenseTabSheet", "TTabSheet", "PgCtrl", Def, Def, Def, Def},
    {"C", "TLabel", "LicenseTabSheet", 12, 7, Def, Def},
    {"LicenseMemo", "TMemo", "LicenseTabSheet", 12, 25, 345, 207},
    {"LicenseChkBx", "TCheckBox", "LicenseTabSheet", 12, 237, 282, Def},
    {"DestDirTabSheet", "TTabSheet", "PgCtrl", Def, Def, Def, Def},
    {"D", "TLabel", "DestDirTabSheet", 11, 7, Def, Def},
    {"DestDirEdt", "TEdit", "DestDirTabSheet", 11, 26, 345, Def},
    {"DestDirLstBx", "TDirectoryListBox", "DestDirTabSheet", 11, 48, 345, 174},
    {"DestDirCmbBx", "TDriveComboBox", "DestDirTabSheet", 11, 225, 345, 19},
    {"SelCompTabSheet", "TTabSheet", "PgCtrl", Def, Def, Def, Def},
    {"SelCompLbl", "TLabel", "SelCompTabSheet", 11, 7, 345, 30},
    {"SelCompLstBx", "TCheckListBox", "SelCompTabSheet", 11, 43, 345, 148},
    {"E", "TPanel", "SelCompTabSheet", 11, 200, 345, 49},
    {"F", "TLabel", "E", 8, 8, Def, Def},
    {"SelCompDiskSpaceReqLbl2", "TLabel", "E", 185, 8, 150, 13},
    {"G", "TLabel", "E", 8, 25, Def, Def},
    {"SelCompDiskSpaceAvailLbl2", "TLabel", "E", 185, 25, 150, 13},
    {"StartTabSheet", "TTabSheet", "PgCtrl", Def, Def, Def, Def},
    {"H", "TLabel", "StartTabSheet", 11, 7, 345, 58},
    {"InstallToAllChkBx", "TCheckBox", "StartTabSheet", 11, 189, 230, Def},
    {"DesktopChkBx", "TCheckBox", "StartTabSheet", 11, 212, 230, Def},
    {"InstallingTabSheet", "TTabSheet", "PgCtrl", Def, Def, Def, Def},
    {"FinishTabSheet", "TTabSheet", "PgCtrl", Def, Def, Def, Def},
    {"FinishLbl", "TLabel", "FinishTabSheet", 11, 7, 345, 150},
    {"FinishChkBx", "TCheckBox", "FinishTabSheet", 40, 190, 180, Def},
    {"TopPanel", "TPanel", "MainDlgForm", 0, 0, 492, 46},
    {"TopLbl", "TLabel", "TopPanel", 20, 14, 4, 18},
    {"A", "TPanel", "MainDlgForm", 0, 46, 123, 301},
    {"LogoImage", "TImage", "A", 1, 0, 120, 260},
    {"B", "TBevel", "A", 121, 0, 2, 301},
    {"K", "TPanel", "MainDlgForm", 0, 307, 492, 44},
    {"BackBtn", "TButton", "K", 210, 12, 85, 22},
    {"NextBtn", "TButton", "K", 295, 12, 85, 22},
    {"CancelBtn", "TButton", "K", 392, 12, 85, 22},
    {"I", "TPanel", "MainDlgForm", 0, 306, 492, 2},
    {"J", "TBevel", "I", 1, 0, 491, 2},
};

const std::map<std::string, std::type_index> ClassTypes = {
    {"TPageControl", typeid(TPageControl)},
    {"TTabSheet", typeid(TTabSheet)},
    {"TLabel", typeid(TLabel)},
    {"TMemo", typeid(TMemo)},
    {"TCheckBox", typeid(TCheckBox)},
    {"TEdit", typeid(TEdit)},
    {"TDirectoryListBox", typeid(TStandInDirList)},
    {"TDriveComboBox", typeid(TStandInDriveList)},
    {"TCheckListBox", typeid(TCheckListBox)},
    {"TPanel", typeid(TPanel)},
    {"TButton", typeid(TButton)},
    {"TImage", typeid(TImage)},
    {"TBevel", typeid(TBevel)},
};

// The size a control of that class has when the description gives none.
TSize DefaultSize(const TControl& control) {
  if (auto* label = dynamic_cast<const TLabel*>(&control); label && label->AutoSize())
    return label->TextExtent();
  std::unique_ptr<TComponent> fresh =
      (*FindClass(std::find_if(ClassTypes.begin(), ClassTypes.end(), [&](const auto& c) {
                    return c.second == std::type_index(typeid(control));
                  })->first))();
  auto* c = dynamic_cast<TControl*>(fresh.get());
  return TSize{c->Width(), c->Height()};
}

TEST_F(FormLayoutTest, EveryComponentHasItsClassParentAndBoundsInCreationOrder) {
  auto form = Load();
  ASSERT_EQ(form->ComponentCount(), int(std::size(Layout)));
  const TRect page = form->PgCtrl->DisplayRect();
  for (int i = 0; i < form->ComponentCount(); ++i) {
    const TLayoutRow& row = Layout[i];
    SCOPED_TRACE(row.Name);
    auto* c = dynamic_cast<TControl*>(form->Components(i));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Name(), row.Name);
    EXPECT_EQ(std::type_index(typeid(*c)), ClassTypes.at(row.Class));
    ASSERT_NE(c->Parent(), nullptr);
    EXPECT_EQ(c->Parent()->Name(), row.Parent);
    if (std::string(row.Class) == "TTabSheet") {
      EXPECT_EQ(c->BoundsRect(), page) << "a page fills the page area";
      continue;
    }
    const TSize def = DefaultSize(*c);
    EXPECT_EQ(c->Left(), row.Left);
    EXPECT_EQ(c->Top(), row.Top);
    EXPECT_EQ(c->Width(), row.Width == Def ? def.Width : row.Width);
    EXPECT_EQ(c->Height(), row.Height == Def ? def.Height : row.Height);
  }
  // Siblings keep creation order, which is also the order of painting and of the Tab key.
  ASSERT_EQ(form->ControlCount(), 5);
  const char* top[] = {"PgCtrl", "TopPanel", "A", "K", "I"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(form->Controls(i)->Name(), top[i]);
  ASSERT_EQ(form->PgCtrl->PageCount(), 7);
  const char* pages[] = {"WelcomeTabSheet", "LicenseTabSheet", "DestDirTabSheet",
                         "SelCompTabSheet", "StartTabSheet",   "InstallingTabSheet",
                         "FinishTabSheet"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(form->PgCtrl->Pages(i)->Name(), pages[i]);
    EXPECT_EQ(form->PgCtrl->Pages(i)->PageIndex(), i);
    EXPECT_EQ(form->PgCtrl->Pages(i)->PageControl(), form->PgCtrl);
  }
}

TEST_F(FormLayoutTest, FormSettingsAreThoseOfAFixedDialog) {
  auto form = Load();
  EXPECT_EQ(form->Name(), "MainDlgForm");
  EXPECT_EQ(form->BorderIcons(), TBorderIcons{biSystemMenu});
  EXPECT_EQ(form->BorderStyle(), bsSingle);
  EXPECT_EQ(form->ClientWidth(), 492);
  EXPECT_EQ(form->ClientHeight(), 351);
  EXPECT_EQ(form->Position(), poScreenCenter);
  EXPECT_EQ(form->PixelsPerInch(), 96);
  ASSERT_TRUE(form->OnCloseQuery);
  bool canClose = true;
  form->AllowClose = false;
  form->OnCloseQuery(form.get(), canClose);
  EXPECT_FALSE(canClose);
  EXPECT_EQ(form->Calls, std::vector<std::string>{"FormCloseQuery MainDlgForm"});
}

TEST_F(FormLayoutTest, ComponentSettingsMatchTheLayout) {
  auto form = Load();
  auto label = [&](const char* name) { return dynamic_cast<TLabel*>(form->FindComponent(name)); };
  auto panel = [&](const char* name) { return dynamic_cast<TPanel*>(form->FindComponent(name)); };
  auto bevel = [&](const char* name) { return dynamic_cast<TBevel*>(form->FindComponent(name)); };

  EXPECT_FALSE(form->WelcomeLbl->AutoSize());
  EXPECT_EQ(form->WelcomeLbl->Caption(), "This program will install %s (version 4.3.7.3%s) on your "
                                         "computer.\r\r\r\r\rClick Next to continue. Click Cancel "
                                         "to quit Setup.");
  EXPECT_TRUE(label("C")->AutoSize());
  EXPECT_EQ(label("C")->Caption(), "Please read the following License Agreement:");
  EXPECT_TRUE(form->LicenseMemo->ReadOnly());
  EXPECT_EQ(form->LicenseMemo->ScrollBars(), ssVertical);
  EXPECT_EQ(form->LicenseMemo->Lines().Count(), 0);
  EXPECT_EQ(form->LicenseChkBx->Caption(),
            "I &accept all the terms of the above License Agreement");
  EXPECT_TRUE(form->LicenseChkBx->Checked());
  EXPECT_EQ(label("D")->Caption(),
            "Specify the &folder where you want to install Pennacle Word Processor:");
  EXPECT_EQ(label("D")->FocusControl(), form->DestDirEdt);
  EXPECT_EQ(form->DestDirEdt->Text(), "");
  EXPECT_EQ(form->DestDirLstBx->ItemHeight(), 17);
  EXPECT_EQ(form->DestDirCmbBx->DirList, form->DestDirLstBx);
  EXPECT_FALSE(form->SelCompLbl->AutoSize());
  EXPECT_EQ(form->SelCompLbl->FocusControl(), form->SelCompLstBx);
  EXPECT_EQ(form->SelCompLbl->Caption(), "");
  EXPECT_EQ(form->SelCompLstBx->Style(), lbOwnerDrawFixed);
  EXPECT_EQ(panel("E")->BevelInner(), bvRaised);
  EXPECT_EQ(panel("E")->BevelOuter(), bvLowered);
  EXPECT_EQ(label("F")->Caption(), "Required disk space:");
  EXPECT_EQ(label("G")->Caption(), "Available disk space:");
  for (TLabel* value : {form->SelCompDiskSpaceReqLbl2, form->SelCompDiskSpaceAvailLbl2}) {
    EXPECT_EQ(value->Alignment(), taRightJustify);
    EXPECT_FALSE(value->AutoSize());
  }
  EXPECT_FALSE(label("H")->AutoSize());
  EXPECT_EQ(label("H")->Caption(),
            "You are now ready to install Pennacle Word Processor.\r\rClick Next to begin "
            "installation. Click Back if you want to review or change installation settings.");
  EXPECT_EQ(form->InstallToAllChkBx->Caption(), "Install for &anyone who uses this computer");
  EXPECT_EQ(form->DesktopChkBx->Caption(), "Create a &Desktop shortcut");
  EXPECT_EQ(form->InstallingTabSheet->ControlCount(), 0);
  EXPECT_FALSE(form->FinishLbl->AutoSize());
  EXPECT_EQ(form->FinishLbl->Caption(), "%s 4.3.7.3%s has been successfully installed on your "
                                        "computer.\r\rClick Finish to exit this Setup.");
  EXPECT_EQ(form->FinishChkBx->Caption(), "&Launch Pennacle Word Processor");

  EXPECT_EQ(form->TopPanel->Align(), alTop);
  EXPECT_EQ(form->TopPanel->BevelInner(), bvRaised);
  EXPECT_EQ(form->TopPanel->BevelOuter(), bvLowered);
  EXPECT_EQ(form->TopPanel->Color(), clWhite);
  EXPECT_FALSE(form->TopLbl->ParentFont());
  EXPECT_EQ(form->TopLbl->Font().Name(), "Arial");
  EXPECT_EQ(form->TopLbl->Font().Height(), -15);
  EXPECT_EQ(form->TopLbl->Font().Style(), TFontStyles{fsBold});
  EXPECT_EQ(form->TopLbl->Font().Color(), TColor(8388608));
  EXPECT_EQ(form->TopLbl->Font().Color(), clNavy);
  EXPECT_EQ(panel("A")->BevelOuter(), bvNone);
  EXPECT_EQ(panel("A")->BevelInner(), bvNone);
  EXPECT_TRUE(form->LogoImage->Picture().Bitmap().Empty());
  EXPECT_EQ(bevel("B")->Align(), alRight);
  EXPECT_EQ(bevel("B")->Shape(), bsLeftLine);
  EXPECT_EQ(panel("K")->BevelOuter(), bvNone);
  EXPECT_EQ(panel("I")->BevelOuter(), bvNone);
  EXPECT_EQ(bevel("J")->Shape(), bsBox);
  EXPECT_EQ(bevel("J")->Style(), bsLowered);
  EXPECT_FALSE(form->BackBtn->Default());
  EXPECT_TRUE(form->NextBtn->Default());
  EXPECT_FALSE(form->NextBtn->Cancel());
  EXPECT_TRUE(form->CancelBtn->Cancel());
  EXPECT_FALSE(form->CancelBtn->Default());
  // Controls that the layout does not give a font to share the form's.
  EXPECT_TRUE(form->WelcomeLbl->ParentFont());
  EXPECT_TRUE(form->WelcomeLbl->Font().SameAs(form->Font()));
}

TEST_F(FormLayoutTest, HandlersAreBoundByName) {
  auto form = Load();
  form->BackBtn->Click();
  form->NextBtn->Click();
  form->SetVisible(true);
  form->CancelBtn->Click();
  form->DestDirLstBx->OnChange(form->DestDirLstBx);
  form->SelCompLstBx->Items().Add("row");
  form->SelCompLstBx->ClickCheck(0);
  form->SelCompLstBx->PaintItem(0);
  EXPECT_EQ(form->Calls,
            (std::vector<std::string>{
                "BNClick BackBtn", "BNClick NextBtn", "CancelBtnClick CancelBtn",
                "FormCloseQuery MainDlgForm", "DestDirLstBxChange DestDirLstBx",
                "SelCompLstBxClickCheck SelCompLstBx", "SelCompLstBxDrawItem SelCompLstBx"}));
}

TEST_F(FormLayoutTest, RightAfterLoadingNoPageShowsAndButtonsHaveNoCaption) {
  auto form = Load();
  EXPECT_EQ(form->PgCtrl->ActivePage(), nullptr);
  EXPECT_EQ(form->PgCtrl->ActivePageIndex(), -1);
  for (int i = 0; i < form->PgCtrl->PageCount(); ++i)
    EXPECT_FALSE(form->PgCtrl->Pages(i)->Visible()) << i;
  for (TButton* b : {form->BackBtn, form->NextBtn, form->CancelBtn}) EXPECT_EQ(b->Caption(), "");
  EXPECT_EQ(form->TopLbl->Caption(), "");
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_EQ(form->ModalResult(), mrNone);

  form->PgCtrl->SetActivePageIndex(3);
  EXPECT_EQ(form->PgCtrl->ActivePage(), form->SelCompTabSheet);
  form->PgCtrl->SetActivePage(form->LicenseTabSheet);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(form->PgCtrl->Pages(i)->Visible(), i == 1) << i;
  EXPECT_EQ(form->PgCtrl->ActivePageIndex(), 1);
}

TEST_F(FormLayoutTest, ALabelThatSizesItselfFollowsItsCaption) {
  auto form = Load();
  form->TopLbl->SetCaption("Select Components");
  const TSize extent = FontTextExtent(form->TopLbl->Font(), "Select Components");
  EXPECT_EQ(form->TopLbl->Width(), extent.Width);
  EXPECT_EQ(form->TopLbl->Height(), FontCharHeight(form->TopLbl->Font()));
  EXPECT_EQ(form->TopLbl->Left(), 20);
  // Bold Arial of 15-pixel characters in the headless model.
  EXPECT_EQ(extent.Width, 17 * 9);
  form->WelcomeLbl->SetCaption("short");
  EXPECT_EQ(form->WelcomeLbl->Width(), 349) << "a fixed label keeps its size";
}

// ---- errors name their line ----

int LineOf(const std::string& text, const std::string& what, int occurrence) {
  size_t at = std::string::npos, from = 0;
  for (int i = 0; i < occurrence; ++i) {
    at = text.find(what, from);
    if (at == std::string::npos) return -1;
    from = at + 1;
  }
  return 1 + int(std::count(text.begin(), text.begin() + long(at), '\n'));
}

TEST_F(FormLayoutTest, MistakesInTheDescriptionFailWithTheirLine) {
  struct Case {
    const char* From;
    const char* To;
    const char* Message; // the message after "Line N: "
    const char* At;      // where the error is, in the changed text
    int Occurrence;
  } cases[] = {
      {"OnClick = BNClick", "OnClick = BNClik", "unknown handler BNClik for OnClick",
       "OnClick = BNClik", 1},
      {"SelCompLstBx: TCheckListBox", "SelCompLstBx: TCheckListBx", "unknown class TCheckListBx",
       "TCheckListBx", 1},
      {"ReadOnly = True", "ReadOnyl = True", "unknown property ReadOnyl of class TMemo", "ReadOnyl",
       1},
      {"Font.Height = -15", "Font.Hieght = -15", "unknown property Font.Hieght of class TLabel",
       "Font.Hieght", 1},
      {"ScrollBars = ssVertical", "ScrollBars = ssVertcal",
       "invalid value ssVertcal for ScrollBars", "ssVertcal", 1},
      {"Checked = True", "Checked = 1", "Checked needs True or False", "Checked = 1", 1},
      {"FocusControl = DestDirEdt", "FocusControl = DestDirEdit",
       "no component named DestDirEdit for FocusControl", "DestDirEdit", 1},
      {"DirList = DestDirLstBx", "DirList = FinishLbl", "FinishLbl does not fit DirList",
       "DirList = FinishLbl", 1},
      {"TopLbl: TLabel", "TopLbl: TEdit", "field TopLbl does not fit class TEdit", "TopLbl: TEdit",
       1},
      {"FinishChkBx: TCheckBox", "FinishChkBox: TCheckBox", "field FinishChkBx has no component",
       "\nend", 1},
      {"OnCloseQuery = FormCloseQuery", "OnCloseQuery = BNClick",
       "handler BNClick does not fit OnCloseQuery", "OnCloseQuery = BNClick", 1},
      {"OnDrawItem = SelCompLstBxDrawItem", "OnDrawItem = SelCompLstBxClickCheck",
       "handler SelCompLstBxClickCheck does not fit OnDrawItem", "OnDrawItem", 1},
      {"object C: TLabel", "object D: TLabel", "duplicate name D", "object D: TLabel", 2},
      {"MainDlgForm: TMainDlgForm", "MainDlgForm: TMainForm",
       "the form is of class TMainForm, not TMainDlgForm", "TMainForm", 1},
      {"'Create a &Desktop shortcut'", "'Create a &Desktop shortcut",
       "string not closed on its line", "&Desktop", 1},
      {"Height = 22\n      Default", "Height = 22\n      Default =", "expected a value",
       "Default = =", 1},
  };
  const std::string original = MainDlgFormText();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.To);
    std::string text = original;
    const size_t at = text.find(c.From);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, std::string(c.From).size(), c.To);
    int line = LineOf(text, c.At, c.Occurrence);
    if (std::string(c.At) == "\nend") line = int(std::count(text.begin(), text.end(), '\n'));
    ASSERT_GT(line, 0);
    try {
      TWizardTestForm form(&text);
      ADD_FAILURE() << "read without error";
    } catch (const EFormError& e) {
      EXPECT_EQ(std::string(e.what()), "Line " + std::to_string(line) + ": " + c.Message);
    }
  }
}

TEST_F(FormLayoutTest, AClassNotRegisteredIsUnknown) {
  UnregisterClass("TDriveComboBox");
  try {
    Load();
    ADD_FAILURE() << "read without error";
  } catch (const EFormError& e) {
    const std::string text = MainDlgFormText();
    EXPECT_EQ(std::string(e.what()), "Line " + std::to_string(LineOf(text, "TDriveComboBox", 1)) +
                                         ": unknown class TDriveComboBox");
  }
}

TEST_F(FormLayoutTest, ObjectsNestedWithoutEndFailInsteadOfExhaustingTheStack) {
  RegisterClass<TPanel>("TPanel");
  std::string text = "object X: TDeepForm\n";
  for (int i = 0; i < 100000; ++i) text += "object P" + std::to_string(i) + ": TPanel\n";
  struct TDeepForm : TForm {};
  TDeepForm form;
  try {
    form.ReadFormText(text, "TDeepForm");
    ADD_FAILURE() << "read without error";
  } catch (const EFormError& e) {
    EXPECT_EQ(std::string(e.what()), "Line 66: objects nested too deeply");
  }
}

TEST_F(FormLayoutTest, StringsJoinPiecesCharacterCodesAndLines) {
  RegisterClass<TLabel>("TLabel");
  TLabelForm form("object X: TLabelForm\n"
                  "  object L: TLabel\n"
                  "    Caption = 'It''s'#13'two'#9#65 +\n"
                  "      ' lines' // a comment\n"
                  "    Left = -3\n"
                  "  end\n"
                  "end\n");
  EXPECT_EQ(form.L->Caption(), "It's\rtwo\tA lines");
  EXPECT_EQ(form.L->Left(), -3);
}

TEST_F(FormLayoutTest, NumbersPast64BitsFailInsteadOfWrapping) {
  RegisterClass<TLabel>("TLabel");
  auto TLabelFormWithHeight = [](const std::string& value) {
    return TLabelForm("object X: TLabelForm\n  object L: TLabel\n    Font.Height = " + value +
                      "\n  end\nend\n");
  };
  // 2^64 + 4 and its hexadecimal form once read as 4.
  for (const char* value : {"18446744073709551620", "$10000000000000004", "9223372036854775808",
                            "$8000000000000000", "-99999999999999999999"}) {
    try {
      TLabelForm form = TLabelFormWithHeight(value);
      ADD_FAILURE() << value << " read as " << form.L->Font().Height();
    } catch (const EFormError& e) {
      EXPECT_EQ(std::string(e.what()), "Line 3: number out of range") << value;
    }
  }
  // The largest number still reads; the property then refuses it.
  try {
    TLabelForm form = TLabelFormWithHeight("9223372036854775807");
    ADD_FAILURE() << "read without error";
  } catch (const EFormError& e) {
    EXPECT_EQ(std::string(e.what()), "Line 3: Font.Height out of range");
  }
  EXPECT_EQ(TLabelFormWithHeight("$7FFFFFFF").L->Font().Height(), 2147483647);
  EXPECT_EQ(TLabelFormWithHeight("-2147483648").L->Font().Height(), -2147483648);
}

} // namespace
