#include "install/InstUtils.h"
#include "platform/gui/FormReader.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/FileCtrl.h"
#include "wizard/FileCtrlUtils.h"
#include "wizard/ResConst.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t NameBufferSize = 261;
constexpr int BitmapLeft = 2;
constexpr int TextGap = 6;
constexpr int FirstListedDrive = 2; // C:
constexpr int LastListedDrive = 25; // Z:

// Critical-error boxes stay off while a drive without a medium is asked.
class TErrorModeScope {
public:
  explicit TErrorModeScope(uint32_t mode) : Previous(Sys().SetErrorMode(mode)) {}
  ~TErrorModeScope() { Sys().SetErrorMode(Previous); }
  TErrorModeScope(const TErrorModeScope&) = delete;
  TErrorModeScope& operator=(const TErrorModeScope&) = delete;

private:
  uint32_t Previous;
};

// Names follow the case of the letter they are shown with.
std::string CasedLike(char letter, const std::string& name) {
  return letter >= 'a' && letter <= 'z' ? AnsiLowerCase(name) : AnsiUpperCase(name);
}

std::string VolumeName(char letter) {
  char label[NameBufferSize] = {};
  bool known;
  {
    TErrorModeScope quiet(SEM_FAILCRITICALERRORS);
    uint32_t serial = 0, maxLength = 0, flags = 0;
    known = Sys().GetVolumeInformationA(letter + std::string(":\\"), label, NameBufferSize, &serial,
                                        &maxLength, &flags, nullptr, 0);
  }
  std::string name = known ? std::string(label, strnlen(label, NameBufferSize)) : std::string();
  name = CasedLike(letter, name);
  return name.empty() ? name : Format(ResConst::VolumeLabelFormat, {name});
}

std::string NetworkName(char letter) {
  char remote[NameBufferSize] = {};
  uint32_t length = NameBufferSize;
  const std::string local = AnsiUpperCase(std::string(1, letter)) + ":";
  if (Sys().WNetGetConnectionA(local, remote, &length) != ERROR_SUCCESS) return VolumeName(letter);
  return CasedLike(letter, std::string(remote, strnlen(remote, NameBufferSize)));
}

} // namespace

TDriveComboBox::TDriveComboBox()
    : FFixedBmp(std::make_unique<TBitmap>()), FRemovableBmp(std::make_unique<TBitmap>()) {
  FFixedBmp->LoadFromResourceName(ResConst::ResFixedDrive);
  FRemovableBmp->LoadFromResourceName(ResConst::ResRemovableDrive);
  SetStyle(csOwnerDrawFixed);
  SetItemHeight(std::max(FontCharHeight(Font()) + 4, FFixedBmp->Height()));
}

TDriveComboBox::~TDriveComboBox() {
  SetDirList(nullptr);
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
  if (list == FDirList) return;
  if (FDirList) FDirList->FDriveCombo = nullptr;
  FDirList = list;
  if (!list) return;
  // Whoever followed the list before lets go of it, so no link is left one-sided.
  if (list->FDriveCombo) list->FDriveCombo->FDirList = nullptr;
  list->FDriveCombo = this;
}

void TDriveComboBox::BuildList() {
  TItemsUpdate update(Items());
  Items().Clear();
  SetText(std::string());
  FLogicalDrives = Sys().GetLogicalDrives();
  for (int bit = FirstListedDrive; bit <= LastListedDrive; ++bit) {
    if (!(FLogicalDrives & (uint32_t(1) << bit))) continue;
    const char letter = char('a' + bit);
    const std::string root = letter + std::string(":\\");
    const uint32_t type = Sys().GetDriveTypeA(root);
    if (type == DRIVE_CDROM) continue;
    const std::string name = type == DRIVE_REMOTE ? NetworkName(letter) : VolumeName(letter);
    const auto& bitmap = IsRemovablePath(root) ? FRemovableBmp : FFixedBmp;
    Items().AddObject(Format(ResConst::DriveItemFormat, {std::string(1, letter), name}),
                      ItemObject(bitmap));
  }
}

void TDriveComboBox::SetDrive(char letter) {
  if (ItemIndex() >= 0 && SameLetter(letter, FDrive)) return;
  FDrive = LowerLetter(letter);
  for (int i = 0; i < Items().Count(); ++i) {
    const std::string& item = Items()[i];
    if (item.size() >= 2 && SameLetter(item[0], FDrive) && item[1] == ':') {
      SetItemIndex(i);
      break;
    }
  }
  if (FDirList) FDirList->DriveChange(FDrive);
  Change();
}

void TDriveComboBox::Click() {
  TComboBox::Click();
  if (ItemIndex() >= 0 && !Items()[ItemIndex()].empty()) SetDrive(Items()[ItemIndex()][0]);
}

void TDriveComboBox::CreateWnd() {
  TComboBox::CreateWnd();
  BuildList();
  SetDrive(FDrive);
}

void TDriveComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState) {
  TCanvas& canvas = Canvas();
  const TColor brushColor = canvas.Brush.Color;
  const TColor fontColor = canvas.Font.Color();
  // The window colour even for the selected item: the list shows no highlight.
  canvas.Brush.Color = clWindow;
  canvas.FillRect(rect);
  const auto* bitmap = ItemBitmap(Items().Objects(index));
  TRect textRect = rect;
  if (bitmap)
    canvas.Draw(rect.Left + BitmapLeft, rect.Top + (rect.Height() - bitmap->Height()) / 2, *bitmap,
                true);
  textRect.Left += (bitmap ? bitmap->Width() : NoBitmapWidth) + TextGap;
  canvas.Font.SetColor(clWindowText);
  canvas.DrawText(textRect, Items()[index], DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  canvas.Brush.Color = brushColor;
  canvas.Font.SetColor(fontColor);
}

bool TDriveComboBox::ReadProperty(TPropertyReader& reader) {
  if (!reader.Is("DirList")) return TComboBox::ReadProperty(reader);
  reader.Reference([this](TComponent* component) {
    auto* list = dynamic_cast<TDirectoryListBox*>(component);
    if (component && !list) return false;
    SetDirList(list);
    return true;
  });
  return true;
}
