#pragma once
// What the object-section readers of design files, templates and 2D symbols share: the tag
// loop, the group that read objects join, and the layer that takes records with nowhere to go.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "files/design_file.h"
#include "files/streams.h"

struct Layer;
struct Objex;

// Reads tags until the section's end tag (true) or the end of the input (false) and hands
// each to `reader`: readLayer(), readObject(), openGroup(), closeGroup(), openCabinet(),
// closeCabinet(), and otherTag(tag) for any other tag, which gives false to end the section.
template <typename Reader>
bool ReadObjectSectionTags(Reader& reader) {
    int16_t tag = 0;
    while (ReadShort(&tag)) {
        switch (tag) {
        case designtag::kSectionEnd:
            return true;
        case designtag::kLayer:
            reader.readLayer();
            break;
        case designtag::kObject:
            reader.readObject();
            break;
        case designtag::kGroupStart:
            reader.openGroup();
            break;
        case designtag::kGroupEnd:
            reader.closeGroup();
            break;
        case designtag::kCabinetStart:
            reader.openCabinet();
            break;
        case designtag::kCabinetEnd:
            reader.closeCabinet();
            break;
        default:
            if (!reader.otherTag(tag)) return true;
            break;
        }
    }
    return false;
}

// The groups read objects join between a group's start and end tags. Brackets may nest: a
// group opened inside another takes the members read until its end tag, and the outer one
// goes on after it. Nesting deeper than kMostNestedGroups is read flat (the members join the
// deepest group), so no damaged file can build a tree too deep to walk.
class OpenSectionGroup {
public:
    static constexpr size_t kMostNestedGroups = 64;

    // Only a group holds children here; brackets after anything else (or none), or after a
    // group that is open already, are ignored. True when the group was opened.
    bool open(Objex* group);
    // Links `o` as the innermost open group's last child. Only the sibling links: the object's
    // own children (a wall's doors) stay.
    void append(Objex* o);
    // The innermost open group, which is closed (null for brackets read flat).
    Objex* take();
    // A member about to be deleted (a closed group dropped): an open group it ends ends with
    // the member before it, so the next member is never linked to a freed one.
    void forget(const Objex* member);
    // The innermost open group.
    Objex* get() const;
    // A mark kept with each open group: the innermost one's, and all of them set.
    bool marked() const { return !frames_.empty() && frames_.back().marked; }
    void mark(bool on) { if (!frames_.empty()) frames_.back().marked = on; }
    void markAll() { for (Frame& f : frames_) f.marked = true; }

private:
    struct Frame {
        Objex* group;  // null: brackets read flat
        Objex* tail;
        bool marked;
    };
    std::vector<Frame> frames_;
};

// Reads the cabinet state after a cabinet's start tag into `group` (the object read last),
// which becomes a cabinet group and is given back to be opened. Anything but a group gets
// nothing (the state is read and dropped) and null is given back.
Objex* ReadCabinetIntoGroup(Objex* group);

// The bounds of a group whose children were read, and of its root object.
void UpdateGroupAndRootBounds(Objex* group);

// True when `o` is `ancestor` or one of its descendants.
bool IsWithinObject(const Objex* o, const Objex* ancestor);

// The layer a record with no layer to go to is read onto; the records on it are dropped
// with it when the section ends.
class ScratchSectionLayer {
public:
    ScratchSectionLayer() = default;
    ~ScratchSectionLayer();
    ScratchSectionLayer(const ScratchSectionLayer&) = delete;
    ScratchSectionLayer& operator=(const ScratchSectionLayer&) = delete;

    // `target`, or the scratch layer (made on first use) when it is null.
    Layer* orTarget(Layer* target);

private:
    Layer* layer_ = nullptr;
};
