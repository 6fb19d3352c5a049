// Loading custom door, window and skylight definitions from the content palette's entry and
// applying them to the selected openings. Definition files are written with the design-file
// writer from a small scratch design, as the template reader reads the same object section.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "content/core/content_selection.h"
#include "files/content_folders.h"
#include "files/content_paths.h"
#include "files/custom_definitions.h"
#include "files/design_file.h"
#include "files/template_files.h"
#include "files/undo.h"
#include "geometry/elements/rebuild_seams.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "plan/refresh_seam.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/build.h"
#include "support/seam_recorders.h"
#include "tools/roof_attachment_seam.h"

using namespace dvxtest;

namespace {

class PaletteSelection : public ContentSelection {
public:
    std::optional<SymEntryInfo> selectedSymEntry() override { return entry; }
    int16_t selectedCategory() override { return category; }

    void pick(int16_t c, const std::string& file) {
        category = c;
        entry = SymEntryInfo{};
        entry->objectData = file;
    }

    std::optional<SymEntryInfo> entry;
    int16_t category = -1;
};

// The parts of the test definition in file order, told apart by the H of their first point.
constexpr int16_t kDefinitionTypes[] = {objtype::kOpeningMask, objtype::kWindowSeparator,
                                        objtype::kDoorHardware, objtype::kSkylightPart,
                                        objtype::kSkylightPart5, objtype::kDetail};

float FirstH(const Objex* o) { return o && o->firstPoint ? o->firstPoint->position[0] : -1.0f; }

std::vector<float> ListHs(const Objex* head) {
    std::vector<float> hs;
    for (const Objex* o = head; o; o = o->next) hs.push_back(FirstH(o));
    return hs;
}

Objex* LoosePart(int16_t type, float h) {
    Objex* o = Make(type);
    AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, h, 0, 0, 0, 0, 0, 0, 0, 0, o), o);
    return o;
}

class CustomDefinitionsTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        SetContentSelection(&palette);
        port::setAlerts(&alerts);
        doorFolder = LocalDomainCustomDoorPath();
        windowFolder = LocalDomainCustomWindowPath();
        std::filesystem::create_directories(doorFolder);
        std::filesystem::create_directories(windowFolder);
    }
    void TearDown() override {
        SetContentSelection(nullptr);
        port::setAlerts(nullptr);
        port::setDocumentUndo(nullptr);
        DocumentTest::TearDown();
    }

    void UseUndo() {
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo);
        gUndoActive = 1;
        InitializeUndo();
        undo.actionNames.clear();
    }

    // A definition with one part of each type of kDefinitionTypes, the i-th with its points at
    // H 10 i and V 5 and 7 (which a skylight moves into D).
    void WriteDefinition(const std::string& folder, const std::string& name) {
        QMDDocumentModel* keep = gCurDocument;
        QMDDocumentModel* scratch = QMDDocumentModel::alloc()->init();
        float h = 0.0f;
        for (int16_t type : kDefinitionTypes) {
            Objex* o = Make(type).on(scratch->itsCurLayer);
            AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, h, 5, 1, 0, 0, 0, 0, 0, 0, o), o);
            AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, h + 4, 7, 1, 0, 0, 0, 0, 0, 0, o), o);
            h += 10.0f;
        }
        EXPECT_EQ(KeyFileWrite((folder + "/" + name).c_str()), 1);
        scratch->dealloc();
        gCurDocument = keep;
    }

    static void WriteSidecar(const std::string& path, const std::string& text) {
        std::ofstream(path) << text;
    }

    // A custom opening of the type on a wall of the current floor, its points selected or not.
    Objex* Opening(int16_t type, int16_t style, bool selected) {
        if (!wall) {
            wall = Make(objtype::kWall).on(doc->itsCurLayer).line(2);
        }
        Objex* o = Make(type);
        for (int i = 0; i < 2; ++i)
            AppendPointToObject(CreatePoint(1, selected, 0, 0, 0, 0, 10.0f * i, 0, 0, 0, 0, 0, 0, 0, 0, o), o);
        auto* r = new AttachmentRecord{};
        r->ownerType = type;
        r->style = style;
        Make(o).with(r);
        Make(o).in(wall);
        o->layer = doc->itsCurLayer;
        return o;
    }

    Objex* Skylight(bool selected) {
        if (!roof) {
            roof = Make(objtype::kRoof).on(doc->itsCurLayer).line(3);
        }
        Objex* o = Make(objtype::kSkylight);
        for (int i = 0; i < 4; ++i)
            AppendPointToObject(CreatePoint(1, selected, 0, 0, 0, 0, 10.0f * (i % 2), 0, 10.0f * (i / 2), 0, 0, 0, 0, 0, 0, o), o);
        auto* r = new RoofAttachmentRecord{};
        r->ownerType = objtype::kSkylight;
        r->style = customdef::kSkylightStyle;
        r->angle = 90.0f;
        r->attachment = o;
        Make(o).with(r);
        Make(o).in(roof);
        o->layer = doc->itsCurLayer;
        UpdateObjectBounds(o);
        return o;
    }

    static AttachmentRecord* Rec(Objex* o) { return o->typeData.attachment; }
    static RoofAttachmentRecord* SkyRec(Objex* o) { return o->typeData.roofAttachment; }

    std::vector<std::string> AlertLines() const {
        std::vector<std::string> lines;
        for (const auto& s : alerts.shown) lines.push_back(s.alert.message + " | " + s.alert.informative);
        return lines;
    }

    PaletteSelection palette;
    RecordingAlerts alerts;
    RecordingUndo undo;
    std::string doorFolder, windowFolder;
    Objex* wall = nullptr;
    Objex* roof = nullptr;
};

