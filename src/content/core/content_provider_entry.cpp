#include "content/core/content_provider_entry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "app/core/localization_seams.h"
#include "files/ini.h"
#include "port/files.h"

namespace {

constexpr const char* kSection = "Provider";

template <size_t N>
void Read(const ProfileFile& file, const char* key, char (&field)[N], size_t chars) {
    // The field keeps a spare byte beyond the terminator, as the descriptor format always did.
    static_assert(N >= 2);
    file.getString(kSection, key, "", field, static_cast<int32_t>(std::min(chars + 1, N)));
}

std::string Format(const char* key, const char* value) {
    std::string format = LocalizedString(key);
    size_t at = format.find("%s");
    if (at == std::string::npos) return format + value;
    return format.substr(0, at) + value + format.substr(at + 2);
}

}  // namespace

std::string Latin1ToUtf8(const char* latin1) {
    std::string out;
    for (const char* c = latin1; *c; ++c) {
        auto b = static_cast<unsigned char>(*c);
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

ContentProviderEntry ContentProviderEntry::initWithContentsAtPath(const std::string& path) {
    ContentProviderEntry e;
    ProfileFile file(path.c_str());
    Read(file, "Name", e.vendor_, 126);
    Read(file, "URL", e.vendorURL_, 510);
    Read(file, "Addr1", e.addr1, 126);
    Read(file, "Addr2", e.addr2, 126);
    Read(file, "CityStateZIP", e.cityStateZip, 510);
    Read(file, "Country", e.country, 126);
    Read(file, "Phone", e.phone, 48);
    Read(file, "Fax", e.fax, 48);
    Read(file, "Description", e.description_, 221);
    char logo[512] = {};
    Read(file, "Logo", logo, 510);
    // Descriptors lie in the providers folder, and so do their logos.
    size_t slash = path.rfind('/');
    if (logo[0]) e.vendorImagePath = port::JoinPath(slash == std::string::npos ? "." : path.substr(0, slash), logo);
    return e;
}

std::string ContentProviderEntry::vendor() const { return Latin1ToUtf8(vendor_); }
std::string ContentProviderEntry::vendorURL() const { return Latin1ToUtf8(vendorURL_); }
std::string ContentProviderEntry::description() const { return Latin1ToUtf8(description_); }

std::string ContentProviderEntry::contactInfo() const {
    std::string text;
    for (const char* line : {addr1, addr2, cityStateZip, country})
        if (line[0]) text += Latin1ToUtf8(line) + "\n";
    bool phoneAfterAddress = false;
    if (phone[0]) {
        phoneAfterAddress = !text.empty();
        text += Format(phoneAfterAddress ? "\nPhone: %s\n" : "Phone: %s\n", Latin1ToUtf8(phone).c_str());
    }
    if (fax[0]) {
        if (text.empty())
            text = Latin1ToUtf8(fax) + "\n";
        else
            text += Format(phoneAfterAddress ? "Fax: %s\n" : "\nFax: %s\n", Latin1ToUtf8(fax).c_str());
    }
    return text;
}

std::vector<ContentProviderEntry> ReadContentProviders(const std::string& folder) {
    std::vector<ContentProviderEntry> list;
    for (const std::string& name : port::ListFolder(folder)) {
        size_t dot = name.rfind('.');
        if (dot == std::string::npos) continue;
        std::string ext = name.substr(dot + 1);
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
        if (ext == "PPI") list.push_back(ContentProviderEntry::initWithContentsAtPath(port::JoinPath(folder, name)));
    }
    std::stable_sort(list.begin(), list.end(), [](const ContentProviderEntry& a, const ContentProviderEntry& b) {
        return std::strcmp(a.vendor_, b.vendor_) < 0;
    });
    return list;
}
