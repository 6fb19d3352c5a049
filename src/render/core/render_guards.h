#pragma once
// Temporary changes for one render: a settings field or a render flag takes a value for the
// scope and gets its old one back however the scope ends, so a cancelled or failed render
// never leaves the document in ClearView's line mode or at the light image's brightness.
//     ScopedRenderMode lines(ds, rendermode::kLines);
//     ScopedFlag plain(gRenderOpenGLAntiAlias, 0);
#include <cstdint>
#include <optional>
#include <type_traits>
#include <utility>

#include "model/docstate.h"
#include "model/scoped_restore.h"

template <auto Field>
class ScopedDocSetting {
public:
    using Value = std::remove_cvref_t<decltype(std::declval<DocState&>().*Field)>;

    // Without a settings record nothing is changed or restored.
    explicit ScopedDocSetting(DocState* ds) {
        if (ds) restore_.emplace(ds->*Field);
    }
    ScopedDocSetting(DocState* ds, Value now) {
        if (ds) restore_.emplace(ds->*Field, now);
    }

private:
    std::optional<dvx::Restore<Value>> restore_;
};

using ScopedRenderMode = ScopedDocSetting<&DocState::renderMode>;
using ScopedBrightness = ScopedDocSetting<&DocState::lightIntensity>;
using ScopedPassCount = ScopedDocSetting<&DocState::lightSetting>;
using ScopedCurveSteps = ScopedDocSetting<&DocState::curveSegments>;
// Any of the one-byte render flags of render_state.h.
using ScopedFlag = dvx::Restore<uint8_t>;
