// Launching a plug-in tool and taking its answer back, over the in-memory channel: the lock,
// the exchange file, the session check, merging into the design that launched the tool.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "app/core/app_seams.h"
#include "app/core/event_handler.h"
#include "app/core/main_window_seams.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/deletion.h"
#include "model/objects.h"
#include "port/files.h"
#include "port/session.h"
#include "powertools/core/notification_channel.h"
#include "powertools/core/plugin_list_seams.h"
#include "powertools/core/power_tool_dispatcher.h"
#include "render/core/render_state.h"
#include "scene/topo_grid.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/powertool_builder.h"
#include "support/records.h"
#include "support/result_builder.h"

using namespace dvxtest;

namespace {

constexpr long kSession = 501;

class LaunchTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        port::SetLoginSessionID(kSession);
        port::setAlerts(&alerts);
        port::setImageDecoder(&decoder);
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo), gUndoActive = 1, InitializeUndo();
        SetPowerToolNotificationChannel(&channel);
        for (const auto& [file, name, id] : {std::tuple("a.PEG", "Deck Designer", "120"),
                                             std::tuple("b.PEG", "Photo", "109"), std::tuple("c.PEG", "Terrain", "118"),
                                             std::tuple("d.PEG", "Sun", "128")}) {
            const PowerToolDescriptor d{.name = name, .appID = std::string("tool.") + id, .id = id};
            WritePowerToolDescriptor(file, d);
            decoder.add(MakePowerToolFolder() + "/Tool/preview.png", port::DecodedImage{1, 1, {1, 2, 3}});
        }
        RegisterPowerToolDispatcherSeams();
        PowerToolBuildPluginList();
        PowerToolRegisterAllServerObservers();
        SetStartPowerToolProcessHandler([this](const std::string& program, const std::vector<std::string>& env) {
            started.push_back(program);
            environment = env;
            return startSucceeds;
        });
        SetEndPowerToolProgressSheetForDocumentHandler([this](const QMDDocumentModel* m) {
            events.push_back(m == doc ? "sheet ended" : "sheet of another");
            return m != nullptr;
        });
        SetRestoreAllVisiblePanelsHandler([this] { events.push_back("panels"); });
        SetMainWindowControllerSetElevationPaneHandler([this](const SelectionState40* s) {
            events.push_back(s == &doc->itsDocState->ss40 ? "elevation pane" : "other pane");
        });
    }
    void TearDown() override {
        port::setDocumentUndo(nullptr);
        port::SetLoginSessionID(0);
        DocumentTest::TearDown();
    }

    PowerToolDispatcher* dispatcher() { return PowerToolDispatcher::sharedPowerToolDispatcher(); }
    PowerToolEntry* entry(int32_t id) { return dispatcher()->powerToolEntryForID(id); }
    std::string exchangeFile(int32_t id) {
        return port::JoinPath(port::JoinPath(ApplicationTemporaryPath(), "tool." + std::to_string(id)), "data.pxf");
    }
    // Launches `id` from `doc`, then makes a second design current, as the user may meanwhile.
    QMDDocumentModel* LaunchThenOpenAnother(int32_t id) {
        EXPECT_TRUE(LaunchPowerTool(id));
        QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
        EXPECT_EQ(gCurDocument, other);
        return other;
    }
    void Answer(const char* name, int32_t id, long user = kSession, int32_t docID = -1) {
        channel.deliver(ToolMessage(name, id, user, docID < 0 ? doc->itsDocID : docID));
    }
    std::string ResultWithWall(int32_t id) {
        Objex* wall = Wall(doc->itsCurLayer, {{0, 0}, {240, 0}});
        ResultBuilder result(id);
        result.object(wall).end();
        DeleteObj(UnlinkObject(wall));
        return result.save(exchangeFile(id));
    }

    InMemoryPowerToolChannel channel;
    RecordingAlerts alerts;
    RecordingUndo undo;
    FakeImageDecoder decoder;
    bool startSucceeds = true;
    std::vector<std::string> started, environment, events;
};

