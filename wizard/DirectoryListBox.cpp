#include "install/InstUtils.h"
#include "platform/gui/FormReader.h"
#include "platform/os/Handles.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/FileCtrl.h"
#include "wizard/FileCtrlUtils.h"
#include "wizard/ResConst.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int LevelIndent = 12;
constexpr int FirstIndent = 3;
constexpr int TextGap = 4;

// Set for the lifetime of the scope, cleared also when an exception leaves it.
class TFlagScope {
public:
  explicit TFlagScope(bool& flag) : Flag(flag) { Flag = true; }
  ~TFlagScope() { Flag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& Flag;
};

// The visible subfolders of folder, sorted as the user's locale sorts names, case ignored.
std::vector<std::string> SubfolderNames(const std::string& folder) {
  std::string pattern = folder;
  if (LastChar(pattern) != '\\') pattern += '\\';
  pattern += "*.*";
  std::vector<std::string> names;
  TFindData data;
  TFindHandle find(Sys().FindFirstFileA(pattern, data));
  if (find.Valid()) {
    do {
      // What a search for folders leaves out: hidden and system entries.
      if (data.FileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
      if (!(data.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
      if (data.FileName == "." || data.FileName == "..") continue;
      names.push_back(data.FileName);
    } while (Sys().FindNextFileA(find.Get(), data));
  }
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return Sys().CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT, a, b) ==
           CSTR_LESS_THAN;
  });
  return names;
}

} // namespace

int DirLevel(const std::string& path) {
  size_t end = path.size();
  if (end > 0 && path[end - 1] == '\\') --end;
  return int(std::count(path.begin(), path.begin() + std::ptrdiff_t(end), '\\'));
}

TDirectoryListBox::TDirectoryListBox()
    : FOpenedBmp(std::make_unique<TBitmap>()), FClosedBmp(std::make_unique<TBitmap>()) {
  FOpenedBmp->LoadFromResourceName(ResConst::ResOpenFolder);
  FClosedBmp->LoadFromResourceName(ResConst::ResClosedFolder);
  SetStyle(lbOwnerDrawFixed);
  SetItemHeight(std::max(FontCharHeight(Font()), FOpenedBmp->Height() + 1));
}

TDirectoryListBox::~TDirectoryListBox() {
  if (FDriveCombo) FDriveCombo->SetDirList(nullptr);
}

bool TDirectoryListBox::SameDirectory(const std::string& path) const {
  if (FCaseSensitive) return AnsiCompareStr(path, FDirectory) == 0;
  return AnsiCompareStr(AnsiLowerCaseFileName(path), AnsiLowerCaseFileName(FDirectory)) == 0;
}

void TDirectoryListBox::SetDirectory(const std::string& path) {
  if (path.empty() || SameDirectory(path)) return;
  // Such a path would climb to nothing: there is no folder to show for it.
  if (ExtractFileDrive(path).empty()) return;
  std::string p = path;
  while (!DirExists(p) && ExtractFileDrive(p).size() + 1 < p.size()) {
    const size_t before = p.size();
    if (p.back() == '\\') p.pop_back();
    p = ExtractFilePath(p);
    // Nothing follows a trailing colon to cut: drop the colon itself, so the climb goes on.
    if (p.size() >= before) p.pop_back();
  }
  const bool otherDrive = !SameLetter(FirstChar(p), FirstChar(FDirectory));
  FDirectory = p;
  if (otherDrive) {
    TFlagScope moving(FInSetDirectory);
    if (FDriveCombo)
      FDriveCombo->SetDrive(FirstChar(FDirectory));
    else
      DriveChange(FirstChar(FDirectory));
  }
  BuildList();
  Change();
}

void TDirectoryListBox::DriveChange(char letter) {
  if (uint8_t(letter) <= uint8_t(' ') || SameLetter(letter, FirstChar(FDirectory))) return;
  const std::string programFiles = GetSpecialFolder(CSIDL_PROGRAM_FILES);
  if (!programFiles.empty() && SameLetter(letter, programFiles[0])) {
    const std::string folder = WithBackslash(programFiles);
    const std::string product = folder + ResConst::ProductFolderName;
    FDirectory = DirExists(product) ? product : folder;
  } else {
    const size_t colon = FDirectory.find(':');
    const std::string samePath =
        colon == std::string::npos ? std::string() : letter + FDirectory.substr(colon);
    FDirectory = !samePath.empty() && DirExists(samePath) ? samePath : letter + std::string(":\\");
  }
  if (FInSetDirectory) return;
  BuildList();
  Change();
}

void TDirectoryListBox::BuildList() {
  {
    TItemsUpdate update(Items());
    Items().Clear();
    FPathRows = 0;
    FPreserveCase = true;
    FCaseSensitive = false;
    const std::string drive = ExtractFileDrive(FDirectory);
    // Before the first move there is no folder to show.
    if (drive.empty()) return;

    uint32_t serial = 0, maxLength = 0, flags = 0;
    if (Sys().GetVolumeInformationA(drive + "\\", nullptr, 0, &serial, &maxLength, &flags, nullptr,
                                    0)) {
      FCaseSensitive = (flags & FS_CASE_SENSITIVE) != 0;
      FPreserveCase = (flags & (FS_CASE_SENSITIVE | FS_CASE_IS_PRESERVED)) != 0;
    }

    std::string s = FDirectory;
    while (s.size() > 3) {
      if (s.back() == '\\') s.pop_back();
      Items().Insert(0, s, ItemObject(FOpenedBmp));
      while (!s.empty() && s.back() != '\\') s.pop_back();
    }
    if (!s.empty()) Items().Insert(0, s, ItemObject(FOpenedBmp));
    FPathRows = Items().Count();

    const std::string parent = WithBackslash(FDirectory);
    for (const std::string& name : SubfolderNames(FDirectory))
      Items().AddObject(parent + name, ItemObject(FClosedBmp));
  }
  if (HandleAllocated() && FPathRows > 0) SetItemIndex(FPathRows - 1);
}

void TDirectoryListBox::Change() {
  if (OnChange) OnChange(this);
}

void TDirectoryListBox::Click() {
  TCustomListBox::Click();
  if (ItemIndex() < 0) return;
  // A copy: the move rebuilds the items.
  const std::string path = Items()[ItemIndex()];
  SetDirectory(path);
}

void TDirectoryListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  // Selects the folder's own row now that there is a window.
  BuildList();
}

void TDirectoryListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState) {
  TCanvas& canvas = Canvas();
  canvas.FillRect(rect);
  // Subfolder rows sit one step deeper than the folder's own row.
  const int level = std::min(index, FPathRows);
  const int indent = level * LevelIndent + FirstIndent;
  const auto* bitmap = ItemBitmap(Items().Objects(index));
  const int bitmapWidth = bitmap ? bitmap->Width() : NoBitmapWidth;
  if (bitmap)
    canvas.Draw(rect.Left + indent, rect.Top + (rect.Height() - bitmap->Height()) / 2, *bitmap,
                true);
  const std::string& path = Items()[index];
  std::string text = index == 0 ? path.substr(0, 2) : ExtractFileName(path);
  if (!FPreserveCase && !FCaseSensitive) text = AnsiLowerCase(text);
  canvas.TextOut(rect.Left + bitmapWidth + indent + TextGap,
                 rect.Top + (rect.Height() - canvas.TextHeight("A")) / 2, text);
}

bool TDirectoryListBox::ReadProperty(TPropertyReader& reader) {
  if (!reader.Is("OnChange")) return TCustomListBox::ReadProperty(reader);
  OnChange = reader.NotifyHandler();
  return true;
}
