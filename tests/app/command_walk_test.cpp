// A seeded random walk over the command table's commands (command_table.h): each step selects
// (one object, several across kinds and shown floors, objects with children, a skylight, door,
// window or wall component alone, one point of an object by a marquee dragged with the select
// tool, one object toggled in or out by a Shift-click, everything, nothing), clicks the Delete
// Point tool on a point of an object of the floor worked on, or runs a command the menus offer,
// an area's outline tool ended after two clicks, a drag of an object's point with the Resize
// or Rotate tool, a click of the Insert Point tool mid-segment, rectangles drawn, selected as
// the newest objects and converted together by the detail pane ("rect h1,d1,h2,d2", "select new
// 3", "convert shapes <command>"), a maker of kMakers drawn about an object ("wall TOOL h,d h,d"
// a press, drag and release; "tool3 TOOL h,d h,d h,d" the same, then a second click; "clicks
// TOOL h,d ..." clicks then Escape; "text h,d WORDS" the Text tool's click and sheet), the
// framing view turned on around a step and off again, an
// Undo of one to thirty steps, a Redo, Save,
// Save and Open, Revert to
// Saved, Open of another design, or New (then the walk's
// design again, or the new one left empty to edit and paste into). After every step the
// design's records hold together, and a step that stored no undo step left every object, the
// settings record, every floor's own record and the order of the objects on each floor as they
// were, but what the step is for (its selection, a sheet's value); after every Undo and Redo
// the design is the one its stored step left, with what no step stores as it stood; every few
// edits, and now and then right after a restore, the live view shows what a read of the saved
// design shows, with the floors shown as here. The ground is changed by clicks around objects
// ("draw topo h1,d1,h2,d2": a Straight-Edge Topography region; "draw line ...": a property
// line; "convert topo ...": a rectangle converted to a region), also under objects on a floor
// View Working Floor Only hides, and with the live view hidden ("Hide LiveView", as some seeds
// start; "Show LiveView" moves no object).
//
// A failure names the seed and the steps taken (the scene checks among them, as "Check Scene":
// a check builds the live view again). To replay them, cut them down or walk further:
//   DVX_WALK_REPLAY='house|Select All;Rotate Objects...=30;Nudge Up'   the steps given (and
//                              "Save and Compare": Save and Open, every object saved read back;
//                              "Check Summary": the selection's summary against a recount;
//                              "Check Made": the step before stored one)
//   DVX_WALK_SEED=7:120        seed 7 (odd seeds start from the furnished house), 120 steps
//   DVX_WALK_MORE=40x2000      40 seeds of 2000 steps beside the fixed ones
//   DVX_WALK_TRACE=1           each step's undo slot and floors on the error output
// scripts/cut-walk.py drops steps from a failing list while it still fails.
#include <QApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QUndoStack>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <gtest/gtest.h>

#include "app/document_view.h"
#include "app/window_controller.h"
#include "command_table.h"
#include "files/copy_paste.h"
#include "files/streams.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/docstate_fields.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/type_data.h"
#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/selection_state.h"
#include "model/walkers.h"
#include "model/render_state.h"
#include "scene/scene_build.h"
#include "commands/convert_type.h"
#include "ui/inspector/inspector_pane.h"
#include "support/scene_checks.h"
#include "model/tool_state.h"
#include "port/files.h"
#include "render/core/vrml_export.h"
#include "tracking/tracker_loops.h"
#include "ui/core/detail_pane_rules.h"
#include "ui/core/inspector_seams.h"
#include "ui/tool_palettes.h"

namespace dvxtest {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kSteps = 150;  // the sanitizer build runs some ten times slower
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kSteps = 150;
#else
constexpr int kSteps = 600;
#endif
#else
constexpr int kSteps = 600;
#endif
// Even seeds start from the table's furnished design, odd ones from the furnished house.
constexpr unsigned kSeeds[] = {1, 3, 15, 18, 20, 22};

std::vector<std::string> Split(const std::string& text, char by) {
    std::vector<std::string> out;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, by);)
        if (!part.empty()) out.push_back(part);
    return out;
}

// Every tool and every command of the command table that makes or reshapes an object, each
// making one on the furnished design (the empty plan about -300,-400 of the first floor, the
// wall 32, the fence 36, the roof on the third floor): the selection's summary is then what a
// recount of the selection gives, and a Save writes what a read of it gives. The walk draws
// these too, about an object shown. Left out: the fixed components (the walk's program loads no
// symbol files to drop), the roof connectors (they join two roofs), the fillet and chamfer
// (they round the corner of two lines) and the tools that make nothing of their own.
struct Maker {
    const char* what;
    const char* steps;
    enum class Summary {
        Counted,
        // Known: the command table records these commands leaving the summary (ss40) as it was.
        Left,
    } summary = Summary::Counted;
};
constexpr Maker::Summary kLeft = Maker::Summary::Left;
const Maker kMakers[] = {
    // Tools.
    {"Move/Resize", "select 32;segdrag 32:0 0,30"},
    {"Rotate", "select 13;rotate 13:0 30,-40"},
    {"Dimension Wall Tool", "attach 208 32:0:50 0,20"},
    {"Dimension Tool", "wall 209 -300,-400 -150,-300"},
    {"Offset Dimension Tool", "tool3 210 -300,-400 -150,-400 -200,-340"},
    {"Length Dimension Tool", "tool3 211 -300,-400 -150,-330 -200,-300"},
    {"Diameter Dimension Tool", "wall 7701 -300,-400 -200,-300;wall 212 -250,-400 -180,-430"},
    {"Leader Dimension Tool", "tool3 213 -300,-400 -250,-350 -150,-350"},
    {"Resize", "select 13;resize 13:0 -12,-28"},
    {"Text", "text -300,-400 Kitchen"},
    {"Foundation Perimeter Tool", "clicks 7000 -300,-400 -150,-400 -150,-300 -300,-300"},
    {"Stiffener Beam Tool", "wall 7001 -300,-400 -150,-400"},
    {"Foundation Pier Tool", "wall 7002 -300,-400 -150,-400"},
    {"Post-Tension Strand Tool", "wall 7003 -300,-400 -150,-400"},
    {"Foundation Slope Tool", "wall 7004 -300,-400 -150,-400"},
    {"Exterior Wall Tool", "wall 7050 -300,-400 -150,-400"},
    {"Exterior Wall by Typed Length", "wall 7051 -300,-400 -150,-400"},
    {"Interior Wall Tool", "wall 7052 -300,-400 -150,-400"},
    {"Interior Wall by Typed Length", "wall 7053 -300,-400 -150,-400"},
    // The typed-length tools' drags that join two walls, or lengthen one straight on.
    {"Exterior Wall by Typed Length: a join", "wall 7051 1300,-1200 1300,-1000"},
    {"Interior Wall by Typed Length: straight on", "wall 7053 1300,-1200 1400,-1200"},
    {"Curved Wall Tool", "tool3 7054 -300,-400 -150,-400 -220,-330"},
    {"Wall Break Tool", "attach 7055 32:0:32 15,10"},
    {"Door Tool", "attach 7056 32:0:25 0,5"},
    {"Window Tool", "attach 7057 32:0:60 0,5"},
    {"Straight Stairway Tool", "clicks 7058 -300,-400 -150,-400"},
    {"Curved Stairway Tool", "tool3 7059 -300,-400 -150,-400 -200,-330"},
    {"Straight Railing Tool", "clicks 7060 -300,-400 -150,-400 -150,-300"},
    {"Curved Railing Tool", "clicks 7061 -300,-400 -150,-400 -150,-300"},
    {"Floor Tool", "clicks 7062 -300,-400 -150,-400 -150,-300 -300,-300"},
    {"Floor Cutout Tool", "clicks 7063 -300,-400 -150,-400 -150,-300 -300,-300"},
    {"Accessory Tool", "attach 7064 32:0:85 0,5"},
    {"Cased Opening Tool", "attach 7066 32:0:50 0,5"},
    {"110v Receptacle Tool", "attach 7100 32:0:70 0,-20"},
    {"110v Receptacle Tool (7101)", "attach 7101 32:0:70 0,-20"},
    {"220v Receptacle Tool", "attach 7103 32:0:70 0,-20"},
    {"Switch Tool", "attach 7105 32:0:70 0,-20"},
    {"3/4/5-Way Switch Tool", "attach 7106 32:0:70 0,-20"},
    {"Dimmer/Weather Proof Switch Tool", "attach 7107 32:0:70 0,-20"},
    {"Switch Connector Tool", "wall 7108 -300,-400 -200,-300"},
    {"Flood Light Tool", "attach 7110 32:0:70 0,-20"},
    {"Cable Outlet Tool", "attach 7112 32:0:70 0,-20"},
    {"Phone Outlet Tool", "attach 7113 32:0:70 0,-20"},
    {"Smoke Detector Tool", "attach 7114 32:0:70 0,-20"},
    {"Thermostat Tool", "attach 7115 32:0:70 0,-20"},
    {"Hose Bib Tool", "attach 7200 32:0:70 0,-20"},
    {"Gas Bib Tool", "attach 7201 32:0:70 0,-20"},
    {"Toilet Tool", "attach 7203 32:0:50 0,0"},
    {"Single Sink Tool", "attach 7204 32:0:50 0,0"},
    {"Double Sink Tool", "attach 7205 32:0:50 0,0"},
    {"Triple Sink Tool", "attach 7206 32:0:50 0,0"},
    {"Oval Sink Tool", "attach 7207 32:0:50 0,0"},
    {"Bath Tub Tool", "attach 7208 32:0:50 0,0"},
    {"Spa Tub Tool", "attach 7209 32:0:50 0,0"},
    {"Shower Tool", "attach 7210 32:0:50 0,0"},
    {"Gable Roof Tool", "wall 7300 -300,-400 -150,-300"},
    {"Hip Roof Tool", "wall 7301 -300,-400 -150,-300"},
    {"Hip/Gable Roof Tool", "wall 7302 -300,-400 -150,-300"},
    {"Freehand Roof Tool", "clicks 7306 -300,-400 -150,-400 -150,-300 -300,-300"},
    {"Four-Point Freehand Roof Tool", "attach 7307 32:0:50 0,60"},
    {"Three-Point Freehand Roof Tool", "attach 7308 32:0:50 0,60"},
    {"Dormer Cutout", "Working Floor=Third Floor;clicks 7309 200,250 260,250 260,280 200,280"},
    {"Air Duct Tool", "wall 7400 -300,-400 -150,-400"},
    {"Baseboard Heater Tool", "attach 7407 32:0:50 0,-20"},
    {"Property Line Tool", "clicks 7500 -300,-400 -150,-400 -150,-300"},
    {"Ground Fill Region Tool", "clicks 7501 -300,-400 -150,-400 -150,-300 -300,-300"},
    {"Pathway/Driveway Tool", "clicks 7502 -300,-400 -150,-400 -150,-300"},
    {"Fill Tool", "wall 7503 -300,-400 -150,-300"},
    {"Edging Tool", "clicks 7504 -300,-400 -150,-400 -150,-300"},
    {"Fence Tool", "clicks 7505 -300,-400 -150,-400 -150,-300"},
    {"Gate Tool", "clicks 7505 -300,-400 -150,-400;attach 7506 49:0:50 0,0"},
    {"Retaining Wall Tool", "wall 7507 -300,-400 -150,-400"},
    {"Sprinkler Head Tool", "tool3 7508 -300,-400 -250,-400 -300,-350"},
    {"Excavate Topography Tool", "clicks 7509 -300,-400 -150,-400 -150,-300 -300,-300"},
    {"Curved Topography Tool", "clicks 7511 -300,-400 -150,-400 -150,-300 -300,-300"},
    {"Straight-Edge Topography Tool", "clicks 7512 -300,-400 -150,-400 -150,-300 -300,-300"},
    {"Deck with Railing Tool", "clicks 7600 -300,-400 -150,-400 -150,-300 -300,-300"},
    {"Deck without Railing Tool", "clicks 7601 -300,-400 -150,-400 -150,-300 -300,-300"},
    {"Straight Railing Tool (deck)", "clicks 7602 -300,-400 -150,-400 -150,-300"},
    {"Curved Railing Tool (deck)", "clicks 7603 -300,-400 -150,-400 -150,-300"},
    {"Straight Stairway Tool (deck)", "clicks 7604 -300,-400 -150,-400"},
    {"Curved Stairway Tool (deck)", "tool3 7605 -300,-400 -150,-400 -200,-330"},
    {"Deck Cutout Tool", "clicks 7606 -300,-400 -150,-400 -150,-300 -300,-300"},
    {"Rectangle Tool", "rect -300,-400,-150,-300"},
    {"Circle/Oval Tool", "wall 7701 -300,-400 -150,-300"},
    {"Line Tool", "wall 7702 -300,-400 -150,-300"},
    {"Polygon Tool", "clicks 7703 -300,-400 -150,-400 -150,-300"},
    {"Arc Tool", "wall 7704 -300,-400 -150,-300"},
    {"Circular Arc Tool", "tool3 7705 -300,-400 -250,-400 -300,-350"},
    {"Multigon Tool", "wall 7706 -300,-400 -250,-350"},
    {"Curve Tool", "clicks 7707 -300,-400 -150,-400 -150,-300"},
    {"Insert Point", "ipoint 32:0"},
    {"Delete Point", "clicks 7703 -300,-400 -150,-400 -150,-300 -300,-300;select 49;rpoint 49:1"},
    // Commands, on what they change.
    {"Move to Upper Floor", "select 13;Move to Upper Floor"},
    {"Move to Lower Floor", "Working Floor=Second Floor;Select All;Move to Lower Floor"},
    {"Copy to Upper Floor", "select 13;Copy to Upper Floor"},
    {"Copy to Lower Floor", "Working Floor=Second Floor;Select All;Copy to Lower Floor"},
    {"Paste", "select 13;Copy;Paste", kLeft},
    {"Mirror Left to Right", "Select All;Mirror Left to Right"},
    {"Mirror Top to Bottom", "Select All;Mirror Top to Bottom"},
    {"Flip Horizontal", "Select All;Flip Horizontal"},
    {"Flip Vertical", "Select All;Flip Vertical"},
    {"Flip Plan Horizontal", "Flip Plan Horizontal"},
    {"Flip Plan Vertical", "Flip Plan Vertical"},
    {"Nudge Up", "Select All;Nudge Up"},
    {"Rotate Objects...", "Select All;Rotate Objects...=30"},
    {"Rotate Plan...", "Rotate Plan...=30"},
    {"Move Objects...", "Select All;Move Objects...=30,12"},
    {"Move Plan...", "Move Plan...=36,0"},
    {"Set Elevation...", "Select All;Set Elevation...=24"},
    {"Smooth", "Select All;Smooth=3"},
    {"Float Above Topography", "Select All;Float Above Topography"},
    {"Move to Plan", "select 13;Move to Plan=Deck Plan"},
    {"Group", "select 13,32;Group", kLeft},
    {"Ungroup", "Select All;Group;Select All;Ungroup", kLeft},
    {"Duplicate", "Select All;Duplicate"},
    {"Ceiling Builder", "wall 7052 -300,-400 -100,-400;wall 7052 -100,-400 -100,-200;wall 7052 -100,-200 -300,-200;"
                        "wall 7052 -300,-200 -300,-400;select 49;Ceiling Builder=all"},
    {"Door Pane", "select 4;Door Pane=doorWidthText=34", kLeft},
};
// The kinds the detail pane converts shapes to, in one shape or another.
const std::vector<int32_t>& Conversions() {
    static const std::vector<int32_t> kinds = [] {
        std::set<int32_t> out;
        for (const bool closed : {true, false}) {
            ConversionFacts any;
            (closed ? any.allOpen : any.allClosed) = false;
            for (const ConversionItem& item : ConversionMenuItems(any))
                if (item.tag) out.insert(item.tag);
        }
        return std::vector<int32_t>(out.begin(), out.end());
    }();
    return kinds;
}
// A shape each conversion takes: an open line for a path, a rectangle opened to close again, a
// rectangle for the rest.
std::string ConvertedShape(int32_t command) {
    switch (command) {
    case convertcmd::kPath: return "wall 7702 -300,-400 -150,-300";
    case convertcmd::kClosedPolygon: return "rect -300,-400,-150,-300;select new 1;convert shapes 10077";
    default: return "rect -300,-400,-150,-300";
    }
}

