#include "support/design_links.h"

#include <algorithm>
#include <unordered_set>

#include "model/document_model.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/selection_roster.h"
#include "model/type_data.h"

namespace dvxtest {

namespace {

std::string LayerName(const Layer* l) { return l ? "'" + std::string(l->name) + "'" : "none"; }

std::string Named(const Objex* o) {
    return "type " + std::to_string(o->type) + " (ID " + std::to_string(o->objectID) + ")";
}

// One walk over a top-level object's tree: each list's sibling links, the children's parent,
// the points' owners, and every object's layer against the root's.
class TreeWalk {
public:
    TreeWalk(const Objex* root, std::vector<std::string>& faults) : root_(root), faults_(faults) {}

    void object(const Objex* o, const char* how) {
        if (++visited_ > 1000000) return;  // a cycle: reported by the sibling checks already
        if (o != root_ && o->layer && o->layer != root_->layer)
            fault(o, std::string("a ") + how + " of " + Named(root_) + " on " + LayerName(root_->layer) +
                         " names layer " + LayerName(o->layer));
        points(o);
        list(o->firstChild, o, "child");
        list(o->firstPart, nullptr, "generated part");
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            for (const TrimRecord* trim : {p->trim1, p->trim2})
                if (trim)
                    for (const Objex* profile : trim->profile) loose(profile, "trim profile");
        const TypeData& td = o->typeData;
        if (td.kind == TypeDataKind::Attachment && td.attachment) {
            const AttachmentRecord* r = td.attachment;
            list(r->generatedParts, nullptr, "attachment's generated part");
            for (const Objex* l : r->customParts) list(l, nullptr, "attachment's custom part");
            loose(r->insideTrimProfile, "attachment's trim profile");
            loose(r->outsideTrimProfile, "attachment's trim profile");
        } else if (td.kind == TypeDataKind::RoofAttachment && td.roofAttachment) {
            list(td.roofAttachment->customParts, nullptr, "roof attachment's part");
            for (const Objex* l : td.roofAttachment->partLists) list(l, nullptr, "roof attachment's part");
        } else if (td.kind == TypeDataKind::WallSolid) {
            loose(td.wallSolid, "wall solid");
        } else if (td.kind == TypeDataKind::RoofPanels) {
            list(td.roofPanels, nullptr, "roof panel");
        }
    }

private:
    // A list hanging on `parent` (children) or on a record (parent left as it is).
    void list(const Objex* head, const Objex* parent, const char* how) {
        const Objex* prev = nullptr;
        for (const Objex* o = head; o; prev = o, o = o->next) {
            if (o->prev != prev) fault(o, std::string("a ") + how + " whose prev link is not the object before it");
            if (parent && o->parent != parent) fault(o, std::string("a ") + how + " whose parent link is not its owner");
            object(o, how);
            if (visited_ > 1000000) return;
        }
    }
    void loose(const Objex* o, const char* how) {
        if (o) object(o, how);
    }
    void points(const Objex* o) {
        int n = 0;
        const Poinz* prev = nullptr;
        for (const Poinz* p = o->firstPoint; p && n <= o->pointCount; prev = p, p = p->next, ++n)
            if (p->owner != o || p->prev != prev) {
                fault(o, "a point whose owner or prev link is not its object's");
                return;
            }
        if (n != o->pointCount) fault(o, "a point count of " + std::to_string(o->pointCount) + " over " + std::to_string(n) + " points");
    }
    void fault(const Objex* o, const std::string& what) {
        faults_.push_back(Named(o) + " on " + LayerName(o->layer) + ": " + what);
    }

    const Objex* root_;
    std::vector<std::string>& faults_;
    long visited_ = 0;
};

void CheckLayer(const Layer* layer, std::vector<std::string>& faults, std::unordered_set<const Objex*>& listed) {
    std::vector<const Objex*> list;
    const Objex* prev = nullptr;
    for (const Objex* o = layer->firstObject; o && list.size() < 1000000; prev = o, o = o->next) {
        list.push_back(o);
        listed.insert(o);
        if (o->prev != prev || o->layer != layer || o->parent)
            faults.push_back(Named(o) + " on " + LayerName(o->layer) + ": a top-level object of " + LayerName(layer) +
                             " whose prev, layer or parent link is wrong");
        std::vector<std::string> found;
        TreeWalk(o, found).object(o, "top-level object");
        faults.insert(faults.end(), found.begin(), found.end());
    }
    if (!HasPlanIndex(layer)) return;
    std::vector<Objex*> indexed;
    const float far = 1e30f;
    PlanIndexCandidates(const_cast<Layer*>(layer), FloatRect{-far, -far, far, far}, &indexed);
    const bool same = PlanIndexSize(layer) == list.size() && indexed.size() == list.size() &&
                      std::equal(list.begin(), list.end(), indexed.begin());
    if (!same)
        faults.push_back("the plan index of " + LayerName(layer) + " holds " + std::to_string(PlanIndexSize(layer)) +
                         " entries for its " + std::to_string(list.size()) + " top-level objects");
}

}  // namespace

std::vector<std::string> DesignLinkFaults(const QMDDocumentModel* doc) {
    std::vector<std::string> faults;
    if (!doc) return faults;
    const Layer* prev = nullptr;
    std::unordered_set<const Layer*> layers;
    std::unordered_set<const Objex*> listed;
    for (const Layer* l = doc->itsLayers; l; prev = l, l = l->next) {
        if (l->prev != prev) faults.push_back("layer " + LayerName(l) + " whose prev link is not the layer before it");
        CheckLayer(l, faults, listed);
        layers.insert(l);
    }
    if (doc->itsTopoLayer && !layers.count(doc->itsTopoLayer)) {
        CheckLayer(doc->itsTopoLayer, faults, listed);
        layers.insert(doc->itsTopoLayer);
    }
    // Of the design's layers the selection roster names top-level objects of their lists only.
    for (const Objex* o : SelectionRosterObjects())
        if (layers.count(o->layer) && !listed.count(o))
            faults.push_back(Named(o) + " on " + LayerName(o->layer) + ": named by the selection roster outside its list");
    return faults;
}

}  // namespace dvxtest
