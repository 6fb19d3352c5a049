#include "model/plan_index.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <unordered_map>
#include <unordered_set>
#include <utility>

// Boost's own headers warn under the project's warning set; reached as a system header,
// and its templates instantiated here are kept quiet the same way.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#define BOOST_ALLOW_DEPRECATED_HEADERS
#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>
#include <boost/iterator/function_output_iterator.hpp>

#include "model/bounds.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/type_data.h"
#include "model/projection.h"
#include "model/view_state.h"
#include "port/seam.h"

uint8_t gPlanIndexOn = 1;
static const port::GlobalReset kReset([] { gPlanIndexOn = 1; });
// Never reset: a count that went back could match a picture kept before the reset.
static uint64_t sPlanEdits = 0;

uint64_t PlanEditCount() { return sPlanEdits; }

namespace {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;

using BoxPoint = bg::model::point<float, 2, bg::cs::cartesian>;
using Box = bg::model::box<BoxPoint>;

bool IsNumber(float v) { return std::isfinite(v); }

Box ToBox(const FloatRect& r) { return Box({r.floatLeft, r.floatTop}, {r.floatRight, r.floatBottom}); }

bool SameBox(const Box& a, const Box& b) {
    return a.min_corner().get<0>() == b.min_corner().get<0>() && a.min_corner().get<1>() == b.min_corner().get<1>() &&
           a.max_corner().get<0>() == b.max_corner().get<0>() && a.max_corner().get<1>() == b.max_corner().get<1>();
}

// A box never measured is empty, or all zero as the record was made: neither says where the
// object lies.
bool UsableBox(const Float3DRect& b) {
    const bool unmeasured = b.floatLeft == 0 && b.floatRight == 0 && b.floatTop == 0 && b.floatBottom == 0 &&
                            b.floatBack == 0 && b.floatFront == 0;
    return !unmeasured && !IsEmptyBounds(b) && IsNumber(b.floatLeft) && IsNumber(b.floatRight) && IsNumber(b.floatBack) &&
           IsNumber(b.floatFront) && b.floatLeft <= b.floatRight && b.floatBack <= b.floatFront;
}

void Grow(FloatRect* box, const Float3DRect& b) {
    box->floatLeft = std::min(box->floatLeft, b.floatLeft);
    box->floatRight = std::max(box->floatRight, b.floatRight);
    box->floatTop = std::min(box->floatTop, b.floatBack);
    box->floatBottom = std::max(box->floatBottom, b.floatFront);
}

}  // namespace

struct PlanIndex {
    struct Entry {
        Objex* object = nullptr;
        Box box;
        bool boxed = false;
        int64_t order = 0;
    };
    // The tree holds the entries themselves (the map's nodes never move), so a search puts
    // what it finds in list order without looking each object up again.
    using Value = std::pair<Box, Entry*>;
    bgi::rtree<Value, bgi::quadratic<16>> tree;
    std::unordered_map<const Objex*, Entry> entries;
    std::unordered_set<Entry*> unboxed;
    std::vector<const Entry*> found;  // a search's scratch, kept for its capacity
    // List positions are numbered this far apart, so an object put in between two others
    // takes the middle of their gap rather than making the next search renumber the layer.
    static constexpr int64_t kOrderStep = int64_t{1} << 20;
    int64_t firstOrder = 0, lastOrder = 0;  // the first position given, the next after the last
    bool orderStale = false;  // an object went in where no gap was left

    // Files the entry in the tree by its box, or with the unboxed when it has none.
    void file(Entry* entry, const FloatRect* box) {
        entry->boxed = box != nullptr;
        if (box) {
            entry->box = ToBox(*box);
            tree.insert({entry->box, entry});
        } else {
            unboxed.insert(entry);
        }
    }

    void add(Objex* object, int64_t order) {
        Entry& entry = entries[object];
        entry.object = object;
        entry.order = order;
        FloatRect r;
        file(&entry, PlanIndexBox(object, &r) ? &r : nullptr);
    }

    void remove(Entry* entry) {
        if (entry->boxed) tree.remove(Value{entry->box, entry});
        else unboxed.erase(entry);
    }

    void renumber(Layer* layer) {
        int64_t n = 0;
        for (Objex* o = layer->firstObject; o; o = o->next) {
            auto it = entries.find(o);
            if (it != entries.end()) it->second.order = kOrderStep * n++;
        }
        firstOrder = 0, lastOrder = kOrderStep * n;
        orderStale = false;
    }
};

void PlanIndexDeleter::operator()(PlanIndex* index) const { delete index; }

