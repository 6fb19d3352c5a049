#include "support/design_check.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <sstream>
#include <tuple>

#include "files/undo.h"
#include "model/docstate_fields.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/texture_mapping.h"
#include "model/topo_grid.h"
#include "model/type_data.h"
#include "scene/plane_object.h"
#include "scene/terrain.h"
#include "support/design_links.h"
#include "support/records.h"

namespace dvxtest {

namespace {
std::string Named(const Objex* o) {
    return "type " + std::to_string(o->type) + " (ID " + std::to_string(o->objectID) + ")";
}
}  // namespace

::testing::AssertionResult DesignWhole(const QMDDocumentModel* doc, const std::string& row) {
    const std::vector<std::string> faults = DesignLinkFaults(doc);
    if (faults.empty()) return ::testing::AssertionSuccess();
    ::testing::AssertionResult r = ::testing::AssertionFailure();
    r << "row \"" << row << "\": " << faults.size() << " broken link(s)";
    for (size_t i = 0; i < faults.size() && i < 12; ++i) r << "\n  " << faults[i];
    return r;
}

// --- undo ---

namespace {

// The named fields, cleared while the state is written and put back after.
class ReadSetFieldsLeftOut {
public:
    ReadSetFieldsLeftOut(QMDDocumentModel* doc, const std::vector<ReadSetField>& fields) : fields_(fields) {
        if (fields_.empty()) return;
        for (Layer* l = doc->itsLayers; l; l = l->next) list(l->firstObject);
    }
    ~ReadSetFieldsLeftOut() {
        for (Kept& k : kept_) {
            Objex* o = k.o;
            o->textureFaceRect = k.rect, o->textureFaceRect2 = k.rect2, o->faceAxis = k.axis, o->params[0] = k.first;
            size_t i = 0;
            for (Poinz* p = o->firstPoint; p && i < k.uv.size(); p = p->next, ++i) {
                p->textureU = k.uv[i].first, p->textureV = k.uv[i].second;
                p->rowLength = k.lengths[i].first, p->rowPerimeter = k.lengths[i].second;
            }
        }
    }
    ReadSetFieldsLeftOut(const ReadSetFieldsLeftOut&) = delete;
    ReadSetFieldsLeftOut& operator=(const ReadSetFieldsLeftOut&) = delete;

private:
    struct Kept {
        Objex* o;
        FloatRect rect, rect2;
        int16_t axis;
        float first;
        std::vector<std::pair<float, float>> uv, lengths;
    };
    void list(Objex* head) {
        for (Objex* o = head; o; o = o->next) object(o);
    }
    void object(Objex* o) {
        bool kept = false;
        for (const ReadSetField& f : fields_) {
            if (f.type != o->type && f.type != ReadSetField::kEveryType) continue;
            if (o->objectID < f.fromID) continue;
            if (!kept) {
                Kept k{o, o->textureFaceRect, o->textureFaceRect2, o->faceAxis, o->params[0], {}, {}};
                for (Poinz* p = o->firstPoint; p; p = p->next)
                    k.uv.emplace_back(p->textureU, p->textureV), k.lengths.emplace_back(p->rowLength, p->rowPerimeter);
                kept_.push_back(std::move(k));
                kept = true;
            }
            if (f.field == ReadSetField::PointLengths) {
                SetObjectPointLengths(o);
                continue;
            }
            if (f.field == ReadSetField::FirstParam) {
                // As a read sets it: unset, it takes the floor's height.
                if (o->params[0] < 0.5f && o->layer) o->params[0] = o->layer->height;
                continue;
            }
            for (Poinz* p = o->firstPoint; p; p = p->next) p->textureU = p->textureV = 0;
            o->textureFaceRect = o->textureFaceRect2 = FloatRect{};
            o->faceAxis = 0;
        }
        list(o->firstChild);
        const TypeData& td = o->typeData;
        if (td.kind == TypeDataKind::Attachment && td.attachment)
            for (Objex* l : td.attachment->customParts) list(l);
        else if (td.kind == TypeDataKind::RoofAttachment && td.roofAttachment)
            for (Objex* l : td.roofAttachment->partLists) list(l);
    }

