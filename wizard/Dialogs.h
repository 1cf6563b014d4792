#pragma once
// The one message box of the program: task-modal, with the setup's caption and United States
// English button texts.

#include <cstdint>
#include <string>

enum class TMessageKind : uint8_t { Warning = 0, Error = 1, Information = 2, Confirmation = 3 };

// One bit per button.
using TMessageButtons = uint16_t;
namespace MessageButton {
constexpr TMessageButtons Yes = 1, No = 2, OK = 4, Cancel = 8, Abort = 16, Retry = 32, Ignore = 64,
                          All = 128, NoToAll = 256, YesToAll = 512, Help = 1024;
}

// The pressed button, numbered as the form's modal results.
enum class TMessageResult : uint8_t {
  OK = 1,
  Cancel = 2,
  Abort = 3,
  Retry = 4,
  Ignore = 5,
  Yes = 6,
  No = 7
};

// text may hold carriage returns as line breaks; it and the caption are shown as code page
// 1252 whatever the system's code page. A box that cannot be shown answers OK.
TMessageResult ShowMessageBox(const std::string& text, uint8_t kind, TMessageButtons buttons);
inline TMessageResult ShowMessageBox(const std::string& text, TMessageKind kind,
                                     TMessageButtons buttons) {
  return ShowMessageBox(text, uint8_t(kind), buttons);
}