TEST_F(CustomDefinitionsTest, DoorPartsAreSortedByTypeAndNamedByTheSidecar) {
    WriteDefinition(doorFolder, "oak.def");
    WriteSidecar(doorFolder + "/oak.pti", "[Description]\nAttachmentName=Oak Door\n");
    palette.pick(customdef::kDoorCategory, "oak.def");
    Objex* door = Opening(objtype::kDoor, customdef::kDoorStyle, true);
    AttachmentRecord* r = Rec(door);
    r->customParts[4] = LoosePart(objtype::kFrameGroup, 99);  // left from before: replaced
    door->text = CopyString("Old Name");

    ASSERT_TRUE(ReadCustomWindowDoorFile(door));
    EXPECT_EQ(ListHs(r->customParts[0]), (std::vector<float>{0}));
    EXPECT_EQ(ListHs(r->customParts[1]), (std::vector<float>{10, 40, 50}));
    EXPECT_EQ(ListHs(r->customParts[2]), (std::vector<float>{20, 30}));
    for (int i = 3; i < 7; ++i) EXPECT_EQ(r->customParts[i], nullptr) << i;
    for (int i = 0; i < 3; ++i)
        for (Objex* o = r->customParts[i]; o; o = o->next) {
            EXPECT_EQ(o->parent, door);
            EXPECT_EQ(o->layer, door->layer);
            EXPECT_FLOAT_EQ(o->firstPoint->position[1], 5.0f);  // doors keep their drawing
        }
    ASSERT_NE(door->text, nullptr);
    EXPECT_STREQ(door->text, "Oak Door");
    // Nothing of the definition lands on the floor, and the scratch layer is gone.
    EXPECT_EQ(CountObjects(doc->itsCurLayer->firstObject), 1);
    EXPECT_EQ(gAttachmentTempLayer, nullptr);
    EXPECT_EQ(gReadingAttachmentDefinition, 0);
    EXPECT_TRUE(alerts.shown.empty());

    // Without the sidecar the name goes.
    std::filesystem::remove(doorFolder + "/oak.pti");
    ASSERT_TRUE(ReadCustomWindowDoorFile(door));
    EXPECT_EQ(door->text, nullptr);
    EXPECT_EQ(ListHs(r->customParts[1]), (std::vector<float>{10, 40, 50}));
}

TEST_F(CustomDefinitionsTest, SkylightPartsAreLaidIntoThePlanAndOthersDropped) {
    WriteDefinition(windowFolder, "dome.def");
    WriteSidecar(windowFolder + "/dome.pti", "[Description]\nAttachmentName=Dome\n");
    palette.pick(customdef::kWindowCategory, "dome.def");
    Objex* sky = Skylight(true);
    RoofAttachmentRecord* r = SkyRec(sky);
    r->partLists[1] = LoosePart(objtype::kWindowSeparator, 99);

    ASSERT_TRUE(ReadCustomSkylightFile(sky));
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(r->partLists[i], nullptr) << i;
        EXPECT_EQ(ListHs(r->partLists[i]), (std::vector<float>{10.0f * i})) << i;
        EXPECT_EQ(r->partLists[i]->parent, sky);
        const Poinz* p = r->partLists[i]->firstPoint;
        EXPECT_FLOAT_EQ(p->position[1], 0.0f);
        EXPECT_FLOAT_EQ(p->position[2], 5.0f);
        EXPECT_FLOAT_EQ(p->next->position[2], 7.0f);
    }
    EXPECT_EQ(r->customParts, nullptr);  // the symbols are built by the skylight builder
    EXPECT_STREQ(sky->text, "Dome");
}

