#pragma once
// The application object: title, icon and the hidden application window that owns the
// message boxes. At most one exists; Application points at it while it lives. The program
// entry creates it and then its window (CreateHandle).

#include "platform/gui/Graphics.h"
#include "platform/os/System.h"

#include <memory>
#include <string>

class TNativeWindow;

class TApplication {
public:
  TApplication();
  virtual ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Creates the hidden application window through the backend, once.
  void CreateHandle();
  // The hidden application window; 0 until CreateHandle.
  Handle WindowHandle() const { return Window; }

  std::string Title;
  TIcon Icon;

protected:
  Handle Window = 0;

private:
  std::unique_ptr<TNativeWindow> Native;
};

extern TApplication* Application;