    const std::vector<ReadSetField>& fields_;
    std::vector<Kept> kept_;
};

}  // namespace

UndoState CaptureUndoState(const std::string& scratch, const std::vector<std::string>& leftOut,
                           const std::vector<ReadSetField>& readSet) {
    UndoState s;
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !doc->itsDocState) return s;
    const ReadSetFieldsLeftOut set(doc, readSet);
    DocState* ds = doc->itsDocState;
    // What no step restores: the zooms and the tracking value (set by every restore), and the
    // ID counters, which a restore counts again from the objects it read.
    const DocState kept = *ds;
    // Nor how the design is looked at and what no step stores, which a restore keeps from
    // before it.
    if (DocState* defaults = CreateDocState()) {
        KeepUnstoredSettings(*defaults, *ds, true);
        DeleteDocState(defaults);
    }
    ds->zoomFactor = ds->savedZoom = ds->printZoom = 1, ds->trackingValue = 0;
    ds->nextObjectID = ds->nextPointID = 0;
    const auto fields = DocStateFields();
    for (size_t i = 0; i < fields.size(); ++i)
        for (const std::string& name : leftOut)
            if (name == fields[i].name) {
                const size_t end = i + 1 < fields.size() ? fields[i + 1].offset : sizeof(DocState);
                if (end > fields[i].offset) std::memset(DocStateFieldAddress(ds, fields[i]), 0, end - fields[i].offset);
            }
    s.settings = *ds;
    SaveState(scratch.c_str());
    *ds = kept;
    s.snapshot = ReadWholeFile(scratch);
    s.current = doc->itsCurLayer ? doc->itsCurLayer->name : "";
    // Objects of the terrain's own layer, if any, are named for it too.
    if (doc->itsTopoLayer)
        for (Objex* o = doc->itsTopoLayer->firstObject; o; o = o->next)
            s.objects[std::string("terrain: ") + Named(o)] = WrittenObject(o);
    for (const Layer* l = doc->itsLayers; l; l = l->next) {
        if (s.floor.empty() && l->visible && l->active) s.floor = l->name;
        // The selected points count: a restore selects what its step left selected, of the pieces
        // a read makes anew (a slope arrow, a deck's steps) too, which no snapshot holds.
        int objects = 0, selected = 0;
        // A group's record leaves its members to the brackets around them: each is named too.
        std::function<void(Objex*, const std::string&)> keep = [&](Objex* o, const std::string& in) {
            s.objects[std::string(l->name) + ": " + Named(o) + in] = WrittenObject(o);
            if (o->type == objtype::kGroup)
                for (Objex* m = o->firstChild; m; m = m->next) keep(m, " in " + Named(o));
        };
        for (Objex* o = l->firstObject; o; o = o->next) {
            ++objects, selected += SelectedPointCount(o);
            keep(o, "");
        }
        s.layers.push_back(std::string(l->name) + ": height " + std::to_string(l->height) + ", shown " +
                           std::to_string(l->visible) + ", active " + std::to_string(l->active) + ", " +
                           std::to_string(objects) + " objects, " + std::to_string(selected) + " selected points");
        std::string order = std::string(l->name) + " in order:";
        for (Objex* o = l->firstObject; o; o = o->next) order += " " + std::to_string(o->objectID);
        s.layers.push_back(order);
    }
    return s;
}