TEST_F(CustomDefinitionsTest, FailedReloadsAlertAndKeepThePreviousParts) {
    Objex* door = Opening(objtype::kDoor, customdef::kDoorStyle, true);
    Objex* keep = LoosePart(objtype::kWindowSeparator, 3);
    Rec(door)->customParts[1] = keep;
    keep->parent = door;
    door->text = CopyString("Kept");

    // No entry picked among the custom doors.
    palette.category = customdef::kDoorCategory;
    EXPECT_FALSE(ReadCustomWindowDoorFile(door));
    EXPECT_EQ(AlertLines(),
              (std::vector<std::string>{
                  "Unable to locate the custom door definition file. | Please select a custom door from "
                  "the preview list before using this option.",
                  "Unable to locate the custom door definition file. | Please make sure the file exists "
                  "and you have adequate permissions to access it."}));
    EXPECT_TRUE(alerts.shown[0].sheet);
    EXPECT_EQ(Rec(door)->customParts[1], keep);
    EXPECT_STREQ(door->text, "Kept");
    EXPECT_EQ(gAttachmentTempLayer, nullptr);

    // A skylight always names the window in its second alert.
    alerts.shown.clear();
    palette.category = customdef::kDoorCategory;
    EXPECT_FALSE(ReadCustomSkylightFile(Skylight(true)));
    ASSERT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to locate the custom door definition file.");
    EXPECT_EQ(alerts.shown[1].alert.message, "Unable to locate the custom window definition file.");

    // An entry whose file is gone: only the second alert.
    alerts.shown.clear();
    palette.pick(customdef::kDoorCategory, "gone.def");
    EXPECT_FALSE(ReadCustomWindowDoorFile(door));
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "Please make sure the file exists and you have adequate permissions to access it.");
    EXPECT_EQ(Rec(door)->customParts[1], keep);

    // Another category: no path and no first alert.
    alerts.shown.clear();
    palette.pick(3, "oak.def");
    std::string path;
    EXPECT_FALSE(GetCurrentDefinitionFilePath(&path));
    EXPECT_TRUE(alerts.shown.empty());
    palette.pick(customdef::kWindowCategory, "oak.def");
    ASSERT_TRUE(GetCurrentDefinitionFilePath(&path));
    EXPECT_EQ(path, windowFolder + "/oak.def");
}

TEST_F(CustomDefinitionsTest, ApplyingReloadsOnlySelectedOpeningsOfTheMode) {
    UseUndo();
    RebuildRecorder rebuilds;
    int refreshes = 0;
    SetRefreshHandler([&] { ++refreshes; });
    WriteDefinition(doorFolder, "oak.def");
    WriteDefinition(windowFolder, "bay.def");
    Objex* chosen = Opening(objtype::kWindow, customdef::kWindowStyle, true);
    Objex* unselected = Opening(objtype::kWindow, customdef::kWindowStyle, false);
    Objex* standard = Opening(objtype::kWindow, 600, true);

    // A door definition while only windows are selected.
    palette.pick(customdef::kDoorCategory, "oak.def");
    ApplyCurCustAttachToSelectedWinAndDoor();
    EXPECT_EQ(Rec(chosen)->customParts[0], nullptr);
    EXPECT_TRUE(undo.actionNames.empty());
    EXPECT_EQ(rebuilds.count("UpdateAllWallAttachments"), 0);
    EXPECT_EQ(refreshes, 1);

    palette.pick(customdef::kWindowCategory, "bay.def");
    ApplyCurCustAttachToSelectedWinAndDoor();
    EXPECT_EQ(ListHs(Rec(chosen)->customParts[0]), (std::vector<float>{0}));
    EXPECT_EQ(Rec(unselected)->customParts[0], nullptr);
    EXPECT_EQ(Rec(standard)->customParts[0], nullptr);
    EXPECT_EQ(rebuilds.count("UpdateAllWallAttachments", wall), 1);
    EXPECT_EQ(rebuilds.count("ReRenderObject", wall), 1);
    EXPECT_EQ(undo.actionNames, (std::vector<std::string>{"Custom Window Type"}));
    EXPECT_EQ(refreshes, 2);
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(CustomDefinitionsTest, SkylightsThatNoLongerFitAreCountedAndReported) {
    UseUndo();
    WriteDefinition(windowFolder, "dome.def");
    palette.pick(customdef::kWindowCategory, "dome.def");
    Skylight(true);
    Objex* other = Skylight(false);

    // The symbol builder makes one opening shape 40 by 30 about the centre it is given.
    std::vector<float> centres;
    SetCreateCustomSkylightSymbolsHandler([&](Objex* s, float h, float d, float angle) {
        centres.insert(centres.end(), {h, d, angle});
        Objex* shape = Make(objtype::kOpeningMask);
        for (int i = 0; i < 4; ++i)
            AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, h + (i % 2 ? 20 : -20), 0, d + (i / 2 ? 15 : -15),
                                            0, 0, 0, 0, 0, 0, shape), shape);
        shape->parent = s;
        SkyRec(s)->customParts = shape;
    });
    // The roof refits by dropping the skylight.
    float widthSeen = 0;
    SetUpdateRoofAttachmentHandler([&](Objex* s, Objex* r) -> int16_t {
        widthSeen = s->bounds3D.floatRight - s->bounds3D.floatLeft;
        EXPECT_EQ(s->parent, r);
        EXPECT_EQ(s->pointCount, 4);
        DeleteObj(s);
        return 1;
    });

    ApplyCurCustAttachToSelectedWinAndDoor();
    EXPECT_EQ(centres, (std::vector<float>{5, 5, 90}));
    EXPECT_FLOAT_EQ(widthSeen, 40.0f);
    EXPECT_EQ(roof->firstChild, other);
    EXPECT_EQ(AlertLines(), (std::vector<std::string>{
                                "One or more skylights have been removed. | The roof was not long enough to "
                                "accommodate all of its attachments."}));
    EXPECT_EQ(undo.actionNames, (std::vector<std::string>{"Custom Window Type"}));
}

}  // namespace
