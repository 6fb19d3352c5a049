// The commands over a whole design, one row each, driven as the menus, panes and panels drive
// them on a shown window: after every row the design's records hold together, Undo and Redo
// give back the states the stored steps left, and the live view shows what a read of the
// saved design shows. Each row starts from a design opened from a file and ends with Undo,
// Redo and New, which deletes the design floor by floor as the program does.
#include <QAction>
#include <QApplication>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <gtest/gtest.h>

#include "app/command_router.h"
#include "app/core/document_window.h"
#include "app/document.h"
#include "app/document_view.h"
#include "content/core/content_selection_seams.h"
#include "files/content_folders.h"
#include "files/custom_definitions.h"
#include "files/design_file.h"
#include "files/topography.h"
#include "files/undo.h"
#include "model/command_ids.h"
#include "model/deletion.h"
#include "model/walkers.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/tool_state.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "model/view_layers.h"
#include "plan/refresh_seams.h"
#include "powertools/core/result_merge.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"
#include "support/design_check.h"
#include "support/qt/inspector_window_fixture.h"
#include "support/records.h"
#include "support/result_builder.h"
#include "support/scene_checks.h"
#include "tools/attached_dimensions.h"
#include "tools/attachment_defaults.h"
#include "ui/core/sheet_actions.h"
#include "ui/inspector/inspector_pane.h"

namespace dvxtest {
namespace {

namespace of = objfield;

class CommandTable : public InspectorWindowTest {
protected:
    void SetUp() override {
        openDesign("command_table");
        port::setFileDialogs(&panels);
        RegisterLiveView(true);
        c = AppController::shared()->documentController();
        d = w->document();
    }
    std::string Path(const char* name) const { return root + "/" + name; }

    // A menu item with its tag, sent through the window's router.
    void Menu(const char* action, int32_t tag = 0) {
        QAction item;
        item.setObjectName(QString::fromLatin1(action)), item.setData(tag);
        w->commandRouter()->dispatch(&item);
    }
    // The object of the ID on any floor, at any depth.
    Objex* ByID(uint32_t id) {
        std::function<Objex*(Objex*)> find = [&](Objex* o) -> Objex* {
            for (; o; o = o->next) {
                if (o->objectID == id) return o;
                if (Objex* in = find(o->firstChild)) return in;
            }
            return nullptr;
        };
        for (Layer* l = d->model()->itsLayers; l; l = l->next)
            if (Objex* o = find(l->firstObject)) return o;
        return nullptr;
    }
    Objex* Named(const char* name) {
        Objex* o = ByID(ids.at(name));
        EXPECT_TRUE(o) << name;
        return o;
    }
    // Only the named objects selected, the floor worked on, the panes told.
    void Select(std::initializer_list<const char*> names, int floor = 0) {
        SelectAllLayers(d->model()->itsLayers, selmode::kDeselect, 0);
        Layer* l = d->model()->itsLayers;
        for (int i = 0; i < floor; ++i) l = l->next;
        d->model()->itsCurLayer = l;
        for (const char* n : names) SelectObj(Named(n), selmode::kSelect, 0);
        gCurTool = toolid::kSelect;
        InspectorUpdatePropertiesState(1);
    }
    // Typed into a pane's field for what is selected (or, given a tool, with that tool current
    // and nothing selected).
    void TypeIntoPane(const char* pane, const char* outlet, const char* typed, int16_t tool = 0) {
        if (tool) refreshWith({}, tool, 0);
        QLineEdit* field = InspectorPaneRegistry::sharedInspectorController(pane)->inspectorView()->findChild<QLineEdit*>(outlet);
        ASSERT_TRUE(field) << pane << " " << outlet;
        type(field, QString::fromLatin1(typed));
    }