::testing::AssertionResult SameUndoState(const UndoState& got, const UndoState& want, const std::string& row) {
    if (got.snapshot == want.snapshot && got.current == want.floor) return ::testing::AssertionSuccess();
    ::testing::AssertionResult r = ::testing::AssertionFailure();
    r << "row \"" << row << "\": the design differs from the one the step left";
    if (got.current != want.floor) r << "\n  current floor " << got.current << ", wanted " << want.floor;
    const auto fields = DocStateFields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const size_t from = fields[i].offset;
        const size_t to = i + 1 < fields.size() ? fields[i + 1].offset : sizeof(DocState);
        if (to <= from || to > sizeof(DocState)) continue;
        if (std::memcmp(DocStateFieldAddress(&got.settings, fields[i]), DocStateFieldAddress(&want.settings, fields[i]),
                        to - from) != 0)
            r << "\n  settings field " << fields[i].name;
    }
    for (size_t i = 0; i < std::max(got.layers.size(), want.layers.size()); ++i) {
        const std::string g = i < got.layers.size() ? got.layers[i] : "-", w = i < want.layers.size() ? want.layers[i] : "-";
        if (g != w) r << "\n  " << g << ", wanted " << w;
    }
    for (const auto& [name, bytes] : want.objects) {
        const auto other = got.objects.find(name);
        if (other == got.objects.end()) {
            r << "\n  " << name << " is gone";
        } else if (other->second != bytes) {
            const auto [x, y] = std::mismatch(other->second.begin(), other->second.end(), bytes.begin(), bytes.end());
            r << "\n  " << name << " differs from byte " << (x - other->second.begin()) << " of its record";
        }
    }
    for (const auto& [name, bytes] : got.objects)
        if (!want.objects.count(name)) r << "\n  " << name << " is new";
    const auto [a, b] = std::mismatch(got.snapshot.begin(), got.snapshot.end(), want.snapshot.begin(), want.snapshot.end());
    if (a != got.snapshot.end() || b != want.snapshot.end())
        r << "\n  snapshot bytes differ from offset " << (a - got.snapshot.begin()) << " (" << got.snapshot.size() << " and "
          << want.snapshot.size() << " bytes)";
    return r;
}

std::vector<std::string> SettingsDiffering(const DocState& got, const DocState& want,
                                           const std::vector<std::string>& leftOut) {
    std::vector<std::string> out;
    const auto fields = DocStateFields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const size_t from = fields[i].offset;
        const size_t to = i + 1 < fields.size() ? fields[i + 1].offset : sizeof(DocState);
        if (to <= from || to > sizeof(DocState)) continue;
        if (std::find(leftOut.begin(), leftOut.end(), fields[i].name) != leftOut.end()) continue;
        if (std::memcmp(DocStateFieldAddress(&got, fields[i]), DocStateFieldAddress(&want, fields[i]), to - from) != 0 &&
            (out.empty() || out.back() != fields[i].name))
            out.push_back(fields[i].name);
    }
    return out;
}

DesignRecords CaptureRecords() {
    DesignRecords r;
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !doc->itsDocState) return r;
    r.settings = *doc->itsDocState;
    // How the design is looked at changes with no step (and a restore keeps it); the ID
    // counters and the tracking value are no part of the design.
    if (DocState* defaults = CreateDocState()) {
        KeepViewSettings(*defaults, r.settings);
        DeleteDocState(defaults);
    }
    r.settings.zoomFactor = r.settings.savedZoom = r.settings.printZoom = 1, r.settings.trackingValue = 0;
    r.settings.nextObjectID = r.settings.nextPointID = 0;
    for (const Layer* l = doc->itsLayers; l; l = l->next) {
        r.floors.push_back(std::string(l->name) + ": height " + std::to_string(l->height) + ", shown " +
                           std::to_string(l->visible) + ", active " + std::to_string(l->active));
        std::string order = std::string(l->name) + ":";
        for (const Objex* o = l->firstObject; o; o = o->next) order += " " + std::to_string(o->objectID);
        r.order.push_back(order);
    }
    return r;
}

::testing::AssertionResult SameRecords(const DesignRecords& got, const DesignRecords& want, const std::string& row,
                                       const std::vector<std::string>& fieldsFor, bool floorsFor) {
    const std::vector<std::string> fields = SettingsDiffering(got.settings, want.settings, fieldsFor);
    std::vector<std::string> floors;
    // By floor name; a step for the floors shows and activates them, and may add the empty
    // drawing floor of the one it works on.
    const auto byName = [](const std::vector<std::string>& list) {
        std::map<std::string, std::string> out;
        for (const std::string& f : list) out[f.substr(0, f.find(':'))] = f;
        return out;
    };
    const auto shownAndActiveOff = [](const std::string& f) { return f.substr(0, f.find(", shown")); };
    const auto gotFloors = byName(got.floors), wantFloors = byName(want.floors);
    const auto gotOrder = byName(got.order), wantOrder = byName(want.order);
    for (const auto& [name, g] : gotFloors) {
        const auto w = wantFloors.find(name);
        const bool emptyNew = gotOrder.count(name) && gotOrder.at(name) == name + ":";
        if (w == wantFloors.end() ? !(floorsFor && emptyNew) : floorsFor ? shownAndActiveOff(g) != shownAndActiveOff(w->second)
                                                                          : g != w->second)
            floors.push_back(g + ", wanted " + (w == wantFloors.end() ? "none" : w->second));
    }
    for (const auto& [name, w] : wantFloors)
        if (!gotFloors.count(name)) floors.push_back(name + " is gone");
    for (const auto& [name, w] : wantOrder)
        if (gotOrder.count(name) && gotOrder.at(name) != w) floors.push_back("objects of " + gotOrder.at(name) + ", wanted " + w);
    if (fields.empty() && floors.empty()) return ::testing::AssertionSuccess();
    ::testing::AssertionResult r = ::testing::AssertionFailure();
    r << "row \"" << row << "\": the settings or floors changed and no undo step was stored";
    for (const std::string& f : fields) r << "\n  settings field " << f;
    for (const std::string& f : floors) r << "\n  " << f;
    return r;
}

