#include "bench_support.h"

#include "model/deletion.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <new>

#include <sys/vfs.h>

#include "app/core/startup.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "support/drawing_doubles.h"

namespace {

uint64_t sAllocCalls = 0;
uint64_t sAllocBytes = 0;

void* CountedAlloc(size_t n) {
    ++sAllocCalls;
    sAllocBytes += n;
    return std::malloc(n ? n : 1);
}

struct Design {
    QMDDocumentModel* doc = nullptr;
    dvxbench::DesignStats stats;
    ~Design() {
        if (doc) doc->dealloc();
    }
};

// Freed at exit before the model's own registry goes (registered after the first document).
std::map<int64_t, std::unique_ptr<Design>>& Designs() {
    static auto* designs = new std::map<int64_t, std::unique_ptr<Design>>;
    return *designs;
}

void FreeDesigns() { Designs().clear(); }

// Mean seconds per iteration of each benchmark family at 5,000 objects.
std::map<std::string, double>& SmallRuns() {
    static std::map<std::string, double> runs;
    return runs;
}

}  // namespace

void* operator new(size_t n) {
    if (void* p = CountedAlloc(n)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) {
    if (void* p = CountedAlloc(n)) return p;
    throw std::bad_alloc();
}
void* operator new(size_t n, const std::nothrow_t&) noexcept { return CountedAlloc(n); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return CountedAlloc(n); }
// These replace the global pair, so every new above is a malloc and free is its match; GCC
// judges free beside operator new as mismatched all the same once it inlines a caller here.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// Every benchmark program rebuilds what it reads and runs commands, as the program does.
static const bool kTables = (RegisterLogicTables(), true);

namespace dvxbench {

QMDDocumentModel* SharedDesign(int64_t objects, DesignStats* stats) {
    std::unique_ptr<Design>& d = Designs()[objects];
    if (!d) {
        d = std::make_unique<Design>();
        d->doc = NewGeneratedDocument({static_cast<int32_t>(objects), 1}, &d->stats);
        static const bool freedAtExit = std::atexit(FreeDesigns) == 0;
        (void)freedAtExit;
        if (d->doc)
            for (Layer* l = d->doc->itsLayers; l; l = l->next) l->visible = l->active = 1;
    }
    gCurDocument = d->doc;
    if (stats) *stats = d->stats;
    return d->doc;
}

double BestSeconds(int runs, const std::function<void()>& fn) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        fn();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (s < best) best = s;
    }
    return best;
}

void Measured::report() {
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0_).count();
    if (state_.iterations() == 0) return;
    const double mean = total / static_cast<double>(state_.iterations());
    state_.counters["floor_ms"] = floor_ * 1e3;
    if (floor_ > 0) state_.counters["x_floor"] = mean / floor_;
    if (viewFloor_ > 0) {
        state_.counters["view_floor_ms"] = viewFloor_ * 1e3;
        state_.counters["x_view_floor"] = mean / viewFloor_;
    }
    if (state_.range(0) == kSmall) SmallRuns()[family_] = mean;
    if (state_.range(0) == kLarge) {
        auto it = SmallRuns().find(family_);
        if (it != SmallRuns().end() && it->second > 0) state_.counters["x_5k"] = mean / it->second;
    }
}

int64_t StrokedSegments(const dvxtest::RecordingContext& recorded) {
    int64_t n = 0;
    for (const auto& op : recorded.ops) {
        if (op.kind == dvxtest::DrawnOp::Kind::Stroke) n += std::max(0, op.path.elementCount() - 1);
        if (op.kind == dvxtest::DrawnOp::Kind::Segments) n += static_cast<int64_t>(op.points.size() / 2);
    }
    return n;
}

void StrokeSegments(port::DrawingContext& context, int64_t segments, int width, int height) {
    for (int64_t i = 0; i < segments; ++i) {
        port::Path path;
        const double x = static_cast<double>((i * 37) % width), y = static_cast<double>((i * 53) % height);
        path.moveTo(x, y);
        path.lineTo(x + 20, y + 10);
        context.strokePath(path);
    }
    context.flush();
}

std::vector<double> SegmentsMeeting(const dvxtest::RecordingContext& recorded, double x, double y, double width,
                                    double height) {
    std::vector<double> out;
    auto add = [&](double x1, double y1, double x2, double y2) {
        if (std::max(x1, x2) < x || std::min(x1, x2) > x + width || std::max(y1, y2) < y ||
            std::min(y1, y2) > y + height)
            return;
        out.insert(out.end(), {x1, y1, x2, y2});
    };
    for (const auto& op : recorded.ops) {
        if (op.kind == dvxtest::DrawnOp::Kind::Stroke) {
            // Each element's end point; a curve's is its last pair.
            const auto& e = op.path.elements();
            auto end = [](const port::Path::Element& el, int axis) {
                return el.kind == port::Path::Kind::Curve ? el.p[4 + axis] : el.p[axis];
            };
            for (size_t i = 1; i < e.size(); ++i)
                if (e[i].kind != port::Path::Kind::Move && e[i].kind != port::Path::Kind::Close)
                    add(end(e[i - 1], 0), end(e[i - 1], 1), end(e[i], 0), end(e[i], 1));
        }
        if (op.kind == dvxtest::DrawnOp::Kind::Segments)
            for (size_t i = 0; i + 1 < op.points.size(); i += 2)
                add(op.points[i].x, op.points[i].y, op.points[i + 1].x, op.points[i + 1].y);
    }
    return out;
}

AllocationCount Allocations() { return {sAllocCalls, sAllocBytes}; }

bool IsMemoryFileSystem(const std::string& folder) {
    struct statfs fs;
    constexpr long kTmpfsMagic = 0x01021994;
    return ::statfs(folder.c_str(), &fs) == 0 && static_cast<long>(fs.f_type) == kTmpfsMagic;
}

PartCount PartsOf(const Objex* o) {
    PartCount n;
    for (const Objex* p = o->firstPart; p; p = p->next) ++n.pieces, n.points += p->pointCount;
    return n;
}

PartCount AllParts(int16_t type) {
    PartCount n;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next)
            if (o->type == type) {
                const PartCount c = PartsOf(o);
                n.pieces += c.pieces, n.points += c.points;
            }
    return n;
}

double PartsFloor(PartCount n, int16_t type) {
    return BestSeconds(5, [n, type] {
        const RGBColor white{0xFFFF, 0xFFFF, 0xFFFF};
        const int64_t each = n.pieces ? n.points / n.pieces : 0;
        for (int64_t i = 0; i < n.pieces; ++i) {
            Objex* o = CreateObject(type, 1, 1, &white, &white, 1, 6, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    TypeData{});
            for (int64_t k = 0; k < each; ++k)
                AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, float(k), 0, 0, 0, 0, 0, 0, 0, 0, o), o);
            DeleteObj(o);
        }
    });
}

}  // namespace dvxbench
