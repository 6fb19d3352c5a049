// The generated design saved and read back with the builders linked, so what the read rebuilds
// is part of the state compared.
#include <gtest/gtest.h>

#include "design_generator.h"
#include "files/object_section.h"
#include "model/document_model.h"
#include "support/fixture.h"
#include "support/records.h"

using namespace dvxtest;

// A generated 5,000-object design (the benchmarks' house and lot) saved and read back: the
// bytes are those the format has always produced (their hash was taken before the reader and
// writer were made fast), the read-back records match the design object by object, and the
// read-back state, bounds included, is the same to the last bit.
namespace large {

// FNV-1a, 64 bits.
class Hash {
public:
    template <typename T>
    Hash& add(const T& value) {
        unsigned char b[sizeof(T)];
        std::memcpy(b, &value, sizeof b);
        return bytes(b, sizeof b);
    }
    Hash& bytes(const void* data, size_t n) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < n; ++i) h_ = (h_ ^ p[i]) * 1099511628211ull;
        return *this;
    }
    Hash& text(const char* s) { return s ? bytes(s, std::strlen(s) + 1) : add('\0'); }
    uint64_t value() const { return h_; }

private:
    uint64_t h_ = 14695981039346656037ull;
};

void AddTrim(Hash& h, const TrimRecord* t) {
    h.add(t != nullptr);
    if (!t) return;
    h.add(t->slot).add(t->texture).add(t->scale).add(t->profile[0] != nullptr).add(t->profile[1] != nullptr);
    for (const RGBColor& c : t->color) h.add(c.red).add(c.green).add(c.blue);
}

// Everything a read leaves in the records, bounds and IDs included.
void AddTree(Hash& h, const Objex* o) {
    for (; o; o = o->next) {
        h.add(o->type).add(o->subtype).add(o->closed).add(o->visible).add(o->rows).add(o->pointCount);
        h.add(o->objectID).add(o->planBits).add(o->elevation).add(o->penWidth).add(o->params);
        h.add(o->texture).add(o->texture2).add(o->texture3).add(o->texture4).add(o->texture5);
        h.add(o->bounds).add(o->bounds3D).add(o->groupKind).add(o->typeData.kind).text(o->text);
        for (const Poinz* p = o->firstPoint; p; p = p->next) {
            h.add(p->pointID).add(p->kind).add(p->inTangent).add(p->position).add(p->outTangent);
            h.add(p->acrossTangent).add(p->segmentValues).add(p->segmentFlags).add(p->textureU).add(p->textureV);
            h.add(p->rowLength).add(p->rowPerimeter).add(p->trimValue1).add(p->trimValue2);
            AddTrim(h, p->trim1);
            AddTrim(h, p->trim2);
        }
        if (o->typeData.kind == TypeDataKind::Attachment && o->typeData.attachment) {
            const AttachmentRecord* r = o->typeData.attachment;
            h.add(r->ownerType).add(r->style).add(r->startIndex).add(r->endIndex).add(r->centreDistance);
            h.add(r->width).add(r->height).add(r->elevation).add(r->trimWidth);
        }
        if (o->typeData.kind == TypeDataKind::Text && o->typeData.text) h.text(o->typeData.text->text);
        h.add('(');
        AddTree(h, o->firstChild);
        h.add(')');
    }
}

uint64_t DocumentHash(const QMDDocumentModel* d) {
    Hash h;
    for (const Layer* l = d->itsLayers; l; l = l->next) {
        h.text(l->name).add(l->visible).add(l->active).add(l->height);
        AddTree(h, l->firstObject);
    }
    return h.value();
}

uint64_t BytesHash(const std::vector<uint8_t>& bytes) { return Hash().bytes(bytes.data(), bytes.size()).value(); }

// Every object of a list and its descendants, parents first.
void Preorder(const Objex* o, std::vector<const Objex*>& out) {
    for (; o; o = o->next) {
        out.push_back(o);
        Preorder(o->firstChild, out);
    }
}

// What the file carries of each object, in order. Groups inside groups come back as members
// of the outermost one, in the same order.
void ExpectSameObjects(const Layer* a, const Layer* b) {
    std::vector<const Objex*> written, read;
    Preorder(a->firstObject, written);
    Preorder(b->firstObject, read);
    ASSERT_EQ(written.size(), read.size()) << a->name;
    for (size_t i = 0; i < written.size(); ++i) {
        const Objex* w = written[i];
        const Objex* r = read[i];
        const std::string at = std::string(a->name) + " #" + std::to_string(i);
        ASSERT_EQ(std::tuple(w->type, w->pointCount), std::tuple(r->type, r->pointCount)) << at;
        EXPECT_EQ(std::tuple(w->subtype, w->objectID, w->elevation), std::tuple(r->subtype, r->objectID, r->elevation)) << at;
        for (const Poinz *p = w->firstPoint, *q = r->firstPoint; p && q; p = p->next, q = q->next)
            EXPECT_TRUE(p->pointID == q->pointID && !std::memcmp(p->position, q->position, sizeof p->position) &&
                        !std::memcmp(p->outTangent, q->outTangent, sizeof p->outTangent) &&
                        !std::memcmp(p->segmentValues, q->segmentValues, sizeof p->segmentValues))
                << at;
    }
}

class LargeDesignTest : public FileTest {
protected:
    LargeDesignTest() : FileTest("large_design") {}
};

TEST_F(LargeDesignTest, SavedAndReadBackAsBefore) {
    const dvxbench::DesignStats stats = dvxbench::GenerateDesign({5000, 1});
    ASSERT_EQ(stats.objects, 5000);
    const std::string path = dir + "/design.pro";
    ASSERT_EQ(KeyFileWrite(path.c_str()), 1);
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    EXPECT_EQ(bytes.size(), 4680165u);
    EXPECT_EQ(BytesHash(bytes), 0x233292756f2186a6ull) << std::hex << BytesHash(bytes) << " over " << std::dec << bytes.size();

    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    ASSERT_TRUE(other);
    gCurDocument = other;
    ASSERT_EQ(KeyFileRead(path.c_str()), 1);
    const uint64_t readBack = DocumentHash(other);
    EXPECT_EQ(readBack, 0x2e3dc1ecf69a01beull) << std::hex << readBack;
    const Layer* l = doc->itsLayers;
    const Layer* m = other->itsLayers;
    for (; l && m; l = l->next, m = m->next) ExpectSameObjects(l, m);
    EXPECT_EQ(l == nullptr, m == nullptr);

    // Read-back designs write and read back unchanged.
    const std::string again = dir + "/again.pro";
    const std::string third = dir + "/third.pro";
    ASSERT_EQ(KeyFileWrite(again.c_str()), 1);
    ASSERT_EQ(KeyFileRead(again.c_str()), 1);
    EXPECT_EQ(DocumentHash(other), readBack);
    ASSERT_EQ(KeyFileWrite(third.c_str()), 1);
    EXPECT_TRUE(ReadWholeFile(again) == ReadWholeFile(third));
    other->dealloc();
    gCurDocument = doc;
}

}  // namespace large
