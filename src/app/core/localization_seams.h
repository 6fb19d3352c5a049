#pragma once
// The application's localised strings, looked up by key in the default table. Strings are
// 8-bit Mac OS Roman like every model text. The shell registers its translations; until then,
// and for a key without a translation, the key itself answers.
#include <string>

#include "port/seam.h"

// A null key answers the empty string.
DVX_SEAM_GUARDED(LocalizedString, "app", port::SeamKind::UserInterface, port::NoNullPointer,
                 [](const char* key) { return std::string(key ? key : ""); }, std::string(const char* key))
