#pragma once
// The real wizard on a simulated machine: the resources the executable carries (form
// description, logo, payload, control bitmaps) registered from the source and build trees,
// the headless backend, and helpers that press buttons and walk pages as a user would.

#include "GuiTest.h"

#include "install/AttachFiles.h"
#include "install/InstUtils.h"
#include "platform/os/WinConst.h"
#include "wizard/MainDlg.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>

// A file of the source or build tree, read as it is.
std::string ReadTreeFile(const std::string& path);

namespace Wizard {
constexpr const char* InstallKey = "HKCU\\Software\\Pennacle Word Processor\\Install";
constexpr const char* UninstallKey =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pennacle Word Processor";
constexpr const char* DefaultDest = "C:\\Program Files\\Pennacle";
constexpr const char* DataRoot = "C:\\ProgramData\\Pennacle";
constexpr const char* PublicRoot = "C:\\ProgramData\\Pennacle\\Public";
constexpr const char* ProofingRoot = "C:\\ProgramData\\Pennacle\\Public\\Spellcheck";
} // namespace Wizard

class WizardTest : public GuiTest {
protected:
  WizardTest();
  ~WizardTest() override;

  // Creates the archive and the form, silently or not, with these command-line parameters.
  void Create(bool silent = false, const std::string& parameters = std::string());
  // The silent run, as the program entry starts it.
  void RunSilently(const std::string& parameters = std::string()) {
    Create(true, parameters);
    Form->NextBtn->Click();
  }
  void Next() { Form->NextBtn->Click(); }
  void Back() { Form->BackBtn->Click(); }
  // Interactive: from the welcome page to the page given, with Next.
  void WalkTo(int page);
  int PageIndex() const { return Form->PgCtrl->ActivePageIndex(); }

  // Runs the form modally; each step of the modal loop takes the next action, and the show
  // must end before the actions run out.
  int ShowModal(std::deque<std::function<void()>> actions);

  // The n-th file (0-based) of the archive whose name starts with prefix.
  std::string ArchiveName(const std::string& prefix, int n) const;
  // Makes every creation of the file at path fail (as a file held open by another program).
  void FailCreating(const std::string& path, int times = -1);
  std::string Text(const std::string& path) const;
  int MessageBoxesWith(const std::string& text) const;

  std::unique_ptr<TAttachedFiles> Files;
  std::unique_ptr<TMainDlgForm> Form;
};
