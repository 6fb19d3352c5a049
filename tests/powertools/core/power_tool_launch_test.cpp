// Launching a plug-in tool and taking its answer back over the in-memory channel: the lock,
// the exchange file, the session check, merging into the design that launched the tool.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "app/core/app_seams.h"
#include "app/core/event_handler.h"
#include "app/core/main_window_seams.h"
#include "files/undo.h"
#include "files/content_paths.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "port/files.h"
#include "port/session.h"
#include "powertools/core/notification_channel.h"
#include "powertools/core/plugin_list_seams.h"
#include "powertools/core/power_tool_dispatcher.h"
#include "model/render_state.h"
#include "model/topo_grid.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/powertool_builder.h"
#include "support/result_builder.h"

using namespace dvxtest;

namespace {

constexpr long kSession = 501;
using Events = std::vector<std::string>;

class LaunchTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        port::SetLoginSessionID(kSession), port::setAlerts(&alerts), port::setImageDecoder(&pictures);
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo), gUndoActive = 1, InitializeUndo();
        SetPowerToolNotificationChannel(&channel);
        for (const char* id : {"120", "109", "118", "128", "131"})
            InstallPowerTool(std::string(id) + ".PEG", {.name = std::string("Tool ") + id, .appID = id, .id = id}, "/bin/true");
        RegisterPowerToolDispatcherSeams(), PowerToolBuildPluginList(), PowerToolRegisterAllServerObservers();
        SetStartPowerToolProcessHandler([this](const std::string& program, const std::vector<std::string>& env) {
            events.push_back("start " + program.substr(program.size() - 4)), environment = env;
            return startSucceeds;
        });
        SetEndPowerToolProgressSheetForDocumentHandler([this](const QMDDocumentModel* m) {
            events.push_back(m == doc ? "sheet ended" : "sheet of another");
            return true;
        });
        SetRestoreAllVisiblePanelsHandler([this] { events.push_back("panels"); });
        SetMainWindowControllerSetElevationPaneHandler(
            [this](const SelectionState40* s) { events.push_back(s == &doc->itsDocState->ss40 ? "summary" : "?"); });
    }
    void TearDown() override { port::setDocumentUndo(nullptr), port::SetLoginSessionID(0), DocumentTest::TearDown(); }

    PowerToolEntry* entry(int32_t id) { return PowerToolDispatcher::sharedPowerToolDispatcher()->powerToolEntryForID(id); }
    static std::string file(int32_t id) { return ApplicationTemporaryPath() + "/" + std::to_string(id) + "/data.pxf"; }
    void Answer(const char* name, int32_t id, long user, int32_t docID, std::map<std::string, PowerToolValue> extra = {}) {
        PowerToolMessage m = ToolMessage(name, id, user, docID);
        m.values.merge(extra);
        channel.deliver(m);
    }
    // Launches the tool and leaves its result, a new wall (or `result` when given).
    void LaunchWithResult(int32_t id, const std::vector<uint8_t>* result = nullptr) {
        ASSERT_TRUE(LaunchPowerTool(id));
        Objex* wall = Wall(doc->itsCurLayer, {{0, 0}, {240, 0}});
        ResultBuilder built(id);
        built.object(wall).end();
        DeleteObj(UnlinkObject(wall));
        port::WriteWholeFile(file(id), (result ? *result : built.data()).data(), (result ? *result : built.data()).size());
        events.clear(), undo.actionNames.clear();
    }

    InMemoryPowerToolChannel channel;
    RecordingAlerts alerts;
    RecordingUndo undo;
    PpmImageDecoder pictures;
    bool startSucceeds = true;
    Events events, environment;
};

