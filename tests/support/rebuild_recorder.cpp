#include "support/rebuild_recorder.h"

#include <algorithm>

#include "model/rebuild_table.h"

namespace dvxtest {
namespace {
RebuildRecorder* sCurrent = nullptr;
void Render(Objex* o) {
    if (sCurrent) sCurrent->rendered.push_back(o);
}
}  // namespace

RebuildRecorder::RebuildRecorder(std::initializer_list<int16_t> types) : types_(types) {
    sCurrent = this;
    for (int16_t t : types_)
        rebuild::Register(t, [](Objex* o) {
            if (sCurrent) sCurrent->rebuilt.push_back(o);
        });
    rebuild::SceneHooks hooks;
    hooks.reRenderObject = hooks.renderEntireObject = hooks.renderSingleObject = Render;
    rebuild::RegisterScene(hooks);
}

RebuildRecorder::~RebuildRecorder() {
    for (int16_t t : types_) rebuild::Register(t, nullptr);
    rebuild::RegisterScene({});
    sCurrent = nullptr;
}

bool RebuildRecorder::Rebuilt(const Objex* o) const { return std::count(rebuilt.begin(), rebuilt.end(), o) > 0; }
bool RebuildRecorder::Rendered(const Objex* o) const { return std::count(rendered.begin(), rendered.end(), o) > 0; }

}  // namespace dvxtest
