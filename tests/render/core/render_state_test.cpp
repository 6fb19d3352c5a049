// The render's temporary changes: settings and flags come back however a render ends.
#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

#include "model/docstate.h"
#include "model/document_model.h"
#include "render/core/render_guards.h"
#include "model/render_state.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class RenderGuards : public DocumentTest {};

// A render that changes what a final render changes and then ends in the given way.
enum class Exit { Normal, Early, Thrown };

void ChangeEverythingThen(DocState* ds, Exit exit) {
    ScopedRenderMode lines(ds, rendermode::kLines);
    ScopedBrightness bright(ds, 2.5f);
    ScopedPassCount passes(ds, 24);
    ScopedCurveSteps steps(ds, 3);
    ScopedFlag plain(gRenderOpenGLAntiAlias, 0);
    ScopedFlag shadow(gRenderingShadowMap, 1);
    if (exit == Exit::Early) return;
    if (exit == Exit::Thrown) throw std::runtime_error("failed pass");
    ds->renderMode = rendermode::kFilled;  // a nested switch inside the scope is undone too
}

TEST_F(RenderGuards, PutSettingsAndFlagsBackOnEveryWayOut) {
    DocState* ds = doc->itsDocState;
    ds->renderMode = rendermode::kClearView;
    ds->lightIntensity = 1.2f;
    ds->lightSetting = 8;
    ds->curveSegments = 10;
    gRenderOpenGLAntiAlias = 1;
    for (Exit exit : {Exit::Normal, Exit::Early, Exit::Thrown}) {
        SCOPED_TRACE(static_cast<int>(exit));
        if (exit == Exit::Thrown) EXPECT_THROW(ChangeEverythingThen(ds, exit), std::runtime_error);
        else ChangeEverythingThen(ds, exit);
        EXPECT_EQ(std::make_tuple(int(ds->renderMode), ds->lightIntensity, int(ds->lightSetting),
                                  int(ds->curveSegments), int(gRenderOpenGLAntiAlias), int(gRenderingShadowMap)),
                  std::make_tuple(int(rendermode::kClearView), 1.2f, 8, 10, 1, 0));
    }
}

}  // namespace
