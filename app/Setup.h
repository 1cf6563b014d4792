#pragma once
// The program's main routine, apart from the process's own entry point.

#include <string>

// A parameter of exactly two characters: "-" or "/" and then "S" or "s".
bool IsSilentSwitch(const std::string& param);

// Makes the form's component classes known to the form reader.
void RegisterWizardClasses();

// Runs the setup to its end and returns the process exit code.
int RunSetup();
