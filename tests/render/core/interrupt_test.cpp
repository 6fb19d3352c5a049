// Escape during a long render: seen at the next poll, only where polling is allowed, and a
// render's hold on the interrupt source ends however the render ends.
#include <gtest/gtest.h>

#include <stdexcept>

#include "render/core/interrupt_source.h"
#include "render/core/live_view_host.h"
#include "model/render_state.h"
#include "scene/plane_object.h"
#include "support/fixture.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

namespace {

class RenderInterrupt : public ::testing::Test {
protected:
    void SetUp() override { ResetAllGlobals(); }
    void TearDown() override { ResetAllGlobals(); }
};

TEST_F(RenderInterrupt, AnEscapeIsSeenOnceAtThePollsThatMayAskForIt) {
    EXPECT_FALSE(PollRenderInterrupt());  // no host
    struct Row {
        const char* name;
        uint8_t* flag;  // polling off while it is set
    };
    for (const Row& r : {Row{"allowed", nullptr}, Row{"disabled", &gDisableRenderInterrupt},
                         Row{"printing", &gPrinting3DView}}) {
        SCOPED_TRACE(r.name);
        LiveViewHostRecorder host;
        host.interrupts.pressEscape();
        if (r.flag) {
            *r.flag = 1;
            EXPECT_FALSE(PollRenderInterrupt());
            EXPECT_EQ(host.interrupts.polls(), 0);
            EXPECT_EQ(gBreakOpenGLRender, 0);
            *r.flag = 0;
        }
        EXPECT_TRUE(PollRenderInterrupt());  // the press waited
        EXPECT_EQ(gBreakOpenGLRender, 1);
        EXPECT_EQ(g3DViewPrintInterrupted, 1);
        EXPECT_FALSE(PollRenderInterrupt());  // one press, one stop
        EXPECT_EQ(host.interrupts.polls(), 2);
        gBreakOpenGLRender = g3DViewPrintInterrupted = 0;
    }
}

TEST_F(RenderInterrupt, ARenderHoldsTheSourceUntilItEndsHoweverItEnds) {
    LiveViewHostRecorder host;
    {
        RenderInterruptScope render;
        EXPECT_TRUE(RenderInterruptScope::busy());
        EXPECT_EQ(host.interrupts.begun(), 1);
        EXPECT_EQ(host.interrupts.ended(), 0);
    }
    EXPECT_FALSE(RenderInterruptScope::busy());
    EXPECT_THROW([] { RenderInterruptScope render; throw std::runtime_error("failed pass"); }(), std::runtime_error);
    EXPECT_EQ(host.interrupts.ended(), 2);
    EXPECT_FALSE(RenderInterruptScope::busy());
    // Dropping the buffered keys forgets an Escape pressed before the render.
    host.interrupts.pressEscape();
    host.flushBufferedKeyEvents();
    EXPECT_FALSE(PollRenderInterrupt());
}

}  // namespace
