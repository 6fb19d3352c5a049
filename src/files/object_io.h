#pragma once
// One object record as the design file, undo snapshots, the copy buffer, templates and the
// records nested in other records store it: tag 200, then the object info and points
// (object_records.h) and the type-specific tail (type_data_io.h).
#include <cstdint>
#include <functional>

struct Layer;
struct Objex;

inline constexpr int16_t kObjectRecordTag = 200;

// Tag 200 and the object's record; an object of type 201 (a dimension's text box) writes no
// record of its own. Nothing for null, nor in the copy buffer for an unselected object.
// Group brackets and children are the object section's business.
void WriteAnObject(Objex* object);
// A part or profile object hanging off a record: in the copy buffer it is selected just
// while it is written, so that it is written at all.
void WritePartObject(Objex* object);

// Reads one object record whose tag has been read: the object is made on `layer`, appended to
// it when `append` is set, rebuilt by type (with the defaults older files lack) and returned.
// Null when there is no layer or the object was dropped: a generated freehand roof panel
// (58), an object without points (groups excepted), a library plant of an older file with a
// wire-frame image, or an object with unusable coordinates.
Objex* ReadAnObject(Layer* layer, uint8_t append);
// Reads i16 tags until `endTag` or the end of the input; after each other tag an object
// record follows, read on `layer` without appending it. `take` gets each object kept, with
// its layer link cleared, and owns it from then on.
void ReadObjectsUntilTag(Layer* layer, int16_t endTag, const std::function<void(Objex*)>& take);

// While one lives, library plants read take the description of their texture as the first
// plant of that texture read it: each description file is read once per section.
class SharedPlantDescriptions {
public:
    SharedPlantDescriptions();
    ~SharedPlantDescriptions();
    SharedPlantDescriptions(const SharedPlantDescriptions&) = delete;
    SharedPlantDescriptions& operator=(const SharedPlantDescriptions&) = delete;
};

// A fence of a file without fence materials: the document's default fence sizes, textures
// 850, 850 and 2200 at full scale, white.
void ApplyDefaultFenceMaterials(Objex* object);

// True when a point lies beyond +-1,000,000 or is not a number in any coordinate, or when an
// area (a floor, property line, ground fill, floor cut-out, deck, freehand roof, excavation or
// roof cut-out: objtype::TooFewPointsForArea) has two points or fewer. False for null.
bool IsObjectPointValuesInvalid(const Objex* object);
