#pragma once

namespace port::qt {
// Replaces the built-in platform services by their Qt implementations. Needs a QApplication
// with its organisation and application names set (the settings file is named by them); call it
// before registering defaults. The services go back to the built-in ones with the application.
void InstallQtPlatform();
}
