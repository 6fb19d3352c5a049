#include "model/design_digest.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <cstring>
#include <type_traits>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plant_info.h"
#include "model/type_data.h"

namespace {

class Digest {
public:
    void bytes(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        while (size >= 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            mix(word);
            p += 8, size -= 8;
        }
        uint64_t tail = size;
        for (size_t i = 0; i < size; ++i) tail = tail << 8 | p[i];
        mix(tail);
    }
    template <typename T> void value(const T& v) {
        static_assert(std::is_trivially_copyable_v<T>);
        bytes(&v, sizeof v);
    }
    // The fields from `first` up to (not including) `end` of one record.
    template <typename R> void range(const R* r, size_t first, size_t end) {
        bytes(reinterpret_cast<const unsigned char*>(r) + first, end - first);
    }
    void text(const char* s) {
        if (s) bytes(s, std::strlen(s));
        value(s != nullptr);
    }
    uint64_t result() const { return h_ ^ (h_ >> 29); }

private:
    // One multiply per word: a gesture takes two digests, and a 50,000-object design is
    // tens of megabytes. A multiply alone leaves a word's top bit a plain XOR, so two sign
    // flips there (two coordinates from -0 to 0) cancelled: the word's high bits are folded into
    // its low ones first, off the chain of multiplies.
    void mix(uint64_t word) { h_ = (h_ ^ (word ^ (word >> 29))) * 0x100000001B3ull; }
    uint64_t h_ = 0xCBF29CE484222325ull;
};

void Point(Digest& d, const Poinz* p) {
    d.value(p);
    d.value(p->kind);
    d.value(p->detectable), d.value(p->locked);
    // From the tangents to the point ID, all stored; the owner and trim links as addresses.
    d.range(p, offsetof(Poinz, inTangent), offsetof(Poinz, next));
    for (const TrimRecord* t : {p->trim1, p->trim2})
        if (t) d.value(*t);
}

void TypeRecord(Digest& d, const TypeData& t) {
    d.value(t.kind);
    if (t.attachment) d.value(*t.attachment);
    if (t.roofAttachment) d.value(*t.roofAttachment);
    if (t.text) {
        d.text(t.text->text);
        d.range(t.text, offsetof(TextData, font), sizeof(TextData));
    }
    if (t.dimension) d.value(*t.dimension);
    if (t.dimensionText) d.range(t.dimensionText, 0, offsetof(DimensionTextRecord, transform));
    if (t.imagePath) d.text(t.imagePath);
    if (t.cabinet) d.value(*t.cabinet);
}

void Object(Digest& d, const Objex* o) {
    d.value(o);
    d.range(o, offsetof(Objex, type), offsetof(Objex, bounds));
    d.value(o->parent), d.value(o->layer);
    TypeRecord(d, o->typeData);
    d.range(o, offsetof(Objex, rows), offsetof(Objex, needsRebuild));
    d.value(o->plantAge);
    d.range(o, offsetof(Objex, groupKind), offsetof(Objex, plantInfo));
    if (o->plantInfo) d.value(*o->plantInfo);
    d.range(o, offsetof(Objex, subtype), offsetof(Objex, text));
    d.text(o->text);
    d.value(o->objectID);
    for (const Poinz* p = o->firstPoint; p; p = p->next) Point(d, p);
    for (const Objex* c = o->firstChild; c; c = c->next) Object(d, c);
    d.value(uint8_t{0xFF});  // the end of the children
}

void Floor(Digest& d, const Layer* layer) {
    d.value(layer);
    d.text(layer->name);
    d.value(layer->visible), d.value(layer->active), d.value(layer->height);
    for (const Objex* o = layer->firstObject; o; o = o->next) Object(d, o);
    d.value(uint8_t{0xFE});
}

}  // namespace

uint64_t DesignDigest(const QMDDocumentModel* doc) {
    Digest d;
    if (!doc) return d.result();
    if (const DocState* ds = doc->itsDocState) {
        // Everything but the selection summaries and the ID counters (temporary records a
        // click makes and frees take IDs; a record that stays shows in the lists below).
        struct Skip {
            size_t at, size;
        };
        Skip skips[] = {{offsetof(DocState, ss), sizeof ds->ss},
                        {offsetof(DocState, ss40), sizeof ds->ss40},
                        {offsetof(DocState, nextObjectID), sizeof ds->nextObjectID},
                        {offsetof(DocState, nextPointID), sizeof ds->nextPointID}};
        std::sort(std::begin(skips), std::end(skips), [](const Skip& a, const Skip& b) { return a.at < b.at; });
        size_t from = 0;
        for (const Skip& skip : skips) {
            if (skip.at > from) d.range(ds, from, skip.at);
            from = std::max(from, skip.at + skip.size);
        }
        d.range(ds, from, sizeof(DocState));
    }
    d.value(doc->itsCurLayer), d.value(doc->itsCur2DLayer);
    for (const Layer* layer = doc->itsLayers; layer; layer = layer->next) Floor(d, layer);
    if (doc->itsTopoLayer) Floor(d, doc->itsTopoLayer);
    return d.result();
}
