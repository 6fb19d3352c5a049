#include "model/localization.h"

namespace {
std::function<std::string(const char*)>& Provider() {
    static std::function<std::string(const char*)> provider;
    return provider;
}
}  // namespace

std::string LocalizedString(const char* key) {
    if (!key) return std::string();
    if (Provider()) {
        std::string value = Provider()(key);
        if (!value.empty()) return value;
    }
    return key;
}

void SetLocalizedStringProvider(std::function<std::string(const char*)> provider) {
    Provider() = std::move(provider);
}

void ResetLocalizedStrings() { Provider() = nullptr; }