TEST_F(LaunchTest, LaunchWritesTheFileStartsTheToolAndLocksIt) {
    EXPECT_FALSE(LaunchPowerTool(999));
    // 109 only locks.
    ASSERT_TRUE(LaunchPowerTool(109));
    EXPECT_EQ(std::tuple(events, port::FolderExists(ApplicationTemporaryPath() + "/109"), entry(109)->plugInOwnerDocument()),
              std::tuple(Events{}, false, doc));
    startSucceeds = false;
    EXPECT_FALSE(LaunchPowerTool(120));
    EXPECT_TRUE(entry(120)->plugInAvailable());
    startSucceeds = true;
    ASSERT_TRUE(LaunchPowerTool(120));
    EXPECT_EQ(entry(120)->plugInOwnerDocument(), doc);
    const std::string folder = ApplicationTemporaryPath() + "/120";
    struct stat st {};
    EXPECT_EQ(::lstat(folder.c_str(), &st) == 0 ? st.st_mode & 0777 : 0, 0700u);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(port::ReadWholeFile(file(120), bytes));
    bytes.resize(8);
    EXPECT_EQ(bytes, Bytes().le32(doc->itsDocID).le32(11000).data());
    EXPECT_EQ(environment, (Events{"DVX_POWERTOOL_FOLDER=" + folder, "DVX_POWERTOOL_CHANNEL=", "DVX_POWERTOOL_ID=120",
                                   "DVX_POWERTOOL_USER=501", "DVX_POWERTOOL_DOCUMENT=" + std::to_string(doc->itsDocID)}));
    // An exchange folder that is a link elsewhere is never written through.
    const std::string elsewhere = FreshTempFolder("elsewhere");
    ASSERT_EQ(::symlink(elsewhere.c_str(), (ApplicationTemporaryPath() + "/118").c_str()), 0);
    EXPECT_FALSE(LaunchPowerTool(118));
    EXPECT_TRUE(port::ListFolder(elsewhere).empty());
}

// The update merges into the design that launched the tool while another is current.
TEST_F(LaunchTest, AnUpdateMergesIntoTheLaunchingDesign) {
    // Saved, then undone past the save: the result marks the design changed all the same.
    StoreUndo("Nudge"), NoteDesignSaved(doc), DoUndo();
    LaunchWithResult(120);
    const int before = CountObjects(doc->itsCurLayer->firstObject);
    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    gRefreshRender = 0;
    Answer(kPowerToolClosingUpdate, 120, kSession, doc->itsDocID);
    EXPECT_EQ(events, (Events{"sheet ended", "summary", "panels"}));
    EXPECT_EQ(std::tuple(entry(120)->plugInAvailable(), CountObjects(doc->itsCurLayer->firstObject), undo.actionNames,
                         undo.lastModel, gRefreshRender, port::FileExists(file(120)), gCurDocument),
              std::tuple(true, before + 1, Events{"Tool 120"}, doc, uint8_t(1), false, other));
    EXPECT_EQ(std::tuple(CountObjects(other->itsCurLayer->firstObject), DesignChangedSinceSave(doc)), std::tuple(0, true));
    other->dealloc();
}

TEST_F(LaunchTest, ClosingMessagesByBranch) {
    const std::vector<uint8_t> damaged = ResultBuilder(120, 4242).end().data(), none;
    const struct {
        const char* what;
        const char* name;
        long user;
        int32_t docOffset;
        const std::vector<uint8_t>* result;
        Events events;
        bool released, fileLeft, undoStep;
    } rows[] = {
        {"another session", kPowerToolClosingUpdate, kSession + 1, 0, nullptr, {}, false, true, false},
        {"another session, no update", kPowerToolClosingNoUpdate, 7, 0, nullptr, {}, false, true, false},
        {"unknown design", kPowerToolClosingUpdate, kSession, 1, nullptr, {"panels"}, false, true, false},
        {"unknown design, no update", kPowerToolClosingNoUpdate, kSession, 1, nullptr, {}, false, true, false},
        {"no update", kPowerToolClosingNoUpdate, kSession, 0, nullptr, {"sheet ended", "panels"}, true, true, false},
        {"damaged result", kPowerToolClosingUpdate, kSession, 0, &damaged, {"sheet ended", "summary", "panels"}, true, true, false},
        {"empty result", kPowerToolClosingUpdate, kSession, 0, &none, {"sheet ended", "summary", "panels"}, true, true, false},
        {"a result", kPowerToolClosingUpdate, kSession, 0, nullptr, {"sheet ended", "summary", "panels"}, true, false, true},
    };
    for (const auto& row : rows) {
        LaunchWithResult(120, row.result);
        Answer(row.name, 120, row.user, doc->itsDocID + row.docOffset);
        EXPECT_EQ(std::tuple(events, entry(120)->plugInAvailable(), port::FileExists(file(120)), !undo.actionNames.empty()),
                  std::tuple(row.events, row.released, row.fileLeft, row.undoStep)) << row.what;
        PowerToolReleaseLockOwnedByDocument(doc);
    }
}