class CommandWalk : public CommandTable {
protected:
    // The design the walk starts from, opened as a user's file is.
    void Start(bool house) {
        house_ = house;
        onlyEnabled = false;
        if (house) {
            const std::string path = Path("house.pro");
            std::filesystem::copy_file(DVX_TEST_DESIGNS "/furnished-house.pro", path,
                                       std::filesystem::copy_options::overwrite_existing);
            Run("New");
            ASSERT_TRUE(c->readDesignIntoDocument(d, path));
        } else {
            OpenFurnished();
        }
        onlyEnabled = true;
        Read();
    }

    // A read (Open, New, Undo, Redo) leaves the design as read: nothing the commands left is
    // held any more.
    void Read() { held_.clear(), leftOut.clear(), readSet.clear(), flipped_.clear(); }
    // The state of the current undo slot, with what is held now. A read shows every floor it
    // reads (a layer record's visible flag is set on), so an Undo or Redo after View Working
    // Floor Only shows them all again: the state is kept with every floor shown.
    void Keep() {
        std::vector<uint8_t> shown;
        for (Layer* l = d->model()->itsLayers; l; l = l->next) shown.push_back(l->visible), l->visible = 1;
        kept_[d->model()->itsCurrentUndo] = {Capture(), leftOut, readSet, d->model()->itsDocState->lotRect};
        size_t i = 0;
        for (Layer* l = d->model()->itsLayers; l; l = l->next) l->visible = shown[i++];
    }
    // After a command: a stored step's state kept, with the settings before and after it, the
    // slots it passed over forgotten.
    void Stored(int32_t before) {
        const int32_t now = d->model()->itsCurrentUndo;
        if (now == before) return;
        for (int32_t s = before % 25 + 1; s != now; s = s % 25 + 1) kept_.erase(s), steps_.erase(s), plantAges_.erase(s);
        if (now == before % 25 + 1) steps_[now] = {settingsBefore_, *d->model()->itsDocState};
        else steps_.erase(now);
        if (now == before % 25 + 1) plantAges_[now] = {plantAgeBefore_, d->model()->itsMaximumPlantAge};
        else plantAges_.erase(now);
        // A position for each step stored (a drawing and its conversion are two).
        line_.resize(at_ + 1);
        for (int32_t s = before; s != now; s = s % 25 + 1) line_.push_back(++positions_), ++at_;
        Keep();
        ++edits_;
    }
    // Copies the named settings field (every element of an array) from one record to another.
    static void CopySettingsField(const DocState& from, DocState& to, const std::string& name) {
        const auto fields = DocStateFields();
        for (size_t i = 0; i < fields.size(); ++i) {
            const size_t end = i + 1 < fields.size() ? fields[i + 1].offset : sizeof(DocState);
            if (name == fields[i].name && end > fields[i].offset)
                std::memcpy(DocStateFieldAddress(&to, fields[i]), DocStateFieldAddress(&from, fields[i]), end - fields[i].offset);
        }
    }

    // The settings fields a restore keeps that are no view's: what no step stores but the
    // design file holds (the lot, the north angle, the snap offset, the tool defaults, ...).
    static const std::set<std::string>& KeptFields() {
        static const std::set<std::string> names = [] {
            DocState none{}, all{}, kept{}, view{};
            std::memset(&all, 1, sizeof all);
            all.units = none.units, all.planScaleChoice = none.planScaleChoice;
            std::memcpy(all.traceImagePath, none.traceImagePath, sizeof all.traceImagePath);
            KeepUnstoredSettings(all, kept, true);
            KeepViewSettings(all, view);
            const auto byStore = SettingsDiffering(kept, none), byView = SettingsDiffering(view, none);
            std::set<std::string> out(byStore.begin(), byStore.end());
            for (const std::string& v : byView) out.erase(v);
            return out;
        }();
        return names;
    }
    // The walk's own record of the changed mark: the line of steps (each stored step a new
    // position, a step after an Undo cutting what could be redone), the position and the kept
    // settings the design had when last saved or read.
    void NoteRead() {
        line_ = {++positions_}, at_ = 0;
        NoteSaved();
    }
    void NoteSaved() { savedAt_ = line_[at_], savedSettings_ = *d->model()->itsDocState; }
    void CheckMark(const std::string& label) {
        std::vector<std::string> kept;
        for (const std::string& f : SettingsDiffering(*d->model()->itsDocState, savedSettings_))
            if (KeptFields().count(f)) kept.push_back(f);
        const bool differs = line_[at_] != savedAt_ || !kept.empty();
        if (d->isDocumentEdited() != differs)
            ADD_FAILURE() << label << ": the design is " << (differs ? "not " : "") << "marked changed, but it "
                          << (differs ? "differs from" : "is") << " what it last saved or read"
                          << (line_[at_] != savedAt_ ? " (another undo position)" : "")
                          << (kept.empty() ? "" : " (" + kept.front() + " set)");
    }
    // Another design read, or the same read again: the slots' states and the mark start over.
    void Based() {
        kept_.clear(), Keep();
        NoteRead();
    }

    // The top-level objects a user can click: on shown, active floors.
    static bool Clickable(const Layer* l) { return l && l->visible && l->active; }
    std::vector<Objex*> Clickable(const std::function<bool(Objex*)>& which) {
        std::vector<Objex*> out;
        for (Layer* l = d->model()->itsLayers; l; l = l->next)
            if (Clickable(l))
                for (Objex* o = l->firstObject; o; o = o->next)
                    if (which(o)) out.push_back(o);
        return out;
    }

