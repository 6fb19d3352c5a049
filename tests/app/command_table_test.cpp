// The commands over a whole design (command_table.h), one row each: after every row the
// design's records hold together, Undo and Redo give back the states the stored steps left, and
// the live view shows what a read of the saved design shows. Each row starts from a design opened from a file and ends with Undo,
// Redo and New, which deletes the design floor by floor as the program does.
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <gtest/gtest.h>

#include "app/command_router.h"
#include "app/core/document_window.h"
#include "app/core/sheet_values.h"
#include "app/document.h"
#include "app/document_view.h"
#include "commands/convert_type.h"
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
#include "model/grouping.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/tool_state.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "model/selection_queries.h"
#include "model/view_layers.h"
#include "plan/refresh_seams.h"
#include "powertools/core/result_merge.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"
#include "support/design_check.h"
#include "support/qt/inspector_window_fixture.h"
#include "command_table.h"
#include "support/records.h"
#include "support/result_builder.h"
#include "support/scene_checks.h"
#include "tools/attached_dimensions.h"
#include "tools/attachment_defaults.h"
#include "tools/wall_joins.h"
#include "ui/inspector/inspector_pane.h"

namespace dvxtest {
namespace {

namespace of = objfield;

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
        Run("Open...", Path("deck10350.pro"));
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
        Run("Flip Plan Horizontal");
        Done();
        open();
        Done(true);
        Run("Flip Plan Horizontal");
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
    // A plan drag with the tool through plan points (zoom 1: a view point is a plan point), as
    // the mouse makes it.
    const auto drag = [&](int16_t tool, std::initializer_list<QPoint> points) {
        d->model()->itsDocState->zoomFactor = 1;
        gCurTool = tool;
        QMDDocumentView* view = w->docView();
        const auto at = [&](QPoint plan) { return plan - QPoint(int(view->boundsOrigin().x), int(view->boundsOrigin().y)); };
        QTest::mousePress(view, Qt::LeftButton, {}, at(*points.begin()));
        for (QPoint p : points) {
            QMouseEvent move(QEvent::MouseMove, at(p), view->mapToGlobal(at(p)), Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(view, &move);
        }
        QTest::mouseRelease(view, Qt::LeftButton, {}, at(*(points.end() - 1)));
        QApplication::processEvents();
        gCurTool = toolid::kSelect;
    };
    // A wall drawn with the Exterior Wall tool from (400, 0), where the moved wall has a corner.
    const auto drawWallFromCorner = [&](int floor) {
        Select({}, floor);
        drag(toolid::kExteriorWall, {{400, 0}, {450, 0}, {560, 0}, {600, 0}});
    };
    const auto length = [](const Objex* o) {
        const Poinz *a = o->firstPoint, *b = a ? a->next : nullptr;
        return b ? GetLineLength(a->position[0], a->position[2], b->position[0], b->position[2]) : 0.0f;
    };
    // A third wall beyond B, 250 down from A, drawn with the Exterior Wall tool.
    const auto wallBeyondB = [&] {
        Select({});
        drag(toolid::kExteriorWall, {{1000, -950}, {1040, -950}, {1100, -950}});
        Done();
    };
    // Only B's right end selected, by a marquee around it.
    const auto endOfB = [&] {
        Select({});
        drag(toolid::kSelect, {{1140, -1120}, {1130, -1110}, {1100, -1080}});
        ASSERT_TRUE(IsObjectSelected(Named("wallB")));
        ASSERT_FALSE(PointAt(Named("wallB"), 0)->selected);
    };
    // The first selected wall, its length as the original's.
    const auto selectedWallIsWhole = [&] {
        Objex* pasted = GetASelectedObject(1);
        ASSERT_TRUE(pasted && pasted->type == objtype::kWall && pasted->objectID != ids.at("wallB"));
        EXPECT_NEAR(length(pasted), 120, 1e-3f);
    };
    // How many objects of the type stand on the floor (0 the first), none of its objects
    // selected.
    const auto onFloor = [&](int floor, int16_t type) {
        Layer* l = d->model()->itsLayers;
        for (int i = 0; i < floor; ++i) l = l->next;
        int n = 0;
        for (Objex* o = l->firstObject; o; o = o->next) {
            n += o->type == type;
            EXPECT_FALSE(IsAnyObjectSelected(o)) << l->name;
        }
        return n;
    };
    // Under View Working Floor Only on the second floor, a whole-plan command, then View All
    // Floors: the hidden first floor's wall B has followed, and showed nothing while hidden.
    const auto hiddenFloorsFollow = [&](const std::function<void()>& command, float bx, float by) {
        Run("Working Floor", "Second Floor"), Run("View Working Floor Only");
        ASSERT_FALSE(d->model()->itsLayers->visible);
        command();
        EXPECT_FALSE(Built(Named("wallB")));
        Run("View All Floors");
        const Poinz* p = PointAt(Named("wallB"), 0);
        EXPECT_NEAR(p->position[0], bx, 1e-2f);
        EXPECT_NEAR(p->position[2], by, 1e-2f);
    };
    // A wall the tool draws has no texture face mapping and no height of its own until a read,
    // a restore's included, sets them (the height from its floor).
    const std::vector<ReadSetField> drawnWall = {{objtype::kWall, ReadSetField::FaceMapping},
                                                 {objtype::kWall, ReadSetField::FirstParam}};
    // The design as changed by the builders, saved and opened as a user's file is.
    const auto reopen = [&] {
        ASSERT_TRUE(d->writeToFile(Path("changed.pro")));
        alerts.answer(1), Run("Open...", Path("changed.pro"));
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
        drag(tool, {from, (from + to) / 2, to});
        EXPECT_EQ(CountObjects(upper->firstChild), 1) << (alerts.shown.empty() ? "" : alerts.shown.back().alert.message);
    };
    // An object copied, then a door, window, wall component or skylight selected alone and
    // mirrored: the copy writes nothing (it leaves attachments out), so the mirror pastes and
    // stores nothing, and no alert shows.
    const auto mirrorAlone = [&](const char* copied, int copiedFloor, const char* alone, int floor) {
        Select({copied}, copiedFloor), Run("Copy");
        const int before = steps();
        const size_t alerted = alerts.shown.size();
        Select({alone}, floor), Run("Mirror Left to Right");
        EXPECT_EQ(steps(), before) << alone;
        EXPECT_EQ(alerts.shown.size(), alerted) << alone << ": " << alerts.shown.back().alert.message;
    };
    // A press, the pointer moved to each further point and a click there, as the mouse makes
    // them without a drag (zoom 1); then, with `escape`, Escape, which ends an outline still open.
    const auto clicks = [&](int16_t tool, std::initializer_list<QPoint> points, bool escape) {
        d->model()->itsDocState->zoomFactor = 1;
        gCurTool = tool;
        QMDDocumentView* view = w->docView();
        const auto at = [&](QPoint plan) { return plan - QPoint(int(view->boundsOrigin().x), int(view->boundsOrigin().y)); };
        for (QPoint p : points) {
            QMouseEvent move(QEvent::MouseMove, at(p), view->mapToGlobal(at(p)), Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(view, &move);
            QTest::mouseClick(view, Qt::LeftButton, {}, at(p));
        }
        if (escape) QTest::keyClick(view, Qt::Key_Escape);
        QApplication::processEvents();
        gCurTool = toolid::kSelect;
    };
    // The first floor's last object, alone selected, its kind's pane shown.
    const auto selectLast = [&] {
        Objex* last = d->model()->itsLayers->firstObject;
        while (last && last->next) last = last->next;
        Select({});
        SelectObj(last, selmode::kSelect, 0);
        InspectorUpdatePropertiesState(1);
        return last;
    };
    // A detail shape drawn between wall A and wall B, across the dimension from A to B (A's
    // dimension at H 1050 reads 100 down to B), chosen from its pane's conversions.
    const auto convertAcross = [&](int32_t conversion, bool rectangle) {
        Select({});
        if (rectangle) drag(toolid::kRectangle, {{1030, -1170}, {1050, -1150}, {1070, -1130}});
        else drag(toolid::kLine, {{1030, -1170}, {1050, -1170}, {1070, -1170}});
        Done();
        Objex* shape = selectLast();
        ASSERT_EQ(shape->type, objtype::kDetail);
        auto* popUp = InspectorPaneRegistry::sharedInspectorController("DetailObjectInspectorController")
                          ->inspectorView()->findChild<TaggedPopUp*>("conversionPopUpButton");
        ASSERT_TRUE(popUp && popUp->findData(conversion) >= 0);
        popUp->setCurrentIndex(popUp->findData(conversion)), emit popUp->activated(popUp->currentIndex());
        ASSERT_EQ(shape->type, objtype::kWall);
    };
    // The dimension from A now stops at the near segment (D -1170, less half a thickness
    // where it measures to the face).
    const auto stopsAtNewWall = [&](float want) { EXPECT_NEAR(Named("toWall")->typeData.attachment->height, want, 0.5f); };
    // A wall from (1000, D) to (1100, D): built on the current floor, written where `write` puts
    // it (a template file, a plug-in's result), and taken off the floor again.
    const auto wallRecord = [&](float depth, const std::function<void(Objex*)>& write) {
        Objex* wall = Wall(d->model()->itsCurLayer, {{1000, depth}, {1100, depth}});
        write(wall);
        DeleteObj(UnlinkObject(wall));
    };
    // The content palette's entry dragged onto the plan and dropped at the view point.
    const auto dropEntry = [&](const SymEntryInfo& entry, QPoint at) {
        const std::vector<uint8_t> record = entry.encodeSymEntry();
        QMimeData data;
        data.setData(kContent3DDNDPboardType, QByteArray(reinterpret_cast<const char*>(record.data()), int(record.size())));
        data.setData(kContent2DDNDPboardType, {});
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(w->docView(), &enter), QApplication::sendEvent(w->docView(), &drop);
        EXPECT_TRUE(drop.isAccepted());
    };
    const Row rows[] = {
        {"Move to Upper Floor: a wall with a door and a window", [&] { Select({"wall"}), Run("Move to Upper Floor"); }, true},
        {"Move to Lower Floor: a deck with steps", [&] { Select({"deck"}, 1), Run("Move to Lower Floor"); }, true},
        {"Move to Lower Floor: a roof with a skylight", [&] { Select({"roof"}, 2), Run("Move to Lower Floor"); }, true},
        {"Copy to Upper Floor: a group with members", [&] { Select({"group"}), Run("Copy to Upper Floor"); }, true},
        {"Copy to Upper Floor: a deck with steps", [&] { Select({"deck"}, 1), Run("Copy to Upper Floor"); }, true},
        {"Copy to Lower Floor: a roof with a skylight", [&] { Select({"roof"}, 2), Run("Copy to Lower Floor"); }, true},
        {"Bring to Front: a wall of the floor below", [&] { Select({"wall"}, 1), Run("Bring to Front"); },
         false, {}, false, {"ss40"}},
        {"Send to Back: a deck of the floor above", [&] { Select({"deck"}, 0), Run("Send to Back"); },
         false, {}, false, {"ss40"}},
        {"Bring to Front: a group on the plan's detail layer",
         [&] { sketch(), Select({"sketch"}, 0), Run("Bring to Front"); }, false, {}, false, {"ss40"}},
        {"Send to Back: a group on the plan's detail layer",
         [&] { sketch(), Select({"sketch"}, 1), Run("Send to Back"); }, false, {}, false, {"ss40"}},
        {"Open: a version-10350 design with an upper deck's edge steps", upperDeck, true},
        {"Plug-in result: a group's member naming a floor", mergeIntoGroup, true},
        {"Mirror Left to Right: a wall with openings", [&] { Select({"wall"}), Run("Mirror Left to Right"); }, true},
        {"Flip Horizontal: two walls and a tree", [&] { Select({"wall", "group"}), Run("Flip Horizontal"); }, true},
        {"Flip Horizontal: two walls with their dimensions", [&] { Select({"wallA", "wallE"}), Run("Flip Horizontal"); },
         true, {}, false, {}, true},
        // Known: a standard skylight's filler planes turn with it, while a read builds them from
        // its outline mirrored by its mirror flag: the same outline mirrored about its middle
        // (fillers are drawn only for picking).
        {"Flip Plan Horizontal", [&] { Select({}), Run("Flip Plan Horizontal"); }, true,
         {{objtype::kRoof, objtype::kRoof, objtype::kFrameGroup, SceneDifference::Placed}}, false, {}, true},
        {"Rotate Objects 90: two walls and a tree", [&] { Select({"wall", "group"}), Run("Rotate Objects...", "90"); }, true},
        {"Rotate Objects 90: two walls with their dimensions",
         [&] { Select({"wallA", "wallE", "wallG"}), Run("Rotate Objects...", "90"); }, true, {}, false, {}, true},
        {"Nudge Right: two walls with their dimensions",
         [&] { Select({"wallA", "wallE"}), Run("Nudge Right"); }, false, {}, false, {}, true},
        {"Move to Upper Floor, then Mirror: a moved wall copied",
         [&] { Select({"wall"}), Run("Move to Upper Floor"), Done(), Select({"wall"}, 1), Run("Mirror Left to Right"); }, true},
        {"Move to Upper Floor, then Duplicate: a moved wall duplicated",
         [&] { Select({"wall"}), Run("Move to Upper Floor"), Done(), Select({"wall"}, 1), Run("Duplicate"); }, true},
        {"Copy to Upper Floor, then Ungroup: a copied group ungrouped", [&] {
             Select({"group"}), Run("Copy to Upper Floor"), Done();
             SelectAllLayers(d->model()->itsLayers, selmode::kDeselect, 0);
             d->model()->itsCurLayer = d->model()->itsLayers->next;
             for (Objex* o = d->model()->itsCurLayer->firstObject; o; o = o->next)
                 if (o->type == objtype::kGroup) SelectObj(o, selmode::kSelect, 0);
             Run("Ungroup");
         }, true, {}, false, {"ss40"}},
        // Known: a wall the tool draws has no texture face mapping and no height of its own
        // until a read, a restore's included, sets them (the height from its floor).
        {"Move to Upper Floor, then a wall joined to its corner",
         [&] { Select({"wall"}), Run("Move to Upper Floor"), Done(), drawWallFromCorner(1); }, true, {}, false, {},
         false, {{objtype::kWall, ReadSetField::FaceMapping}, {objtype::kWall, ReadSetField::FirstParam}}},
        {"Exterior Wall tool: a wall drawn from a wall's corner", [&] { drawWallFromCorner(0); }, true, {}, false, {},
         false, {{objtype::kWall, ReadSetField::FaceMapping}, {objtype::kWall, ReadSetField::FirstParam}}},
        {"Duplicate: a wall with openings", [&] { Select({"wall"}), Run("Duplicate"); }, true},
        {"Duplicate: a group with members", [&] { Select({"group"}), Run("Duplicate"); }, true},
        {"Mirror Left to Right: a group with members", [&] { Select({"group"}), Run("Mirror Left to Right"); }, true},
        {"Ungroup: a group with members", [&] { Select({"group"}), Run("Ungroup"); }, true, {}, false, {"ss40"}},
        {"HVAC Duct Width typed as the tool's default", [&] { TypeIntoPane("AirDuctInspectorController", "ductWidthText", "20", 7400); }},
        {"Stiffener Beam width typed as the tool's default", [&] { TypeIntoPane("StiffenerBeamInspectorController", "beamWidthText", "20", 7001); }},
        {"Pathway width typed as the tool's default", [&] { TypeIntoPane("PathwayInspectorController", "pathWidthText", "60", 7502); }},
        {"Topography region raised under a fence and plants", [&] {
             const float before = of::topo_line::kHeight(*Named("top"));
             Select({"top"}), TypeIntoPane("TopoInspectorController", "elevationText", "72");
             EXPECT_NE(of::topo_line::kHeight(*Named("top")), before);
         }, true, {}, true},
        {"Revert to Saved of a design with raised regions",
         [&] { raiseAndCome([&] { alerts.answer(0), Run("Revert to Saved"); }); }, true},
        {"Open over a design with raised regions",
         [&] { raiseAndCome([&] { alerts.answer(1), Run("Open...", Path("raised.pro")); }); }, true},
        // Known: the definition's shapes, laid flat on the roof's plane, keep the face axis they
        // were drawn with until a read, a restore's included, sets it afresh.
        {"Skylight tool: a custom skylight placed on a roof", customSkylight, true, {}, false, {}, false,
         {{objtype::kOpeningMask}, {objtype::kWindowSeparator}, {objtype::kDoorHardware}}},
        {"Open of a design saved with a selection",
         [&] { openSelected([&] { alerts.answer(1), Run("Open...", Path("selected.pro")); }); }},
        {"Open Recent of a design saved with a selection", [&] {
             openSelected([&] {
                 Run("New");
                 c->openDocumentWithContentsOfURL(c->recentDocuments().at(0));
             });
         }},
        {"Revert to Saved of a design saved with a selection",
         [&] { openSelected([&] { alerts.answer(0), Run("Revert to Saved"); }); }},
        // The dimension reaching B reaches the wall beyond once B is gone.
        {"Delete: the wall a dimension reaches", [&] {
             wallBeyondB(), Select({"wallB"}), Run("Delete");
             EXPECT_NEAR(Named("toWall")->typeData.attachment->height, 250, 1e-3f);
         }, true, {}, false, {}, true, drawnWall},
        {"Cut: the wall a dimension reaches", [&] {
             wallBeyondB(), Select({"wallB"}), Run("Cut");
             EXPECT_NEAR(Named("toWall")->typeData.attachment->height, 250, 1e-3f);
         }, true, {}, false, {}, true, drawnWall},
        // Known: as a wall the tool draws, the converted wall has no face mapping nor a height
        // of its own until a read sets them.
        {"Convert to Exterior Wall: a rectangle across a wall dimension",
         [&] { convertAcross(convertcmd::kExteriorWall, true), stopsAtNewWall(30); }, true, {}, false, {}, true, drawnWall},
        {"Convert to Interior Wall: a line joining no wall, across a wall dimension",
         [&] { convertAcross(convertcmd::kInteriorWall, false), stopsAtNewWall(30); }, true, {}, false, {}, true, drawnWall},
        {"Convert to Retaining Wall: a line across a wall dimension",
         [&] { convertAcross(convertcmd::kRetainingWall, false), stopsAtNewWall(30); }, true, {}, false, {}, true, drawnWall},
        // The chord from (1020, -1150) to (1080, -1150) bent up round its middle: the arc runs
        // no higher than the circle's top, D -1180, 20 below A, and crosses H 1050 above the chord.
        {"Curved Wall tool: an arc joining no wall, across a wall dimension", [&] {
             Select({});
             drag(toolid::kCurvedWall, {{1020, -1150}, {1050, -1150}, {1080, -1150}});
             clicks(toolid::kCurvedWall, {{1024, -1165}}, false);
             ASSERT_EQ(selectLast()->type, objtype::kWall);
             const float reach = Named("toWall")->typeData.attachment->height;
             EXPECT_TRUE(reach >= 20 && reach < 50) << reach;
         }, true, {}, false, {}, true, drawnWall},
        // The outline (1030, -1170) to (1070, -1130): the wall's centre line half a thickness
        // inside it; its points own both trim records, as a read gives them.
        {"Foundation Perimeter tool: a perimeter across a wall dimension", [&] {
             Select({});
             clicks(7000, {{1030, -1170}, {1070, -1170}, {1070, -1130}, {1030, -1130}}, true);
             ASSERT_EQ(selectLast()->type, objtype::kWall);
             stopsAtNewWall(30 + WallThickness(selectLast()) / 2);
         }, true, {}, false, {}, true, drawnWall},
        // Pasted, the copy lies on wall A until it moves off: measured there, A's dimension
        // over open ground would stop at it and keep that length.
        {"Copy and Paste: a wall with its dimensions", [&] { Select({"wallA"}), Run("Copy"), Run("Paste"); }, true,
         {}, false, {"ss40"}, true},
        // A template whose wall, as saved, lies across A's dimension over open ground (at D
        // -1300), dropped far from it: the dimension keeps its length.
        {"Insert Template: a wall saved across a dimension, dropped elsewhere", [&] {
             Select({});
             wallRecord(-1300, [&](Objex* wall) {
                 DesignBytes file(11100);
                 file.layer("First Floor").raw().raw(WrittenObject(wall, 11100));
                 file.tag(400);
                 WriteFileBytes(Path("room.ptf"), file.data());
             });
             SymEntryInfo entry;
             entry.type = symentry::kTemplate, entry.objectData = Path("room.ptf");
             dropEntry(entry, {300, 300});
         }, true, {}, false, {"ss40"}, true, drawnWall},
        // A plug-in's wall across the dimension from A to B, 30 below A, on A's floor while the
        // floor above is current.
        {"Plug-in result: a wall on another floor across a dimension", [&] {
             Select({}, 1);
             wallRecord(-1170, [&](Objex* wall) {
                 ResultBuilder result(120);
                 result.floorName("First Floor").object(wall).end();
                 ASSERT_EQ(PlugOutFileRead(result.save(Path("wall.pxf")).c_str()), 1);
             });
             StoreUndo("Plug-in");
             Refresh();
             RenderAllLayers();
             stopsAtNewWall(30);
         }, true, {}, false, {}, true},
        // Wall E, (1400, -1300) to (1700, -1300) on the first floor, typed 600 inches long from
        // the floor above: both ends move, to H 950 and 2150, so it crosses A's dimension over
        // open ground 100 above A.
        {"Key Entry tool: a wall of another floor made long enough to cross a dimension", [&] {
             Select({}, 1);
             clicks(toolid::kKeyEntry, {{1550, -1300}}, false);
             ASSERT_TRUE(Sheet({{"lengthText", "600"}}));
             EXPECT_NEAR(PointAt(Named("wallE"), 0)->position[0], 950, 1e-2f);
             EXPECT_NEAR(Named("overGround")->typeData.attachment->height, 100, 1e-3f);
         }, true},
        {"Resize tool: a topography region under a fence and plants", [&] {
             Select({"top"});
             drag(toolid::kResize, {{650, 180}, {670, 200}, {700, 240}});
             EXPECT_GT(Named("top")->bounds.floatRight, 660);
         }, true, {}, true},
        {"Remove Point tool: a corner of a topography region", [&] {
             Select({"top"});
             const int before = Named("top")->pointCount;
             gPointOrientation = 1;
             drag(toolid::kRemovePoint, {{650, 180}});
             gPointOrientation = 0;
             EXPECT_EQ(Named("top")->pointCount, before - 1);
         }, true, {}, true},
        {"Copy to Upper Floor: two nested regions with a fence",
         [&] { Select({"mound", "top", "fence"}), Run("Copy to Upper Floor"); }, true},
        {"Duplicate: a topography region", [&] { Select({"top"}), Run("Duplicate"); }, true},
        {"Set Elevation, then Float Above Topography: a group with members", [&] {
             Select({"group"});
             Run("Set Elevation...", "82"), Done();
             EXPECT_NEAR(Named("group")->elevation, 82, 1e-3f);
             Run("Float Above Topography");
         }, true, {}, true, {"ss40"}},
        // Grouped, the fence stands on the group, which is not on the terrain.
        {"Group with a fence on the first floor, then Send to Back on the second", [&] {
             Select({"fence", "wallB"}), Run("Group"), Done();
             Objex* group = Named("wallB")->parent;
             ASSERT_TRUE(group);
             Select({}, 1), SelectObj(group, selmode::kSelect, 0);
             Run("Send to Back");
         }, true, {}, false, {"ss40"}},
        // Ungrouped, the members stand where their own elevation puts them.
        {"Move to Upper Floor, then Ungroup: a group with members", [&] {
             Select({"group"}), Run("Move to Upper Floor"), Done();
             Select({"group"}, 1), Run("Ungroup");
         }, true, {}, false, {"ss40"}},
        // Known: ss40, the selection's summary, which the paste leaves as it was and a restore
        // recounts.
        {"Copy and Paste: a wall with only its right end selected",
         [&] { endOfB(), Run("Copy"), Run("Paste"), selectedWallIsWhole(); }, true, {}, false, {"ss40"}},
        {"Cut and Paste: a wall with only its right end selected",
         [&] { endOfB(), Run("Cut"), Done(), Run("Paste"), selectedWallIsWhole(); }, true, {}, false, {"ss40"}},
        {"Mirror Left to Right: a skylight alone, with a shape of another floor copied",
         [&] { mirrorAlone("detail", 0, "skylight", 2); }},
        {"Mirror Left to Right: a door, a window and a wall component alone, with their wall copied", [&] {
             for (const char* alone : {"door", "window", "tub"}) mirrorAlone("wall", 0, alone, 0);
         }},
        // The window goes out of what is copied; the other wall is mirrored, one step.
        {"Mirror Left to Right: a wall and another wall's window", [&] {
             const int before = steps();
             Select({"wallB", "window"}), Run("Mirror Left to Right");
             EXPECT_EQ(steps(), before + 1);
             Objex* copy = GetASelectedObject(1);
             ASSERT_TRUE(copy && copy->type == objtype::kWall && copy->objectID != ids.at("wallB"));
             EXPECT_NEAR(length(copy), 120, 1e-3f);
         }, true},
        {"Mirror Left to Right: a wall with only its right end selected", [&] {
             endOfB(), Run("Mirror Left to Right"), selectedWallIsWhole();
             EXPECT_NEAR(GetASelectedObject(1)->firstPoint->position[0], 1120, 1e-3f);
         }, true},
        // Pasted back on the second floor from the third, the deck is left alone by a command
        // over the third floor's selection.
        {"Paste onto the floor it came from, then Bring to Front on the current floor", [&] {
             Run("View All Floors"), Run("Working Floor", "Second Floor");
             SelectObj(Named("deck"), selmode::kSelect, 0);
             Run("Cut"), Done();
             Run("Working Floor", "Third Floor"), Run("Paste"), Done();
             SelectObj(Named("roof"), selmode::kSelect, 0);
             Run("Bring to Front");
             EXPECT_EQ(onFloor(1, objtype::kDeck), 1);
             EXPECT_EQ(onFloor(2, objtype::kDeck), 0);
         }, true, {}, false, {"ss40"}},
        // Known: the skylight's filler planes, as in Flip Plan Horizontal above.
        {"Flip Plan Horizontal under View Working Floor Only",
         [&] { hiddenFloorsFollow([&] { Run("Flip Plan Horizontal"); }, -1000, -1100); }, true,
         {kSkylightFillers}, false, {}, true},
        {"Rotate Plan 90 under View Working Floor Only",
         [&] { hiddenFloorsFollow([&] { Run("Rotate Plan...", "90"); }, -1100, -1000); }, true, {}, false, {}, true},
        // 24 inches are 48 plan units at the design's scale.
        {"Move Plan under View Working Floor Only",
         [&] { hiddenFloorsFollow([&] { Run("Move Plan...", "24,0"); }, 1048, -1100); }, true},
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
             Select({"deckGroup"}), Run("Flip Horizontal");
         }, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        // The design, saved and opened as a user's file is.
        leftOut = r.undoLeftOut, readSet = r.readSet;
        OpenFurnished();
        QMDDocumentModel* m = d->model();
        EXPECT_TRUE(DesignWhole(m, std::string(r.name) + ", opened"));
        states = {Capture()}, counted = steps();

        const float openLength = Named("overGround")->typeData.attachment->height;
        const ObjectRecords opened = CaptureObjects();
        reread = false;
        r.act();
        Done();
        // A row that stored no step and read nothing left every object as it was, its
        // selection aside.
        if (states.size() == 1 && !reread) {
            EXPECT_TRUE(SameObjects(CaptureObjects(), opened, r.name));
        }
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
            Run("Undo");
            EXPECT_TRUE(DesignWhole(m, step));
            EXPECT_TRUE(SameUndoState(Capture(), states[k - 1], step));
            if (r.sceneOnUndo) CheckScene(step);
        }
        for (size_t k = 1; k < states.size(); ++k) {
            const std::string step = std::string(r.name) + ", Redo of step " + std::to_string(k);
            Run("Redo");
            EXPECT_TRUE(DesignWhole(m, step));
            EXPECT_TRUE(SameUndoState(Capture(), states[k], step));
            if (r.sceneOnUndo) CheckScene(step);
        }
        Run("New");
        EXPECT_TRUE(DesignWhole(m, std::string(r.name) + ", New"));
    }
}

}  // namespace
}  // namespace dvxtest
