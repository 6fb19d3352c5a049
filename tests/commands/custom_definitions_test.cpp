// Custom door, window and skylight definitions: reading them into the openings and applying
// them to the selection.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "commands/custom_attachment_commands.h"
#include "content/core/content_selection_seams.h"
#include "files/content_folders.h"
#include "files/content_paths.h"
#include "files/custom_definitions.h"
#include "files/design_file.h"
#include "files/template_files.h"
#include "files/undo.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/refresh_seams.h"
#include "support/fixture.h"
#include "support/records.h"
#include "support/scene_checks.h"
#include "tools/roof_attachments.h"

using namespace dvxtest;

// Loading custom door, window and skylight definitions from the content palette's entry and
// applying them to the selected openings. Definition files are written with the design-file
// writer from a small scratch design, as the template reader reads the same object section.
namespace definitions {

struct PaletteSelection {
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
    return Make(type).at({{h, 0, 0}});
}

class CustomDefinitionsTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        SetContentPaletteSelectedSymEntryHandler([this] { return palette.entry; });
        SetContentPaletteSelectedCategoryHandler([this] { return palette.category; });
        port::setAlerts(&alerts);
        doorFolder = LocalDomainCustomDoorPath();
        windowFolder = LocalDomainCustomWindowPath();
        std::filesystem::create_directories(doorFolder);
        std::filesystem::create_directories(windowFolder);
    }
    void TearDown() override {
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
    // `openingArea` makes the opening shape a triangle instead of a line.
    void WriteDefinition(const std::string& folder, const std::string& name, bool openingArea = false) {
        QMDDocumentModel* keep = gCurDocument;
        QMDDocumentModel* scratch = QMDDocumentModel::alloc()->init();
        float h = 0.0f;
        for (int16_t type : kDefinitionTypes) {
            Make part = Make(type).on(scratch->itsCurLayer).at({{h, 5, 1}, {h + 4, 7, 1}});
            if (openingArea && type == objtype::kOpeningMask) Point(part, {h, 7, 1});
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
        auto* r = new AttachmentRecord{};
        r->ownerType = type;
        r->style = style;
        Objex* o = Make(type).line(2).select(selected).with(r).in(wall);
        o->layer = doc->itsCurLayer;
        return o;
    }

    Objex* Skylight(bool selected) {
        if (!roof) {
            roof = Make(objtype::kRoof).on(doc->itsCurLayer).line(3);
        }
        Objex* o = Make(objtype::kSkylight).plan({{0, 0}, {10, 0}, {0, 10}, {10, 10}}).select(selected);
        auto* r = new RoofAttachmentRecord{};
        r->ownerType = objtype::kSkylight;
        r->style = customdef::kSkylightStyle;
        r->angle = 90.0f;
        r->attachment = o;
        Make(o).with(r).in(roof)->layer = doc->itsCurLayer;
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
    // Doors keep their drawing.
    for (int i = 0; i < 3; ++i)
        for (Objex* o = r->customParts[i]; o; o = o->next)
            EXPECT_EQ(std::tuple(o->parent, o->layer, o->firstPoint->position[1]), std::tuple(door, door->layer, 5.0f));
    ASSERT_NE(door->text, nullptr);
    EXPECT_STREQ(door->text, "Oak Door");
    // Nothing of the definition lands on the floor, and the scratch layer is gone.
    EXPECT_EQ(std::tuple(CountObjects(doc->itsCurLayer->firstObject), gAttachmentTempLayer, gReadingAttachmentDefinition),
              std::tuple(1, nullptr, 0));
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
        EXPECT_EQ(std::tuple(p->position[1], p->position[2], p->next->position[2]), std::tuple(0.0f, 5.0f, 7.0f));
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
    EXPECT_EQ(std::tuple(Rec(door)->customParts[1], gAttachmentTempLayer), std::tuple(keep, nullptr));
    EXPECT_STREQ(door->text, "Kept");

    // A skylight always names the window in its second alert.
    alerts.shown.clear();
    palette.category = customdef::kDoorCategory;
    EXPECT_FALSE(ReadCustomSkylightFile(Skylight(true)));
    ASSERT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(std::tuple(alerts.shown[0].alert.message, alerts.shown[1].alert.message),
              std::tuple("Unable to locate the custom door definition file.", "Unable to locate the custom window definition file."));

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

TEST_F(CustomDefinitionsTest, EveryPrefixOfADefinitionReadsWithoutHarm) {
    WriteDefinition(doorFolder, "oak.def");
    palette.pick(customdef::kDoorCategory, "oak.def");
    const std::string path = doorFolder + "/oak.def";
    const std::vector<uint8_t> file = ReadWholeFile(path);
    Objex* door = Opening(objtype::kDoor, customdef::kDoorStyle, true);
    Objex* sky = Skylight(true);
    ReadPrefixes(file, path, [&](size_t length) {
        const bool doorRead = ReadCustomWindowDoorFile(door);
        const bool skyRead = ReadCustomSkylightFile(sky);
        EXPECT_TRUE(length < file.size() || (doorRead && skyRead));
        ASSERT_EQ(gAttachmentTempLayer, nullptr);
        ASSERT_EQ(gReadingAttachmentDefinition, 0);
        ASSERT_FALSE(DesignFileBusy());
    });
    EXPECT_EQ(ListHs(Rec(door)->customParts[2]), (std::vector<float>{20, 30}));
}

TEST_F(CustomDefinitionsTest, ApplyingReloadsOnlySelectedOpeningsOfTheMode) {
    UseUndo();
    int refreshes = 0;
    SetRefreshHandler([&] { ++refreshes; });
    WriteDefinition(doorFolder, "oak.def");
    WriteDefinition(windowFolder, "bay.def");
    Objex* chosen = Opening(objtype::kWindow, customdef::kWindowStyle, true);
    Objex* unselected = Opening(objtype::kWindow, customdef::kWindowStyle, false);
    Objex* standard = Opening(objtype::kWindow, 600, true);
    AddStalePieces({wall});

    // A door definition while only windows are selected.
    palette.pick(customdef::kDoorCategory, "oak.def");
    ApplyCurCustAttachToSelectedWinAndDoor();
    EXPECT_TRUE(undo.actionNames.empty());
    EXPECT_EQ(std::tuple(Rec(chosen)->customParts[0], HasStalePiece(wall), refreshes), std::tuple(nullptr, true, 1));

    palette.pick(customdef::kWindowCategory, "bay.def");
    ApplyCurCustAttachToSelectedWinAndDoor();
    EXPECT_EQ(ListHs(Rec(chosen)->customParts[0]), (std::vector<float>{0}));
    EXPECT_EQ(std::tuple(Rec(unselected)->customParts[0], Rec(standard)->customParts[0], refreshes, HasStalePiece(wall)),
              std::tuple(nullptr, nullptr, 2, false));
    EXPECT_EQ(undo.actionNames, (std::vector<std::string>{"Custom Window Type"}));
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(CustomDefinitionsTest, SkylightsThatNoLongerFitAreCountedAndReported) {
    UseUndo();
    WriteDefinition(windowFolder, "dome.def", true);
    palette.pick(customdef::kWindowCategory, "dome.def");
    Objex* picked = Skylight(true);
    Objex* other = Skylight(false);
    SkyRec(picked)->width = 40, SkyRec(picked)->length = 30;
    // The roof's one piece lies far from the skylights: the refit drops the one it reloads.
    Make(roof).panels(Outline(objtype::kRoofPanel, {{500, 500}, {600, 500}, {600, 600}, {500, 600}}));

    ApplyCurCustAttachToSelectedWinAndDoor();
    EXPECT_EQ(std::tuple(roof->firstChild, other->next), std::tuple(other, nullptr));
    EXPECT_EQ(AlertLines(), (std::vector<std::string>{
                                "One or more skylights have been removed. | The roof was not long enough to "
                                "accommodate all of its attachments."}));
    EXPECT_EQ(undo.actionNames, (std::vector<std::string>{"Custom Window Type"}));
}

TEST_F(CustomDefinitionsTest, ACustomSkylightTakesItsOutlineFromItsOpeningsAndItsHeightsFromTheSection) {
    WriteDefinition(windowFolder, "dome.def", true);  // opening: a triangle over H 0..4, D 5..7
    palette.pick(customdef::kWindowCategory, "dome.def");
    DocState* ds = doc->itsDocState;
    ds->planScale = 72, ds->skylightStyle = customdef::kSkylightStyle, ds->skylightWidth = 36, ds->skylightLength = 56;
    // V = 100 - 0.5 D + 12 on the section.
    Objex* piece = RoofSection({{0, 0}, {200, 0}, {200, 200}, {0, 200}}, 12, {0, 0.5f, 100, -12});
    Objex* sectioned = SectionedRoof(doc->itsCurLayer, {piece});
    TrackCustomSkylight(100, 0, 100, 3);
    Objex* sky = sectioned->firstChild;
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(PlanPositions(sky), (std::vector<std::pair<float, float>>{{82, 72}, {118, 72}, {118, 128}, {82, 128}}));
    std::vector<float> heights;
    for (Poinz* p = sky->firstPoint; p; p = p->next) heights.push_back(p->position[1]);
    Objex* opening = SkyRec(sky)->customParts;
    ASSERT_EQ(opening->type, objtype::kOpeningMask);
    for (Poinz* p = opening->firstPoint; p; p = p->next) heights.push_back(p->position[1]);
    EXPECT_EQ(heights, (std::vector<float>{76, 76, 48, 48, 76, 48, 48}));
    EXPECT_EQ(std::tuple(SkyRec(sky)->sectionSubtype, sky->parent, alerts.shown.size()), std::tuple(12, sectioned, 0u));
}

}  // namespace definitions
