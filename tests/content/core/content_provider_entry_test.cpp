// Vendor descriptors: the contact text a user reads for each mix of address, phone and fax,
// the folder listing, and values too long for their fields.
#include <gtest/gtest.h>

#include <string>

#include "content/core/content_provider_entry.h"
#include "port/files.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

ContentProviderEntry Entry(const std::string& folder, const std::string& name, const std::string& body) {
    std::string text = "[Provider]\n" + body;
    std::string path = port::JoinPath(folder, name);
    port::WriteWholeFile(path, text.data(), text.size());
    return ContentProviderEntry::initWithContentsAtPath(path);
}

TEST(ContentProviderEntry, ContactTextPlacesBlankLinesByWhatCameBefore) {
    std::string folder = FreshTempFolder("provider_contact");
    struct Row {
        const char* body;
        const char* contact;
    } rows[] = {
        {"Name=Acme\nFax=555-2\n", "555-2\n"},
        {"Addr1=1 Elm\nCityStateZIP=Oak, CA\nPhone=555-1\n", "1 Elm\nOak, CA\n\nPhone: 555-1\n"},
        {"Phone=555-1\nFax=555-2\n", "Phone: 555-1\n\nFax: 555-2\n"},
        {"Addr2=Box 4\nPhone=555-1\nFax=555-2\n", "Box 4\n\nPhone: 555-1\nFax: 555-2\n"},
        {"Country=Sverige\nFax=555-2\n", "Sverige\n\nFax: 555-2\n"},
        {"Name=Acme\n", ""},
    };
    for (const Row& r : rows) EXPECT_EQ(Entry(folder, "a.PPI", r.body).contactInfo(), r.contact) << r.body;
}

TEST(ContentProviderEntry, FolderListsDescriptorsOfAnyCaseSortedAndCutsLongValues) {
    std::string folder = FreshTempFolder("provider_list");
    EXPECT_TRUE(ReadContentProviders(folder).empty());
    Entry(folder, "z.ppi", "Name=Zeta\nURL=example.com/x\nLogo=z.png\n");
    Entry(folder, "a.PPI", "Name=Beta \xe9tage\nDescription=" + std::string(400, 'd') + "\nPhone=" +
                               std::string(90, '5') + "\n");
    Entry(folder, "c.txt", "Name=Gamma\n");
    auto list = ReadContentProviders(folder);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].vendor(), "Beta \xc3\xa9tage");
    EXPECT_EQ(list[0].description(), std::string(221, 'd'));
    EXPECT_EQ(list[0].contactInfo(), "Phone: " + std::string(48, '5') + "\n");
    EXPECT_EQ(list[0].vendorImagePath, "");
    EXPECT_EQ(list[1].vendor(), "Zeta");
    EXPECT_EQ(list[1].vendorURL(), "example.com/x");
    EXPECT_EQ(list[1].vendorImagePath, folder + "/z.png");
}

}  // namespace
