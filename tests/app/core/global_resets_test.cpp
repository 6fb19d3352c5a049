// ResetAllGlobals reaches the globals and seams of every folder without a list of its own.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/core/document_seams.h"
#include "app/core/localization_seams.h"
#include "content/core/content_selection_seams.h"
#include "files/object_records.h"
#include "files/symbol_lists.h"
#include "model/objects.h"
#include "model/view_state.h"
#include "model/plan_objects.h"
#include "plan/refresh_seams.h"
#include "port/seam.h"
#include "powertools/core/plugin_list_seams.h"
#include "files/custom_textures.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/plane_object.h"
#include "model/topo_grid.h"
#include "support/fixture.h"
#include "model/material_table.h"
#include "tools/site_rebuilds.h"
#include "tracking/tracking_state.h"
#include "model/custom_popups.h"

namespace {

TEST(ResetAllGlobals, PutsGlobalsAndSeamsOfEveryFolderBack) {
    dvxtest::ResetAllGlobals();
    Objex marker{};  // any object; never freed
    const RGBColor lawn = gMaterialTable[0];
    int handled = 0;
    struct Sample {
        const char* name;
        std::function<void()> change;
        std::function<bool()> atDefault;
    };
    const Sample samples[] = {
        {"gXViewAngle", [] { gXViewAngle = 12; }, [] { return gXViewAngle == 90; }},
        {"gGroupLeader", [&] { gGroupLeader = &marker; }, [] { return !gGroupLeader; }},
        {"gCabinetObject", [&] { gCabinetObject = &marker; }, [] { return !gCabinetObject; }},
        {"gSymbol2DList", [] { gSymbol2DList = new Objex{}; }, [] { return !gSymbol2DList; }},
        {"gPrinting", [] { gPrinting = 1; }, [] { return gPrinting == 0 && gHPrintScale == 1.0f; }},
        {"gCurTool", [] { gCurTool = 0; }, [] { return gCurTool == toolid::kSelect; }},
        {"gTopographyGrid", [] { ReplaceTopoGrid(1, 2, {1, 2}); },
         [] { return gTopographyGrid.empty() && gTopoRowCnt == 0; }},
        {"gGLPlaneObjects", [] { gGLPlaneObjects = CreatePlaneObject(); }, [] { return !gGLPlaneObjects; }},
        {"gRefreshRender", [] { gRefreshRender = 1; }, [] { return gRefreshRender == 0; }},
        {"gCurrentPhotoTextureID", [] { gCurrentPhotoTextureID = 20007; },
         [] { return gCurrentPhotoTextureID == kFirstCustomTextureID; }},
        {"gMaterialTable", [] { gMaterialTable[0] = {1, 2, 3}; }, [&] { return gMaterialTable[0] == lawn; }},
        {"gCustomDoorPopEntryHilite", [] { gCustomDoorPopEntryHilite = 2; },
         [] { return gCustomDoorPopEntryHilite == -1; }},
        // Seams: after the reset the default answers and the handler is never reached.
        {"LiveViewControllerExists", [] { SetLiveViewControllerExistsHandler([] { return true; }); },
         [] { return !LiveViewControllerExists(); }},
        {"Refresh", [&] { SetRefreshHandler([&] { ++handled; }); }, [&] { return Refresh(), handled == 0; }},
        {"IsOpenDocumentIDInUse", [] { SetIsOpenDocumentIDInUseHandler([](int32_t) { return true; }); },
         [] { return !IsOpenDocumentIDInUse(4); }},
        {"ContentPaletteSelectedCategory", [] { SetContentPaletteSelectedCategoryHandler([] { return int16_t{7}; }); },
         [] { return ContentPaletteSelectedCategory() == -1; }},
        {"LocalizedString", [] { SetLocalizedStringHandler([](const char*) { return std::string("x"); }); },
         [] { return LocalizedString("Group") == "Group"; }},
        {"LoadedPlugInIDs", [] { SetLoadedPlugInIDsHandler([] { return std::vector<int32_t>{3}; }); },
         [] { return LoadedPlugInIDs().empty(); }},
    };
    for (const Sample& s : samples) s.change();
    dvxtest::ResetAllGlobals();
    for (const Sample& s : samples) EXPECT_TRUE(s.atDefault()) << s.name;
    for (const port::SeamBase* seam : port::AllSeams()) EXPECT_FALSE(seam->IsSet()) << seam->name();
}

}  // namespace
