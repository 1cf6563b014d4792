#pragma once
// The destination page's folder list and drive list. They never read or change the process's
// current directories: a drive change goes to the Program Files folder, to the same path on
// the new drive, or to the drive root. Only drives C: to Z: are listed, CD-ROMs are left out.

#include "platform/gui/Bitmap.h"
#include "platform/gui/StdCtrls.h"

#include <cstdint>
#include <memory>
#include <string>

class TDriveComboBox;

// The number of backslashes in path once one trailing backslash is dropped: C:\ gives 0,
// C:\Program Files\Pennacle gives 2.
int DirLevel(const std::string& path);

// The path of one folder from its root down, one row per level, then its subfolders.
class TDirectoryListBox : public TCustomListBox {
public:
  TDirectoryListBox();
  ~TDirectoryListBox() override;

  // Holds the character 0 until the first move, so that it matches no drive letter.
  const std::string& Directory() const { return FDirectory; }
  // Moves to path, or to its nearest existing ancestor; a path without a drive part is
  // ignored.
  void SetDirectory(const std::string& path);
  // Moves to the Program Files folder, the same path on that drive, or its root.
  void DriveChange(char letter);
  virtual void BuildList();

  bool InSetDirectory() const { return FInSetDirectory; }
  // Flags of the volume of Directory as of the last BuildList; a volume that cannot be
  // asked counts as case-preserving.
  bool PreserveCase() const { return FPreserveCase; }
  bool CaseSensitive() const { return FCaseSensitive; }
  TDriveComboBox* DriveCombo() const { return FDriveCombo; }

  // After every move to another folder.
  TNotifyEvent OnChange;
  // Selecting a row moves into its folder.
  void Click() override;

  bool ReadProperty(TPropertyReader& reader) override;

protected:
  virtual void Change();
  void CreateWnd() override;
  void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;

private:
  friend class TDriveComboBox;
  bool SameDirectory(const std::string& path) const;
  std::string FDirectory{std::string(1, '\0')};
  TDriveComboBox* FDriveCombo = nullptr; // not owned; kept by TDriveComboBox::SetDirList
  bool FInSetDirectory = false;
  bool FPreserveCase = true;
  bool FCaseSensitive = false;
  int FPathRows = 0; // rows from the root down to Directory; subfolder rows follow
  std::unique_ptr<TBitmap> FOpenedBmp;
  std::unique_ptr<TBitmap> FClosedBmp;
};

// The drives C: to Z: except CD-ROMs, as "c: [label]" or "f: \\server\share".
class TDriveComboBox : public TComboBox {
public:
  TDriveComboBox();
  ~TDriveComboBox() override;

  // Always lower case; the character 0 until a drive is chosen.
  char Drive() const { return FDrive; }
  void SetDrive(char letter);
  // Links the folder list both ways; a list can follow one drive list at a time.
  TDirectoryListBox* DirList() const { return FDirList; }
  void SetDirList(TDirectoryListBox* list);
  // The system's drive mask as the last BuildList read it; bit 0 is A:.
  uint32_t LogicalDrives() const { return FLogicalDrives; }
  void BuildList();

  // Picking an item chooses its drive.
  void Click() override;

  bool ReadProperty(TPropertyReader& reader) override;

protected:
  void CreateWnd() override;
  void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;

private:
  char FDrive = '\0';
  TDirectoryListBox* FDirList = nullptr; // not owned
  uint32_t FLogicalDrives = 0;
  std::unique_ptr<TBitmap> FFixedBmp;
  std::unique_ptr<TBitmap> FRemovableBmp;
};