namespace {
// Each object's written record under `name`, a group's members named too.
void KeepObjects(const Layer* l, const std::string& floor, ObjectRecords& out) {
    std::function<void(Objex*, const std::string&)> keep = [&](Objex* o, const std::string& in) {
        out[floor + ": " + Named(o) + in] = WrittenObject(o);
        if (o->type == objtype::kGroup)
            for (Objex* m = o->firstChild; m; m = m->next) keep(m, " in " + Named(o));
    };
    for (Objex* o = l->firstObject; o; o = o->next) keep(o, "");
}
// Every point of the tree, its children's and the parts its records hold.
void ForEachPoint(Objex* head, const std::function<void(Poinz*)>& f) {
    for (Objex* o = head; o; o = o->next) {
        for (Poinz* p = o->firstPoint; p; p = p->next) f(p);
        ForEachPoint(o->firstChild, f);
        const TypeData& td = o->typeData;
        if (td.kind == TypeDataKind::Attachment && td.attachment)
            for (Objex* l : td.attachment->customParts) ForEachPoint(l, f);
        else if (td.kind == TypeDataKind::RoofAttachment && td.roofAttachment)
            for (Objex* l : td.roofAttachment->partLists) ForEachPoint(l, f);
    }
}
}  // namespace

ObjectRecords CaptureObjects(const std::vector<ReadSetField>& readSet) {
    ObjectRecords out;
    QMDDocumentModel* doc = gCurDocument;
    if (!doc) return out;
    const ReadSetFieldsLeftOut set(doc, readSet);
    std::vector<std::pair<Poinz*, uint8_t>> selected;
    const auto clear = [&](Poinz* p) {
        if (p->selected) selected.emplace_back(p, p->selected), p->selected = 0;
    };
    for (Layer* l = doc->itsLayers; l; l = l->next) ForEachPoint(l->firstObject, clear);
    if (doc->itsTopoLayer) ForEachPoint(doc->itsTopoLayer->firstObject, clear);
    if (doc->itsTopoLayer) KeepObjects(doc->itsTopoLayer, "terrain", out);
    for (const Layer* l = doc->itsLayers; l; l = l->next) KeepObjects(l, l->name, out);
    for (auto [p, flag] : selected) p->selected = flag;
    return out;
}

void NameNestedMembersByTopGroup(ObjectRecords& records) {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc) return;
    std::function<void(const Objex*, const std::string&, const Objex*)> rename = [&](const Objex* group,
                                                                                   const std::string& floor,
                                                                                   const Objex* top) {
        for (const Objex* m = group->firstChild; m; m = m->next) {
            if (group != top) {
                const auto at = records.find(floor + ": " + Named(m) + " in " + Named(group));
                if (at != records.end()) {
                    records[floor + ": " + Named(m) + " in " + Named(top)] = at->second;
                    records.erase(at);
                }
            }
            if (m->type == objtype::kGroup) rename(m, floor, top);
        }
    };
    for (const Layer* l = doc->itsLayers; l; l = l->next)
        for (const Objex* o = l->firstObject; o; o = o->next)
            if (o->type == objtype::kGroup) rename(o, l->name, o);
}

