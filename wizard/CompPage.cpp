// The components page: the rows, their drawing, the grey first row that stays selected, and
// the required and free disk space.
#include "install/AttachFiles.h"
#include "install/InstUtils.h"
#include "wizard/MainDlg.h"
#include "wizard/ResConst.h"

using namespace ResConst;

void TMainDlgForm::FillComponentList() {
  FComponentIds = std::make_unique<std::vector<int>>();
  for (int i = 0; i < ResConst::ComponentCount; ++i) {
    SelCompLstBx->Items().AddObject(ComponentNames[i], 0);
    FComponentIds->push_back(i);
    if (FSavedComponents >> i & 1) SelCompLstBx->SetState(i, cbChecked);
  }
  SelCompLstBx->SetItemIndex(1);
  SelCompLstBx->SetState(0, cbGrayed);
}

void TMainDlgForm::SelCompLstBxDrawItem(TWinControl*, int Index, const TRect& Rect,
                                        TOwnerDrawState) {
  TCanvas& canvas = SelCompLstBx->Canvas();
  canvas.FillRect(Rect);
  if ((*FComponentIds)[size_t(Index)] == 0) canvas.Font.SetColor(clGrayText);
  const std::string& name = SelCompLstBx->Items()[Index];
  canvas.TextOut(Rect.Left + 2, (Rect.Top + Rect.Bottom - canvas.TextHeight(name)) / 2, name);
  const std::string size =
      FormatSize(RoundToClusters(FDestDir, int32_t(SelCompLstBx->Items().Objects(Index))));
  canvas.TextOut(Rect.Right - canvas.TextWidth(size) - 2,
                 (Rect.Top + Rect.Bottom - canvas.TextHeight(size)) / 2, size);
}

void TMainDlgForm::SelCompLstBxClickCheck(TObject*) {
  // The program itself is always installed: a click on its row changes nothing.
  if ((*FComponentIds)[0] == 0 && SelCompLstBx->State(0) != cbGrayed) {
    SelCompLstBx->SetState(0, cbGrayed);
    return;
  }
  UpdateDiskSpace();
}

void TMainDlgForm::UpdateDiskSpace() {
  uint32_t required = 0; // summed as the 32-bit signed value it is displayed as
  for (int i = 0; i < SelCompLstBx->Items().Count(); ++i)
    if (SelCompLstBx->State(i) != cbUnchecked)
      required += uint32_t(SelCompLstBx->Items().Objects(i));
  SelCompDiskSpaceReqLbl2->SetCaption(FormatSize(int32_t(required)));
  uint64_t available = 0;
  // A share is only asked with its trailing backslash; a drive letter as it is (C:).
  std::string drive = ExtractFileDrive(FDestDir);
  if (drive.size() > 2) AddBackslash(drive);
  const bool known = Sys().GetDiskFreeSpaceExA(drive, &available, nullptr, nullptr);
  if (!known) available = 0;
  SelCompDiskSpaceAvailLbl2->SetCaption(FormatSize(int64_t(available)));
  const int64_t need = int32_t(required);
  const bool enough = known && (need <= 0 || available >= uint64_t(need));
  NextBtn->SetEnabled(enough);
  if (!enough && SilentMode) SetupExitCode = ExitNoDiskSpace;
}

void TMainDlgForm::WMActivateApp(bool active) {
  if (active && PgCtrl->ActivePage() == SelCompTabSheet) UpdateDiskSpace();
}

void TMainDlgForm::ComputeComponentSizes() {
  for (int i = 0; i < SelCompLstBx->Items().Count(); ++i)
    SelCompLstBx->Items().PutObject(
        i, Files.ComponentSize(ComponentFileLists[(*FComponentIds)[size_t(i)]], FDestDir));
}
