#pragma once

namespace port::qt {
// Replaces the built-in platform services by their Qt implementations. Needs a QApplication.
void InstallQtPlatform();
}