// Which launches answer YES, what each leaves behind (file, process, lock), and what the
// tool is told through its environment.
TEST_F(LaunchTest, LaunchWritesTheFileStartsTheToolAndLocksIt) {
    EXPECT_FALSE(LaunchPowerTool(999));

    ASSERT_TRUE(LaunchPowerTool(109));
    EXPECT_TRUE(started.empty());
    EXPECT_FALSE(port::FileExists(exchangeFile(109)));
    EXPECT_EQ(entry(109)->plugInOwnerDocument(), doc);
    EXPECT_FALSE(entry(109)->plugInAvailable());

    startSucceeds = false;
    EXPECT_FALSE(LaunchPowerTool(120));
    EXPECT_TRUE(entry(120)->plugInAvailable());
    EXPECT_EQ(entry(120)->plugInOwnerDocument(), nullptr);

    startSucceeds = true;
    channel.posted.clear();
    ASSERT_TRUE(LaunchPowerTool(120));
    EXPECT_EQ(started.back(), MakePowerToolFolder() + "/Tool/tool");
    EXPECT_EQ(entry(120)->plugInOwnerDocument(), doc);
    const std::string folder = port::JoinPath(ApplicationTemporaryPath(), "tool.120");
    struct stat st {};
    ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(port::ReadWholeFile(exchangeFile(120), bytes));
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8), Bytes().le32(doc->itsDocID).le32(11000).data());
    EXPECT_EQ(environment, (std::vector<std::string>{"DVX_POWERTOOL_FOLDER=" + folder, "DVX_POWERTOOL_CHANNEL=",
                                                     "DVX_POWERTOOL_ID=120", "DVX_POWERTOOL_USER=501",
                                                     "DVX_POWERTOOL_DOCUMENT=" + std::to_string(doc->itsDocID)}));
}

// An exchange folder that is a link to elsewhere, or not a folder, is never written through.
TEST_F(LaunchTest, AnUnsafeExchangeFolderRefusesTheLaunch) {
    ASSERT_TRUE(MakeApplicationTemporaryFolder());
    const std::string folder = port::JoinPath(ApplicationTemporaryPath(), "tool.120");
    const std::string elsewhere = FreshTempFolder("elsewhere");
    ASSERT_EQ(::symlink(elsewhere.c_str(), folder.c_str()), 0);
    EXPECT_FALSE(LaunchPowerTool(120));
    EXPECT_TRUE(port::ListFolder(elsewhere).empty());
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(entry(120)->plugInAvailable());
}

// The update merges into the design that launched the tool while another is current: one
// new wall there, one undo step under the tool's name, the file gone, the summary shown.
TEST_F(LaunchTest, AnUpdateMergesIntoTheLaunchingDesign) {
    QMDDocumentModel* other = LaunchThenOpenAnother(120);
    ResultWithWall(120);
    const int before = CountObjects(doc->itsCurLayer->firstObject);
    const int otherBefore = CountObjects(other->itsCurLayer->firstObject);
    undo.actionNames.clear();
    gRefreshRender = 0;

    Answer(kPowerToolClosingUpdate, 120);
    EXPECT_EQ(events, (std::vector<std::string>{"sheet ended", "elevation pane", "panels"}));
    EXPECT_TRUE(entry(120)->plugInAvailable());
    EXPECT_EQ(CountObjects(doc->itsCurLayer->firstObject), before + 1);
    EXPECT_EQ(CountObjects(other->itsCurLayer->firstObject), otherBefore);
    EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Deck Designer"});
    EXPECT_EQ(undo.lastModel, doc);
    EXPECT_EQ(gRefreshRender, 1);
    EXPECT_FALSE(port::FileExists(exchangeFile(120)));
    EXPECT_EQ(gCurDocument, other);
    other->dealloc();
}

// The session check comes first; an unknown design still restores the panels on an update,
// not on a no-update; a no-update frees the tool and leaves its file; a result that cannot
// be read frees the tool without an undo step.
TEST_F(LaunchTest, ClosingMessagesByBranch) {
    const struct {
        const char* what;
        const char* name;
        long user;
        bool otherDesign, writeResult, damagedResult;
        std::vector<std::string> events;
        bool released, fileLeft;
        size_t undoSteps;
    } rows[] = {
        {"another session", kPowerToolClosingUpdate, kSession + 1, false, true, false, {}, false, true, 0},
        {"another session, no update", kPowerToolClosingNoUpdate, 7, false, true, false, {}, false, true, 0},
        {"unknown design", kPowerToolClosingUpdate, kSession, true, true, false, {"panels"}, false, true, 0},
        {"unknown design, no update", kPowerToolClosingNoUpdate, kSession, true, true, false, {}, false, true, 0},
        {"no update", kPowerToolClosingNoUpdate, kSession, false, true, false, {"sheet ended", "panels"}, true, true, 0},
        {"damaged result", kPowerToolClosingUpdate, kSession, false, false, true,
         {"sheet ended", "elevation pane", "panels"}, true, true, 0},
        {"no result", kPowerToolClosingUpdate, kSession, false, false, false,
         {"sheet ended", "elevation pane", "panels"}, true, false, 0},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(LaunchPowerTool(120)) << row.what;
        port::RemoveFile(exchangeFile(120));
        if (row.writeResult) ResultWithWall(120);
        if (row.damagedResult) ResultBuilder(120, 4242).end().save(exchangeFile(120));
        events.clear(), undo.actionNames.clear();
        Answer(row.name, 120, row.user, row.otherDesign ? doc->itsDocID + 1 : -1);
        EXPECT_EQ(events, row.events) << row.what;
        EXPECT_EQ(entry(120)->plugInAvailable(), row.released) << row.what;
        EXPECT_EQ(port::FileExists(exchangeFile(120)), row.fileLeft) << row.what;
        EXPECT_EQ(undo.actionNames.size(), row.undoSteps) << row.what;
        dispatcher()->releaseLockForPowerTool(entry(120));
    }
}

