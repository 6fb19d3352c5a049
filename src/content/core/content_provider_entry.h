#pragma once
// One vendor of extra content, read from its ".PPI" descriptor (section "Provider"). Values
// are kept as the descriptor's ISO Latin-1 bytes in fixed fields, cut to fit; the accessors
// hand out UTF-8.
#include <string>
#include <vector>

struct ContentProviderEntry {
    char vendor_[128] = {};
    char vendorURL_[512] = {};
    char addr1[128] = {};
    char addr2[128] = {};
    char cityStateZip[512] = {};
    char country[128] = {};
    char phone[50] = {};
    char fax[50] = {};
    char description_[225] = {};
    // The logo's full path (providers folder joined with "Logo"), empty without one; the
    // window loads the image.
    std::string vendorImagePath;

    // Reads the descriptor at `path`; a missing key leaves its field empty.
    static ContentProviderEntry initWithContentsAtPath(const std::string& path);

    std::string vendor() const;
    std::string vendorURL() const;
    std::string description() const;
    // Address lines, then phone and fax; see the .cpp for how the blank lines fall.
    std::string contactInfo() const;
};

// ISO Latin-1 bytes as UTF-8.
std::string Latin1ToUtf8(const char* latin1);

// Every descriptor of `folder` (extension "PPI" in any case), in listing order.
std::vector<ContentProviderEntry> ReadContentProviders(const std::string& folder);
