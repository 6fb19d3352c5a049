#pragma once

// Runs the program: checks for a display, installs the Qt platform services, shows the
// document window and enters the event loop. Returns the process exit code.
int RunApplication(int argc, char** argv);
