// The seam template and the one list of global resets, seen from a seam and a global that
// only this test registers.
#include <gtest/gtest.h>

#include <cstring>

#include "port/seam.h"
#include "support/fixture.h"

namespace {

int gProbe = 7;
const port::GlobalReset kProbeReset([] { gProbe = 7; });

DVX_SEAM_GUARDED(ProbeSeam, "tests", port::SeamKind::PlugIn, port::NoNullPointer,
                 [](const int* v) { return v ? -*v : 0; }, int(const int* value))

TEST(Seams, ANewSeamAndANewGlobalResetAreReachedByTheOneReset) {
    const port::SeamBase* listed = nullptr;
    for (const port::SeamBase* seam : port::AllSeams())
        if (std::strcmp(seam->name(), "ProbeSeam") == 0) listed = seam;
    ASSERT_NE(listed, nullptr);
    EXPECT_STREQ(listed->owner(), "tests");
    EXPECT_EQ(listed->kind(), port::SeamKind::PlugIn);

    const int three = 3;
    EXPECT_EQ(ProbeSeam(&three), -3);  // the fallback
    SetProbeSeamHandler([](const int* v) { return *v * 2; });
    gProbe = 1;
    EXPECT_TRUE(listed->IsSet());
    EXPECT_EQ(ProbeSeam(&three), 6);
    EXPECT_EQ(ProbeSeam(nullptr), 0);  // refused by the guard: the handler never sees null

    dvxtest::ResetAllGlobals();
    EXPECT_EQ(gProbe, 7);
    EXPECT_FALSE(listed->IsSet());
    EXPECT_EQ(ProbeSeam(&three), -3);
}

}  // namespace
