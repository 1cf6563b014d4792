#include "WizardFixture.h"

#include "app/Setup.h"
#include "platform/gui/Classes.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

std::string ReadTreeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

namespace {
// A bitmap resource is the bitmap file without its 14-byte file header.
std::string Dib(const std::string& bmpFile) {
  return ReadTreeFile(bmpFile).substr(14);
}
} // namespace

WizardTest::WizardTest() {
  RegisterWizardClasses();
  const std::string src = PENNACLE_SOURCE_DIR, bin = PENNACLE_BINARY_DIR;
  Sim.AddResource("#10", "TMAINDLGFORM", ReadTreeFile(src + "/resources/MainDlg.form"));
  Sim.AddResource("PNG", "LOGO", ReadTreeFile(src + "/resources/logo.png"));
  Sim.AddResource("FILES", "FILES", ReadTreeFile(bin + "/FILES.zlib"));
  const std::pair<const char*, const char*> bitmaps[] = {{"OPENFOLDER", "OpenFolder.bmp"},
                                                         {"CLOSEDFOLDER", "ClosedFolder.bmp"},
                                                         {"FIXEDDRIVE", "FixedDrive.bmp"},
                                                         {"REMOVABLEDRIVE", "RemovableDrive.bmp"}};
  for (const auto& [name, file] : bitmaps)
    Sim.AddResource("#2", name, Dib(src + "/resources/" + file));
  Sim.MakeDirs("C:\\Windows");
}

WizardTest::~WizardTest() {
  Form.reset();
  Files.reset();
  InstallLog.reset();
  InstallLogPath.clear();
}

void WizardTest::Create(bool silent, const std::string& parameters) {
  Sim.SetCommandLine("\"C:\\Users\\User\\Downloads\\setup.exe\" " + parameters);
  SilentMode = silent;
  Files = std::make_unique<TAttachedFiles>();
  Form = std::make_unique<TMainDlgForm>(*Files);
}

void WizardTest::WalkTo(int page) {
  while (PageIndex() < page) {
    int before = PageIndex();
    Next();
    ASSERT_GT(PageIndex(), before) << "stuck on page " << before;
  }
}

int WizardTest::ShowModal(std::deque<std::function<void()>> actions) {
  Headless.OnModalStep = [&actions](TForm&) {
    if (actions.empty()) throw std::runtime_error("the wizard is still open");
    auto action = std::move(actions.front());
    actions.pop_front();
    action();
  };
  int result = Form->ShowModal();
  Headless.OnModalStep = nullptr;
  return result;
}

std::string WizardTest::ArchiveName(const std::string& prefix, int n) const {
  for (const TAttachedFile& f : Files->Files)
    if (f.FileName.compare(0, prefix.size(), prefix) == 0 && n-- == 0) return f.FileName;
  return std::string();
}

void WizardTest::FailCreating(const std::string& path, int times) {
  TSimFault fault;
  fault.Call = SimCall::CreateFile;
  fault.PathContains = path;
  fault.Times = times;
  fault.Error = ERROR_SHARING_VIOLATION;
  Sim.AddFault(fault);
}

std::string WizardTest::Text(const std::string& path) const {
  auto content = Sim.FileContent(path);
  return content ? *content : std::string("(missing)");
}

int WizardTest::MessageBoxesWith(const std::string& text) const {
  int n = 0;
  for (const TSimMessageBox& box : Sim.MessageBoxes()) n += box.TextAnsi() == text;
  return n;
}
