// A door's leaf is rebuilt after every edit of the door: each leaf builder, and the whole
// rebuild of each door and window style, on a 36 x 80 inch opening in a large design, and the
// rebuild of every opening of the design; each beside the floor of making and freeing as many
// pieces and points with CreateObject and CreatePoint alone.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_support.h"
#include "geometry/openings/attachment_frames.h"
#include "geometry/openings/door_leaves.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"

namespace {

using Builder = void (*)(Objex*, AttachmentRecord*);

// A wall in no layer holding one door of the style, 72 by 160 plan units at the default scale.
struct Opening {
    Objex* wall = nullptr;
    Objex* door = nullptr;
    AttachmentRecord* record = nullptr;

    explicit Opening(int16_t style, int16_t type = objtype::kDoor) {
        const RGBColor white{0xFFFF, 0xFFFF, 0xFFFF};
        wall = CreateObject(objtype::kWall, 0, 1, &white, &white, 12.0f, 6, 0, nullptr, nullptr, nullptr,
                            nullptr, nullptr, TypeData{});
        record = new AttachmentRecord{};
        record->ownerType = type;
        record->style = style;
        record->width = 72.0f;
        record->height = 160.0f;
        record->sideFlag = 1;
        record->swingOrOffset = 0.5f;
        door = CreateObject(type, 0, 1, &white, &white, 1.0f, 6, 0, nullptr, nullptr, nullptr, nullptr,
                            nullptr, TypeData::OfAttachment(record));
        for (float h : {100.0f, 172.0f})
            AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, h, 0, 50, 0, 0, 0, 0, 0, 0, door), door);
        AppendChildToObject(door, wall);
    }
    ~Opening() { DeleteObj(wall); }
};

// The point count of each piece.
std::vector<int> PointCounts(const Objex* head) {
    std::vector<int> counts;
    for (const Objex* o = head; o; o = o->next) counts.push_back(o->pointCount);
    return counts;
}

// The least a leaf build does: make the pieces and their points, link them, free them.
void MakeAndFree(const std::vector<int>& counts) {
    const RGBColor grey{0xD0D0, 0xD0D0, 0xD0D0};
    Objex* head = nullptr;
    for (int points : counts) {
        Objex* o = CreateObject(objtype::kDoorPanel, 1, 1, &grey, &grey, 1.0f, 6, 0, nullptr, nullptr, nullptr,
                                nullptr, nullptr, TypeData{});
        for (int p = 0; p < points; ++p)
            AppendPointToObject(CreatePoint(1, 1, 0, 0, 0, 0, float(p), 0, 0, 0, 0, 0, 0, 0, 0, o), o);
        AppendObjectToList(head, o, nullptr);
    }
    DeleteObjectList(head);
}

void BM_DoorLeaf(benchmark::State& state, int16_t style, Builder build) {
    if (!dvxbench::SharedDesign(state.range(0))) {
        state.SkipWithError("the design could not be built");
        return;
    }
    Opening opening(style);
    build(opening.door, opening.record);
    const std::vector<int> counts = PointCounts(opening.record->generatedParts);
    DeleteObjectList(opening.record->generatedParts);
    int points = 0;
    for (int n : counts) points += n;
    state.counters["pieces"] = static_cast<double>(counts.size());
    state.counters["points"] = points;

    dvxbench::Measured measured(state, "door leaf " + std::to_string(style),
                                dvxbench::BestSeconds(50, [&] { MakeAndFree(counts); }));
    measured.start();
    for (auto _ : state) {
        build(opening.door, opening.record);
        DeleteObjectList(opening.record->generatedParts);
    }
    measured.report();
}

#define DOOR_LEAF(name, style, builder)                                                    \
    BENCHMARK_CAPTURE(BM_DoorLeaf, name, int16_t{style}, builder)                          \
        ->Arg(dvxbench::kSmall)                                                            \
        ->Arg(dvxbench::kLarge)                                                            \
        ->Unit(benchmark::kMicrosecond)

DOOR_LEAF(hinged, 501, BuildHingedDoor);
DOOR_LEAF(pocket, 510, BuildHingedDoor);
DOOR_LEAF(french, 508, BuildHingedGlassDoor);
DOOR_LEAF(nine_lite, 509, BuildHingedHalfGlassDoor);
DOOR_LEAF(bi_fold, 511, BuildBiFoldDoor);
DOOR_LEAF(round_arch, 506, BuildHingedArchDoor);
DOOR_LEAF(flat_arch, 507, BuildHingedArchDoor);
DOOR_LEAF(garage, 503, BuildGarageDoor);

void BM_OpeningRebuild(benchmark::State& state, int16_t style) {
    if (!dvxbench::SharedDesign(state.range(0))) {
        state.SkipWithError("the design could not be built");
        return;
    }
    Opening opening(style, style >= 600 ? objtype::kWindow : objtype::kDoor);
    opening.record->frameFlag = 2;
    opening.record->reserved = 1;
    BuildAttachmentFrame(opening.door);
    const std::vector<int> counts = PointCounts(opening.record->generatedParts);
    state.counters["pieces"] = static_cast<double>(counts.size());
    dvxbench::Measured measured(state, "opening " + std::to_string(style),
                                dvxbench::BestSeconds(50, [&] { MakeAndFree(counts); }));
    measured.start();
    for (auto _ : state) BuildAttachmentFrame(opening.door);
    measured.report();
}

#define OPENING(style)                                                                     \
    BENCHMARK_CAPTURE(BM_OpeningRebuild, style_##style, int16_t{style})                    \
        ->Arg(dvxbench::kSmall)                                                            \
        ->Arg(dvxbench::kLarge)                                                            \
        ->Unit(benchmark::kMicrosecond)

OPENING(500);
OPENING(501);
OPENING(502);
OPENING(503);
OPENING(504);
OPENING(506);
OPENING(508);
OPENING(509);
OPENING(511);
OPENING(600);
OPENING(603);
OPENING(605);
OPENING(613);
OPENING(619);
OPENING(620);
OPENING(622);
OPENING(623);

// Every door and window of the design rebuilt, beside making and freeing their pieces.
void BM_EveryOpening(benchmark::State& state) {
    QMDDocumentModel* design = dvxbench::SharedDesign(state.range(0));
    if (!design) {
        state.SkipWithError("the design could not be built");
        return;
    }
    std::vector<Objex*> openings;
    for (Layer* l = design->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next)
            for (Objex* c = o->firstChild; c; c = c->next)
                if ((c->type == objtype::kDoor || c->type == objtype::kWindow) && c->typeData.attachment) openings.push_back(c);
    std::vector<std::vector<int>> counts;
    for (Objex* o : openings) {
        BuildAttachmentFrame(o);
        counts.push_back(PointCounts(o->typeData.attachment->generatedParts));
    }
    state.counters["openings"] = static_cast<double>(openings.size());
    dvxbench::Measured measured(state, "every opening",
                                dvxbench::BestSeconds(5, [&] { for (const auto& c : counts) MakeAndFree(c); }));
    measured.start();
    for (auto _ : state)
        for (Objex* o : openings) BuildAttachmentFrame(o);
    measured.report();
}
BENCHMARK(BM_EveryOpening)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
