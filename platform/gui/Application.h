#pragma once
// The application object: title, icon and the hidden application window that owns the
// message boxes. At most one exists; Application points at it while it lives.

#include "platform/os/System.h"

#include <string>

class TApplication {
public:
  TApplication();
  virtual ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // The hidden application window; 0 until the backend has made one.
  Handle WindowHandle() const { return Window; }

  std::string Title;
  Handle Icon = 0;

protected:
  Handle Window = 0;
};

extern TApplication* Application;