void LeaveOutStandingOnGround(ObjectRecords& records) {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc) return;
    // A group standing on the ground, at any depth of a group, with everything in it.
    std::function<void(const Objex*, const std::string&, const std::string&, bool)> drop =
        [&](const Objex* o, const std::string& floor, const std::string& in, bool grounded) {
            grounded = grounded || (o->type == objtype::kGroup && o->onTerrain);
            if (grounded) records.erase(floor + ": " + Named(o) + in);
            for (const Objex* m = o->firstChild; o->type == objtype::kGroup && m; m = m->next)
                drop(m, floor, " in " + Named(o), grounded);
        };
    for (const Layer* l = doc->itsLayers; l; l = l->next)
        for (const Objex* o = l->firstObject; o; o = o->next) drop(o, l->name, "", false);
}

void LeaveOutStandingOnGround(UndoState& state) {
    const ObjectRecords all = state.objects;
    LeaveOutStandingOnGround(state.objects);
    std::vector<const std::vector<uint8_t>*> cut;
    for (const auto& [name, bytes] : all)
        if (!state.objects.count(name)) cut.push_back(&bytes);
    // The longest first: a record that holds another's bytes goes whole.
    std::sort(cut.begin(), cut.end(), [](auto* a, auto* b) { return a->size() > b->size(); });
    for (const std::vector<uint8_t>* bytes : cut) {
        const auto at = std::search(state.snapshot.begin(), state.snapshot.end(), bytes->begin(), bytes->end());
        if (at != state.snapshot.end()) state.snapshot.erase(at, at + std::ptrdiff_t(bytes->size()));
    }
}

::testing::AssertionResult SameObjects(const ObjectRecords& got, const ObjectRecords& want, const std::string& row) {
    if (got == want) return ::testing::AssertionSuccess();
    ::testing::AssertionResult r = ::testing::AssertionFailure();
    r << "row \"" << row << "\": objects changed and no undo step was stored";
    for (const auto& [name, bytes] : want) {
        const auto other = got.find(name);
        if (other == got.end()) {
            r << "\n  " << name << " is gone";
        } else if (other->second != bytes) {
            const auto [x, y] = std::mismatch(other->second.begin(), other->second.end(), bytes.begin(), bytes.end());
            r << "\n  " << name << " differs from byte " << (x - other->second.begin()) << " of its record";
        }
    }
    for (const auto& [name, bytes] : got)
        if (!want.count(name)) r << "\n  " << name << " is new";
    return r;
}

// --- scene ---

bool ScenePiece::operator<(const ScenePiece& o) const {
    auto key = [](const ScenePiece& p) {
        std::vector<long> coarse;
        for (size_t i = 0; i < p.values.size() && i < 15; ++i) coarse.push_back(std::lround(p.values[i] * 2));
        return std::tuple(p.root, p.base, p.baseType, p.pieceKind, p.surfaceKind, p.values.size(), coarse);
    };
    return key(*this) < key(o);
}

std::vector<ScenePiece> CaptureScene() {
    std::vector<ScenePiece> out;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        ScenePiece s;
        Objex* base = p->baseObject;
        const Objex* root = base ? GetRootObject(base) : nullptr;
        s.root = root ? root->objectID : 0;
        s.base = base ? base->objectID : 0;
        s.baseType = base ? base->type : 0;
        s.rootType = root ? root->type : 0;
        s.pieceKind = p->pieceKind, s.surfaceKind = p->surfaceKind;
        for (const Plane* plane = p->planes; plane; plane = plane->next)
            for (uint32_t i = 0; i < plane->count; ++i) {
                const PlaneVertex& v = plane->vertices[i];
                s.values.insert(s.values.end(), {v.H, v.V, v.D, v.u, v.v});
            }
        out.push_back(std::move(s));
    }
    // The ground the pieces stand on, as one piece of its own: its heights over the lot.
    ScenePiece ground;
    ground.pieceKind = kGroundPiece;
    ground.values = {float(gTopoInUse), float(gTopoRowCnt), float(gTopoColumnCnt)};
    ground.values.insert(ground.values.end(), gTopographyGrid.begin(), gTopographyGrid.end());
    out.push_back(std::move(ground));
    std::sort(out.begin(), out.end());
    return out;
}

bool SceneDifference::covers(const ScenePiece& p, Side s) const {
    return s == side && (rootType < 0 || p.rootType == uint16_t(rootType)) &&
           (baseType < 0 || p.baseType == uint16_t(baseType)) && (pieceKind < 0 || p.pieceKind == pieceKind) &&
           (!root || p.root == root) && (!fromRoot || p.root >= fromRoot);
}

