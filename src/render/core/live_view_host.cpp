#include "render/core/live_view_host.h"

#include "port/seam.h"
#include "render/core/interrupt_source.h"
#include "model/render_state.h"
#include "scene/plane_object.h"

namespace {
LiveViewHost* gHost = nullptr;
int gRenderDepth = 0;
}  // namespace

static const port::GlobalReset kReset([] {
    gHost = nullptr;
    gRenderDepth = 0;
});

LiveViewHost* CurrentLiveViewHost() { return gHost; }
void SetLiveViewHost(LiveViewHost* host) { gHost = host; }

RenderInterruptScope::RenderInterruptScope() : source_(gHost ? gHost->interruptSource() : nullptr) {
    ++gRenderDepth;
    if (source_) source_->beginRender();
}

RenderInterruptScope::~RenderInterruptScope() {
    if (source_) source_->endRender();
    --gRenderDepth;
}

bool RenderInterruptScope::busy() { return gRenderDepth > 0; }

bool PollRenderInterrupt() {
    if (gDisableRenderInterrupt || gPrinting3DView || !gHost) return false;
    InterruptSource* source = gHost->interruptSource();
    if (!source || !source->pollEscape()) return false;
    gBreakOpenGLRender = 1;
    g3DViewPrintInterrupted = 1;
    return true;
}