    // One step drawn at random, as a line the replay reads.
    std::string Draw() {
        const auto pick = [&](size_t n) { return size_t(rng_() % n); };
        const auto ids = [&](std::vector<Objex*> from, size_t n) {
            std::string out;
            for (size_t i = 0; i < n && !from.empty(); ++i) {
                const size_t k = pick(from.size());
                out += (out.empty() ? "" : ",") + std::to_string(from[k]->objectID);
                from.erase(from.begin() + long(k));
            }
            return out;
        };
        const int roll = int(pick(100));
        if (roll < 30) {
            const auto all = Clickable([](Objex*) { return true; });
            switch (pick(12)) {
            case 0: return "select none";
            case 1: return "Select All";
            case 2: {
                const auto parents = Clickable([](Objex* o) { return o->firstChild != nullptr; });
                return parents.empty() ? "select none" : "select " + ids(parents, 1 + pick(3));
            }
            case 3: {
                std::vector<Objex*> skylights;
                for (Objex* roof : Clickable([](Objex* o) { return objtype::IsRoof(o->type); }))
                    for (Objex* s = roof->firstChild; s; s = s->next)
                        if (s->type == objtype::kSkylight) skylights.push_back(s);
                return skylights.empty() ? "select none" : "select " + ids(skylights, 1);
            }
            case 4: {
                const auto walls = Clickable([](Objex* o) { return o->type == objtype::kWall && o->pointCount >= 2; });
                if (walls.empty()) return "select none";
                Objex* wall = walls[pick(walls.size())];
                return "marquee " + std::to_string(wall->objectID) + ":" + std::to_string(pick(2) ? 0 : wall->pointCount - 1);
            }
            case 5: case 6: return all.empty() ? "select none" : "select " + ids(all, 2 + pick(4));
            case 7: {
                // A door, window or wall component clicked alone.
                std::vector<Objex*> openings;
                for (Objex* wall : Clickable([](Objex* o) { return o->type == objtype::kWall; }))
                    for (Objex* c = wall->firstChild; c; c = c->next)
                        if (objtype::IsAttachment(c->type)) openings.push_back(c);
                return openings.empty() ? "select none" : "select " + ids(openings, 1);
            }
            case 8: {
                // One point of a shape (a roof, deck, fence, region, detail shape, ...).
                const auto shapes = Clickable([](Objex* o) { return o->type != objtype::kGroup && o->pointCount >= 2; });
                if (shapes.empty()) return "select none";
                Objex* o = shapes[pick(shapes.size())];
                return "marquee " + std::to_string(o->objectID) + ":" + std::to_string(pick(size_t(o->pointCount)));
            }
            case 9: {
                // Shift and a click on one of an object's points: in or out of the selection.
                const auto shapes = Clickable([](Objex* o) { return o->pointCount >= 1; });
                if (shapes.empty()) return "select none";
                Objex* o = shapes[pick(shapes.size())];
                return "shift-click " + std::to_string(o->objectID) + ":" + std::to_string(pick(size_t(o->pointCount)));
            }
            case 10: {
                // The Delete Point tool clicked on a point of an object of the floor worked on,
                // a selected one when any is.
                Layer* floor = d->model()->itsCurLayer;
                std::vector<Objex*> shapes, selected;
                for (Objex* o = Clickable(floor) ? floor->firstObject : nullptr; o; o = o->next)
                    if (o->type != objtype::kGroup && o->pointCount >= 2)
                        (IsAnyObjectSelected(o) ? selected : shapes).push_back(o);
                if (!selected.empty()) shapes = selected;
                if (shapes.empty()) return "select none";
                Objex* o = shapes[pick(shapes.size())];
                return "rpoint " + std::to_string(o->objectID) + ":" + std::to_string(pick(size_t(o->pointCount)));
            }
            default: return all.empty() ? "select none" : "select " + ids(all, 1);
            }
        }
        if (roll < 40) return "Undo*" + std::to_string(1 + (pick(3) ? 0 : pick(12) ? pick(4) : pick(30)));
        if (roll < 45) return "Redo";
        if (roll < 47) {
            if (pick(3)) return "Save and Open";
            // Saved, then undone past the save, and a step or a setting after it.
            static const char* const kAfter[] = {"Nudge Up", "Snap Offset=24", "Navigation Speed=6", "Redo"};
            return "Save;Undo*" + std::to_string(1 + pick(3)) + ";" + kAfter[pick(std::size(kAfter))];
        }
        if (roll < 48) return pick(2) ? "New" : "New empty";
        if (roll < 49) return "Revert to Saved";
        if (roll < 50) return "Open other";
        if (roll < 52) {
            // An area's outline tool (floors, decks, roofs, their cut-outs) clicked twice from the
            // middle of something shown (a roof for the dormer cut-out), then Escape.
            const int16_t tools[] = {7062, 7063, 7600, 7601, 7606, 7306, 7309};
            const int16_t tool = tools[pick(std::size(tools))];
            const auto on = Clickable([&](Objex* o) { return o->pointCount > 0 && (tool != 7309 || objtype::IsRoof(o->type)); });
            if (on.empty()) return "select none";
            const FloatRect& b = on[pick(on.size())]->bounds;
            const long h = std::lround((b.floatLeft + b.floatRight) / 2), dd = std::lround((b.floatTop + b.floatBottom) / 2);
            return "outline " + std::to_string(tool) + " " + std::to_string(h) + "," + std::to_string(dd) + " " +
                   std::to_string(h + 20 + long(pick(180))) + "," + std::to_string(dd);
        }
        if (roll < 55) return DrawGround();
        if (roll < 58) return DrawWalls() + ";Save and Compare";
        if (roll < 61) return DrawReshape();
        if (roll < 64) return DrawMaker() + ";Save and Compare";
        // A command of the list, but for those the walk reaches otherwise.
        const auto& commands = Commands();
        for (;;) {
            const Command& c = commands[pick(commands.size())];
            const std::string name = c.name;
            if (name == "Undo" || name == "Redo" || name == "Save As..." || name == "Open..." || name == "New" ||
                name == "Revert to Saved" || name == "Select All")
                continue;
            // The framing view turned on around a step and off again.
            if (name == "Framing View") return name + ";" + Draw() + ";" + name;
            const std::string drawn = c.values.empty() ? name : name + "=" + c.values[pick(c.values.size())];
            // Copies are saved and read back at once now and then.
            const bool copies = name == "Duplicate" || name == "Copy to Upper Floor" || name == "Copy to Lower Floor";
            return copies && pick(2) ? drawn + ";Save and Compare" : drawn;
        }
    }

