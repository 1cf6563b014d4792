#pragma once
// What makes one element of a relative file name (between backslashes) safe to write: the
// rules the packer checks and the setup checks again on what it unpacks.

#include <string>

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 name a device in any folder, also with
// an extension or blanks before it: a write there reaches the device, or waits on a port.
bool IsDeviceName(const std::string& element);

// A character no file name may hold: a control character or one of < > " | ? *.
bool IsForbiddenNameChar(char c);

// Not empty, no forbidden character, no device, and no trailing dot or blank (the system drops
// them, so the file would be written under another name; this also refuses "." and "..").
bool IsPlainNameElement(const std::string& element);
