// The form reader on any text, with the wizard's classes registered, into a throwaway form
// that has the wizard's handlers but none of its fields. The reader builds the form or raises
// EFormError; anything else is a finding. A form it built gets its windows and is painted,
// with every row of its lists, and the focus goes once round it, so that whatever the text set
// is used.
#include "app/Setup.h"
#include "platform/gui/Backend.h"
#include "platform/gui/FormReader.h"
#include "platform/gui/Forms.h"
#include "platform/os/sim/SimSystem.h"
#include "wizard/ResConst.h"

#include "FuzzSupport.h"

#include <algorithm>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

class TThrowawayForm : public TForm {
public:
  TThrowawayForm() {
    PublishHandler("BNClick", &TThrowawayForm::Ignore);
    PublishHandler("CancelBtnClick", &TThrowawayForm::Ignore);
    PublishHandler("DestDirLstBxChange", &TThrowawayForm::Ignore);
    PublishHandler("SelCompLstBxClickCheck", &TThrowawayForm::Ignore);
    PublishHandler("SelCompLstBxDrawItem", &TThrowawayForm::DrawItem);
    PublishHandler("FormCloseQuery", &TThrowawayForm::MayClose);
  }

private:
  void Ignore(TObject*) {}
  void DrawItem(TWinControl*, int, const TRect&, TOwnerDrawState) {}
  void MayClose(TObject*, bool&) {}
};

// The folder and drive lists load their bitmaps from the executable's resources: the
// committed files, without their file header.
void AddListBitmaps(SimSystem& sim) {
  static const std::pair<const char*, std::string> bitmaps[] = {
      {ResConst::ResOpenFolder, "OpenFolder.bmp"},
      {ResConst::ResClosedFolder, "ClosedFolder.bmp"},
      {ResConst::ResFixedDrive, "FixedDrive.bmp"},
      {ResConst::ResRemovableDrive, "RemovableDrive.bmp"}};
  static const std::vector<std::string> dibs = [] {
    std::vector<std::string> read;
    for (const auto& bitmap : bitmaps) {
      std::ifstream in(std::string(PENNACLE_SOURCE_DIR "/resources/") + bitmap.second,
                       std::ios::binary);
      std::ostringstream bytes;
      bytes << in.rdbuf();
      if (bytes.str().size() <= 14) Finding("a control bitmap of the resources is missing");
      read.push_back(bytes.str().substr(14));
    }
    return read;
  }();
  for (size_t i = 0; i < dibs.size(); ++i) sim.AddResource("#2", bitmaps[i].first, dibs[i]);
}

void PaintTree(TWinControl& control, TCanvas& canvas) {
  control.Paint(canvas);
  for (int i = 0; i < control.ControlCount(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(control.Controls(i))) PaintTree(*child, canvas);
}

// Every row of the lists, and one on each side of them.
void PaintRows(TForm& form) {
  constexpr int kRows = 64;
  for (int i = 0; i < form.ComponentCount(); ++i) {
    TComponent* component = form.Components(i);
    if (auto* list = dynamic_cast<TCustomListBox*>(component))
      for (int row = -1; row <= std::min(list->Items().Count(), kRows); ++row) list->PaintItem(row);
    if (auto* combo = dynamic_cast<TComboBox*>(component))
      for (int row = -1; row <= std::min(combo->Items().Count(), kRows); ++row)
        combo->PaintItem(row);
  }
}

void Use(TForm& form) {
  form.HandleNeeded();
  PaintTree(form, *Gui().CreateCanvas());
  PaintRows(form);
  for (int i = 0; i <= form.ComponentCount(); ++i) form.SelectNext(form.ActiveControl(), true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool registered = (RegisterWizardClasses(), true);
  (void)registered;
  // The folder and drive lists look at the machine.
  SimSystem sim;
  TSystemScope scope(sim);
  AddListBitmaps(sim);
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    TThrowawayForm form;
    form.ReadFormText(text, "TMainDlgForm");
    Use(form);
  } catch (const EFormError&) {
  } catch (const std::exception& e) {
    Finding(e.what());
  }
  return 0;
}
