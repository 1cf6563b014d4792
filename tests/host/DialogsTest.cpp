// The message box: icons, button sets, caption, code page, owner and results.
#include "SimTest.h"

#include "platform/gui/Application.h"
#include "platform/os/WinConst.h"
#include "wizard/Dialogs.h"

namespace {

using DialogsTest = SimTest;
using namespace MessageButton;

TEST_F(DialogsTest, KindSelectsTheIconAndSetsItsButtonStyle) {
  struct Case {
    uint8_t kind;
    TMessageButtons buttons;
    uint32_t style;
  } cases[] = {
      {0, OK, MB_ICONWARNING},
      {1, Abort | Retry | Ignore, MB_ICONERROR | MB_ABORTRETRYIGNORE},
      {2, OK | Cancel, MB_ICONINFORMATION | MB_OKCANCEL},
      {3, Yes | No, MB_ICONQUESTION | MB_YESNO},
      {4, Cancel | Retry, MB_ICONERROR | MB_RETRYCANCEL},
      {255, Yes | No | Cancel, MB_ICONERROR | MB_YESNOCANCEL},
      {2, Yes | No | All, MB_ICONINFORMATION | MB_OK},
      {2, 0, MB_ICONINFORMATION | MB_OK},
      {2, Abort | Retry, MB_ICONINFORMATION | MB_OK},
  };
  for (const auto& c : cases) {
    Sim.MessageBoxAnswers.push_back(IDOK);
    ShowMessageBox("text", c.kind, c.buttons);
    const TSimMessageBox& box = Sim.MessageBoxes().back();
    EXPECT_EQ(box.Type, c.style | MB_TASKMODAL) << int(c.kind) << " " << c.buttons;
    EXPECT_EQ(box.Caption, u"Pennacle Word Processor - Setup");
    EXPECT_EQ(box.Language, 1033);
  }
}

TEST_F(DialogsTest, TextIsCodePage1252WhateverTheSystemCodePage) {
  Sim.SetAnsiCodePage(1251);
  Sim.MessageBoxAnswers.push_back(IDOK);
  ShowMessageBox("C:\\Caf\xE9\\\x80\rline two", TMessageKind::Error, OK);
  EXPECT_EQ(Sim.MessageBoxes().back().Text, u"C:\\Caf\u00E9\\\u20AC\rline two");
}

TEST_F(DialogsTest, ResultsMapAndFailuresAnswerOK) {
  struct Case {
    int returned;
    TMessageResult result;
  } cases[] = {{IDOK, TMessageResult::OK},
               {IDCANCEL, TMessageResult::Cancel},
               {IDABORT, TMessageResult::Abort},
               {IDRETRY, TMessageResult::Retry},
               {IDIGNORE, TMessageResult::Ignore},
               {IDYES, TMessageResult::Yes},
               {IDNO, TMessageResult::No},
               {0, TMessageResult::OK},
               {8, TMessageResult::OK},
               {11, TMessageResult::OK}};
  for (const auto& c : cases) {
    Sim.MessageBoxAnswers.push_back(c.returned);
    EXPECT_EQ(ShowMessageBox("q", TMessageKind::Confirmation, Yes | No), c.result) << c.returned;
  }
}

TEST_F(DialogsTest, TheApplicationWindowOwnsTheBox) {
  Sim.MessageBoxAnswers = {IDOK, IDOK};
  ShowMessageBox("no application", TMessageKind::Information, OK);
  EXPECT_EQ(Sim.MessageBoxes().back().Owner, 0u);
  struct TestApplication : TApplication {
    TestApplication() { Window = 0x4242; }
  } app;
  ShowMessageBox("with application", TMessageKind::Information, OK);
  EXPECT_EQ(Sim.MessageBoxes().back().Owner, 0x4242u);
}

} // namespace
