// Content folders: the three roots from the platform, every path below them, and which
// stored paths count as Windows paths.
#include <gtest/gtest.h>

#include <string>

#include "files/content_folders.h"
#include "port/folders.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class FixedFolders : public port::Folders {
public:
    FixedFolders(std::string local, std::string user, std::string users)
        : local_(std::move(local)), user_(std::move(user)), users_(std::move(users)) {}
    ~FixedFolders() override {
        if (&port::folders() == this) port::setFolders(nullptr);
    }
    std::string applicationSupport(port::Domain d) override { return d == port::Domain::Local ? local_ : user_; }
    std::string usersFolder() override { return users_; }
    std::string temporaryBase() override { return "/tmp"; }

private:
    std::string local_, user_, users_;
};

class ContentFoldersTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllGlobals(); }
    void TearDown() override { ResetAllGlobals(); }
};

TEST_F(ContentFoldersTest, PathsLieBelowTheConfiguredRoots) {
    FixedFolders folders("/Library/Application Support", "/home/ann/.local/share/dovranix", "/Users");
    port::setFolders(&folders);

    EXPECT_EQ(LocalDomainApplicationSupportPath(), "/Library/Application Support");
    EXPECT_EQ(UserDomainApplicationSupportPath(), "/home/ann/.local/share/dovranix");
    EXPECT_EQ(LocalDomainUserSharedPath(), "/Users/Shared");

    const std::string sys = "/Library/Application Support/Zelt";
    const std::string shared = "/Users/Shared/Zelt";
    const std::pair<std::string, std::string> paths[] = {
        {LocalDomainTexturePath(), sys + "/Textures"},
        {LocalDomainUserSharedTexturePath(), shared + "/Textures"},
        {LocalDomainPlantPath(), shared + "/Textures"},
        {LocalDomainCustomTexturePath(), shared + "/Textures/CustomTextures"},
        {LocalDomainCustomPlantPath(), shared + "/Textures/CustomPlants"},
        {LocalDomainAccessoriesPath(), shared + "/Textures/CustomTextures/Accessories"},
        {LocalDomainCustomTrimPath(), shared + "/Components/Trim"},
        {LocalDomainCustomWindowPath(), shared + "/Components/Windows"},
        {LocalDomainCustomDoorPath(), shared + "/Components/Doors"},
        {LocalDomain2DObjectPath(), shared + "/2DSymbols"},
        {LocalDomain3DObjectPath(), shared + "/Objects"},
        {LocalDomainTemplatePath(), shared + "/Templates"},
        {LocalDomainPaintPath(), shared + "/Paint"},
        {LocalDomainContentPath(), shared + "/Content"},
        {LocalDomainPowerToolPath(), sys + "/" + kProductVersionFolderName + "/Plugins"},
        {LocalDomainOEMSym2DPath(), sys + "/Objects/Symbol2D"},
        {LocalDomainOEMSym3DPath(), sys + "/Objects/Symbol3D"},
        {LocalDomainContentProviderPath(), sys + "/Providers"},
    };
    for (const auto& [got, expected] : paths) EXPECT_EQ(got, expected);
    EXPECT_EQ(LocalDomainPlantPath(), LocalDomainUserSharedTexturePath());

    // "/Shared" is appended as text, separator or not.
    FixedFolders trailing("/sys/", "", "/srv/homes/");
    port::setFolders(&trailing);
    EXPECT_EQ(LocalDomainUserSharedPath(), "/srv/homes//Shared");
    EXPECT_EQ(LocalDomainTexturePath(), "/sys/Zelt/Textures");
    port::setFolders(nullptr);
}

TEST_F(ContentFoldersTest, AMissingRootLeavesEveryPathBelowItEmpty) {
    FixedFolders noShared("/sys", "", "");
    port::setFolders(&noShared);
    EXPECT_EQ(UserDomainApplicationSupportPath(), "");
    EXPECT_EQ(LocalDomainUserSharedPath(), "");
    EXPECT_EQ(LocalDomainContentPath(), "");
    EXPECT_EQ(LocalDomainAccessoriesPath(), "");
    EXPECT_EQ(LocalDomainCustomPlantPath(), "");
    EXPECT_EQ(LocalDomainTexturePath(), "/sys/Zelt/Textures");

    FixedFolders noSystem("", "/u", "/Users");
    port::setFolders(&noSystem);
    EXPECT_EQ(LocalDomainTexturePath(), "");
    EXPECT_EQ(LocalDomainPowerToolPath(), "");
    EXPECT_EQ(LocalDomainOEMSym3DPath(), "");
    EXPECT_EQ(LocalDomainContentPath(), "/Users/Shared/Zelt/Content");
    port::setFolders(nullptr);
}

TEST(IsWin32Path, DriveLettersAndBackslashesAndShortStrings) {
    EXPECT_TRUE(IsWin32Path(nullptr));
    EXPECT_TRUE(IsWin32Path(""));
    EXPECT_TRUE(IsWin32Path("a"));
    EXPECT_TRUE(IsWin32Path("  a \r\n"));
    EXPECT_TRUE(IsWin32Path(" \t "));
    EXPECT_TRUE(IsWin32Path("C:\\Textures\\brick.jpg"));
    EXPECT_TRUE(IsWin32Path("c:/Textures/brick.jpg"));
    EXPECT_TRUE(IsWin32Path("  D:x"));
    EXPECT_TRUE(IsWin32Path("\\\\server\\share\\a.jpg"));
    EXPECT_TRUE(IsWin32Path("\\Textures"));
    EXPECT_FALSE(IsWin32Path("/Users/Shared/Zelt/a.jpg"));
    EXPECT_FALSE(IsWin32Path("  /tmp/a.jpg\n"));
    EXPECT_FALSE(IsWin32Path("ab"));
    EXPECT_FALSE(IsWin32Path("Photos/sky.jpg"));
}

}  // namespace
