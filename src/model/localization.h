#pragma once
// The application's localised strings, looked up by key in the default table. The shell
// installs a provider; without one (or when it has no translation) the key itself answers.
// Strings are 8-bit Mac OS Roman like every model text.
#include <functional>
#include <string>

std::string LocalizedString(const char* key);

// The provider answers the translation, or an empty string when it has none.
void SetLocalizedStringProvider(std::function<std::string(const char* key)> provider);
void ResetLocalizedStrings();