::testing::AssertionResult SameScene(const std::vector<ScenePiece>& live, const std::vector<ScenePiece>& readPieces,
                                     const std::string& row, const std::vector<SceneDifference>& known,
                                     int* knownFound, float tolerance) {
    std::vector<std::string> faults;
    int found = 0;
    const auto isKnown = [&](const ScenePiece& p, SceneDifference::Side side) {
        for (const SceneDifference& k : known)
            if (k.covers(p, side)) return ++found, true;
        return false;
    };
    auto name = [](const ScenePiece& p) -> std::string {
        if (p.pieceKind == kGroundPiece && !p.base) return "the ground (in use, rows, columns, heights)";
        return "piece kind " + std::to_string(p.pieceKind) + " of type " + std::to_string(p.baseType) + " (ID " +
               std::to_string(p.base) + ", root " + std::to_string(p.root) + ")";
    };
    size_t i = 0, j = 0;
    auto sameKey = [](const ScenePiece& a, const ScenePiece& b) {
        return std::tuple(a.root, a.base, a.pieceKind, a.values.size()) == std::tuple(b.root, b.base, b.pieceKind, b.values.size());
    };
    auto near = [&](const ScenePiece& a, const ScenePiece& b) {
        for (size_t k = 0; k < a.values.size(); ++k)
            if (!(std::fabs(a.values[k] - b.values[k]) <= tolerance) && !(std::isnan(a.values[k]) && std::isnan(b.values[k])))
                return false;
        return true;
    };
    // Pieces of one object whose first corners lie within the sort's rounding of each other
    // (the faces of one rail) sort in either order: each is paired with its like among them.
    std::vector<ScenePiece> read = readPieces;
    while (i < live.size() || j < read.size()) {
        if (i < live.size() && j < read.size() && sameKey(live[i], read[j])) {
            for (size_t m = j; !near(live[i], read[j]) && m < read.size() && sameKey(live[i], read[m]); ++m)
                if (near(live[i], read[m])) std::swap(read[j], read[m]);
            for (size_t k = 0; k < live[i].values.size(); ++k)
                if (!(std::fabs(live[i].values[k] - read[j].values[k]) <= tolerance) &&
                    !(std::isnan(live[i].values[k]) && std::isnan(read[j].values[k]))) {
                    const bool ground = live[i].pieceKind == kGroundPiece && !live[i].base;
                    if (!ground && k % 5 >= 3 && isKnown(live[i], SceneDifference::Textured)) continue;
                    if (isKnown(live[i], SceneDifference::Placed)) break;
                    const char* what[] = {"H", "V", "D", "u", "v"};
                    const std::string at = ground ? "value " + std::to_string(k)
                                                  : "vertex " + std::to_string(k / 5) + " " + what[k % 5];
                    faults.push_back(name(live[i]) + ": " + at + " " + std::to_string(live[i].values[k]) + " live, " +
                                     std::to_string(read[j].values[k]) + " read");
                    break;
                }
            ++i, ++j;
        } else if (j >= read.size() || (i < live.size() && live[i] < read[j])) {
            if (!isKnown(live[i], SceneDifference::LiveOnly)) faults.push_back(name(live[i]) + ": live only");
            ++i;
        } else {
            if (!isKnown(read[j], SceneDifference::ReadOnly)) faults.push_back(name(read[j]) + ": read only");
            ++j;
        }
    }
    if (knownFound) *knownFound = found;
    if (faults.empty()) return ::testing::AssertionSuccess();
    ::testing::AssertionResult r = ::testing::AssertionFailure();
    r << "row \"" << row << "\": the live scene (" << live.size() << " pieces) differs from the one read ("
      << read.size() << " pieces) in " << faults.size();
    for (size_t k = 0; k < faults.size() && k < 8; ++k) r << "\n  " << faults[k];
    // Past the first few, how many of each piece kind.
    std::map<std::string, int> kinds;
    for (const std::string& f : faults) ++kinds[f.substr(0, f.find(" ("))];
    if (faults.size() > 8)
        for (const auto& [kind, n] : kinds) r << "\n  " << n << " x " << kind;
    return r;
}

}  // namespace dvxtest