    // The scene held now against the one a read of the saved design builds; the design's own
    // scene is built again afterwards.
    void CheckScene(const std::string& row, const std::vector<SceneDifference>& known = {}) {
        QMDDocumentModel* m = d->model();
        const std::vector<ScenePiece> live = CaptureScene();
        ASSERT_TRUE(d->writeToFile(Path("check.pro")));
        QMDDocument* read = c->openDocumentWithContentsOfFile(Path("check.pro"));
        ASSERT_TRUE(read);
        ReadTopoGridFile(read->model()->itsDocState->topoFilePath);
        SetLotElevation();
        RebuildLiveViewScene();
        const std::vector<ScenePiece> built = CaptureScene();
        c->removeDocument(read);
        delete read;
        gCurDocument = m;
        ReadTopoGridFile(m->itsDocState->topoFilePath);
        SetLotElevation();
        RebuildLiveViewScene();
        EXPECT_FALSE(live.empty()) << row;
        // A difference the order of the steps gives is recorded with the row, not asserted.
        int found = 0;
        EXPECT_TRUE(SameScene(live, built, row, known, &found));
        if (!known.empty()) RecordProperty(row, "pieces differing as recorded: " + std::to_string(found));
    }

    ScriptedFileDialogs panels;
    std::string root = FreshTempFolder("command_table_files");
    QMDDocumentController* c = nullptr;
    QMDDocument* d = nullptr;
    std::map<std::string, uint32_t> ids;
    // The state each stored step of the row left (the first: the design as opened), and the
    // undo steps counted when the last was captured.
    std::vector<UndoState> states;
    std::vector<std::string> leftOut;
    std::vector<ReadSetField> readSet;
    int counted = 0;
    UndoState Capture() { return CaptureUndoState(Path("state.dat"), leftOut, readSet); }
    // Called when a command has returned: a stored step's state is captured; an Open or a
    // Revert (`read`), which starts the undo ring over, starts the states over.
    void Done(bool read = false) {
        if (read) states = {Capture()};
        else if (steps() > counted) states.push_back(Capture());
        counted = steps();
    }
};

// The furnished design the rows start from: the pane design (a wall with a window, a door and a
// bath tub on the first floor; a roof panel and a deck with steps on the second; a roof with a
// skylight on the third), every floor shown and active, with a group on the first floor
// holding a wall with a window and a plant, and two topography regions, one inside the other,
// under the plants and the fence.
void Furnish(std::map<std::string, uint32_t>& ids, QMDDocumentModel* m) {
    const InspectorDesign design = BuildInspectorDesign(m);
    for (Layer* l = m->itsLayers; l; l = l->next) l->visible = l->active = 1;
    Objex* inner = Wall(design.first, {{0, 600}, {200, 600}});
    Objex* innerWindow = Opening(inner, objtype::kWindow, 600, 0);
    Objex* tree = Make(objtype::kPlant).plan({{300, 600}}).plant(10, 120).on(design.first);
    Objex* group = Group(design.first, {inner, tree});
    Objex* mound = Shape(design.first, objtype::kTopography, {{450, 0}, {700, 0}, {700, 250}, {450, 250}}, true);
    Objex* top = Shape(design.first, objtype::kTopography, {{480, 30}, {650, 30}, {650, 180}, {480, 180}}, true);
    // As the landscape tools place them on the first floor: standing on the ground.
    Objex* path = Outline(objtype::kPath, {{460, 200}, {680, 120}}, false).on(design.first);
    for (Objex* o : {design.plant, design.plant2, design.fence, path}) o->onTerrain = 1;
    of::fence::kStyle(*design.fence) = 700;
    of::topo_line::kHeight(*mound) = ConvertWorldToScreen(30, m->itsDocState, 0);
    of::topo_line::kHeight(*top) = ConvertWorldToScreen(48, m->itsDocState, 0);
    // Walls with dimensions: A's first reaches B (100 down the screen), its second looks up
    // over open ground, before and after each command. Walls that stand in its way only while
    // a walk has turned A and not yet them: E when A and E flip across their middle, F when
    // the plan flips about its origin, G when A, E and G turn a quarter about their middle.
    Objex* wallA = Wall(design.first, {{1000, -1200}, {1300, -1200}});
    Objex* wallB = Wall(design.first, {{1000, -1100}, {1120, -1100}});
    Wall(design.first, {{1200, -1000}, {1300, -1000}});
    Objex* wallE = Wall(design.first, {{1400, -1300}, {1700, -1300}});
    Wall(design.first, {{-1100, -1300}, {-1000, -1300}});
    Objex* wallG = Wall(design.first, {{1100, -760}, {1100, -640}});
    Objex* dims[2];
    for (int side : {0, 1}) {
        auto* record = NewComponentRecord(138, PointAt(wallA, 0), PointAt(wallA, 1), 50, int16_t(side));
        dims[side] = Make(objtype::kComponent, 138).line(3).with(record).in(wallA);
        dims[side]->layer = design.first;
    }
    UpdateAttachedDimObject(wallA);
    const std::pair<const char*, Objex*> named[] = {
        {"wall", design.wall},   {"window", design.window}, {"door", design.door},   {"deck", design.deck},
        {"steps", design.steps}, {"roof", design.roof},     {"skylight", design.skylight}, {"group", group},
        {"inner", inner},        {"innerWindow", innerWindow}, {"tree", tree},     {"plant", design.plant},
        {"fence", design.fence}, {"path", path}, {"mound", mound},
        {"wallA", wallA},        {"wallB", wallB},          {"wallE", wallE}, {"wallG", wallG},          {"toWall", dims[0]},   {"overGround", dims[1]},          {"top", top},          {"detail", design.detail}};
    for (auto [name, o] : named) ids[name] = o->objectID;
}

struct Row {
    const char* name;
    std::function<void()> act;  // selects what it needs and runs the command
    bool scene = false;         // the step changes what the live view shows
    // Pieces the order of the steps leaves differing from a read's, recorded.
    std::vector<SceneDifference> known = {};
    bool sceneOnUndo = false;   // the scene is checked after Undo and Redo too
    // Settings fields a restore counts anew where the step left them: ss40, the selection's
    // summary, which a restore recounts from the design while a reorder deselects uncounted.
    std::vector<std::string> undoLeftOut = {};
    // The walls' dimensions moved with them: the one reaching a wall reads the distance to it,
    // the one over open ground keeps its length.
    bool dimensions = false;
    // Object fields a restore's read sets where the command left them as they were, recorded.
    std::vector<ReadSetField> readSet = {};
};

TEST_F(CommandTable, EveryRowKeepsTheDesignWholeUndoesToItsSnapshotsAndShowsWhatAReadShows) {
    const auto upperDeck = [&] {
        // A deck on the second floor whose two edges carry steps, as a version-10350 file
        // stores it (the steps are made by the read), between a shape on each other floor.
        Layer* scratch = d->model()->itsCurLayer;
        Objex* deck = Deck(scratch);
        Poinz* p0 = deck->firstPoint;
        p0->segmentFlags = 2 | 8, p0->segmentValues[1] = 60, p0->segmentValues[2] = 24;
        p0->next->next->next->segmentFlags = 2 | 16, p0->next->next->next->segmentValues[1] = 36;
        Objex* shape = Shape(scratch, objtype::kPolygon, {{0, 0}, {90, 0}, {90, 90}}, true);
        DesignBytes file(10350);
        file.layer("First Floor").raw().raw(WrittenObject(shape, 10350));
        file.layer("Second Floor").raw().raw(WrittenObject(deck, 10350));
        file.layer("Third Floor").raw().raw(WrittenObject(shape, 10350));
        file.tag(400);
        DeleteObj(UnlinkObject(deck)), DeleteObj(UnlinkObject(shape));
        WriteFileBytes(Path("deck10350.pro"), file.data());
        panels.choose(Path("deck10350.pro"));
        Menu("openDocument");
        Done(true);
        Layer* second = d->model()->itsLayers->next;
        ASSERT_TRUE(second && second->firstObject && second->firstObject->type == objtype::kDeck) << alerts.shown.back().alert.message;
        EXPECT_EQ(CountObjects(second->firstObject->firstChild), 2);
    };
    const auto mergeIntoGroup = [&] {
        // A plug-in's result: a group whose member, a wall with a window, names the second floor.
        Objex* wall = Wall(d->model()->itsCurLayer, {{0, 900}, {300, 900}});
        Opening(wall, objtype::kWindow, 600, 0);
        Objex* group = Make(objtype::kGroup).on(d->model()->itsCurLayer);
        // The group's record and its opening bracket, as the writer gives them (less its header
        // and closing bracket).
        std::vector<uint8_t> opened = ResultBuilder(120).object(group).data();
        opened.erase(opened.begin(), opened.begin() + 10);
        const auto endsWith = [&](uint8_t low) { return opened.size() > 2 && opened[opened.size() - 2] == low && opened.back() == 0x01; };
        if (endsWith(0x2F)) opened.resize(opened.size() - 2);
        ResultBuilder result(120);
        Bytes head;
        head.raw(opened);
        if (!endsWith(0x2E)) head.le16(302);
        result.raw(head).floorName("Second Floor").object(wall).token(303).end();
        DeleteObj(UnlinkObject(group));
        DeleteObj(UnlinkObject(wall));
        Select({});
        ASSERT_EQ(PlugOutFileRead(result.save(Path("data.pxf")).c_str()), 1);
        StoreUndo("Plug-in");
        Refresh();
        RenderAllLayers();
    };
    const auto raiseAndCome = [&](const std::function<void()>& back) {
        // Saved with its regions, then a region raised, then the saved design again.
        ASSERT_TRUE(d->saveToFile(Path("raised.pro")));
        Select({"top"});
        TypeIntoPane("TopoInspectorController", "elevationText", "60");
        Done();
        back();
        Done(true);
    };
    // Saved with objects selected, read again by `open`, then a step that selects nothing.
    const auto openSelected = [&](const std::function<void()>& open) {
        Select({"wall", "plant", "group"});
        ASSERT_TRUE(d->saveToFile(Path("selected.pro")));
        Menu("flipPlan", 5363);
        Done();
        open();
        Done(true);
        Menu("flipPlan", 5363);
    };
    const auto customSkylight = [&] {
        // A definition with a frame band, a cross bar and a lens over a 40 x 40 opening, chosen
        // in the content palette's Custom Windows section.
        const std::string folder = LocalDomainCustomWindowPath();
        std::filesystem::create_directories(folder);
        QMDDocumentModel* keep = gCurDocument;
        QMDDocumentModel* scratch = QMDDocumentModel::alloc()->init();
        const auto part = [&](int16_t type, float h0, float v0, float h1, float v1) {
            Make(type).closed().at({{h0, v0, 0}, {h1, v0, 0}, {h1, v1, 0}, {h0, v1, 0}}).on(scratch->itsCurLayer);
        };
        part(objtype::kOpeningMask, 0, 0, 40, 40);
        part(objtype::kWindowSeparator, 0, 0, 40, 4);
        part(objtype::kWindowSeparator, 18, 0, 22, 40);
        part(objtype::kDoorHardware, 2, 4, 38, 38);
        ASSERT_EQ(KeyFileWrite((folder + "/dome.def").c_str()), 1);
        scratch->dealloc();
        gCurDocument = keep;
        std::ofstream(folder + "/dome.pti") << "[Description]\nAttachmentName=Dome\n";
        SetContentPaletteSelectedSymEntryHandler([] {
            SymEntryInfo entry;
            entry.objectData = "dome.def";
            return std::optional<SymEntryInfo>(entry);
        });
        SetContentPaletteSelectedCategoryHandler([] { return int16_t(customdef::kWindowCategory); });
        // The Skylight tool's custom style, a click on the third floor's roof.
        Select({}, 2);
        Objex* roof = Named("roof");
        const int skylights = CountObjects(roof->firstChild);
        d->model()->itsDocState->skylightStyle = customdef::kSkylightStyle;
        d->model()->itsDocState->zoomFactor = 1;
        gCurTool = toolid::kSkylight;
        QMDDocumentView* view = w->docView();
        const QPoint at = QPoint(300, 100) - QPoint(int(view->boundsOrigin().x), int(view->boundsOrigin().y));
        QTest::mouseClick(view, Qt::LeftButton, {}, at);
        QApplication::processEvents();
        EXPECT_EQ(CountObjects(roof->firstChild), skylights + 1) << (alerts.shown.empty() ? "" : alerts.shown.back().alert.message);
    };
    // A group of two detail shapes moved onto the first floor's plan detail layer (which the
    // top view keeps shown and active after the floors) as view objects are, every member with
    // it, stored as a step.
    const auto sketch = [&] {
        Select({});
        Layer* first = d->model()->itsCurLayer;
        Layer* detail = Get2DViewLayer(5149);
        d->model()->itsCur2DLayer = detail;
        Set2DViewLayerVisibility(detail);
        Objex* shapes[] = {Shape(first, objtype::kDetail, {{-300, -300}, {-200, -300}, {-200, -200}}, true),
                           Shape(first, objtype::kDetail, {{-300, -180}, {-200, -180}}, false)};
        // Their face mapping as a restore's read sets it.
        for (Objex* o : shapes) SetTextureFaceUV(o);
        Objex* group = Group(first, {shapes[0], shapes[1]});
        Move2DObject(group, detail);
        ids["sketch"] = group->objectID;
        StoreUndo("Sketch");
        Done();
    };
    // Commands no menu reaches yet run by their command IDs, through the walker's rows.
    const auto byCommand = [&](int32_t command, const char* step) {
        DocState* ds = d->model()->itsDocState;
        ds->duplicateCount = 1, ds->duplicateOffset = {0, 500};
        TopLevelObjectAllLayers(d->model()->itsLayers, command, ds);
        Refresh();
        StoreUndo(step);
    };
    // A wall drawn with the Exterior Wall tool from (400, 0), where the moved wall has a corner.
    const auto drawWallFromCorner = [&](int floor) {
        Select({}, floor);
        d->model()->itsDocState->zoomFactor = 1;
        gCurTool = toolid::kExteriorWall;
        QMDDocumentView* view = w->docView();
        const auto at = [&](QPoint plan) { return plan - QPoint(int(view->boundsOrigin().x), int(view->boundsOrigin().y)); };
        QTest::mousePress(view, Qt::LeftButton, {}, at({400, 0}));
        for (QPoint p : {QPoint(450, 0), QPoint(560, 0), QPoint(600, 0)}) {
            QMouseEvent move(QEvent::MouseMove, at(p), view->mapToGlobal(at(p)), Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(view, &move);
        }
        QTest::mouseRelease(view, Qt::LeftButton, {}, at({600, 0}));
        QApplication::processEvents();
        gCurTool = toolid::kSelect;
    };
    // The design as changed by the builders, saved and opened as a user's file is.
    const auto reopen = [&] {
        ASSERT_TRUE(d->writeToFile(Path("changed.pro")));
        alerts.answer(1), panels.choose(Path("changed.pro")), Menu("openDocument");
        Done(true);
    };
    // A design with a wall on the second floor that no wall of the first covers, opened, then a
    // tool dragged along that wall from `from` to `to` while the first floor is current: every
    // floor is shown and active, so the tool finds the second floor's wall.
    const auto onUpperFloorWall = [&](int16_t tool, QPoint from, QPoint to) {
        ids["upper"] = Wall(d->model()->itsLayers->next, {{-400, 450}, {-100, 450}})->objectID;
        reopen();
        Objex* upper = Named("upper");
        Select({}, 0);
        d->model()->itsDocState->zoomFactor = 1;
        gCurTool = tool;
        QMDDocumentView* view = w->docView();
        const auto at = [&](QPoint plan) { return plan - QPoint(int(view->boundsOrigin().x), int(view->boundsOrigin().y)); };
        QTest::mousePress(view, Qt::LeftButton, {}, at(from));
        for (QPoint p : {(from + to) / 2, to}) {
            QMouseEvent move(QEvent::MouseMove, at(p), view->mapToGlobal(at(p)), Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(view, &move);
        }
        QTest::mouseRelease(view, Qt::LeftButton, {}, at(to));
        QApplication::processEvents();
        gCurTool = toolid::kSelect;
        EXPECT_EQ(CountObjects(upper->firstChild), 1) << (alerts.shown.empty() ? "" : alerts.shown.back().alert.message);
    };
    const Row rows[] = {
        {"Move to Upper Floor: a wall with a door and a window", [&] { Select({"wall"}), Menu("moveObjectsToFloor", 5168); }, true},
        {"Move to Lower Floor: a deck with steps", [&] { Select({"deck"}, 1), Menu("moveObjectsToFloor", 5169); }, true},
        {"Move to Lower Floor: a roof with a skylight", [&] { Select({"roof"}, 2), Menu("moveObjectsToFloor", 5169); }, true},
        // Known: the copied member wall has no 3D form until something rebuilds it (a copy is
        // rebuilt by its own type, a group has no rebuild, and a copy's wall solid is not copied).
        {"Copy to Upper Floor: a group with members", [&] { Select({"group"}), Menu("copyObjectsToFloor", 5170); }, true,
         {{objtype::kGroup, objtype::kWall, -1, SceneDifference::ReadOnly}}},
        {"Copy to Upper Floor: a deck with steps", [&] { Select({"deck"}, 1), Menu("copyObjectsToFloor", 5170); }, true},
        {"Copy to Lower Floor: a roof with a skylight", [&] { Select({"roof"}, 2), Menu("copyObjectsToFloor", 5171); }, true},
        {"Bring to Front: a wall of the floor below", [&] { Select({"wall"}, 1), Menu("alterObjectPosition", 5105); },
         false, {}, false, {"ss40"}},
        {"Send to Back: a deck of the floor above", [&] { Select({"deck"}, 0), Menu("alterObjectPosition", 5106); },
         false, {}, false, {"ss40"}},
        {"Bring to Front: a group on the plan's detail layer",
         [&] { sketch(), Select({"sketch"}, 0), Menu("alterObjectPosition", 5105); }, false, {}, false, {"ss40"}},
        {"Send to Back: a group on the plan's detail layer",
         [&] { sketch(), Select({"sketch"}, 1), Menu("alterObjectPosition", 5106); }, false, {}, false, {"ss40"}},
        {"Open: a version-10350 design with an upper deck's edge steps", upperDeck, true},
        {"Plug-in result: a group's member naming a floor", mergeIntoGroup, true},
        {"Mirror Left to Right: a wall with openings", [&] { Select({"wall"}), Menu("mirrorObjects", 5008); }, true},
        {"Flip Horizontal: two walls and a tree", [&] { Select({"wall", "group"}), Menu("flipObjects", 5034); }, true},
        {"Flip Horizontal: two walls with their dimensions", [&] { Select({"wallA", "wallE"}), Menu("flipObjects", 5034); },
         true, {}, false, {}, true},
        // Known: a standard skylight's filler planes turn with it, while a read builds them from
        // its outline mirrored by its mirror flag: the same outline mirrored about its middle
        // (fillers are drawn only for picking).
        {"Flip Plan Horizontal", [&] { Select({}), Menu("flipPlan", 5363); }, true,
         {{objtype::kRoof, objtype::kRoof, objtype::kFrameGroup, SceneDifference::Placed}}, false, {}, true},
        {"Rotate Objects 90: two walls and a tree", [&] { Select({"wall", "group"}), RotateByTypedAngle(false, 90, false); }, true},
        {"Rotate Objects 90: two walls with their dimensions",
         [&] { Select({"wallA", "wallE", "wallG"}), RotateByTypedAngle(false, 90, false); }, true, {}, false, {}, true},
        {"Nudge Right: two walls with their dimensions",
         [&] { Select({"wallA", "wallE"}), Menu("nudgeObjects", 5039); }, false, {}, false, {}, true},
        {"Move to Upper Floor, then Mirror: a moved wall copied",
         [&] { Select({"wall"}), Menu("moveObjectsToFloor", 5168), Done(), Select({"wall"}, 1), Menu("mirrorObjects", 5008); }, true},
        {"Move to Upper Floor, then Duplicate: a moved wall duplicated",
         [&] { Select({"wall"}), Menu("moveObjectsToFloor", 5168), Done(), Select({"wall"}, 1), byCommand(cmd::kDuplicate, "Duplicate"); }, true},
        // Known: the copied member wall, as above, ungrouped without a rebuild.
        {"Copy to Upper Floor, then Ungroup: a copied group ungrouped", [&] {
             Select({"group"}), Menu("copyObjectsToFloor", 5170), Done();
             SelectAllLayers(d->model()->itsLayers, selmode::kDeselect, 0);
             d->model()->itsCurLayer = d->model()->itsLayers->next;
             for (Objex* o = d->model()->itsCurLayer->firstObject; o; o = o->next)
                 if (o->type == objtype::kGroup) SelectObj(o, selmode::kSelect, 0);
             byCommand(cmd::kUngroup, "Ungroup");
         }, true, {{objtype::kWall, objtype::kWall, -1, SceneDifference::ReadOnly}}, false, {"ss40"}},
        // Known: a wall the tool draws has no texture face mapping and no height of its own
        // until a read, a restore's included, sets them (the height from its floor).
        {"Move to Upper Floor, then a wall joined to its corner",
         [&] { Select({"wall"}), Menu("moveObjectsToFloor", 5168), Done(), drawWallFromCorner(1); }, true, {}, false, {},
         false, {{objtype::kWall, ReadSetField::FaceMapping}, {objtype::kWall, ReadSetField::FirstParam}}},
        {"Exterior Wall tool: a wall drawn from a wall's corner", [&] { drawWallFromCorner(0); }, true, {}, false, {},
         false, {{objtype::kWall, ReadSetField::FaceMapping}, {objtype::kWall, ReadSetField::FirstParam}}},
        {"Duplicate: a wall with openings", [&] { Select({"wall"}), byCommand(cmd::kDuplicate, "Duplicate"); }, true},
        // Known: as a copy to another floor, the duplicated member wall has no 3D form until
        // something rebuilds it, and the members keep the face mapping of the ones they were
        // copied from, which a read, a restore's included, sets afresh where they now stand.
        {"Duplicate: a group with members", [&] { Select({"group"}), byCommand(cmd::kDuplicate, "Duplicate"); }, true,
         {{objtype::kGroup, objtype::kWall, -1, SceneDifference::ReadOnly}}, false, {}, false,
         {{objtype::kWall, ReadSetField::FaceMapping}, {objtype::kPlant, ReadSetField::FaceMapping}}},
        {"Mirror Left to Right: a group with members", [&] { Select({"group"}), Menu("mirrorObjects", 5008); }, true},
        {"Ungroup: a group with members", [&] { Select({"group"}), byCommand(cmd::kUngroup, "Ungroup"); }, true, {}, false, {"ss40"}},
        {"HVAC Duct Width typed as the tool's default", [&] { TypeIntoPane("AirDuctInspectorController", "ductWidthText", "20", 7400); }},
        {"Stiffener Beam width typed as the tool's default", [&] { TypeIntoPane("StiffenerBeamInspectorController", "beamWidthText", "20", 7001); }},
        {"Pathway width typed as the tool's default", [&] { TypeIntoPane("PathwayInspectorController", "pathWidthText", "60", 7502); }},
        {"Topography region raised under a fence and plants", [&] {
             const float before = of::topo_line::kHeight(*Named("top"));
             Select({"top"}), TypeIntoPane("TopoInspectorController", "elevationText", "72");
             EXPECT_NE(of::topo_line::kHeight(*Named("top")), before);
         }, true, {}, true},
        {"Revert to Saved of a design with raised regions",
         [&] { raiseAndCome([&] { alerts.answer(0), Menu("revertDocumentToSaved"); }); }, true},
        {"Open over a design with raised regions",
         [&] { raiseAndCome([&] { alerts.answer(1), panels.choose(Path("raised.pro")), Menu("openDocument"); }); }, true},
        // Known: the definition's shapes, laid flat on the roof's plane, keep the face axis they
        // were drawn with until a read, a restore's included, sets it afresh.
        {"Skylight tool: a custom skylight placed on a roof", customSkylight, true, {}, false, {}, false,
         {{objtype::kOpeningMask}, {objtype::kWindowSeparator}, {objtype::kDoorHardware}}},
        {"Open of a design saved with a selection",
         [&] { openSelected([&] { alerts.answer(1), panels.choose(Path("selected.pro")), Menu("openDocument"); }); }},
        {"Open Recent of a design saved with a selection", [&] {
             openSelected([&] {
                 d->updateChangeCount(2), Menu("newDocument");
                 c->openDocumentWithContentsOfURL(c->recentDocuments().at(0));
             });
         }},
        {"Revert to Saved of a design saved with a selection",
         [&] { openSelected([&] { alerts.answer(0), Menu("revertDocumentToSaved"); }); }},
        {"Window tool: a window on a wall of another shown, active floor",
         [&] { onUpperFloorWall(toolid::kWindow, {-260, 450}, {-240, 450}); }, true},
        {"Wall Dimension tool: a dimension on a wall of another shown, active floor",
         [&] { onUpperFloorWall(toolid::kWallDimension, {-250, 450}, {-250, 480}); }, true},
        // An older file may keep the first floor's plan drafting in a record of its own before
        // the floor's: the read moves that record's objects onto the floor.
        {"Open: a design whose plan detail record comes before its first floor's", [&] {
             Layer* detail = Get2DViewLayer(5149);
             std::strcpy(d->model()->itsLayers->name, "X_TOP_FIRST_FLOOR"), std::strcpy(detail->name, "First Floor");
             reopen();
         }, true},
        // No menu groups a deck: the builder does, as a step. The member deck, on no floor, is
        // rebuilt by its group's flip while the first floor is current.
        {"Flip Horizontal: a deck grouped on the floor above", [&] {
             ids["deckGroup"] = Group(d->model()->itsLayers->next, {Named("deck")})->objectID;
             StoreUndo("Group");
             Done();
             Select({"deckGroup"}), Menu("flipObjects", 5034);
         }, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        // The design, saved and opened as a user's file is.
        d->updateChangeCount(2), Menu("newDocument");
        QMDDocumentModel* m = d->model();
        ids.clear(), leftOut = r.undoLeftOut, readSet = r.readSet;
        Furnish(ids, m);
        SelectAllLayers(m->itsLayers, selmode::kDeselect, 0);
        ASSERT_TRUE(d->writeToFile(Path("start.pro")));
        // Read over a new design, whose ground is flat.
        d->updateChangeCount(2), Menu("newDocument");
        ASSERT_TRUE(c->readDesignIntoDocument(d, Path("start.pro")));
        ASSERT_EQ(d->model(), m);
        EXPECT_TRUE(DesignWhole(m, std::string(r.name) + ", opened"));
        states = {Capture()}, counted = steps();

        const float openLength = Named("overGround")->typeData.attachment->height;
        r.act();
        Done();
        if (r.dimensions) {
            // Measured again with every wall where the command left it.
            Objex *toWall = Named("toWall"), *overGround = Named("overGround");
            const float measured = toWall->typeData.attachment->height, open = overGround->typeData.attachment->height;
            UpdateAttachedDimObject(Named("wallA"));
            EXPECT_NEAR(measured, toWall->typeData.attachment->height, 1e-3f) << r.name << ": the dimension reaching a wall";
            EXPECT_NEAR(open, openLength, 1e-3f) << r.name << ": the dimension over open ground";
        }
        EXPECT_TRUE(DesignWhole(m, r.name));
        if (r.scene) CheckScene(r.name, r.known);
        // Back over every step the row stored, then forward again.
        for (size_t k = states.size() - 1; k > 0; --k) {
            const std::string step = std::string(r.name) + ", Undo of step " + std::to_string(k);
            d->undoStack()->undo();
            EXPECT_TRUE(DesignWhole(m, step));
            EXPECT_TRUE(SameUndoState(Capture(), states[k - 1], step));
            if (r.sceneOnUndo) CheckScene(step);
        }
        for (size_t k = 1; k < states.size(); ++k) {
            const std::string step = std::string(r.name) + ", Redo of step " + std::to_string(k);
            d->undoStack()->redo();
            EXPECT_TRUE(DesignWhole(m, step));
            EXPECT_TRUE(SameUndoState(Capture(), states[k], step));
            if (r.sceneOnUndo) CheckScene(step);
        }
        d->updateChangeCount(2), Menu("newDocument");
        EXPECT_TRUE(DesignWhole(m, std::string(r.name) + ", New"));
    }
}

}  // namespace
}  // namespace dvxtest