namespace {

// Half the widest line the object's pen draws at the largest zoom, in plan units. Fences and
// topography keep other quantities in the pen width and are drawn and searched thin.
float PenReach(const Objex* o) {
    constexpr float kMostZoom = 3.01f, kMostReach = 1000;
    if (o->type == objtype::kFence || o->type == objtype::kTopography) return 1;
    const float w = o->penWidth;
    return w > 0 && w < kMostReach ? w * kMostZoom / 2 + 1 : 1;
}

// The stored boxes the hit test measures an object and its children by: a wall by its solid,
// a group by its members, every other object by its own box. An object with points but no
// measured box could lie anywhere: `known` goes false.
void StoredPlanBox(const Objex* o, FloatRect* box, bool* any, bool* known, float* reach) {
    const Objex* measured = o;
    if (o->type == objtype::kWall) {
        measured = o->typeData.kind == TypeDataKind::WallSolid ? o->typeData.wallSolid : nullptr;
        if (!measured && o->firstPoint) *known = false;
    } else if (o->type == objtype::kGroup && !o->firstPoint) {
        measured = nullptr;
    }
    if (measured && UsableBox(measured->bounds3D)) {
        Float3DRect b = measured->bounds3D;
        const float pen = PenReach(measured);
        b.floatLeft -= pen, b.floatBack -= pen, b.floatRight += pen, b.floatFront += pen;
        if (*any) Grow(box, b);
        else *box = FloatRect{b.floatBack, b.floatLeft, b.floatFront, b.floatRight};
        *any = true;
    } else if (measured && measured->firstPoint) {
        *known = false;
    }
    // Every child is searched on its own, a roof's cut-outs and skylights too.
    for (const Objex* child = o->firstChild; child; child = child->next) {
        // An opening swings and draws beyond its wall by about its own width.
        if (o->type == objtype::kWall && UsableBox(child->bounds3D)) {
            const Float3DRect& c = child->bounds3D;
            *reach = std::max({*reach, c.floatRight - c.floatLeft, c.floatFront - c.floatBack});
        }
        StoredPlanBox(child, box, any, known, reach);
    }
}

}  // namespace

bool PlanIndexBox(const Objex* object, FloatRect* box) {
    if (!object || !box) return false;
    bool any = false, known = true;
    float reach = 0;
    if (UsableBox(object->bounds3D)) {
        const Float3DRect& b = object->bounds3D;
        const float pen = PenReach(object);
        *box = FloatRect{b.floatBack - pen, b.floatLeft - pen, b.floatFront + pen, b.floatRight + pen};
        any = true;
    }
    StoredPlanBox(object, box, &any, &known, &reach);
    if (!any || !known || !IsNumber(reach)) return false;
    box->floatLeft -= reach, box->floatTop -= reach;
    box->floatRight += reach, box->floatBottom += reach;
    return IsNumber(box->floatLeft) && IsNumber(box->floatRight) && IsNumber(box->floatTop) &&
           IsNumber(box->floatBottom);
}

namespace {

PlanIndex* BuildIndex(Layer* layer) {
    auto index = std::unique_ptr<PlanIndex, PlanIndexDeleter>(new PlanIndex);
    std::vector<PlanIndex::Value> values;
    int64_t n = 0;
    for (Objex* o = layer->firstObject; o; o = o->next, ++n) {
        PlanIndex::Entry& entry = index->entries[o];
        entry.object = o;
        entry.order = PlanIndex::kOrderStep * n;
        FloatRect r;
        entry.boxed = PlanIndexBox(o, &r);
        if (entry.boxed) {
            entry.box = ToBox(r);
            values.emplace_back(entry.box, &entry);
        } else {
            index->unboxed.insert(&entry);
        }
    }
    index->lastOrder = PlanIndex::kOrderStep * n;
    // The packing constructor: one bulk load, a better tree than inserts one by one.
    index->tree = decltype(index->tree)(values.begin(), values.end());
    layer->planIndex = std::move(index);
    return layer->planIndex.get();
}

PlanIndex* IndexOf(const Objex* object) {
    return object && object->layer ? object->layer->planIndex.get() : nullptr;
}

}  // namespace

void PlanIndexCandidates(Layer* layer, const FloatRect& area, std::vector<Objex*>* out) {
    if (!layer || !out) return;
    PlanIndex* index = layer->planIndex ? layer->planIndex.get() : BuildIndex(layer);
    if (index->orderStale) index->renumber(layer);
    std::vector<const PlanIndex::Entry*>& found = index->found;
    found.clear();
    if (IsNumber(area.floatLeft) && IsNumber(area.floatTop) && IsNumber(area.floatRight) &&
        IsNumber(area.floatBottom) && area.floatLeft <= area.floatRight && area.floatTop <= area.floatBottom) {
        index->tree.query(bgi::intersects(ToBox(area)), boost::iterators::make_function_output_iterator(
                                                            [&found](const PlanIndex::Value& v) { found.push_back(v.second); }));
    }
    found.insert(found.end(), index->unboxed.begin(), index->unboxed.end());
    std::sort(found.begin(), found.end(), [](const PlanIndex::Entry* a, const PlanIndex::Entry* b) {
        return a->order < b->order;
    });
    out->reserve(out->size() + found.size());
    for (const PlanIndex::Entry* entry : found) out->push_back(entry->object);
}

