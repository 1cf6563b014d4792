// The page flow: titles, buttons and focus by page, Next and Back, the license page, the
// running product, the close query, leaving the wizard.
#include "WizardFixture.h"

#include "wizard/ResConst.h"

namespace {

using namespace Wizard;

class WizardFlowTest : public WizardTest {};

struct TPageRow {
  int Page;
  const char* Title;
  bool BackVisible, BackEnabled, NextEnabled;
  const char* NextCaption;
  bool CancelEnabled;
  const char* Focus; // name of the focused control, or null
};

const TPageRow PageTable[] = {
    {0, "Welcome to the Pennacle Word Processor Setup", false, true, true, "&Next >", true,
     nullptr},
    {1, "License Agreement", true, true, true, "&Next >", true, "LicenseMemo"},
    {2, "Choose Destination Folder", true, true, true, "&Next >", true, "DestDirEdt"},
    {3, "Select Components", true, true, true, "&Next >", true, "SelCompLstBx"},
    {4, "Ready to Install", true, true, true, "&Next >", true, "NextBtn"},
    {6, "Installation Complete", true, false, true, "&Finish", false, nullptr},
};

TEST_F(WizardFlowTest, EveryPageSetsItsTitleButtonsAndFocus) {
  Create();
  Form->SetVisible(true); // shown, so that controls can take the focus
  for (const TPageRow& row : PageTable) {
    WalkTo(row.Page);
    ASSERT_EQ(PageIndex(), row.Page);
    SCOPED_TRACE(row.Title);
    EXPECT_EQ(Form->TopLbl->Caption(), row.Title);
    EXPECT_EQ(Form->BackBtn->Visible(), row.BackVisible);
    EXPECT_EQ(Form->BackBtn->Enabled(), row.BackEnabled);
    EXPECT_EQ(Form->BackBtn->Caption(), "< &Back");
    EXPECT_EQ(Form->NextBtn->Enabled(), row.NextEnabled);
    EXPECT_EQ(Form->NextBtn->Caption(), row.NextCaption);
    EXPECT_EQ(Form->CancelBtn->Enabled(), row.CancelEnabled);
    EXPECT_EQ(Form->CancelBtn->Caption(), "Cancel");
    for (int i = 0; i < Form->PgCtrl->PageCount(); ++i)
      EXPECT_EQ(Form->PgCtrl->Pages(i)->Visible(), i == row.Page) << "sheet " << i;
    if (row.Focus) {
      ASSERT_NE(Form->ActiveControl(), nullptr);
      EXPECT_EQ(Form->ActiveControl()->Name(), row.Focus);
    }
  }
  EXPECT_EQ(Sim.UnexpectedMessageBoxes(), 0);
}

TEST_F(WizardFlowTest, BackReturnsWithoutActionsAndTheLicenseLoadsOnce) {
  Create();
  WalkTo(2);
  const int lines = Form->LicenseMemo->Lines().Count();
  EXPECT_GT(lines, 10);
  EXPECT_EQ(Sim.FilesBelow("C:\\Users\\User\\AppData\\Local\\Temp").size(), 0u)
      << "the temporary license copy is deleted";
  Back();
  EXPECT_EQ(PageIndex(), 1);
  Back();
  EXPECT_EQ(PageIndex(), 0);
  // Loaded once, the license is neither loaded nor the product looked for again.
  Handle product = Sim.AddWindow("Pennacle Word Processor");
  Sim.SetWindowProp(product, "1.x Tidal Loom", 1);
  Next();
  EXPECT_EQ(PageIndex(), 1);
  EXPECT_EQ(Form->LicenseMemo->Lines().Count(), lines);
  EXPECT_TRUE(Sim.MessageBoxes().empty());
}

TEST_F(WizardFlowTest, ARunningProductStopsTheLicensePageUntilItIsClosed) {
  Handle product = Sim.AddWindow("Pennacle Word Processor");
  Sim.SetWindowProp(product, "1.x Tidal Loom", 1);
  Create();
  Sim.MessageBoxAnswers = {IDOK, IDOK};
  Next();
  EXPECT_EQ(PageIndex(), 0);
  Next();
  EXPECT_EQ(PageIndex(), 0);
  EXPECT_EQ(MessageBoxesWith(ResConst::MsgCloseRunningInstances), 2);
  EXPECT_EQ(Sim.MessageBoxes().back().Type, MB_ICONINFORMATION | MB_OK | MB_TASKMODAL);
  EXPECT_EQ(Form->LicenseMemo->Lines().Count(), 0);
  Sim.RemoveWindow(product);
  Next();
  EXPECT_EQ(PageIndex(), 1);
  EXPECT_GT(Form->LicenseMemo->Lines().Count(), 0);
}

TEST_F(WizardFlowTest, AnUncheckedLicenseBoxStopsAndStaysUnchecked) {
  Create();
  WalkTo(1);
  EXPECT_TRUE(Form->LicenseChkBx->Checked());
  Form->LicenseChkBx->SetChecked(false);
  Sim.MessageBoxAnswers = {IDOK};
  Next();
  EXPECT_EQ(PageIndex(), 1);
  EXPECT_EQ(MessageBoxesWith(ResConst::MsgAcceptLicense), 1);
  Back();
  Next();
  EXPECT_EQ(PageIndex(), 1);
  EXPECT_FALSE(Form->LicenseChkBx->Checked());
}

TEST_F(WizardFlowTest, BackFromReadyRecomputesSizesWithoutNormalizingTheFolder) {
  Create();
  WalkTo(4);
  EXPECT_EQ(Form->DestDir(), DefaultDest);
  const intptr_t size0 = Form->SelCompLstBx->Items().Objects(0);
  Sim.Drive('C')->SectorsPerCluster = 128; // 64 KiB clusters from now on
  Form->DestDirEdt->SetText("  D:\\Elsewhere\\ ");
  Back();
  EXPECT_EQ(PageIndex(), 3);
  EXPECT_EQ(Form->DestDirEdt->Text(), "  D:\\Elsewhere\\ ");
  EXPECT_EQ(Form->DestDir(), DefaultDest);
  EXPECT_GT(Form->SelCompLstBx->Items().Objects(0), size0);
  EXPECT_EQ(Form->SelCompLstBx->Items().Objects(0) % 65536, 0);
}

TEST_F(WizardFlowTest, CancelAsksAndOnlyYesCloses) {
  Create();
  Sim.MessageBoxAnswers = {IDNO, IDYES};
  int result = ShowModal({[&] { Form->CancelBtn->Click(); },
                          [&] {
                            EXPECT_EQ(Form->ModalResult(), 0) << "No keeps the wizard open";
                            Form->CancelBtn->Click();
                          }});
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(MessageBoxesWith(ResConst::MsgQuitSetup), 2);
  EXPECT_EQ(Sim.MessageBoxes()[0].Type, MB_ICONQUESTION | MB_YESNO | MB_TASKMODAL);
  EXPECT_TRUE(Form->CloseConfirmed());
  EXPECT_EQ(SetupExitCode, 0);
}

TEST_F(WizardFlowTest, TheCloseBoxTakesTheSamePath) {
  Create();
  Sim.MessageBoxAnswers = {IDYES};
  EXPECT_EQ(ShowModal({[&] { Form->Close(); }}), mrCancel);
  EXPECT_EQ(MessageBoxesWith(ResConst::MsgQuitSetup), 1);
}

TEST_F(WizardFlowTest, ALicenseThatCannotBeExtractedEndsTheRun) {
  // Interactive: the extraction asks, Abort closes the wizard without a further question.
  FailCreating("~PennacleWordProcessorSetup");
  Create();
  Sim.MessageBoxAnswers = {IDABORT};
  EXPECT_EQ(ShowModal({[&] { Next(); }}), mrCancel);
  EXPECT_EQ(Sim.MessageBoxes().size(), 1u);
  EXPECT_EQ(Sim.MessageBoxes()[0].Type, MB_ICONERROR | MB_ABORTRETRYIGNORE | MB_TASKMODAL);
  EXPECT_EQ(SetupExitCode, 0);
}

TEST_F(WizardFlowTest, ALicenseThatCannotBeExtractedSilentlyEndsWithTwo) {
  FailCreating("~PennacleWordProcessorSetup");
  RunSilently();
  EXPECT_EQ(SetupExitCode, 2);
  EXPECT_EQ(PageIndex(), 1);
  EXPECT_TRUE(Sim.MessageBoxes().empty());
  EXPECT_FALSE(InstallStarted);
}

TEST_F(WizardFlowTest, ARunningProductStopsTheInstallationUntilItIsClosed) {
  Create();
  WalkTo(4);
  Handle product = Sim.AddWindow("Pennacle Word Processor");
  Sim.SetWindowProp(product, "1.x Tidal Loom", 7);
  Sim.MessageBoxAnswers = {IDOK};
  Next();
  EXPECT_EQ(PageIndex(), 4);
  EXPECT_FALSE(InstallStarted);
  EXPECT_FALSE(Sim.FileExists("C:\\Program Files\\Pennacle\\pnc.exe"));
  Sim.RemoveWindow(product);
  Next();
  EXPECT_EQ(PageIndex(), 6);
  EXPECT_TRUE(Sim.FileExists("C:\\Program Files\\Pennacle\\pnc.exe"));
}

TEST_F(WizardFlowTest, SilentRunsStopWithTheirExitCode) {
  Handle product = Sim.AddWindow("Pennacle Word Processor");
  Sim.SetWindowProp(product, "1.x Tidal Loom", 1);
  RunSilently();
  EXPECT_EQ(SetupExitCode, 1);
  EXPECT_EQ(PageIndex(), 0);
  EXPECT_TRUE(Sim.MessageBoxes().empty());
  EXPECT_TRUE(Sim.FilesBelow("C:\\Program Files").empty());
  EXPECT_TRUE(Sim.FilesBelow("C:\\Users\\User\\AppData\\Local\\Temp").empty());
}

TEST_F(WizardFlowTest, FinishStartsTheProductByItsQuotedPath) {
  struct Case {
    const char* dest;
    bool launch;
    const char* command;
  } cases[] = {{"C:\\Apps\\Pen\\", true, "\"C:\\Apps\\Pen\\pnc.exe\""},
               {"C:\\Apps\\Pen", false, nullptr}};
  for (const Case& c : cases) {
    Sim.MakeDirs("C:\\Apps\\Pen");
    Sim.SetRegValue(InstallKey, "MAINDIR", REG_SZ, std::string(c.dest) + '\0');
    Sim.SetRegDword(InstallKey, "LAUNCH", c.launch);
    size_t before = Sim.Executed().size();
    Create();
    Form->DestDirEdt->SetText(c.dest); // as typed; normalising drops the trailing backslash
    WalkTo(6);
    EXPECT_EQ(ShowModal({[&] { Next(); }}), mrOk);
    if (c.command) {
      ASSERT_EQ(Sim.Executed().size(), before + 1) << c.dest;
      EXPECT_EQ(Sim.Executed().back().CommandLine, c.command);
      EXPECT_EQ(Sim.Executed().back().ShowCommand, SW_SHOW);
    } else {
      EXPECT_EQ(Sim.Executed().size(), before);
    }
    Form.reset();
    Files.reset();
  }
}

TEST_F(WizardFlowTest, ASilentRunNeverStartsTheProduct) {
  RunSilently();
  EXPECT_EQ(SetupExitCode, 0);
  EXPECT_EQ(Form->ModalResult(), mrOk);
  EXPECT_TRUE(Sim.Executed().empty());
}

} // namespace