// Tool 128 hands back sun and light values by name; its flag follows the overhead angle.
TEST_F(LaunchTest, SunToolCopiesItsValues) {
    for (const double overhead : {5.0, 0.0}) {
        ASSERT_TRUE(LaunchPowerTool(128));
        ResultBuilder(128).end().save(exchangeFile(128));
        PowerToolMessage m = ToolMessage(kPowerToolClosingUpdate, 128, kSession, doc->itsDocID);
        m.values[kAuxDictGSPSunLotAngleKey] = PowerToolValue::Of(30.5);
        m.values[kAuxDictGSPSunOverheadAngleKey] = PowerToolValue::Of(overhead);
        m.values[kAuxDictGSPSceneBrightnessKey] = PowerToolValue::Of(0.75);
        m.values[kAuxDictGSPSunBrightnessKey] = PowerToolValue::Of(int64_t(65536 + 40));
        m.values[kAuxDictGSPShadingIntensityKey] = PowerToolValue::Of(int64_t(2));
        channel.deliver(m);
        const DocState* ds = doc->itsDocState;
        EXPECT_EQ(std::tuple(ds->sunAngle, ds->sunValueB, ds->lightFlag, ds->lightIntensity, ds->sunValueD, ds->lightValue),
                  std::tuple(30.5f, float(overhead), uint8_t(overhead != 0), 0.75f, int16_t(40), 2.0f));
    }
}

// Tool 118 names a topography file: the path is kept (cut to its 512 bytes) and the grid read.
TEST_F(LaunchTest, TerrainToolReadsTheGridItNames) {
    const std::string folder = FreshTempFolder("terrain");
    Bytes grid;
    grid.i32(9000).f32(50.0f).f32(300.0f).f32(400.0f).i16(2).f32(0.0f).f32(150.0f).f32(0.0f).f32(100.0f).i32(2).i32(3);
    for (int i = 0; i < 12; ++i) grid.f32(float(i + 1));
    grid.raw(std::vector<uint8_t>{0x5C, 0x2B, 0x00, 0x00}).raw(DesignBytes(11100).tag(400).records());
    const std::string path = port::JoinPath(folder, "lot.topo");
    ASSERT_TRUE(port::WriteWholeFile(path, grid.data().data(), grid.data().size()));
    for (const std::string& given : {path, std::string(700, 'x')}) {
        ASSERT_TRUE(LaunchPowerTool(118));
        ResultBuilder(118).end().save(exchangeFile(118));
        PowerToolMessage m = ToolMessage(kPowerToolClosingUpdate, 118, kSession, doc->itsDocID);
        m.values[kAuxDictTopographyKey] = PowerToolValue::Of(given);
        channel.deliver(m);
        EXPECT_EQ(std::string(doc->itsDocState->topoFilePath), given.substr(0, 511));
    }
    EXPECT_EQ(gTopographyGrid.size(), 12u);
}

// A forced close asks the tool to stop and frees it at once; its later answer finds nothing.
// The cabinet road names a tool that will not start.
TEST_F(LaunchTest, ForcedCloseAndRefusedCabinetLaunch) {
    ASSERT_TRUE(LaunchPowerTool(120));
    PowerToolForceQuitOwnedByDocument(doc);
    ASSERT_EQ(channel.posted.size(), 1u);
    const PowerToolMessage& asked = channel.posted[0];
    EXPECT_EQ(std::tuple(asked.name, asked.integerValue(kAuxDictPowerToolIDKey), asked.integerValue(kAuxDictUserIDKey),
                         asked.integerValue(kAuxDictDocumentIDKey)),
              std::tuple(std::string(kPowerToolHubReqClose), int64_t(120), int64_t(kSession), int64_t(doc->itsDocID)));
    EXPECT_TRUE(entry(120)->plugInAvailable());
    events.clear();
    Answer(kPowerToolClosingNoUpdate, 120);
    EXPECT_TRUE(events.empty());

    WritePowerToolDescriptor("e.PEG", {.name = "Cabinets", .appID = "tool.131", .id = "131"});
    PowerToolBuildPluginList();
    startSucceeds = false;
    Win32EventHandler().launchCabinetPowerTool();
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to launch Cabinets");
}

}  // namespace