// Tool 128's values by name (its flag follows the overhead angle); tool 118's grid file, its
// path kept cut to 512 bytes.
TEST_F(LaunchTest, SunAndTerrainToolsHandBackValues) {
    for (const double overhead : {5.0, 0.0}) {
        LaunchWithResult(128);
        Answer(kPowerToolClosingUpdate, 128, kSession, doc->itsDocID,
               {{kAuxDictGSPSunLotAngleKey, PowerToolValue::Of(30.5)}, {kAuxDictGSPSunOverheadAngleKey, PowerToolValue::Of(overhead)},
                {kAuxDictGSPSceneBrightnessKey, PowerToolValue::Of(0.75)}, {kAuxDictGSPSunBrightnessKey, PowerToolValue::Of(int64_t(65576))},
                {kAuxDictGSPShadingIntensityKey, PowerToolValue::Of(int64_t(2))}});
        const DocState* ds = doc->itsDocState;
        EXPECT_EQ(std::tuple(ds->sunAngle, ds->sunValueB, ds->lightFlag, ds->lightIntensity, ds->sunValueD, ds->lightValue),
                  std::tuple(30.5f, float(overhead), uint8_t(overhead != 0), 0.75f, int16_t(40), 2.0f));
    }
    Bytes grid;
    grid.i32(9000).f32(50).f32(300).f32(400).i16(2).f32(0).f32(150).f32(0).f32(100).i32(2).i32(3);
    for (int i = 0; i < 12; ++i) grid.f32(float(i));
    grid.le32(11100).raw(DesignBytes(11100).tag(400).records());
    const std::string path = FreshTempFolder("terrain") + "/lot.topo";
    port::WriteWholeFile(path, grid.data().data(), grid.data().size());
    for (const std::string& given : {path, std::string(700, 'x')}) {
        LaunchWithResult(118);
        Answer(kPowerToolClosingUpdate, 118, kSession, doc->itsDocID, {{kAuxDictTopographyKey, PowerToolValue::Of(given)}});
        EXPECT_EQ(doc->itsDocState->topoFilePath, given.substr(0, 511));
        if (given == path) { EXPECT_EQ(gTopographyGrid.size(), 12u); }
    }
}

// A forced close asks the tool to stop and frees it at once; its later answer finds nothing.
// The cabinet road names a tool that will not start.
TEST_F(LaunchTest, ForcedCloseAndRefusedCabinetLaunch) {
    ASSERT_TRUE(LaunchPowerTool(120));
    PowerToolForceQuitOwnedByDocument(doc);
    ASSERT_EQ(channel.posted.size(), 1u);
    const PowerToolMessage& m = channel.posted[0];
    EXPECT_EQ(std::tuple(m.name, m.integerValue(kAuxDictPowerToolIDKey), m.integerValue(kAuxDictUserIDKey),
                         m.integerValue(kAuxDictDocumentIDKey), entry(120)->plugInAvailable()),
              std::tuple(std::string(kPowerToolHubReqClose), 120, kSession, doc->itsDocID, true));
    events.clear();
    Answer(kPowerToolClosingNoUpdate, 120, kSession, doc->itsDocID);
    EXPECT_TRUE(events.empty());
    startSucceeds = false;
    Win32EventHandler().launchCabinetPowerTool();
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to launch Tool 131");
}

}  // namespace
