#include "support/fixture.h"

#include "port/seam.h"
#include "port/services.h"
#include "support/doubles.h"

#include "app/core/document_seams.h"
#include "app/core/elevation_pane.h"
#include "app/core/floor_popup_seam.h"
#include "app/core/standard_tool_seam.h"
#include "model/command_globals.h"
#include "plan/refresh_seam.h"
#include "scene/topo_grid.h"
#include "files/design_file.h"
#include "files/undo.h"
#include "model/hit_testing.h"
#include "model/selection_queries.h"
#include "model/walkers.h"
#include "plan/selection_feedback.h"
#include "tools/component_seams.h"
#include "tracking/evaluate_point.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_seams.h"
#include "files/streams.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "content/core/content_selection.h"
#include "geometry/elements/rebuild_seams.h"
#include "model/bounds.h"
#include "model/bicubic.h"
#include "model/add_remove_points.h"
#include "model/deletion.h"
#include "model/flip.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/localization.h"
#include "model/objects.h"
#include "model/planar_polygons.h"
#include "model/plant_fill.h"
#include "model/preferences.h"
#include "model/projection.h"
#include "model/tool_defaults.h"
#include "model/view_state.h"
#include "plan/plan_objects.h"
#include "port/folders.h"
#include "powertools/core/plugin_list.h"
#include "render/core/accumulation_seam.h"
#include "render/core/custom_textures.h"
#include "render/core/live_view_seams.h"
#include "render/core/render_state.h"
#include "scene/plane_object.h"
#include "scene/render_seams.h"
#include "tools/rebuild_seams.h"
#include "app/core/view_top_seam.h"
#include "files/copy_paste.h"
#include "model/default_textures.h"
#include "tools/conversion_seams.h"
#include "tools/roof_attachment_seam.h"
#include "app/core/main_window_sheet_seam.h"
#include "files/object_files.h"
#include "files/symbol_lists.h"
#include "files/template_files.h"

#include <cstdlib>
#include <filesystem>

namespace dvxtest {

void ResetAllGlobals() {
    port::ResetServices();
    port::ResetEverySeam();
    port::ResetEveryGlobal();

    // Document model.
    gCurDocument = nullptr;
    gCurrentTraceImageSourcePath.clear();
    gGroupLeader = nullptr;
    gWorkbenchObject = nullptr;
    ResetViewState();
    ResetFlipState();
    // Selection and hit testing with their seams.
    ResetTrackingState();
    ResetEvaluatePointSeam();
    ResetRemovePointTarget();
    ResetSelectionQueries();
    ResetHitTesting();
    ResetWalkerState();
    ResetCommandGlobals();
    ResetStandardToolSeam();
    ResetSelectionFeedbackSeams();
    ResetElevationPaneSeam();
    ResetInspectorSeams();
    ResetComponentSeams();
    // Geometry: projection, lines, patch workspace, readout strings, plan drawing, GL seam.
    ResetProjectionState();
    ResetLineState();
    ResetBicubicWorkspace();
    ResetLocalizedStrings();
    ResetPlanDrawState();
    ResetAccumulationGL();
    ResetBoundsState();
    ResetPlanarPolygonState();
    ResetPlantFillState();
    SetContentSelection(nullptr);
    ResetModelPreferences();
    ResetToolDefaults();
    gRefreshRender = 0;
    ResetCustomTextureState();
    ResetSceneSeams();
    ResetDocumentSeams();
    SetPlugInListProvider(nullptr);
    ResetStreamState();
    ResetObjectRecordState();
    // Palettes, rebuild seams, live view and scene list.
    ResetPaletteClipboard();
    ResetToolRebuildSeams();
    ResetElementRebuildSeams();
    ResetLiveViewSeams();
    DeletePlaneObjectList(gGLPlaneObjects);
    // Plan redraw, floor pop-up and topography grid.
    ResetRefreshSeam();
    ResetActiveFloorPopUpSeam();
    ResetTopoGrid();
    // Design file and snapshot undo.
    ResetDesignFileState();
    ResetUndoState();
    // Type conversion, copy and paste.
    ResetDefaultTextures();
    ResetConversionSeams();
    ResetViewTopSeam();
    ResetCopyPasteState();
    ResetRoofAttachmentSeam();
    // Templates, object files and the built-in symbol lists.
    ResetTemplateFileState();
    ResetObjectFileState();
    ResetMainWindowSheetSeam();
    FreeSymbolLists();
}

std::string FreshTempFolder(const std::string& name) {
    const char* base = std::getenv("DVX_TEST_TMP");
    std::filesystem::path root = base && *base ? base : std::filesystem::temp_directory_path() / "dvx-tests";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string id = info ? std::string(info->test_suite_name()) + "." + info->name() : "none";
    std::filesystem::path dir = root / (id + "." + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

DocumentTest::DocumentTest() = default;
DocumentTest::~DocumentTest() = default;

void DocumentTest::SetUp() {
    ResetAllGlobals();
    folders = std::make_unique<TempFolders>(FreshTempFolder("folders"));
    port::setFolders(folders.get());
    doc = QMDDocumentModel::alloc()->init();
    ASSERT_NE(doc, nullptr);
}

void DocumentTest::TearDown() {
    if (doc) doc->dealloc();
    doc = nullptr;
    ResetAllGlobals();
    folders.reset();
}

} // namespace dvxtest
