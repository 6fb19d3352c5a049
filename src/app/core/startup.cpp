#include "app/core/startup.h"

#include <cstdio>
#include <cstring>

#include "app/core/key_entry.h"
#include "app/core/localization_seams.h"
#include "app/core/preference_keys.h"
#include "commands/add_remove_points.h"
#include "commands/command_rows.h"
#include "files/content_folders.h"
#include "files/content_paths.h"
#include "files/document_files.h"
#include "geometry/elements/element_rebuilds.h"
#include "model/preferences.h"
#include "model/tool_defaults.h"
#include "plan/plan_lines.h"
#include "plan/selection_feedback.h"
#include "port/alerts.h"
#include "port/defaults.h"
#include "port/seam.h"
#include "port/session_folders.h"
#include "powertools/core/plugin_list_seams.h"
#include "scene/scene_rebuilds.h"
#include "tools/tool_rebuilds.h"
#include "tools/tool_trackers.h"
#include "tracking/drafting_trackers.h"
#include "tracking/evaluate_point.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracking_state.h"

uint8_t gSupportFolderUnavailable = 0;
std::string gRorozErudPath;
namespace {
bool sToldSupportFolder = false;
}  // namespace
static const port::GlobalReset kReset([] {
    gSupportFolderUnavailable = 0;
    gRorozErudPath.clear();
    sToldSupportFolder = false;
});

void InitializeSupportPath() {
    // Where a user adds content: made on the first run, so the folders are there to find. A
    // failure tells nothing here; the stock content is read all the same.
    MakeUserContentFolders();
    std::string why;
    if (MakeApplicationTemporaryFolder(&why)) {
        // This session's snapshots go into a folder of its own; what killed sessions left goes,
        // their plug-in tools' sockets with it.
        const std::string folder = ApplicationTemporaryPath();
        port::OpenSessionFolder(folder);
        port::RemoveDeadSessionFolders(folder);
        port::RemoveDeadSessionSockets(folder, kPowerToolSocketPrefix);
        return;
    }
    gSupportFolderUnavailable = 1;
    if (sToldSupportFolder) return;
    sToldSupportFolder = true;
    port::Alert alert;
    alert.message = "Undo is switched off because the private folder for undo files cannot be made.";
    alert.informative = ApplicationTemporaryPath() + (why.empty() ? "" : ": " + why);
    port::alerts().runModal(alert);
}

bool NewDocumentUndoEnabled() {
    return !gSupportFolderUnavailable && port::defaults().getBool(QMDUndoEnabledKey);
}

void InitializeApplicationGlobals() {
    gLiveViewOptions = 1023;
    gToolsetOptions = 6911;
    LOGFONT font;
    font.lfItalic = 1;
    font.lfPitchAndFamily = 52;
    std::strcpy(font.lfFaceName, "Arial");
    font.lfHeight = -16;
    gCurFontInfo = font;
    font.lfHeight = -28;
    gTextFontInfo = font;
    gRorozErudPath.clear();
    PowerToolBuildPluginList();
    PowerToolRegisterAllServerObservers();
    if (!gAcclLineBuffer) AllocateAcclLineBuffer();
    RegisterDraftingTrackers();
    RegisterToolTrackers();
    RegisterLogicTables();
}

void RegisterLogicTables() {
    RegisterSceneRebuilders();
    RegisterElementRebuilders();
    RegisterToolRebuilders();
    RegisterCommandRows();
    RegisterPointTrackers();
    RegisterSelectionFeedback();
    RegisterPointEvaluation();
    RegisterKeyEntryTracker(TrackKeyEntry);
    RegisterDocumentFileHooks();
}

bool ToolStaysArmed(int16_t t) {
    struct Range { int16_t first, last; };
    static constexpr Range kArmed[] = {
        {200, 203},   {205, 205},   {209, 213},   {400, 403},   {406, 406},   {7050, 7053},
        {7056, 7057}, {7064, 7064}, {7066, 7066}, {7100, 7115}, {7200, 7201}, {7203, 7207},
        {7307, 7308}, {7310, 7310}, {7400, 7403}, {7407, 7407}, {7505, 7506}, {7700, 7707},
    };
    for (const Range& r : kArmed)
        if (t >= r.first && t <= r.last) return true;
    return false;
}

bool ResetStandardToolState(bool force) {
    if (!force && ToolStaysArmed(gCurTool)) return false;
    gCurTool = toolid::kSelect;
    return true;
}

bool DelegateMenuItemsEnabled(bool hasDocument, int32_t plugInHoldingDocument, int deminiaturizedWindows) {
    return hasDocument && plugInHoldingDocument == 0 && deminiaturizedWindows != 0;
}

std::string PanelMenuItemTitle(int32_t tag, bool panelVisible, bool enabled) {
    static const char* const kTitles[][2] = {
        {"Hide 3D View", "Show 3D View"},           {"Hide Editing Tools", "Show Editing Tools"},
        {"Hide Snap Tools", "Show Snap Tools"},     {"Hide Drawing Tools", "Show Drawing Tools"},
        {"Hide Inspector", "Show Inspector"},
    };
    if (tag < 14000 || tag > 14004) return {};
    return LocalizedString(kTitles[tag - 14000][panelVisible && enabled ? 0 : 1]);
}

void InitialPaletteOrigins(const BottomLeftFrame& v, BottomLeftFrame* edit, BottomLeftFrame* plan) {
    const double top = v.y + v.height;
    if (edit) {
        edit->x = v.x + 5;
        edit->y = top - edit->height - (plan ? plan->height : 0) - 5;
    }
    if (plan) {
        plan->x = v.x + 5;
        plan->y = top - plan->height;
    }
}

std::string PlantGrowthStatusText(int level) {
    switch (level) {
    case 1: return LocalizedString("Plant Growth at 3 Months");
    case 2: return LocalizedString("Plant Growth at 6 Months");
    case 3: return LocalizedString("Plant Growth at 9 Months");
    default: break;
    }
    char text[64];
    std::snprintf(text, sizeof text, LocalizedString("Plant Growth at %d Years").c_str(), level - 3);
    return text;
}
