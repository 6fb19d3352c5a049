#include "port/alerts.h"
#include "port/defaults.h"
#include "port/files.h"
#include "port/folders.h"
#include "port/fonts.h"
#include "port/images.h"
#include "port/random.h"
#include "port/services.h"
#include "port/session.h"
#include "port/undo.h"

#include "support/doubles.h"
#include "support/fixture.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace {

class Services : public dvxtest::ServicesTest {};

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(Services, ResetPutsEveryBuiltInBack) {
    const std::string dir = dvxtest::FreshTempFolder("reset");
    dvxtest::RecordingAlerts alerts;
    dvxtest::RecordingUndo undo;
    dvxtest::ScriptedRandom random({77});
    dvxtest::TempFolders temp(dir);
    dvxtest::FakeImageDecoder images;
    port::MemoryDefaults store;
    port::setAlerts(&alerts);
    port::setDocumentUndo(&undo);
    port::setRandomSource(&random);
    port::setFolders(&temp);
    port::setImageDecoder(&images);
    port::setDefaults(&store);
    port::SetLoginSessionID(4242);
    port::FailNextWriteAt(port::WriteStep::Rename);
    EXPECT_EQ(port::RandomNumber(), 77u);
    EXPECT_EQ(port::LoginSessionID(), 4242);

    port::ResetServices();
    EXPECT_EQ(port::alerts().runModal({}), 0);
    EXPECT_TRUE(alerts.shown.empty());
    port::documentUndo().setActionName(nullptr, "Move");
    EXPECT_TRUE(undo.actionNames.empty());
    EXPECT_EQ(port::randomSource(), nullptr);
    EXPECT_EQ(port::folders().applicationSupport(port::Domain::Local), port::StockContentFolder());
    port::DecodedImage img;
    EXPECT_FALSE(port::imageDecoder().decode("x.png", img));
    EXPECT_TRUE(images.requested.empty());
    EXPECT_NE(&port::defaults(), &store);
    EXPECT_EQ(port::LoginSessionID(), static_cast<long>(::getuid()));
    const std::string file = port::JoinPath(dir, "f");
    EXPECT_TRUE(port::WriteWholeFile(file, "ok", 2));
}

TEST_F(Services, BuiltInsAreHarmless) {
    int ended = -1;
    port::alerts().beginSheet({"Saved?", "", {"Save", "Cancel"}}, [&](int i) { ended = i; });
    EXPECT_EQ(ended, 0);
    port::alerts().beginSheet({}, nullptr);

    EXPECT_FALSE(port::documentUndo().canUndo(nullptr));
    EXPECT_FALSE(port::documentUndo().canRedo(nullptr));
    EXPECT_FALSE(port::documentUndo().isUndoing(nullptr));

    port::DecodedImage img{2, 2, {1, 2, 3}};
    EXPECT_FALSE(port::imageDecoder().decode("/nonexistent.png", img));
    EXPECT_EQ(img.width, 0);
    EXPECT_TRUE(img.rgb.empty());

    port::SeedRandom(7);
    const uint32_t a = port::RandomNumber(), b = port::RandomNumber();
    port::SeedRandom(7);
    EXPECT_EQ(port::RandomNumber(), a);
    EXPECT_EQ(port::RandomNumber(), b);

    port::SetLoginSessionID(12);
    EXPECT_EQ(port::LoginSessionID(), 12);
    port::SetLoginSessionID(0);
    EXPECT_EQ(port::LoginSessionID(), static_cast<long>(::getuid()));
}

TEST_F(Services, BuiltInFontsReadTheRecord) {
    LOGFONT lf;
    std::strcpy(lf.lfFaceName, "Arial");
    lf.lfHeight = -16;
    lf.lfItalic = 1;
    port::FontDescriptor d = port::fonts().fontFor(lf);
    EXPECT_EQ(d.family, "Arial");
    EXPECT_FLOAT_EQ(d.pointSize, 16.0f);
    EXPECT_EQ(d.traits, port::kItalicTrait);

    lf.lfHeight = 16;
    lf.lfItalic = 0;
    lf.lfWeight = 700;
    d = port::fonts().fontFor(lf);
    EXPECT_FLOAT_EQ(d.pointSize, 12.0f);
    EXPECT_EQ(d.traits, port::kBoldTrait);
    lf.lfWeight = 800;
    EXPECT_EQ(port::fonts().fontFor(lf).traits, 0);

    // A face name filling all 32 bytes with no terminator is read no further.
    std::memset(lf.lfFaceName, 'W', sizeof lf.lfFaceName);
    EXPECT_EQ(port::fonts().fontFor(lf).family, std::string(32, 'W'));
    lf.lfHeight = INT32_MIN;
    EXPECT_FLOAT_EQ(port::fonts().fontFor(lf).pointSize, 2147483648.0f);
}

TEST_F(Services, BuiltInFoldersFollowTheEnvironment) {
    const std::string dir = dvxtest::FreshTempFolder("env");
    port::Folders& f = port::folders();
    // The stock content the build made, beside the test programs in the build tree.
    EXPECT_TRUE(port::FileExists(port::JoinPath(f.applicationSupport(port::Domain::Local), "ObjectCat.ini")));
    {
        ScopedEnv data("XDG_DATA_HOME", "/data/home");
        EXPECT_EQ(f.applicationSupport(port::Domain::User), "/data/home/dovranix");
    }
    {
        ScopedEnv data("XDG_DATA_HOME", nullptr);
        ScopedEnv home("HOME", "/home/someone");
        EXPECT_EQ(f.applicationSupport(port::Domain::User), "/home/someone/.local/share/dovranix");
    }
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", dir.c_str());
        EXPECT_EQ(f.temporaryBase(), dir);
    }
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", "/no/such/runtime");
        ScopedEnv tmp("TMPDIR", dir.c_str());
        EXPECT_EQ(f.temporaryBase(), dir);
    }
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
        ScopedEnv tmp("TMPDIR", nullptr);
        EXPECT_EQ(f.temporaryBase(), "/tmp");
    }
}

TEST_F(Services, ADoubleUninstallsItselfWhenItGoesAway) {
    // Other tests install stack doubles; a stale pointer would outlive the test that made it.
    {
        dvxtest::RecordingUndo undo;
        port::setDocumentUndo(&undo);
        undo.undoable = true;
        EXPECT_TRUE(port::documentUndo().canUndo(nullptr));
    }
    EXPECT_FALSE(port::documentUndo().canUndo(nullptr));
}

} // namespace
