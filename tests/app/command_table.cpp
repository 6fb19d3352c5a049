#include "command_table.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <cstring>
#include <functional>

#include "app/core/document_window.h"
#include "app/core/event_handler.h"
#include "app/document_view.h"
#include "app/window_controller.h"
#include "files/topography.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/tool_state.h"
#include "model/transforms.h"
#include "model/walkers.h"
#include "plan/refresh_seams.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"
#include "files/undo.h"
#include "support/records.h"
#include "support/scene_checks.h"
#include "tools/attached_dimensions.h"
#include "tools/attachment_defaults.h"
#include "ui/inspector/inspector_pane.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/tool_palettes.h"

namespace dvxtest {

namespace of = objfield;

void CommandTable::SetUp() {
    openDesign("command_table");
    port::setFileDialogs(&panels);
    RegisterLiveView(true);
    c = AppController::shared()->documentController();
    d = w->document();
}

void CommandTable::Menu(const char* action, int32_t tag) {
    QAction item;
    item.setObjectName(QString::fromLatin1(action)), item.setData(tag);
    if (onlyEnabled && !CommandRouter::validateMenuItem(&item)) {
        refused = true;
        return;
    }
    w->commandRouter()->dispatch(&item);
}

bool CommandTable::Sheet(const std::vector<std::pair<const char*, std::string>>& fields) {
    return SheetWith([&](QWidget* sheet) {
        for (const auto& [outlet, text] : fields) {
            QLineEdit* field = sheet->findChild<QLineEdit*>(QString::fromLatin1(outlet));
            EXPECT_TRUE(field) << outlet;
            if (field) field->setText(QString::fromLatin1(text.c_str()));
        }
    });
}

bool CommandTable::SheetWith(const std::function<void(QWidget* sheet)>& set) {
    QPointer<SheetDialog> sheet;
    for (SheetDialog* s : w->findChildren<SheetDialog*>())
        if (s->isVisible()) sheet = s;
    if (!sheet) return false;
    set(sheet);
    sheet->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    return QTest::qWaitFor([&] { return sheet.isNull(); });
}

void CommandTable::ByCommand(int32_t command, const char* step) {
    DocState* ds = d->model()->itsDocState;
    ds->duplicateCount = 1, ds->duplicateOffset = {0, 500};
    TopLevelObjectAllLayers(d->model()->itsLayers, command, ds);
    Refresh();
    StoreUndo(step);
}

void CommandTable::Run(const char* name, const std::string& value) {
    // As the program does before it takes an input, which the commands here come without.
    NoteSettingsSetWithoutStep(d->model());
    for (const Command& command : Commands())
        if (std::string(command.name) == name) return command.run(*this, value);
    ADD_FAILURE() << "no command named " << name;
}

Objex* CommandTable::ByID(uint32_t id) {
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

Objex* CommandTable::Named(const char* name) {
    Objex* o = ByID(ids.at(name));
    EXPECT_TRUE(o) << name;
    return o;
}

void CommandTable::Select(std::initializer_list<const char*> names, int floor) {
    SelectAllLayers(d->model()->itsLayers, selmode::kDeselect, 0);
    Layer* l = d->model()->itsLayers;
    for (int i = 0; i < floor; ++i) l = l->next;
    d->model()->itsCurLayer = l;
    for (const char* n : names) SelectObj(Named(n), selmode::kSelect, 0);
    gCurTool = toolid::kSelect;
    InspectorUpdatePropertiesState(1);
}

void CommandTable::TypeIntoPane(const char* pane, const char* outlet, const char* typed, int16_t tool) {
    if (tool) refreshWith({}, tool, 0);
    QLineEdit* field = InspectorPaneRegistry::sharedInspectorController(pane)->inspectorView()->findChild<QLineEdit*>(outlet);
    ASSERT_TRUE(field) << pane << " " << outlet;
    type(field, QString::fromLatin1(typed));
}

void CommandTable::CheckScene(const std::string& row, const std::vector<SceneDifference>& known) {
    QMDDocumentModel* m = d->model();
    const std::vector<ScenePiece> live = CaptureScene();
    ASSERT_TRUE(d->writeToFile(Path("check.pro")));
    QMDDocument* read = c->openDocumentWithContentsOfFile(Path("check.pro"));
    ASSERT_TRUE(read);
    // A read shows every floor: those hidden here are hidden there too, as a user would hide
    // them after opening.
    for (Layer* l = read->model()->itsLayers; l; l = l->next)
        for (const Layer* here = m->itsLayers; here; here = here->next)
            if (std::strcmp(here->name, l->name) == 0) l->visible = here->visible;
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

void CommandTable::OpenFurnished() {
    d->updateChangeCount(2), Menu("newDocument");
    QMDDocumentModel* m = d->model();
    ids.clear();
    Furnish(ids, m);
    SelectAllLayers(m->itsLayers, selmode::kDeselect, 0);
    ASSERT_TRUE(d->writeToFile(Path("start.pro")));
    // Read over a new design, whose ground is flat.
    d->updateChangeCount(2), Menu("newDocument");
    ASSERT_TRUE(c->readDesignIntoDocument(d, Path("start.pro")));
    ASSERT_EQ(d->model(), m);
}

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
        {"wall", design.wall},   {"window", design.window}, {"door", design.door},   {"tub", design.tub}, {"deck", design.deck},
        {"steps", design.steps}, {"roof", design.roof},     {"skylight", design.skylight}, {"group", group},
        {"inner", inner},        {"innerWindow", innerWindow}, {"tree", tree},     {"plant", design.plant},
        {"fence", design.fence}, {"path", path}, {"mound", mound},
        {"wallA", wallA},        {"wallB", wallB},          {"wallE", wallE}, {"wallG", wallG},          {"toWall", dims[0]},   {"overGround", dims[1]},          {"top", top},          {"detail", design.detail}};
    for (auto [name, o] : named) ids[name] = o->objectID;
}

namespace {

// The working floor's and the ceiling height's submenus, by floor.
int32_t FloorTag(const std::string& floor, int32_t first) {
    const char* floors[] = {"First Floor", "Second Floor", "Third Floor"};
    for (int i = 0; i < 3; ++i)
        if (floor == floors[i]) return first + i;
    ADD_FAILURE() << "no floor named " << floor;
    return 0;
}

// The plan submenus' tags, by plan: the first eight in order from `first`, the detail plan's
// its own.
const std::vector<const char*> kPlans = {"Foundation Plan", "Floor Plan", "Electrical Plan", "Plumbing Plan", "Roofing Plan",
                                         "HVAC Plan", "Deck Plan", "Landscape Plan", "Detail Plan"};
int32_t PlanTag(const std::string& plan, int32_t first, int32_t detail) {
    for (size_t i = 0; i + 1 < kPlans.size(); ++i)
        if (plan == kPlans[i]) return first + int32_t(i);
    if (plan == kPlans.back()) return detail;
    ADD_FAILURE() << "no plan named " << plan;
    return 0;
}

// "h,v" (inches) as typed into a move sheet's two fields.
std::vector<std::pair<const char*, std::string>> Offset(const std::string& value) {
    const size_t comma = value.find(',');
    return {{"horizDistText", value.substr(0, comma)}, {"vertDistText", comma == std::string::npos ? "0" : value.substr(comma + 1)}};
}

}  // namespace

const std::vector<Command>& CommandTable::Commands() {
    using T = CommandTable;
    using V = const std::string&;
    const auto menu = [](const char* action, int32_t tag = 0) { return [=](T& t, V) { t.Menu(action, tag); }; };
    // A sheet's command: its menu item, then the value typed into its one field and OK.
    const auto sheet = [](const char* action, const char* field) {
        return [=](T& t, V value) {
            t.Menu(action);
            if (!t.refused) {
                EXPECT_TRUE(t.Sheet({{field, value}})) << action;
            }
        };
    };
    const auto move = [](const char* action) {
        return [=](T& t, V value) {
            t.Menu(action);
            if (!t.refused) {
                EXPECT_TRUE(t.Sheet(Offset(value))) << action;
            }
        };
    };
    // Known: a reorder deselects, a paste selects what it pasted, a copy selects whole what was
    // selected in part, a copy or cut deselects the doors, windows and skylights selected without
    // their wall or roof, floating sets the selection on the terrain, a ceiling height raises
    // what stands on the floors above and grouping makes the selection one group's (as
    // importing an object does), without counting the selection's summary (ss40) again,
    // which a restore recounts from the design.
    const std::vector<std::string> summary = {"ss40"};
    // Known: a turn does not measure the lengths along an imported object's rows again (every
    // other transform does), while a read measures them from the points it reads: they part in
    // the last bits (119.9999 against 120 after a quarter turn) and drift further as the points do.
    const std::vector<ReadSetField> lengths = {{objtype::kFentrix, ReadSetField::PointLengths}};
    // Its faces are mapped along those lengths: a read maps them afresh, in the same places.
    const std::vector<SceneDifference> textures = {{-1, objtype::kFentrix, -1, SceneDifference::Textured}};
    const std::vector<std::string> floorView = {"currentElevation", "floors"};
    // Nothing selected, the tool current, "field=text" typed into its pane; then the select tool.
    const auto paneDefaults = [](const char* pane, int16_t tool) {
        return [=](T& t, V value) {
            const size_t eq = value.find('=');
            SelectAllLayers(t.d->model()->itsLayers, selmode::kDeselect, 0);
            t.TypeIntoPane(pane, value.substr(0, eq).c_str(), value.substr(eq + 1).c_str(), tool);
            gCurTool = toolid::kSelect;
            InspectorUpdatePropertiesState(1);
        };
    };
    static const std::vector<Command> commands = {
        {"Move to Upper Floor", menu("moveObjectsToFloor", cmd::kMoveToUpperFloor), {}, {}, summary},
        {"Move to Lower Floor", menu("moveObjectsToFloor", cmd::kMoveToLowerFloor), {}, {}, summary},
        {"Copy to Upper Floor", menu("copyObjectsToFloor", cmd::kCopyToUpperFloor)},
        {"Copy to Lower Floor", menu("copyObjectsToFloor", cmd::kCopyToLowerFloor)},
        {"Bring to Front", menu("alterObjectPosition", cmd::kToTail), {}, {}, summary},
        {"Send to Back", menu("alterObjectPosition", cmd::kToHead), {}, {}, summary},
        {"Cut", menu("cut"), {}, {}, summary},
        {"Copy", menu("copy"), {}, {}, summary},
        {"Paste", menu("paste"), {}, {}, summary},
        {"Delete", menu("delete")},
        {"Select All", menu("selectAll")},
        {"Mirror Left to Right", menu("mirrorObjects", cmd::kMirrorLeftRight), {}, {}, {}, {}, Command::Flips::Selection},
        {"Mirror Top to Bottom", menu("mirrorObjects", cmd::kMirrorTopBottom), {}, {}, {}, {}, Command::Flips::Selection},
        {"Flip Horizontal", menu("flipObjects", cmd::kFlipHorizontal), {}, {}, {}, {}, Command::Flips::Selection},
        {"Flip Vertical", menu("flipObjects", cmd::kFlipVertical), {}, {}, {}, {}, Command::Flips::Selection},
        {"Flip Plan Horizontal", menu("flipPlan", cmd::kFlipPlanHorizontal), {}, {}, {}, {}, Command::Flips::Plan},
        {"Flip Plan Vertical", menu("flipPlan", cmd::kFlipPlanVertical), {}, {}, {}, {}, Command::Flips::Plan},
        {"Nudge Up", menu("nudgeObjects", cmd::kNudgeUp)},
        {"Nudge Down", menu("nudgeObjects", cmd::kNudgeDown)},
        {"Nudge Left", menu("nudgeObjects", cmd::kNudgeLeft)},
        {"Nudge Right", menu("nudgeObjects", cmd::kNudgeRight)},
        {"Rotate Objects...", sheet("rotateObjects", "angleText"), {"90", "30", "45", "137", "-60"}, textures, {}, lengths},
        {"Rotate Plan...", sheet("rotatePlan", "angleText"), {"90", "30", "-45", "180"}, textures, {}, lengths},
        {"Move Objects...", move("moveObjects"), {"120,0", "0,-36", "30,12", "-60,48"}},
        {"Move Plan...", move("movePlan"), {"-60,-12", "36,0", "0,84"}},
        {"Set Elevation...", sheet("setObjectElevation", "elevationText"), {"24", "0", "82", "-6"}},
        // The inspector panes' Adjust Curve button: the curve tension sheet over the selection.
        {"Smooth",
         [](T& t, V tension) {
             Win32EventHandler().smoothSelected();
             EXPECT_TRUE(t.Sheet({{"tensionText", tension}})) << "Smooth";
         },
         // Known: the step is stored while the settings record holds the tension used, which it
         // then gets back from before.
         {"3", "10", "0"}, {}, {"curveTension"}},
        {"Float Above Topography", menu("floatObjectAboveTopo"), {}, {}, summary},
        {"Ceiling Height",
         [](T& t, V floor) {
             const size_t eq = floor.find('=');
             t.Menu("setCeilingHeight", FloorTag(floor.substr(0, eq), 5156));
             if (!t.refused) {
                 EXPECT_TRUE(t.Sheet({{"heightText", floor.substr(eq + 1)}}));
             }
         },
         {"First Floor=108", "Second Floor=100", "Third Floor=84"}, {}, summary},
        // The floor worked on, shown and active, and the working elevation: no step stores them.
        {"Working Floor", [](T& t, V floor) { t.Menu("workOnFloor", FloorTag(floor, 5275)); },
         {"First Floor", "Second Floor", "Third Floor"}, {}, {}, {}, Command::Flips::Nothing, floorView},
        {"Move to Plan", [](T& t, V plan) { t.Menu("moveObjectsToPlan", PlanTag(plan, 5335, 5389)); }, kPlans},
        {"Working Plan", [](T& t, V plan) { t.Menu("workOnPlan", PlanTag(plan, 5343, 5390)); }, kPlans},
        {"Visible Plans", [](T& t, V plan) { t.Menu("setVisiblePlans", PlanTag(plan, 11000, 11008)); }, kPlans},
        {"View All Floors", menu("setFloorView", 5278), {}, {}, {}, {}, Command::Flips::Nothing, floorView},
        {"View Working Floor Only", menu("setFloorView", 5279), {}, {}, {}, {}, Command::Flips::Nothing, floorView},
        // The live view's framing view: a setting no step stores.
        {"Framing View", menu("toggleFramingView", cmd::kFramingView), {}, {}, {}, {}, Command::Flips::Nothing,
         {"framingView"}},
        {"Undo", [](T& t, V) { t.d->undoStack()->undo(); }},
        {"Redo", [](T& t, V) { t.d->undoStack()->redo(); }},
        // Over the design's file; an untitled design through the save panel, at the walk's file.
        {"Save", [](T& t, V) {
             if (t.d->fileName().empty()) t.panels.choose(t.Path("walk.pro"));
             t.Menu("saveDocument");
         }},
        // Through the panels, at the path given (the walk's own file when none is).
        {"Save As...", [](T& t, V path) { t.panels.choose(path.empty() ? t.Path("walk.pro") : path), t.Menu("saveDocumentAs"); }},
        {"Open...", [](T& t, V path) { t.panels.choose(path.empty() ? t.Path("walk.pro") : path), t.Menu("openDocument"); }},
        {"Revert to Saved", menu("revertDocumentToSaved")},
        {"New", [](T& t, V) { t.d->updateChangeCount(2), t.Menu("newDocument"); }},
        // No menu reaches these: as importing an object groups what it read, and by the
        // walkers' command IDs.
        {"Group", [](T&, V) { Win32EventHandler().groupNoRedraw(), Refresh(), StoreUndo("Group"); }, {}, {}, summary},
        {"Ungroup", [](T& t, V) { t.ByCommand(cmd::kUngroup, "Ungroup"); }, {}, {}, summary},
        {"Duplicate", [](T& t, V) { t.ByCommand(cmd::kDuplicate, "Duplicate"); }},
        // The sheets of plan-wide values; the lot's and the north angle's store no step.
        {"Lot Size...",
         [](T& t, V size) {
             t.Menu("setLotSize");
             if (!t.refused) {
                 const size_t comma = size.find(',');
                 EXPECT_TRUE(t.Sheet({{"widthText", size.substr(0, comma)}, {"depthText", size.substr(comma + 1)}}));
             }
         },
         {"174,345", "41,147", "60,60", "30,100"}, {}, {}, {}, Command::Flips::Nothing, {"lotRect", kOnTheGround}},
        {"True North Angle...", sheet("setTrueNorthAngle", "angleText"), {"45", "0", "137"}, {}, {}, {},
         Command::Flips::Nothing, {"compassAngle"}},
        {"Set Working Elevation...", sheet("setWorkingElevation", "elevationText"), {"0", "48", "-12"}},
        {"Planting Age...", sheet("setPlantingAge", "plantAgeText"), {"0", "5", "12"}},
        {"Plant Growth Projection...", sheet("setPlantGrowthProjection", "maxAgeText"), {"2", "10", "30"}},
        {"Plan Scale...",
         [](T& t, V code) {
             t.Menu("setPlanScale");
             if (!t.refused) {
                 EXPECT_TRUE(t.SheetWith([&](QWidget* s) {
                     s->findChild<RadioMatrix*>(QStringLiteral("scaleMatrix"))->selectTag(std::stoi(code));
                 }));
             }
         },
         {"8", "9", "10", "11"}},
        {"Measurement Units...",
         [](T& t, V units) {
             t.Menu("setMeasurementUnits");
             if (!t.refused) {
                 EXPECT_TRUE(t.SheetWith([&](QWidget* s) {
                     auto* popUp = s->findChild<QComboBox*>(QStringLiteral("unitsPopUpButton"));
                     popUp->setCurrentIndex(popUp->findText(QString::fromLatin1(units.c_str())));
                     emit popUp->activated(popUp->currentIndex());
                 }));
             }
         },
         {"Metric", "Imperial"}},
        // The Drawing Tools palette's plant growth arrows: the plants grow in the design.
        {"Plant Growth",
         [](T&, V way) {
             PlanToolPaletteController* palette = PlanToolPaletteController::shared();
             if (way == "left") palette->plantGrowthLeftButtonChanged();
             else palette->plantGrowthRightButtonChanged();
         },
         {"left", "right"}},
        // With one wall selected on the working floor (else no sheet comes up): what it builds.
        {"Ceiling Builder",
         [](T& t, V what) {
             t.Menu("showCeilingBuilder");
             if (t.refused) return;
             t.SheetWith([&](QWidget* s) {
                 for (const char* kind : {"soffits", "floors", "ceilings"}) {
                     std::string box = std::string("build") + kind + "Button";
                     box[5] = char(box[5] - 'a' + 'A');
                     s->findChild<QAbstractButton*>(QString::fromStdString(box))->setChecked(what == "all" || what == kind);
                 }
             });
         },
         {"all", "floors", "ceilings", "soffits"}, {}, summary},
        // A tool's defaults typed into its inspector pane with nothing selected ("field=text"):
        // no step is stored, and no other step's Undo or Redo takes them back. A pane of the
        // tool alone, panes serving a tool and its objects, and one writing no field but the
        // tool's (the deck tool's).
        {"Wall Tool Defaults", paneDefaults("WallToolInspectorController", toolid::kExteriorWall),
         {"wallHeightText=120", "wallHeightText=84", "wallThicknessText=8", "floorDepthText=10"}, {}, {}, {},
         Command::Flips::Nothing, {"wallHeight", "wallThickness", "wallThicknessA", "floorDepth"}},
        {"Door Tool Defaults", paneDefaults("DoorInspectorController", toolid::kDoor),
         {"doorWidthText=40", "doorHeightText=90", "doorTrimText=5"}, {}, {}, {}, Command::Flips::Nothing,
         {"doorWidth", "doorHeight", "doorValue"}},
        {"Window Tool Defaults", paneDefaults("WindowInspectorController", toolid::kWindow),
         {"windowWidthText=50", "windowElevationText=30", "windowTrimText=4"}, {}, {}, {}, Command::Flips::Nothing,
         {"windowWidth", "windowElevation", "windowValue"}},
        {"Deck Tool Defaults", paneDefaults("DeckToolInspectorController", 7600),
         {"deckHeightText=40", "railHeightText=30", "balusterSpacingText=5"}, {}, {}, {}, Command::Flips::Nothing,
         {"deckHeight", "deckRailHeight", "balusterSpacing"}},
        // Settings the design saves that no step stores: the Snap Tools' offset typed and
        // entered (in the design's units), the live view's navigation speed chosen.
        {"Snap Offset",
         [](T&, V value) {
             SnapPaletteController* snap = SnapPaletteController::shared();
             const int16_t mode = gCurSnap;
             snap->setSnapTool(507);
             type(snap->offsetText(), QString::fromLatin1(value.c_str()));
             snap->setSnapTool(mode);
         },
         {"24", "6"}, {}, {}, {}, Command::Flips::Nothing, {"snapOffset"}},
        {"Navigation Speed", [](T& t, V speed) { t.Menu("setLVNavigationSpeed", 10494 + std::stoi(speed)); },
         {"6", "8", "10"}, {}, {}, {}, Command::Flips::Nothing, {"navigationSpeed"}},
        // The same typed with the selection as it is: with doors selected a step that sets them
        // and the door tool's default, which its Undo takes back; else the default alone.
        {"Door Pane",
         [](T& t, V value) {
             const size_t eq = value.find('=');
             t.TypeIntoPane("DoorInspectorController", value.substr(0, eq).c_str(), value.substr(eq + 1).c_str());
         },
         {"doorWidthText=34", "doorHeightText=86"}, {}, {}, {}, Command::Flips::Nothing, {"doorWidth", "doorHeight"}},
    };
    return commands;
}

}  // namespace dvxtest
