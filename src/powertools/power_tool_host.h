#pragma once
// The program's side of the plug-in tools: the channel they talk to, starting their
// programs, ending a document's progress sheet and the launcher's run.
#include <memory>

class NotificationChannel;

// Listens on the per-process channel, installs it and answers the plug-in seams that need
// the user interface. The channel lives as long as the returned object.
std::unique_ptr<NotificationChannel> InstallPowerToolHost();
// Forgets the handlers and the launcher (before the channel goes).
void RemovePowerToolHost();