    // The ground changed by clicks around an object (one standing on the ground when any does):
    // a Straight-Edge Topography region or a property line drawn, or a rectangle converted to
    // a topography region; the live view hidden or shown; and, on purpose, objects floated
    // above the topography, their floor hidden by View Working Floor Only on another, and the
    // ground changed under them there.
    std::string DrawGround() {
        const auto pick = [&](size_t n) { return size_t(rng_() % n); };
        if (pick(4) == 0) return hidden_ ? "Show LiveView" : "Hide LiveView";
        auto on = Clickable([](Objex* o) { return o->type == objtype::kGroup && o->onTerrain; });
        if (on.empty()) on = Clickable([](Objex* o) { return o->type == objtype::kGroup; });
        if (on.empty()) on = Clickable([](Objex* o) { return o->pointCount > 0; });
        if (on.empty()) return "Hide LiveView";
        Objex* o = on[pick(on.size())];
        UpdateObjectBounds(o);
        const Float3DRect& b = o->bounds3D;
        const float h = (b.floatLeft + b.floatRight) / 2, dd = (b.floatBack + b.floatFront) / 2;
        const float w = float(40 + pick(200)), deep = float(40 + pick(200));
        const std::string rect = std::to_string(int(h - w)) + "," + std::to_string(int(dd - deep)) + "," +
                                 std::to_string(int(h + w)) + "," + std::to_string(int(dd + deep));
        static const char* const kFloors[] = {"First Floor", "Second Floor", "Third Floor"};
        const Layer* floor = GetRootObject(o)->layer;
        switch (pick(4)) {
        case 0: return "draw topo " + rect;
        case 1: return "draw line " + rect;
        case 2: return "convert topo " + rect;
        default:
            for (const char* other : kFloors)
                if (std::strcmp(other, floor->name) && pick(2))
                    return "select " + std::to_string(o->objectID) + ";Float Above Topography;Working Floor=" + other +
                           ";View Working Floor Only;draw topo " + rect + ";View All Floors";
            return "draw topo " + rect;
        }
    }
    // An object of the floor worked on resized by a drag of one of its points with the Resize
    // tool, or given a point in the middle of a segment by the Insert Point tool; or rectangles
    // drawn about an object shown, selected together and converted at once. Now and then the
    // design is saved and read back right after.
    std::string DrawReshape() {
        const auto pick = [&](size_t n) { return size_t(rng_() % n); };
        const std::string compare = pick(2) ? ";Save and Compare" : "";
        if (pick(4) == 0) {
            const auto on = Clickable([](Objex* o) { return o->pointCount > 0; });
            if (on.empty()) return "select none";
            const FloatRect& b = on[pick(on.size())]->bounds;
            const long h = std::lround((b.floatLeft + b.floatRight) / 2), dd = std::lround((b.floatTop + b.floatBottom) / 2);
            const size_t count = 2 + pick(2);
            std::string steps;
            for (size_t k = 0; k < count; ++k) {
                const long left = h - 40 - long(pick(120)), top = dd - 40 - long(pick(120));
                steps += "rect " + std::to_string(left) + "," + std::to_string(top) + "," +
                         std::to_string(left + 30 + long(pick(150))) + "," + std::to_string(top + 30 + long(pick(150))) + ";";
            }
            // Every kind the detail pane converts to.
            const int32_t target = Conversions()[pick(Conversions().size())];
            return steps + "select new " + std::to_string(count) + ";convert shapes " + std::to_string(target) + compare;
        }
        Layer* floor = d->model()->itsCurLayer;
        std::vector<Objex*> shapes;
        for (Objex* o = Clickable(floor) ? floor->firstObject : nullptr; o; o = o->next)
            if (o->type != objtype::kGroup && o->pointCount >= 2) shapes.push_back(o);
        if (shapes.empty()) return "select none";
        Objex* o = shapes[pick(shapes.size())];
        const std::string id = std::to_string(o->objectID);
        const std::string at = id + ":" + std::to_string(pick(size_t(o->pointCount)));
        if (pick(2)) return "ipoint " + at + compare;
        const long dh = long(pick(81)) - 40, dd = long(pick(81)) - 40;
        return "select " + id + (pick(3) ? ";resize " : ";rotate ") + at + " " + std::to_string(dh) + "," + std::to_string(dd) +
               compare;
    }
    // A maker of kMakers drawn about an object shown (those whose steps name no object), or a
    // shape drawn there and converted to any kind.
    std::string DrawMaker() {
        const auto pick = [&](size_t n) { return size_t(rng_() % n); };
        const auto on = Clickable([](Objex* o) { return o->pointCount > 0; });
        if (on.empty()) return "select none";
        const FloatRect& b = on[pick(on.size())]->bounds;
        const long dh = std::lround((b.floatLeft + b.floatRight) / 2) + 300 - long(pick(200)),
                   dd = std::lround((b.floatTop + b.floatBottom) / 2) + 400 - long(pick(200));
        // Those made by gestures at plan places alone.
        const auto placed = [](const Maker& m) {
            for (const std::string& step : Split(m.steps, ';')) {
                const std::string verb = step.substr(0, step.find(' '));
                if (verb != "wall" && verb != "tool3" && verb != "clicks" && verb != "text" && verb != "rect") return false;
            }
            return true;
        };
        std::vector<const Maker*> free;
        for (const Maker& m : kMakers)
            if (placed(m)) free.push_back(&m);
        if (pick(3) == 0) {
            const int32_t target = Conversions()[pick(Conversions().size())];
            return Shifted(ConvertedShape(target), dh, dd) + ";select new 1;convert shapes " + std::to_string(target);
        }
        return Shifted(free[pick(free.size())]->steps, dh, dd);
    }
    // The steps' places ("h,d" and "h1,d1,h2,d2") moved by (dh, dd).
    static std::string Shifted(const std::string& steps, long dh, long dd) {
        if (steps.find(';') != std::string::npos) {
            std::string out;
            for (const std::string& step : Split(steps, ';')) out += (out.empty() ? "" : ";") + Shifted(step, dh, dd);
            return out;
        }
        std::string out;
        for (const std::string& word : Split(steps, ' ')) {
            std::vector<std::string> numbers = Split(word, ',');
            const bool place = numbers.size() % 2 == 0 && std::all_of(numbers.begin(), numbers.end(), [](const std::string& n) {
                return n.find_first_not_of("-0123456789") == std::string::npos;
            });
            std::string moved = word;
            if (place) {
                moved.clear();
                for (size_t i = 0; i < numbers.size(); ++i)
                    moved += (i ? "," : "") + std::to_string(std::stol(numbers[i]) + (i % 2 ? dd : dh));
            }
            out += (out.empty() ? "" : " ") + moved;
        }
        return out;
    }
    // Walls of the floor worked on drawn or changed by a drag, each then saved and compared:
    // "wall TOOL h,d h,d" an Exterior or Interior Wall tool dragged (from a free end, which
    // extends the wall, or on empty plan near it); "segdrag ID:k dh,dd" the segment from the
    // wall's point k dragged with the selection tool (the wall selected first); "attach TOOL ID:k dh,dd" a door, window,
    // accessory or wall component tool pressed on that segment (of a fence, the gate tool) and
    // dragged by (dh, dd) (OnSegment).
    std::string DrawWalls() {
        const auto pick = [&](size_t n) { return size_t(rng_() % n); };
        Layer* floor = d->model()->itsCurLayer;
        std::vector<Objex*> walls, fences;
        for (Objex* o = Clickable(floor) ? floor->firstObject : nullptr; o; o = o->next) {
            if (o->type == objtype::kWall && o->pointCount >= 2) walls.push_back(o);
            if (o->type == objtype::kFence && o->pointCount >= 2) fences.push_back(o);
        }
        const auto offset = [&] { return std::to_string(int(pick(121)) - 60); };
        const auto segment = [&](Objex* o) {
            return std::to_string(o->objectID) + ":" + std::to_string(pick(size_t(o->pointCount - (o->closed ? 0 : 1)))) +
                   ":" + std::to_string(10 + pick(81));
        };
        static const char* const kWallTools[] = {"7050", "7052", "7051", "7053"};
        const std::string tool = kWallTools[pick(std::size(kWallTools))];
        if (walls.empty()) return "wall " + tool + " 0,0 " + std::to_string(60 + pick(200)) + ",0";
        Objex* wall = walls[pick(walls.size())];
        switch (pick(4)) {
        case 0: {
            const Poinz* end = pick(2) ? wall->firstPoint : wall->firstPoint->next;
            while (!pick(2) && end->next) end = end->next;
            const long h = std::lround(end->position[0]), dd = std::lround(end->position[2]);
            const long run = 40 + long(pick(160)) * (pick(2) ? 1 : -1);
            const bool across = pick(2);
            return "wall " + tool + " " + std::to_string(h) + "," + std::to_string(dd) + " " +
                   std::to_string(across ? h : h + run) + "," + std::to_string(across ? dd + run : dd);
        }
        case 1: return "select " + std::to_string(wall->objectID) + ";segdrag " + segment(wall) + " " + offset() + "," + offset();
        default: {
            // The tools of kMakers pressed on a wall's segment. (No fixed component: the walk's
            // program loads no symbol files to drop.)
            std::vector<int16_t> tools;
            for (const Maker& m : kMakers)
                if (std::strncmp(m.steps, "attach ", 7) == 0 && !std::strchr(m.steps, ';'))
                    tools.push_back(int16_t(std::atoi(m.steps + 7)));
            if (!fences.empty() && !pick(4)) return "attach 7506 " + segment(fences[pick(fences.size())]) + " " + offset() + ",0";
            return "attach " + std::to_string(tools[pick(tools.size())]) + " " + segment(wall) + " " + offset() + "," +
                   offset();
        }
        }
    }
    // "ID:k[:percent] dh,dd": on the segment from the object's point k, the percent of its
    // length along (the middle when none is given), and the pointer moved from there by (dh, dd).
    std::pair<QPoint, QPoint> OnSegment(const std::string& what, const std::string& by) {
        const auto [o, p] = PointOf(what);
        if (!o || !p) return {};
        const Poinz* q = p->next ? p->next : o->firstPoint;
        const auto part = Split(what, ':');
        const float t = part.size() > 2 ? std::stof(part[2]) / 100 : 0.5f;
        const float h = p->position[0] + t * (q->position[0] - p->position[0]);
        const float dd = p->position[2] + t * (q->position[2] - p->position[2]);
        const auto move = Split(by, ',');
        return {ViewPoint(h, dd), ViewPoint(h + std::stof(move.at(0)), dd + std::stof(move.at(1)))};
    }
    QPoint PlanPlace(const std::string& hd) {
        const auto at = Split(hd, ',');
        return ViewPoint(std::stof(at.at(0)), std::stof(at.at(1)));
    }
    void WallStep(const std::string& step) {
        const auto part = Split(step, ' ');
        if (part.size() < 3) return ADD_FAILURE() << "a tool or object and places wanted: " << step;
        if (part[0] == "wall" || part[0] == "tool3") {
            gCurTool = int16_t(std::stoi(part[1]));
            Drag(PlanPlace(part.at(2)), PlanPlace(part.at(3)));
            if (part[0] == "tool3" && TrackerLoopOpen()) {
                QMDDocumentView* view = w->docView();
                const QPoint at = PlanPlace(part.at(4));
                QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
                QApplication::sendEvent(view, &move);
                QTest::mouseClick(view, Qt::LeftButton, {}, at);
            }
            QApplication::processEvents();
            // A typed-length wall tool's new segment: its length sheet taken as it comes.
            SheetWith([](QWidget*) {});
        } else if (part[0] == "clicks") {
            std::vector<std::pair<float, float>> points;
            for (size_t i = 2; i < part.size(); ++i) {
                const auto at = Split(part[i], ',');
                points.push_back({std::stof(at.at(0)), std::stof(at.at(1))});
            }
            Clicks(int16_t(std::stoi(part[1])), points);
        } else if (part[0] == "text") {
            // The Text tool clicked, the words typed into its sheet, OK.
            gCurTool = toolid::kText;
            QTest::mouseClick(w->docView(), Qt::LeftButton, {}, PlanPlace(part[1]));
            QApplication::processEvents();
            const std::string words = step.substr(step.find(' ', step.find(' ') + 1) + 1);
            SheetWith([&](QWidget* sheet) {
                if (auto* text = sheet->findChild<QPlainTextEdit*>("textView")) text->setPlainText(QString::fromStdString(words));
            });
        } else if (part[0] == "segdrag") {
            const auto [from, to] = OnSegment(part[1], part.at(2));
            gCurTool = toolid::kSelect;
            if (from != to) Drag(from, to);
        } else {
            const auto [from, to] = OnSegment(part.at(2), part.at(3));
            gCurTool = int16_t(std::stoi(part[1]));
            Drag(from, to);
            // A swinging door takes its swing from the next press.
            if (TrackerLoopOpen()) QTest::mouseClick(w->docView(), Qt::LeftButton, {}, to + QPoint(0, 30));
            QApplication::processEvents();
        }
        gCurTool = toolid::kSelect;
    }
    // With the tool, a click at each plan point, as the mouse makes them without a drag; then
    // Escape, which ends an outline still open.
    void Clicks(int16_t tool, const std::vector<std::pair<float, float>>& points) {
        QMDDocumentView* view = w->docView();
        gCurTool = tool;
        for (const auto& [h, dd] : points) {
            const QPoint at = ViewPoint(h, dd);
            QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(view, &move);
            QTest::mouseClick(view, Qt::LeftButton, {}, at);
        }
        QTest::keyClick(view, Qt::Key_Escape);
        QApplication::processEvents();
        gCurTool = toolid::kSelect;
    }
    // "draw topo|draw line|convert topo h1,d1,h2,d2".
    void DrawOnTheGround(const std::string& step) {
        const std::string kind = step.substr(0, step.rfind(' '));
        std::vector<float> c;
        for (const std::string& v : Split(step.substr(step.rfind(' ') + 1), ',')) c.push_back(std::stof(v));
        if (c.size() != 4) return ADD_FAILURE() << "four coordinates wanted: " << step;
        if (kind == "draw topo") return Clicks(7512, {{c[0], c[1]}, {c[2], c[1]}, {c[2], c[3]}, {c[0], c[3]}});
        if (kind == "draw line") return Clicks(7500, {{c[0], c[1]}, {c[2], c[1]}, {c[2], c[3]}});
        // A rectangle dragged with its tool, then its pane's conversion to a topography region.
        DrawRectangle(c);
        ConvertSelection(convertcmd::kTopography);
    }
    // The Rectangle tool dragged from corner to corner ("h1,d1,h2,d2" in plan units).
    void DrawRectangle(const std::vector<float>& c) {
        if (c.size() != 4) return ADD_FAILURE() << "four coordinates wanted";
        gCurTool = toolid::kRectangle;
        Drag(ViewPoint(c[0], c[1]), ViewPoint(c[2], c[3]));
        gCurTool = toolid::kSelect;
    }
    // The selected shapes converted by the detail pane's pop-up, when it offers the command.
    void ConvertSelection(int32_t command) {
        InspectorUpdatePropertiesState(1);
        auto* pane = InspectorPaneRegistry::sharedInspectorController("DetailObjectInspectorController");
        auto* popUp = pane ? pane->inspectorView()->findChild<TaggedPopUp*>("conversionPopUpButton") : nullptr;
        const int item = popUp ? popUp->findData(command) : -1;
        if (item >= 0 && popUp->isEnabled()) popUp->setCurrentIndex(item), emit popUp->activated(item);
    }
    // "ID:k": the Insert Point tool clicked in the middle of the object's segment from point k.
    void InsertPointAt(const std::string& what) {
        const auto [o, p] = PointOf(what);
        const Poinz* end = p ? (p->next ? p->next : o->firstPoint) : nullptr;
        if (!end || end == p) return;
        gCurTool = toolid::kInsertPoint;
        const QPoint at = ViewPoint((p->position[0] + end->position[0]) / 2, (p->position[2] + end->position[2]) / 2);
        QTest::mouseClick(w->docView(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
        gCurTool = toolid::kSelect;
    }
    // "ID:k dh,dd": with the Resize tool (or the one given), point k of the object dragged by
    // (dh, dd) plan units.
    void ResizeAt(const std::string& what, int16_t tool = toolid::kResize) {
        const auto part = Split(what, ' ');
        const auto [o, p] = PointOf(part.at(0));
        const auto by = Split(part.at(1), ',');
        if (!p) return;
        const float h = p->position[0], dd = p->position[2];
        gCurTool = tool;
        Drag(ViewPoint(h, dd), ViewPoint(h + std::stof(by.at(0)), dd + std::stof(by.at(1))));
        gCurTool = toolid::kSelect;
    }

    // Only the objects of the IDs selected, any depth, the panes told.
    void SelectIDs(const std::string& list) {
        SelectAllLayers(d->model()->itsLayers, selmode::kDeselect, 0);
        for (const std::string& id : Split(list, ','))
            if (Objex* o = ByID(uint32_t(std::stoul(id))); o && Clickable(GetRootObject(o)->layer))
                SelectObj(o, selmode::kSelect, 0);
        gCurTool = toolid::kSelect;
        InspectorUpdatePropertiesState(1);
    }
    // Only the newest top-level objects of the floor worked on (the highest IDs), as many as given.
    void SelectNewest(size_t count) {
        std::vector<uint32_t> newest;
        for (Objex* o = d->model()->itsCurLayer ? d->model()->itsCurLayer->firstObject : nullptr; o; o = o->next)
            newest.push_back(o->objectID);
        std::sort(newest.rbegin(), newest.rend());
        std::string list;
        for (size_t k = 0; k < count && k < newest.size(); ++k) list += std::to_string(newest[k]) + ",";
        if (std::getenv("DVX_WALK_TRACE")) std::fprintf(stderr, "newest: %s\n", list.c_str());
        SelectIDs(list);
    }
    // The object of "ID:point" and that point (the last when it has fewer).
    std::pair<Objex*, Poinz*> PointOf(const std::string& what) {
        const auto part = Split(what, ':');
        Objex* o = ByID(uint32_t(std::stoul(part.at(0))));
        if (!o) return {};
        Poinz* p = o->firstPoint;
        for (long k = std::stol(part.at(1)); k > 0 && p && p->next; --k) p = p->next;
        return {o, p};
    }
    // At zoom 1, the plan view point over a plan position.
    QPoint ViewPoint(float h, float dd) {
        d->model()->itsDocState->zoomFactor = 1;
        QMDDocumentView* view = w->docView();
        return QPoint(int(std::lround(h - view->boundsOrigin().x)), int(std::lround(dd - view->boundsOrigin().y)));
    }
    // A press at `from`, four moves and the release at `to` in the plan view.
    void Drag(QPoint from, QPoint to) {
        QMDDocumentView* view = w->docView();
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        for (int i = 1; i <= 4; ++i) {
            const QPoint p = from + (to - from) * i / 4;
            QMouseEvent move(QEvent::MouseMove, p, view->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(view, &move);
        }
        QTest::mouseRelease(view, Qt::LeftButton, {}, to);
        QApplication::processEvents();
    }
    // A marquee dragged with the select tool around one point of the object, from off it: an
    // open object's end away from its neighbour, another point away from the object's middle.
    void Marquee(const std::string& what) {
        const auto [o, end] = PointOf(what);
        if (!o || !end || o->pointCount < 2) return;
        float uh = 0, ud = 0;
        if (!o->closed && (end == o->firstPoint || !end->next)) {
            Poinz* other = end == o->firstPoint ? end->next : end->prev;
            uh = end->position[0] - other->position[0], ud = end->position[2] - other->position[2];
        } else {
            float mh = 0, md = 0;
            for (Poinz* p = o->firstPoint; p; p = p->next) mh += p->position[0], md += p->position[2];
            uh = end->position[0] - mh / float(o->pointCount), ud = end->position[2] - md / float(o->pointCount);
        }
        const float length = std::hypot(uh, ud);
        if (length < 1e-3f) return;
        uh /= length, ud /= length;
        SelectAllLayers(d->model()->itsLayers, selmode::kDeselect, 0);
        gCurTool = toolid::kSelect;
        const auto at = [&](float h, float dd) { return ViewPoint(h, dd); };
        const float reach = 24;
        const QPoint from = at(end->position[0] + reach * (uh - ud), end->position[2] + reach * (ud + uh));
        const QPoint to = at(end->position[0] - 0.4f * reach * uh + reach * ud, end->position[2] - 0.4f * reach * ud - reach * uh);
        Drag(from, to);
    }
    // A click of the tool on the object's point (the select tool with Shift, the Delete Point
    // tool), then the select tool again.
    void ClickPoint(const std::string& what, int16_t tool, Qt::KeyboardModifiers keys) {
        const auto [o, p] = PointOf(what);
        if (!o || !p) return;
        gCurTool = tool;
        QTest::mouseClick(w->docView(), Qt::LeftButton, keys, ViewPoint(p->position[0], p->position[2]));
        QApplication::processEvents();
        gCurTool = toolid::kSelect;
    }
    // "tool h,d h,d": the tool chosen on the Drawing Tools, a click at each plan point (the
    // pointer moved there first), Escape; then the Selection tool chosen again.
    void Outline(const std::string& what) {
        const auto part = Split(what, ' ');
        const int tool = std::stoi(part.at(0));
        PlanToolPaletteController* palette = PlanToolPaletteController::shared();
        int16_t plan = 0;
        while (plan < 8 && !palette->toolButtons(plan)->hasTag(tool)) ++plan;
        palette->loadToolPaletteForPlan(plan);
        palette->toolButtons(plan)->clickCell(tool, 1);
        if (gCurTool != tool) palette->toolButtons(plan)->clickCell(tool, 1);  // that click let it go
        QMDDocumentView* view = w->docView();
        for (size_t i = 1; i < part.size(); ++i) {
            const auto hd = Split(part[i], ',');
            const QPoint at = ViewPoint(std::stof(hd.at(0)), std::stof(hd.at(1)));
            QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(view, &move);
            QTest::mouseClick(view, Qt::LeftButton, {}, at);
        }
        QTest::keyClick(view, Qt::Key_Escape);
        QApplication::processEvents();
        ToolPaletteController::shared()->toolButtons()->clickCell(toolid::kSelect, 1);
    }
    // Held with what the commands left: the fillers of a standard skylight turned over, by a
    // flip since the last read or before it (its flip flags set), which a read builds from its
    // outline mirrored by those flags, under the top-level object that holds it
    // (kSkylightFillers).
    static bool HoldsSkylight(const Objex* o, bool flippedOnly) {
        for (const Objex* c = o->firstChild; c; c = c->next) {
            const RoofAttachmentRecord* r =
                c->typeData.kind == TypeDataKind::RoofAttachment ? c->typeData.roofAttachment : nullptr;
            if (c->type == objtype::kSkylight && r && (!flippedOnly || r->flipFlags[0] || r->flipFlags[1])) return true;
            if (HoldsSkylight(c, flippedOnly)) return true;
        }
        return false;
    }
    // Whether the object or one inside it was turned over (a roof turned inside a group, then
    // ungrouped, or one grouped after it was turned).
    bool Flipped(const Objex* o) const {
        if (flipped_.count(o->objectID)) return true;
        for (const Objex* c = o->firstChild; c; c = c->next)
            if (Flipped(c)) return true;
        return false;
    }
    std::vector<SceneDifference> Held() {
        std::vector<SceneDifference> out = held_;
        // An edging's blocks draw a random height at every build, a read's too.
        out.push_back({-1, objtype::kEdging, objtype::kEdging, SceneDifference::Placed});
        for (Layer* l = d->model()->itsLayers; l; l = l->next)
            for (Objex* o = l->firstObject; o; o = o->next)
                if (Flipped(o) || HoldsSkylight(o, true)) {
                    SceneDifference fillers = kSkylightFillers;
                    fillers.rootType = -1, fillers.root = o->objectID;
                    out.push_back(fillers);
                }
        return out;
    }
    // The objects holding a skylight that the command turned over, and the copies it made
    // while any was turned (a copy carries its source's fillers as they are): the top-level
    // object and each one inside it that holds a skylight, which an Ungroup brings to the top.
    void NoteFlipped(Command::Flips flips, uint32_t firstNew) {
        const std::function<void(const Objex*)> note = [&](const Objex* o) {
            if (!HoldsSkylight(o, false)) return;
            flipped_.insert(o->objectID);
            for (const Objex* c = o->firstChild; c; c = c->next) note(c);
        };
        for (Layer* l = d->model()->itsLayers; l; l = l->next)
            for (Objex* o = l->firstObject; o; o = o->next) {
                const bool turned = flips == Command::Flips::Plan ||
                                    (flips == Command::Flips::Selection && IsAnyObjectSelected(o));
                const bool copied = !flipped_.empty() && o->objectID >= firstNew;
                if (turned || copied) note(o);
            }
    }

    // One Undo or Redo, then the design against the state its slot kept.
    void Step(bool undo, const std::string& label) {
        QUndoStack* stack = d->undoStack();
        if (undo ? !stack->canUndo() : !stack->canRedo()) return;
        const DocState before = *d->model()->itsDocState;
        const int16_t ageBefore = d->model()->itsMaximumPlantAge;
        const int32_t from = d->model()->itsCurrentUndo;
        Run(undo ? "Undo" : "Redo");
        if (d->model()->itsCurrentUndo != from) at_ = undo ? at_ - std::min<size_t>(at_, 1) : std::min(at_ + 1, line_.size() - 1);
        Read();
        restored_ = true;
        // Of the settings a command sets without a step, what the step crossed set goes back
        // with its Undo and comes again with its Redo; the rest stand as they stood, the lot
        // but with a snapshot that names another topography file, the working elevation but
        // as a restore gives it with the floor worked on.
        const DocState& now = *d->model()->itsDocState;
        if (const auto crossed = steps_.find(undo ? from : d->model()->itsCurrentUndo); crossed != steps_.end()) {
            const auto& [stepBefore, stepAfter] = crossed->second;
            DocState want = before;
            std::set<std::string> stepSet;
            for (const std::string& field : SettingsDiffering(stepAfter, stepBefore))
                stepSet.insert(field), CopySettingsField(undo ? stepBefore : stepAfter, want, field);
            const bool sameTopo = std::strncmp(before.topoFilePath, now.topoFilePath, sizeof now.topoFilePath) == 0;
            std::set<std::string> wrong;
            for (const std::string& field : SettingsDiffering(now, want))
                if (KeptFields().count(field) && (field != "lotRect" || sameTopo)) wrong.insert(field);
            for (const std::string& field : wrong)
                ADD_FAILURE() << label << ": the settings field " << field
                              << (stepSet.count(field) ? " is not as the step crossed left it" : ", which no step stored, was not kept");
        }
        // The largest plant age, which no snapshot holds: as the crossed step left it.
        if (const auto crossed = plantAges_.find(undo ? from : d->model()->itsCurrentUndo); crossed != plantAges_.end()) {
            const int16_t want = d->model()->itsCurrentUndo == from ? ageBefore
                                 : undo                             ? crossed->second.first
                                                                    : crossed->second.second;
            if (d->model()->itsMaximumPlantAge != want)
                ADD_FAILURE() << label << ": the largest plant age is " << d->model()->itsMaximumPlantAge << ", not " << want;
        }
        const auto kept = kept_.find(d->model()->itsCurrentUndo);
        EXPECT_TRUE(DesignWhole(d->model(), label));
        if (kept == kept_.end()) return Keep();  // a slot the walk passed over: kept from now on
        leftOut = kept->second.leftOut, readSet = kept->second.readSet;
        UndoState got = Capture(), want = kept->second.state;
        // A lot set since (its sheet stores no step, a restore keeps it) moved the ground: what
        // stands on it stands where that ground now lies.
        if (std::memcmp(&kept->second.lot, &now.lotRect, sizeof now.lotRect) != 0)
            LeaveOutStandingOnGround(got), LeaveOutStandingOnGround(want);
        EXPECT_TRUE(SameUndoState(got, want, label));
        leftOut.clear(), readSet.clear();
    }

    // Runs one step and checks what it left.
    void Take(const std::string& step, const std::string& label) {
        // As the program does before it takes an input: a step the walk starts with none (a
        // pop-up set by its signal) takes no setting made before it for its own.
        NoteSettingsSetWithoutStep(d->model());
        const int32_t before = d->model()->itsCurrentUndo;
        settingsBefore_ = *d->model()->itsDocState;
        plantAgeBefore_ = d->model()->itsMaximumPlantAge;
        refused = false;
        if (step == "Check Summary") return CheckSummary(label);
        // The step before stored one.
        if (step == "Check Made") {
            if (!lastStored_) ADD_FAILURE() << label << ": the step before stored no step";
            return;
        }
        if (step == "Check Scene") {
            edits_ = 0;
            if (hidden_) Take("Show LiveView", label);
            // A read shows no framing view: turned off, as a user would to compare.
            if (d->model()->itsDocState->framingView) Take("Framing View", label);
            CheckScene(label, Held());
            return;
        }
        // A step that reads no other design (nor the one saved) and stores no undo step leaves
        // every object as it was.
        const bool reads = step == "New" || step == "New empty" || step == "Save and Open" || step == "Save and Compare" ||
                           step == "Revert to Saved" || step == "Open other" ||
                           step.rfind("Undo*", 0) == 0 || step == "Redo";
        const ObjectRecords objects = reads ? ObjectRecords{} : CaptureObjects();
        const DesignRecords records = reads ? DesignRecords{} : CaptureRecords();
        // What the step is for when it stores nothing: a selection's summary, a sheet's value.
        std::vector<std::string> sets = {"ss", "ss40"};
        const uint32_t firstNew = d->model()->itsDocState->nextObjectID;
        if (step == "Hide LiveView" || step == "Show LiveView") {
            // As the LiveView button shows it: built whole when an edit left it to be.
            hidden_ = step == "Hide LiveView";
            RegisterLiveView(!hidden_);
            if (!hidden_ && gRenderOnShow) RenderAllLayers();
        } else if (step.rfind("draw ", 0) == 0 || step.rfind("convert topo ", 0) == 0) {
            DrawOnTheGround(step);
            Stored(before);
        } else if (step.rfind("wall ", 0) == 0 || step.rfind("segdrag ", 0) == 0 || step.rfind("attach ", 0) == 0 ||
                   step.rfind("tool3 ", 0) == 0 || step.rfind("clicks ", 0) == 0 || step.rfind("text ", 0) == 0) {
            WallStep(step);
            Stored(before);
        } else if (step == "select none") {
            SelectIDs("");
        } else if (step.rfind("select new ", 0) == 0) {
            SelectNewest(size_t(std::stoul(step.substr(11))));
        } else if (step.rfind("select ", 0) == 0) {
            SelectIDs(step.substr(7));
        } else if (step.rfind("marquee ", 0) == 0) {
            Marquee(step.substr(8));
            Stored(before);  // a press that found an object moves it
        } else if (step.rfind("shift-click ", 0) == 0) {
            ClickPoint(step.substr(12), toolid::kSelect, Qt::ShiftModifier);
            Stored(before);
        } else if (step.rfind("rpoint ", 0) == 0) {
            ClickPoint(step.substr(7), toolid::kRemovePoint, {});
            Stored(before);
        } else if (step.rfind("outline ", 0) == 0) {
            Outline(step.substr(8));
            Stored(before);
        } else if (step.rfind("ipoint ", 0) == 0) {
            InsertPointAt(step.substr(7));
            Stored(before);
        } else if (step.rfind("resize ", 0) == 0) {
            ResizeAt(step.substr(7));
            Stored(before);
        } else if (step.rfind("rotate ", 0) == 0) {
            ResizeAt(step.substr(7), toolid::kRotate);
            Stored(before);
        } else if (step.rfind("rect ", 0) == 0) {
            std::vector<float> c;
            for (const std::string& v : Split(step.substr(5), ',')) c.push_back(std::stof(v));
            DrawRectangle(c);
            Stored(before);
        } else if (step.rfind("convert shapes ", 0) == 0) {
            ConvertSelection(std::stoi(step.substr(15)));
            Stored(before);
        } else if (step == "Revert to Saved" || step == "Open other") {
            // Over unsaved changes, Revert reverts and Open does not save them.
            const bool edited = d->isDocumentEdited();
            if (step == "Revert to Saved") {
                Run("Revert to Saved");
            } else {
                if (edited) alerts.answer(1);
                Run("Open...", Path("other.pro"));
            }
            if (!refused && (edited || step == "Open other")) Read(), Based();
        } else if (step == "Save") {
            // Saved as it stands: the mark goes, the undo line stays.
            Run("Save");
            if (!refused) NoteSaved();
        } else if (step.rfind("Undo*", 0) == 0) {
            for (int i = std::stoi(step.substr(5)); i > 0 && !Failing(); --i) Step(true, label);
            return;
        } else if (step == "Redo") {
            return Step(false, label);
        } else if (step == "Save and Open" || step == "Save and Compare") {
            // Compared: the design read holds every object saved, and no other, as saved. Held:
            // what the commands left as a read does not, and the members of a group in a group,
            // which the read makes the top group's.
            const std::vector<ReadSetField> held = readSet;
            ObjectRecords saved = CaptureObjects(held);
            NameNestedMembersByTopGroup(saved);
            Run("Save As...");
            Run("Open...");
            if (step == "Save and Compare") EXPECT_TRUE(SameObjects(CaptureObjects(held), saved, label));
            Read();
            Based();
        } else if (step == "New" || step == "New empty") {
            // New, then the walk's design again, or the new design left empty to edit and paste
            // into.
            Run("New");
            EXPECT_TRUE(DesignWhole(d->model(), label));
            if (step == "New") Start(house_);
            Read();
            Based();
        } else {
            const size_t eq = step.find('=');
            const std::string name = step.substr(0, eq), value = eq == std::string::npos ? "" : step.substr(eq + 1);
            const Command* command = nullptr;
            for (const Command& c : Commands())
                if (name == c.name) command = &c;
            ASSERT_TRUE(command) << "no command named " << name;
            sets.insert(sets.end(), command->sets.begin(), command->sets.end());
            const size_t alerted = alerts.shown.size();
            Run(command->name, value);
            // What the order of the command's own steps leaves differing, held until a read.
            for (SceneDifference k : command->known) {
                if (k.fromRoot == ReadSetField::kMadeByTheStep) k.fromRoot = firstNew;
                held_.push_back(k);
            }
            if (d->model()->itsCurrentUndo != before) NoteFlipped(command->flips, firstNew);
            leftOut.insert(leftOut.end(), command->undoLeftOut.begin(), command->undoLeftOut.end());
            for (ReadSetField f : command->readSet) {
                if (f.fromID == ReadSetField::kMadeByTheStep) f.fromID = firstNew;
                readSet.push_back(f);
            }
            // Known: a wall or roof removes the doors, windows or skylights that no longer fit
            // it, with this alert; one that was selected stays in the selection's summary
            // (ss40), which the commands that moved it do not count again and a restore
            // recounts from the design.
            for (size_t i = alerted; i < alerts.shown.size(); ++i)
                if (alerts.shown[i].alert.message == "One or more components have been removed.") leftOut.push_back("ss40");
            Stored(before);
        }
        EXPECT_TRUE(DesignWhole(d->model(), label));
        if (!reads && d->model()->itsCurrentUndo == before) {
            ObjectRecords now = CaptureObjects(), then = objects;
            if (std::count(sets.begin(), sets.end(), kOnTheGround)) LeaveOutStandingOnGround(now), LeaveOutStandingOnGround(then);
            EXPECT_TRUE(SameObjects(now, then, label));
            const bool floors = std::find(sets.begin(), sets.end(), "floors") != sets.end();
            EXPECT_TRUE(SameRecords(CaptureRecords(), records, label, sets, floors));
        }
    }
    // The selection's summary (ss40) against a recount of the selection, as a restore makes it.
    void CheckSummary(const std::string& label) {
        DocState* ds = d->model()->itsDocState;
        const DocState was = *ds;
        ClearSelectionState40(ds, &ds->ss40);
        TopLevelObjectAllLayers(d->model()->itsLayers, cmd::kElevationSummary, ds);
        const DocState recounted = *ds;
        ds->ss40 = was.ss40;
        const auto differing = SettingsDiffering(recounted, was);
        if (std::count(differing.begin(), differing.end(), "ss40"))
            ADD_FAILURE() << label << ": the selection's summary (ss40) is not what a recount of the selection gives";
    }
    // Whether the scene check is due: some edits made. The check builds the live view again,
    // so a replay checks where the walk it replays checked, at its "Check Scene" steps.
    bool SceneDue() const { return edits_ >= 6; }

    // A walk of the steps given, or drawn from the seed when none are.
    void Walk(unsigned seed, int steps, bool house, std::vector<std::string> given = {}) {
        failedBefore_ = Failed();
        // Nothing copied yet, as in a program just started: a walk replays alone as it ran
        // after others.
        std::vector<uint8_t>().swap(gPrivateScrap);
        gPasteOffset = 0;
        rng_.seed(seed);
        // Another design than the start, to open over it: the furnished house for walks of the
        // furnished design, and that design for walks of the house.
        if (house) {
            OpenFurnished();
            std::filesystem::copy_file(Path("start.pro"), Path("other.pro"), std::filesystem::copy_options::overwrite_existing);
        } else {
            std::filesystem::copy_file(DVX_TEST_DESIGNS "/furnished-house.pro", Path("other.pro"),
                                       std::filesystem::copy_options::overwrite_existing);
        }
        Start(house);
        edits_ = 0;
        Based();
        const bool drawn = given.empty();
        std::vector<std::string> taken;
        hidden_ = false;
        std::vector<std::string> pending;  // the rest of a step drawn as several
        // Some seeds start with the live view hidden, as the program starts.
        if (drawn && seed % 3 == 2) pending.push_back("Hide LiveView");
        for (int i = 0; drawn ? i < steps : i < int(given.size()); ++i) {
            if (drawn && pending.empty()) {
                pending = Split(Draw(), ';');
                std::reverse(pending.begin(), pending.end());
            }
            std::string step = drawn ? pending.back() : given[size_t(i)];
            if (drawn) pending.pop_back();
            taken.push_back(step);
            restored_ = false;
            const int32_t slot = d->model()->itsCurrentUndo;
            Take(step, "walk " + std::to_string(seed) + " step " + std::to_string(i + 1) + " (" + step + ")");
            if (step != "Check Made") lastStored_ = d->model()->itsCurrentUndo != slot;
            if (!Failing()) CheckMark("walk " + std::to_string(seed) + " step " + std::to_string(i + 1) + " (" + step + ")");
            // Due, or now and then right after a restore.
            if (drawn && !Failing() && (SceneDue() || (restored_ && rng_() % 4 == 0))) {
                taken.push_back("Check Scene");
                Take(taken.back(), "walk " + std::to_string(seed) + " step " + std::to_string(i + 1) + " (Check Scene)");
            }
            if (std::getenv("DVX_WALK_TRACE")) {
                // The step, the undo slot and the floors (name, shown, active) it left.
                std::string t = step + ": slot " + std::to_string(d->model()->itsCurrentUndo);
                for (Layer* l = d->model()->itsLayers; l; l = l->next)
                    t += std::string(", ") + l->name + " " + std::to_string(l->visible) + std::to_string(l->active);
                std::fprintf(stderr, "%s\n", t.c_str());
            }
            if (Failing()) break;
        }
        if (Failing()) {
            std::string list = house ? "house|" : "furnished|";
            for (const std::string& s : taken) list += s + ";";
            std::ofstream(Path("walk-failed.txt")) << list << "\n";
            ADD_FAILURE() << "the walk of seed " << seed << " failed at step " << taken.size() << " of "
                          << (house ? "the furnished house" : "the furnished design")
                          << "; replay with\n  DVX_WALK_REPLAY='" << list << "'";
        }
        onlyEnabled = false;
        RegisterLiveView(true), hidden_ = false;
        Run("New");
    }

    // Failures so far in this test, so that one walk's failure ends only that walk.
    static int Failed() {
        const ::testing::TestResult* r = ::testing::UnitTest::GetInstance()->current_test_info()->result();
        int n = 0;
        for (int i = 0; i < r->total_part_count(); ++i) n += r->GetTestPartResult(i).failed();
        return n;
    }
    bool Failing() const { return Failed() > failedBefore_; }

    // "house|step;step;..." or "furnished|...".
    void Replay(const std::string& text) {
        const size_t bar = text.find('|');
        Walk(0, 0, text.substr(0, bar) == "house", Split(text.substr(bar + 1), ';'));
    }

    std::mt19937 rng_;
    int failedBefore_ = 0;
    bool house_ = false;
    int edits_ = 0;
    bool restored_ = false;  // the step was an Undo or Redo that restored a snapshot
    bool lastStored_ = false;  // the step before stored an undo step
    bool hidden_ = false;    // the live view hidden
    std::vector<SceneDifference> held_;
    std::set<uint32_t> flipped_;  // objects turned over since the last read
    struct Kept {
        UndoState state;
        std::vector<std::string> leftOut;
        std::vector<ReadSetField> readSet;
        FloatRect lot;  // the lot then, which no step stores
    };
    std::map<int32_t, Kept> kept_;  // by undo slot
    // The settings before and after the step stored in a slot, and before the step taken now.
    std::map<int32_t, std::pair<DocState, DocState>> steps_;
    DocState settingsBefore_{};
    // The largest plant age before and after the step stored in a slot, and before the step
    // taken now.
    std::map<int32_t, std::pair<int16_t, int16_t>> plantAges_;
    int16_t plantAgeBefore_ = 0;
    // The changed mark's record (NoteRead).
    std::vector<uint64_t> line_{0};
    size_t at_ = 0;
    uint64_t positions_ = 0, savedAt_ = 0;
    DocState savedSettings_{};
};

// Walks kept as they were cut down from the seeds that found them.
const char* const kKept[] = {
    // A deck turned by 30 degrees, then nudged: its railing's faces, whose first corners lie
    // within the scene check's rounding of each other, were paired across in either order.
    "house|select 17;Rotate Objects...=30;Nudge Up;Check Scene",
    // An entire plan turned a quarter: its imported objects' point lengths, which a read
    // measures again from the turned points.
    "house|Rotate Plan...=90;Bring to Front;Undo*1",
    // A wall with a window grouped with another object, then the plan turned: the grouped
    // room's floor and ceiling, and the window moved with its wall, as a read shows them.
    "furnished|select 28,1;Group;Rotate Plan...=30;Check Scene",
    // A wall grouped with another object, then nudged: its window, door and component stayed
    // where they stood until a read put them back into the wall.
    "furnished|select 1,28;Group;Nudge Down;Nudge Down;Undo*1",
    // Objects grouped: the selection's summary, which a restore counts for the group.
    "furnished|Select All;Group;Undo*1;Redo",
    // A skylight nudged off its roof, which removes it while it is selected.
    "furnished|select 23;Nudge Down;Nudge Down;select 22;Nudge Up;Undo*1",
    // A group of imported objects flipped, then rebuilt by the plan's turn: their faces mapped
    // along the lengths measured before the flip.
    "house|select 32,53;Flip Vertical;select 2;Move Objects...=120,0;Rotate Plan...=90;Check Scene",
    // Imported objects duplicated: the copies' point lengths, measured where the source stands.
    "house|Flip Plan Vertical;Save and Open;Select All;Duplicate;Nudge Up;Undo*1",
    // A wall dimension's probe meets only the walls of its floor's own list: it kept its length
    // to where the wall before it stood when that wall came back onto the floor ungrouped,
    // moved down from the floor above, or brought to the front from there.
    "furnished|select 34,36;Group;Nudge Down;Ungroup;Undo*1;Redo",
    "furnished|select 34;Move to Upper Floor;Working Floor=Second Floor;select 34;Nudge Down;Move to Lower Floor;Undo*1;Redo",
    "furnished|select 34;Move to Upper Floor;select 34;Nudge Down;Bring to Front;Undo*1;Redo",
    // A skylight alone cut while the other floors are shown but not active: the cut deselects
    // it, the summary still the skylight's until the next command's step is restored.
    "furnished|Working Floor=Third Floor;View Working Floor Only;Save and Open;select 23;Cut;Move to Lower Floor;Set Elevation...=82;Undo*1",
    // One end of a wall copied: the copy selects the wall whole, the summary still the end's.
    "furnished|marquee 32:0;Copy;Nudge Left;Nudge Left;Undo*1",
    // A roof copied, then a door alone mirrored: the mirror's copy writes nothing for a door
    // alone, and it pasted the roof copied before onto its floor, with no step stored.
    "furnished|View Working Floor Only;select 22;Copy;New;select 5;Mirror Top to Bottom",
    // A roof duplicated: its skylight's filler planes stayed where the original's stand.
    "furnished|select 22;Duplicate;Check Scene",
    // Everything selected, then a click on a wall's corner, a handle: the selection was resized
    // to where the pointer stood, no move made.
    "furnished|select 18,1,22;Select All;shift-click 40:1;Check Scene",
    // A wall along the plan's axis flipped across it, then its end dragged back onto itself:
    // the flip left its points at -0, which the drag wrote as 0 with no step stored.
    "furnished|Open other;wall 7050 0,0 179,0;Flip Plan Vertical;select 70;resize 70:0 1,34",
    // The lot and the north angle, which their sheets set without a step: an Undo or Redo of
    // another step took them back.
    "house|Select All;Nudge Up;Lot Size...=174,345;Undo*1;Redo",
    "house|Select All;Nudge Up;True North Angle...=45;Undo*1;Redo",
    // A lot made smaller: the walls and roofs beyond it kept the corners of the lot before.
    "furnished|select 6,42;Rotate Plan...=180;Lot Size...=41,147;Check Scene",
    // The ceiling builder on a straight wall: two-point slabs, which a read throws away, and the
    // wall selected again by a Redo.
    "furnished|select 32;Ceiling Builder=all;Undo*1;Redo",
    // The Delete Point tool on a corner of a floor in a turned plan: its faces stayed mapped over
    // the outline before.
    "house|Working Floor=Second Floor;Rotate Plan...=-45;select 13;rpoint 13:2;Check Scene",
    // Smoothed: a roof's skylight kept the filler planes of its straight outline, and curved ones
    // (as a read makes them) were mapped by the move alone; imported objects kept the faces and
    // row lengths of their straight outlines.
    "furnished|select 22;Smooth=3;Move Plan...=36,0;Check Scene",
    "house|Select All;Smooth=10;Check Scene",
    "furnished|select 32;Ceiling Builder=all;Save and Compare",
    // The outline tools of areas ended after two clicks: floors, decks, roofs and their
    // cut-outs of two points, which a read throws away.
    "furnished|outline 7062 100,100 300,100;outline 7063 100,100 300,100;outline 7600 100,100 300,100;"
    "outline 7601 100,100 300,100;outline 7606 100,100 300,100;outline 7306 100,100 300,100;"
    "Working Floor=Third Floor;outline 7309 200,250 260,250;Undo*1;Redo;Save and Compare",
    // A roof turned over inside a group, then ungrouped: its skylight's fillers, held under the
    // group while it stood, part from a read's under the roof.
    "furnished|Flip Plan Vertical;select 22,72,32;Group;Flip Vertical;Paste;Flip Plan Vertical;Save and Open;Select All;"
    "Flip Vertical;Ungroup;Check Scene",
    // Groups of imported objects standing on the ground, flipped or turned: the walk built each
    // group, dropping it onto the ground under its old place, before its members turned, and a
    // read dropped it where it then stood (the next Undo moved its points too).
    "furnished|Open other;Select All;Copy;New;Paste;Flip Vertical;Float Above Topography;Save and Open;Select All;Flip Horizontal;Check Scene",
    "house|Select All;Float Above Topography;Copy;Open other;Flip Plan Horizontal;Rotate Plan...=90;Move Plan...=-60,-12;Move Plan...=0,84;Rotate Plan...=180;Flip Plan Vertical;Rotate Plan...=180;Paste;Rotate Plan...=30;Check Scene",
    // Objects floated above the topography, then the ground raised under them with the live
    // view hidden, or with their floor hidden: they stood where they were until the live view
    // or the floor was shown, which moved them with no step (and a save before wrote them so).
    "house|Select All;Float Above Topography;Hide LiveView;draw topo -900,-900,900,900;Show LiveView;Check Scene",
    "house|Select All;Float Above Topography;Working Floor=Second Floor;View Working Floor Only;draw topo -900,-900,900,900;"
    "View All Floors;Check Scene",
    "furnished|Open other;Flip Plan Horizontal;Working Plan=Plumbing Plan;Rotate Plan...=-45;select 36;Float Above Topography;"
    "Working Floor=Third Floor;View Working Floor Only;draw topo 682,-312,970,37;View All Floors",
    // A lot size places again what stands on the ground, with no step.
    "furnished|Open other;Flip Plan Horizontal;Select All;Float Above Topography;Working Plan=HVAC Plan;Select All;Copy;Paste;"
    "Paste;Paste;New;Paste;Paste;Ungroup;Lot Size...=174,345",
    // Then a step undone: its groups stand on the ground over the lot kept, not the lot before.
    "furnished|Open other;Flip Plan Horizontal;Select All;Float Above Topography;Working Plan=HVAC Plan;Select All;Copy;Paste;"
    "Paste;Paste;New;Paste;Paste;Lot Size...=174,345;Undo*1",
    // Walls duplicated with the live view hidden: showing it mapped their faces anew, a change
    // with no step.
    "furnished|Hide LiveView;select 12,7,1;Duplicate;Check Scene",
    // Tool defaults typed into the inspector with nothing selected, which store no step: the
    // Undo of the step before took them back.
    "furnished|select 18;Nudge Up;Wall Tool Defaults=wallHeightText=120;Door Tool Defaults=doorWidthText=40;"
    "Window Tool Defaults=windowTrimText=4;Deck Tool Defaults=deckHeightText=40;Undo*1;Redo",
    // A door's width typed with the door selected, a step that also sets the door tool's
    // default, after a width typed with nothing selected: its Undo kept the step's default.
    "furnished|select 4;Door Pane=doorWidthText=34;Undo*1;Redo",
    "furnished|select none;Door Pane=doorWidthText=40;select 4;Door Pane=doorWidthText=34;Undo*1;Redo",
    // A roof smoothed or turned, then nudged: its skylight's fillers kept the mapping from where
    // they stood; a skylight turned alone: the roof's refit set its fillers' heights unmapped.
    "furnished|select 22;Smooth=3;Nudge Right;Check Scene",
    "furnished|select 22;Rotate Objects...=45;Nudge Down;Check Scene",
    "house|Open other;select 23;Rotate Objects...=45;Check Scene",
    // A roof resized by a corner (moved first to a plan shown, where it can be clicked): its
    // openings were cut, and its skylight's fillers stood, where the skylight was before.
    "house|Open other;select 22;Move to Plan=Deck Plan;select 22;resize 22:0 -12,-28;Check Scene",
    // A curved path given a point, then that point straightened: its pieces were built with the
    // tension the sheet used, a read's with the one the design keeps.
    "furnished|ipoint 31:0;Smooth=0;Check Scene",
    // Excavations resized, given a point and copied: their depth bands stayed at the outline
    // before, or were missing from the copies, until a read.
    "furnished|rect 100,100,200,200;rect 150,150,260,230;select new 2;convert shapes 10076;select 49;resize 49:0 -20,-30;"
    "Check Scene;ipoint 50:1;Check Scene;select 50;Copy to Upper Floor;Duplicate;Check Scene;Save and Compare",
    // A region, a property line and a rectangle drawn: no face rectangles until a read.
    "house|draw topo -900,-900,900,900;draw line -300,-300,300,300;rect 100,100,200,160;Save and Compare",
    // Walls drawn with the wall tools, extended, dragged by a segment, and doors, windows,
    // accessories and components laid on them: each saved as a read of it gives.
    "furnished|wall 7050 -600,-600 -400,-600;wall 7052 -400,-600 -400,-400;Undo*1;Redo;Check Scene;Save and Compare",
    "furnished|select 32;segdrag 32:0 0,30;Save and Compare",
    "furnished|attach 7056 32:0:25 0,5;attach 7064 32:0:85 0,5;attach 7100 32:0:70 0,-20;attach 7203 32:0:50 0,0;"
    "select 32;segdrag 32:0:40 0,-20;Save and Compare",
    // A conversion set by the pane's pop-up with no input, after a scene check that turned the
    // framing view off: the conversion took the framing view for its own, and its Undo gave it
    // back.
    "furnished|Framing View;rect -720,-48,-648,83;Check Scene;convert shapes 10063;Undo*1",
    // Mirror, whose copy, paste and flip are parts of its one step: its Undo leaves the design
    // as read, unmarked.
    "furnished|select 13;Mirror Left to Right;Undo*1",
    // Saved, undone past the save, then a step or a setting: the design stays marked.
    "furnished|select 13;Nudge Up;Save;Undo*1;select 13;Nudge Up",
    "furnished|select 13;Nudge Up;Save;Undo*1;Snap Offset=24",
    "furnished|select 13;Nudge Up;Save;Undo*1;Navigation Speed=6;Nudge Up",
    "house|Select All;Nudge Up;Save;Undo*1;Redo;Snap Offset=6;Undo*1;Redo",
    // The framing view turned off after a step that built a staircase again while it was on:
    // the staircase stayed as built for the framing view.
    "house|Framing View;Select All;Nudge Up;Framing View;Check Scene",
    "house|Select All;Nudge Up;Framing View;Undo*1;Framing View;Check Scene",
    // A slope arrow or a deck's steps, which a read makes anew, selected by a step: its Redo
    // selected them no more.
    "furnished|select 48;Nudge Up;Undo*1;Redo",
    "furnished|select 51;Smooth=3;Undo*1;select 51;Nudge Up;Undo*1;Redo",
    "furnished|select 48;Rotate Objects...=45;Undo*1;select 48;Nudge Up;Undo*1;Redo",
    // A tall group standing on the ground, restored: placed again, its points moved by the
    // rounding of their own height.
    "furnished|Open other;Working Floor=Second Floor;draw topo -195,-891,38,-525;Rotate Objects...=-60;"
    "Undo*1;Save;Open other;Measurement Units...=Imperial;Select All;Nudge Down;Set Elevation...=24;"
    "Undo*1;Mirror Left to Right;Float Above Topography;Smooth=3;Rotate Objects...=45;Undo*1;Save;"
    "Revert to Saved;select 8;Move Objects...=30,12;select 76,8;Rotate Plan...=180;Plant Growth=right;"
    "Undo*2",
    // A group standing on the ground inside a group, placed again by a lot size.
    "house|select none;Rotate Plan...=180;convert topo -127,620,284,796;Move Plan...=0,84;"
    "Move Plan...=-60,-12;Save and Open;Rotate Plan...=90;Move Plan...=-60,-12;Select All;"
    "Float Above Topography;outline 7600 -10260,4839 -10237,4839;Rotate Plan...=180;select 19,1,32,53;"
    "Group;Flip Plan Horizontal;Move Plan...=36,0;Lot Size...=174,345",
    // Walls grouped with imported objects standing on the ground, the group pasted and placed on
    // the ground: the walls stood in the live view where they were built before the drop.
    "furnished|Open other;select 36,18,17;Duplicate;draw line -726,637,-248,727;Mirror Left to Right;"
    "Working Floor=Second Floor;draw topo -263,336,-25,720;select 8,47;Send to Back;Save;Save and Open;"
    "Select All;Group;Float Above Topography;Rotate Objects...=-60;Mirror Left to Right;Copy;Open other;"
    "Paste;Save;select 107,78,133;Mirror Left to Right;Paste;Check Scene",
};

TEST_F(CommandWalk, SeededWalksKeepTheDesignWholeUndoToTheirStepsAndShowWhatAReadShows) {
    if (const char* replay = std::getenv("DVX_WALK_REPLAY")) return Replay(replay);
    for (const char* kept : kKept) {
        SCOPED_TRACE(kept);
        Replay(kept);
    }
    if (const char* one = std::getenv("DVX_WALK_SEED")) {
        const auto part = Split(one, ':');
        const unsigned seed = unsigned(std::stoul(part.at(0)));
        return Walk(seed, part.size() > 1 ? std::stoi(part[1]) : kSteps, seed % 2);
    }
    for (unsigned seed : kSeeds) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Walk(seed, kSteps, seed % 2);
    }
    if (const char* more = std::getenv("DVX_WALK_MORE")) {
        const auto part = Split(more, 'x');
        const int seeds = std::stoi(part.at(0)), steps = part.size() > 1 ? std::stoi(part[1]) : kSteps;
        for (int k = 0; k < seeds; ++k) {
            const unsigned seed = 100 + unsigned(k);
            SCOPED_TRACE("seed " + std::to_string(seed));
            Walk(seed, steps, seed % 2);
        }
    }
}

// Each maker of kMakers, and Convert Object To of every target kind, on the furnished design:
// the selection's summary is what a recount gives, and a Save what a read gives, also after the
// step's Undo and Redo.
TEST_F(CommandWalk, EveryMakerLeavesItsObjectAsAReadGivesIt) {
    const auto run = [&](const std::string& what, const std::string& steps, Maker::Summary summary) {
        SCOPED_TRACE(what);
        Replay("furnished|" + steps + ";Check Made" + (summary == Maker::Summary::Counted ? ";Check Summary" : "") +
               ";Save and Compare");
        // Its Undo and Redo: the design as the step left it.
        Replay("furnished|" + steps + ";Undo*1;Redo;Save and Compare");
    };
    for (const Maker& m : kMakers) run(m.what, m.steps, m.summary);
    for (int32_t c : Conversions())
        run("Convert Object To " + std::to_string(c), ConvertedShape(c) + ";select new 1;convert shapes " + std::to_string(c),
            Maker::Summary::Counted);
}

// The VRML export written right after a step is the one written after its Undo and Redo, which
// build the whole scene afresh from the step's snapshot. The framing view's switch stores no step
// and changes no object: the scene it leaves is the same design built afresh for the view now
// shown, which an Undo and Redo of the step before it gives.
TEST_F(CommandWalk, TheVRMLExportAfterAStepIsTheOneAfterItsUndoAndRedo) {
    struct Row {
        bool house;
        const char* before;                // steps taken first
        std::vector<const char*> compared;  // each compared after its last step
    };
    const Row rows[] = {
        // Excavations resized and given a point: their depth bands at the new outline.
        {false, "rect 100,100,200,200;rect 150,150,260,230;select new 2;convert shapes 10076",
         {"select 49;resize 49:0 -20,-30", "ipoint 50:1"}},
        // An excavation copied to the floor above, that copy back below, and duplicated: the
        // copies' bands.
        {false, "rect 100,100,200,200;select new 1;convert shapes 10076",
         {"select new 1;Copy to Upper Floor", "Working Floor=Second Floor;select new 1;Copy to Lower Floor",
          "Working Floor=First Floor;select new 1;Duplicate"}},
        // The house's staircase nudged with the framing view on, then the view turned off: its
        // steps and rails as each view builds them.
        {true, "select STAIR;Nudge Up", {"Framing View", "select STAIR;Nudge Up", "Framing View"}},
    };
    // The file's header, then each shape's exact text, sorted: a rebuild puts an object's
    // pieces at the end of the scene, where a whole build keeps the design's order.
    const auto exported = [&] {
        const std::string path = Path("scene.wrl");
        ExportVRMLFile(path.c_str());
        std::vector<uint8_t> bytes;
        port::ReadWholeFile(path, bytes);
        const std::string text(bytes.begin(), bytes.end());
        std::vector<std::string> parts;
        for (size_t at = 0, next; at < text.size(); at = next) {
            next = text.find("Shape {", at + 1);
            parts.push_back(text.substr(at, next == std::string::npos ? next : next - at));
        }
        if (!parts.empty()) std::sort(parts.begin() + 1, parts.end());
        return parts;
    };
    for (const Row& row : rows) {
        std::vector<uint8_t>().swap(gPrivateScrap);
        gPasteOffset = 0;
        Start(row.house);
        Based();
        std::string stair;
        for (Objex* o : Clickable([](Objex* o) { return o->type == objtype::kStaircase; }))
            if (stair.empty()) stair = std::to_string(o->objectID);
        const auto take = [&](std::string steps) {
            for (size_t at; (at = steps.find("STAIR")) != std::string::npos;) steps.replace(at, 5, stair);
            for (const std::string& step : Split(steps, ';')) Take(step, std::string(row.before) + " | " + step);
            return steps;
        };
        take(row.before);
        for (const char* compared : row.compared) {
            failedBefore_ = Failed();  // each compared alone: an Undo is taken after a failure too
            const int32_t slot = d->model()->itsCurrentUndo;
            const std::string label = take(compared);
            // Each step but the view's switch stores one: the rows' objects are there.
            EXPECT_EQ(d->model()->itsCurrentUndo != slot, std::string(compared) != "Framing View") << label;
            const auto after = exported();
            Take("Undo*1", label), Take("Redo", label);
            const auto again = exported();
            std::vector<std::string> lost, gained;
            std::set_difference(after.begin(), after.end(), again.begin(), again.end(), std::back_inserter(lost));
            std::set_difference(again.begin(), again.end(), after.begin(), after.end(), std::back_inserter(gained));
            EXPECT_GT(after.size(), 1u) << label;
            EXPECT_TRUE(after == again) << label << ": " << after.size() << " parts after the step, " << again.size()
                                        << " after its Undo and Redo; " << lost.size() << " of them not there, "
                                        << gained.size() << " new\n" << (lost.empty() ? "" : lost[0]);
        }
        onlyEnabled = false;
        Run("New");
    }
}

}  // namespace
}  // namespace dvxtest
