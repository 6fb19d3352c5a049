#pragma once
// Reading the records of the exchange file (exchange_layout.h) back into model objects, at
// the version in `sInputVersion` (files/object_records.h), from the shared input buffer. The
// readers walk the writer's own field tables. A record that ends before its last field is
// rejected whole; counts and lengths read are bounded by the bytes that remain and by the
// places the values go to.
//
// Object and point IDs: while an ExchangeIDIndex lives, an ID read is kept when it is not 0
// and no object (or point) of the design, nor one read earlier, has it; any other gets a
// fresh number from the settings' counter.
#include <cstdint>
#include <unordered_set>

struct AttachmentRecord;
struct CabinetState;
struct Layer;
struct Objex;
struct RoofAttachmentRecord;
struct TrimRecord;

class ExchangeIDIndex {
public:
    // Starts with every object and point ID of the current design.
    ExchangeIDIndex();
    ~ExchangeIDIndex();
    ExchangeIDIndex(const ExchangeIDIndex&) = delete;
    ExchangeIDIndex& operator=(const ExchangeIDIndex&) = delete;

    // The index of the read under way, or null.
    static ExchangeIDIndex* current();
    // The IDs of an object tree no longer in the design become free, or are taken again.
    void forget(const Objex* tree);
    void remember(const Objex* tree);
    // The ID an object or point read with `stored` gets; it is taken from then on.
    uint32_t objectID(uint32_t stored);
    uint32_t pointID(uint32_t stored);

private:
    std::unordered_set<uint32_t> objects_;
    std::unordered_set<uint32_t> points_;
    ExchangeIDIndex* outer_;
};

// One object record (info, points, type data) made on `layer`, appended to it when `append`
// is set, rebuilt by type. Null without a layer or when the record was rejected (cut short,
// or points no design can use).
Objex* ReadAPlugInObject(Layer* layer, uint8_t append);
void ReadPlugInObjectInfo(Objex* object);
// Appends the stored points to the object.
void ReadPlugInObjectPoints(Objex* object);
// Profile objects are read on `layer` (the wall's; the current layer when null).
void ReadPlugInTrimData(TrimRecord* trim, Layer* layer = nullptr);
// The type-specific part: wall, deck and roof children, texts, photo and user-plant paths.
void ReadPlugInObjectData(Objex* object, Layer* layer);
void ReadPlugInObjectAttachment(AttachmentRecord* record, Objex* object, Layer* layer);
void ReadPlugInObjectAttachment75(AttachmentRecord* record, Objex* object);
void ReadPlugInRoofAttachment(RoofAttachmentRecord* record, Objex* object, Layer* layer);
void ReadPlugInEnhancedTextData(Objex* object);
// An old text record: the object becomes an enhanced text (145).
void ReadPlugInTextData(Objex* object);
// The size and the cabinet state; a new record, null when none could be made.
CabinetState* DoReadPlugInCabinetState();
// Tags up to 601 or the end of the data; a 600 block replaces the tool's stored block.
void DoReadPlugInBlackBox(int32_t plugInID);
