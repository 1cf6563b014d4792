#pragma once
// The Windows headers for the native backend, with the macros that would rename the
// library's own members (TCanvas::TextOut, TCanvas::DrawText, RegisterClass) taken back.
// Backend code calls the A or W functions by their full names.

#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#undef DrawText
#undef TextOut
#undef RegisterClass