void PlanIndexInListOrder(Layer* layer, std::vector<Objex*>* objects, size_t start) {
    if (!layer || !objects) return;
    PlanIndex* index = layer->planIndex ? layer->planIndex.get() : BuildIndex(layer);
    if (start >= objects->size()) return;
    if (index->orderStale) index->renumber(layer);
    std::vector<const PlanIndex::Entry*>& found = index->found;
    found.clear();
    for (size_t i = start; i < objects->size(); ++i) {
        const auto it = index->entries.find((*objects)[i]);
        if (it != index->entries.end()) found.push_back(&it->second);
    }
    std::sort(found.begin(), found.end(), [](const PlanIndex::Entry* a, const PlanIndex::Entry* b) {
        return a->order < b->order;
    });
    objects->resize(start);
    for (const PlanIndex::Entry* entry : found) objects->push_back(entry->object);
}

bool PlanIndexViewArea(float left, float top, float right, float bottom, float marginPixels, FloatRect* area) {
    if (!gPlanIndexOn || gPerspective || !area) return false;
    float p[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}};
    for (auto& q : p)
        ConversionToIsometric(&q[0], &q[1], &q[2], gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                              gGlobalYOffset, gGlobalZOffset, 1);
    const float sx = p[1][0] - p[0][0], sy = p[2][1] - p[0][1];
    // H must move only x, D only y, and V neither.
    constexpr float kTolerance = 1e-4f;
    const float across = std::fabs(p[1][1] - p[0][1]) + std::fabs(p[2][0] - p[0][0]) +
                         std::fabs(p[3][0] - p[0][0]) + std::fabs(p[3][1] - p[0][1]);
    if (!(std::fabs(sx) > kTolerance) || !(std::fabs(sy) > kTolerance) || !(across <= kTolerance * (std::fabs(sx) + std::fabs(sy))))
        return false;
    const float h1 = (left - marginPixels - p[0][0]) / sx, h2 = (right + marginPixels - p[0][0]) / sx;
    const float d1 = (top - marginPixels - p[0][1]) / sy, d2 = (bottom + marginPixels - p[0][1]) / sy;
    *area = FloatRect{std::min(d1, d2), std::min(h1, h2), std::max(d1, d2), std::max(h1, h2)};
    return IsNumber(area->floatLeft) && IsNumber(area->floatRight) && IsNumber(area->floatTop) &&
           IsNumber(area->floatBottom);
}

bool HasPlanIndex(const Layer* layer) { return layer && layer->planIndex; }

bool PlanIndexHolds(const Layer* layer, const Objex* object) {
    return layer && layer->planIndex && layer->planIndex->entries.count(object);
}

size_t PlanIndexSize(const Layer* layer) { return layer && layer->planIndex ? layer->planIndex->entries.size() : 0; }

void PlanIndexLinked(Objex* object) {
    if (object && object->layer) ++sPlanEdits;
    // A child's layer is its root's, whose entry stands for the tree.
    if (!object || object->parent) return;
    PlanIndex* index = IndexOf(object);
    if (!index || index->entries.count(object)) return;
    int64_t order = 0;
    if (!object->next) {
        order = index->lastOrder;
        index->lastOrder += PlanIndex::kOrderStep;
    } else if (!object->prev) {
        order = index->firstOrder -= PlanIndex::kOrderStep;
    } else {
        const auto before = index->entries.find(object->prev), after = index->entries.find(object->next);
        const bool gap = !index->orderStale && before != index->entries.end() && after != index->entries.end() &&
                         after->second.order - before->second.order > 1;
        if (gap) order = before->second.order + (after->second.order - before->second.order) / 2;
        else index->orderStale = true;
    }
    index->add(object, order);
}

void PlanIndexUnlinked(Objex* object) {
    if (object && object->layer) ++sPlanEdits;
    if (!object || object->parent) return;
    PlanIndex* index = IndexOf(object);
    if (!index) return;
    auto it = index->entries.find(object);
    if (it == index->entries.end()) return;
    index->remove(&it->second);
    index->entries.erase(it);
}

void PlanIndexBoundsChanged(Objex* object) {
    // A member's or an opening's box changes its root's.
    while (object && object->parent) object = object->parent;
    if (object && object->layer) ++sPlanEdits;  // not a scratch object outside the design
    PlanIndex* index = IndexOf(object);
    if (!index) return;
    auto it = index->entries.find(object);
    if (it == index->entries.end()) return;
    FloatRect r;
    const bool boxed = PlanIndexBox(object, &r);
    PlanIndex::Entry& entry = it->second;
    if (boxed && entry.boxed && SameBox(entry.box, ToBox(r))) return;
    index->remove(&entry);
    index->file(&entry, boxed ? &r : nullptr);
}

void PlanIndexForget(Layer* layer) {
    if (layer) ++sPlanEdits;
    if (layer) layer->planIndex.reset();
}

#pragma GCC diagnostic pop
