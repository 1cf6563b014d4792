// The components page: the rows, the grayed first row, the row drawing, and the disk space.
#include "WizardFixture.h"

#include "wizard/ResConst.h"

namespace {

using namespace Wizard;

class CompPageTest : public WizardTest {
protected:
  int64_t Required() const {
    int64_t sum = 0;
    for (int i = 0; i < 5; ++i)
      if (Form->SelCompLstBx->State(i) != cbUnchecked)
        sum += Form->SelCompLstBx->Items().Objects(i);
    return sum;
  }
};

TEST_F(CompPageTest, AFirstRunChecksEveryRowAndGraysTheFirst) {
  Create();
  TCheckListBox& list = *Form->SelCompLstBx;
  ASSERT_EQ(list.Items().Count(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(list.Items()[i], ResConst::ComponentNames[i]);
    EXPECT_EQ(list.State(i), i == 0 ? cbGrayed : cbChecked) << i;
    EXPECT_EQ(Form->ComponentIds()[size_t(i)], i);
  }
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_EQ(Form->SelCompLbl->Caption(), ResConst::SelCompCaption);
}

TEST_F(CompPageTest, EnteringThePageSizesTheComponentsOnTheDestinationVolume) {
  Create();
  WalkTo(3);
  const int64_t sizes[] = {3723264, 663552, 233472, 1085440, 65536};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Form->SelCompLstBx->Items().Objects(i), sizes[i]) << i;
  EXPECT_EQ(Form->SelCompDiskSpaceReqLbl2->Caption(), FormatSize(5771264));
  EXPECT_EQ(Form->SelCompDiskSpaceAvailLbl2->Caption(), "51 200 MB");
}

TEST_F(CompPageTest, TheFirstRowStaysGrayedAndUncheckingLowersTheRequiredSpace) {
  Create();
  WalkTo(3);
  TCheckListBox& list = *Form->SelCompLstBx;
  const std::string before = Form->SelCompDiskSpaceReqLbl2->Caption();
  const int queries = Sim.CallCount(SimCall::GetDiskFreeSpaceEx);
  list.ClickCheck(0);
  EXPECT_EQ(list.State(0), cbGrayed);
  EXPECT_EQ(Form->SelCompDiskSpaceReqLbl2->Caption(), before);
  EXPECT_EQ(Sim.CallCount(SimCall::GetDiskFreeSpaceEx), queries) << "nothing to recompute";

  list.ClickCheck(3); // the clip library
  EXPECT_EQ(list.State(3), cbUnchecked);
  EXPECT_EQ(Form->SelCompDiskSpaceReqLbl2->Caption(), FormatSize(5771264 - 1085440));
  for (int row : {1, 2, 4}) list.ClickCheck(row);
  EXPECT_EQ(Form->SelCompDiskSpaceReqLbl2->Caption(), FormatSize(3723264));
  list.ClickCheck(1);
  EXPECT_EQ(list.State(1), cbChecked);
}

TEST_F(CompPageTest, NextNeedsAtLeastTheRequiredFreeSpace) {
  Create();
  WalkTo(3);
  struct Case {
    int64_t delta;
    bool enabled;
  } cases[] = {{0, true}, {-1, false}, {1, true}};
  for (const Case& c : cases) {
    Sim.Drive('C')->FreeToCaller = uint64_t(Required() + c.delta);
    Form->UpdateDiskSpace();
    EXPECT_EQ(Form->NextBtn->Enabled(), c.enabled) << c.delta;
  }
  // The caller's share counts, not the volume's.
  Sim.Drive('C')->FreeToCaller = 1024;
  Form->UpdateDiskSpace();
  EXPECT_EQ(Form->SelCompDiskSpaceAvailLbl2->Caption(), "1 KB");
  EXPECT_FALSE(Form->NextBtn->Enabled());
}

TEST_F(CompPageTest, TooLittleSpaceEndsASilentRunWithThree) {
  Sim.Drive('C')->FreeToCaller = 1000000;
  RunSilently();
  EXPECT_EQ(SetupExitCode, 3);
  EXPECT_EQ(PageIndex(), 3);
  EXPECT_FALSE(InstallStarted);
  EXPECT_TRUE(Sim.FilesBelow("C:\\Program Files").empty());
  EXPECT_TRUE(Sim.FilesBelow("C:\\Users\\User\\AppData\\Local\\Temp").empty());
}

TEST_F(CompPageTest, ADriveThatCannotBeAskedShowsNoSpaceAndKeepsNextDisabled) {
  Create(false, "-DQ:\\Pennacle");
  WalkTo(2);
  Next();
  EXPECT_EQ(PageIndex(), 3);
  EXPECT_EQ(Form->SelCompDiskSpaceAvailLbl2->Caption(), "0 KB");
  EXPECT_FALSE(Form->NextBtn->Enabled());
}

TEST_F(CompPageTest, AShareIsAskedForItsFreeSpace) {
  TSimDrive& share = Sim.AddShare("\\\\srv\\data");
  share.FreeBytes = 3ull << 30;
  Sim.MakeDirs("\\\\srv\\data\\Apps");
  Create(false, "-D\\\\srv\\data\\Apps");
  WalkTo(3);
  EXPECT_EQ(Form->SelCompDiskSpaceAvailLbl2->Caption(), "3 072 MB");
  EXPECT_TRUE(Form->NextBtn->Enabled());
}

TEST_F(CompPageTest, ComingBackToTheSetupRefreshesTheFreeSpaceOnThisPageOnly) {
  Create();
  WalkTo(3);
  Sim.Drive('C')->FreeToCaller = 1ull << 20;
  Form->WMActivateApp(false);
  EXPECT_EQ(Form->SelCompDiskSpaceAvailLbl2->Caption(), "51 200 MB");
  Form->WMActivateApp(true);
  EXPECT_EQ(Form->SelCompDiskSpaceAvailLbl2->Caption(), "1 MB");
  EXPECT_FALSE(Form->NextBtn->Enabled());
  Sim.Drive('C')->FreeToCaller.reset();
  Form->WMActivateApp(true);
  Next();
  EXPECT_EQ(PageIndex(), 4);
  Sim.Drive('C')->FreeToCaller = 1ull << 20;
  Form->WMActivateApp(true);
  EXPECT_TRUE(Form->NextBtn->Enabled()) << "another page is not refreshed";
}

TEST_F(CompPageTest, RowsDrawTheirNameAndTheirSizeAtTheRight) {
  Create();
  WalkTo(3);
  TCheckListBox& list = *Form->SelCompLstBx;
  for (int row : {0, 1}) {
    TRecordingCanvas& canvas = Recorded(list.Canvas());
    canvas.Clear();
    list.PaintItem(row);
    const TRect rect = list.ItemRect(row);
    const std::string size = FormatSize(list.Items().Objects(row));
    const std::vector<TDrawOp> texts = canvas.OpsOf(TDrawOp::TKind::TextOut);
    auto find = [&texts](const std::string& text) -> const TDrawOp* {
      for (const TDrawOp& op : texts)
        if (op.Text == text) return &op;
      return nullptr;
    };
    const TDrawOp* name = find(ResConst::ComponentNames[row]);
    const TDrawOp* sizeText = find(size);
    ASSERT_NE(name, nullptr) << row;
    ASSERT_NE(sizeText, nullptr) << row;
    EXPECT_EQ(name->Pos.X, rect.Left + TCheckListBox::CheckAreaWidth + 2);
    EXPECT_EQ(sizeText->Pos.X, rect.Right - canvas.TextWidth(size) - 2);
    EXPECT_EQ(name->Pos.Y, (rect.Top + rect.Bottom - canvas.TextHeight(name->Text)) / 2);
    if (row == 0)
      EXPECT_EQ(name->FontColor, clGrayText);
    else
      EXPECT_NE(name->FontColor, clGrayText);
  }
}

} // namespace
