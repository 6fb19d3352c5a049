// Launching a plug-in tool and taking its answer back: the lock that ties a tool to the
// design that launched it, the exchange file and the closing messages.
#include <cstdio>
#include <cstring>

#include "app/core/app_seams.h"
#include "app/core/event_handler.h"
#include "files/content_paths.h"
#include "files/topography.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/refresh_seams.h"
#include "port/files.h"
#include "port/session.h"
#include "powertools/core/exchange_writer.h"
#include "powertools/core/notification_channel.h"
#include "powertools/core/plugin_list_seams.h"
#include "powertools/core/power_tool_dispatcher.h"
#include "powertools/core/result_merge.h"
#include "files/custom_textures.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/scene_build.h"
#include "model/inspector_panel.h"

namespace {

void Lock(PowerToolEntry* entry, QMDDocumentModel* owner) {
    entry->setPlugInAvailable(false);
    entry->setPlugInOwnerDocument(owner);
    PowerToolEntryUpdateControls(entry);
}

std::string Variable(const char* name, const std::string& value) { return std::string(name) + "=" + value; }

int32_t SessionID() { return static_cast<int32_t>(port::LoginSessionID()); }

// Whether the message comes from a tool of this login session; others are no concern of ours.
bool IsOurSession(const PowerToolMessage& message) {
    return message.integerValue(kAuxDictUserIDKey) == SessionID();
}

// The values tool 128 hands back, in the order the tool sends them.
void CopySunAndLight(const PowerToolMessage& message, DocState* ds) {
    ds->sunAngle = message.floatValue(kAuxDictGSPSunLotAngleKey);
    ds->sunValueB = message.floatValue(kAuxDictGSPSunOverheadAngleKey);
    ds->lightFlag = message.boolValue(kAuxDictGSPSunOverheadAngleKey) ? 1 : 0;
    ds->lightIntensity = message.floatValue(kAuxDictGSPSceneBrightnessKey);
    ds->sunValueD = message.shortValue(kAuxDictGSPSunBrightnessKey);
    ds->lightValue = message.floatValue(kAuxDictGSPShadingIntensityKey);
}

}  // namespace

std::string PowerToolDispatcher::exchangeFolder(const PowerToolEntry& entry, std::string* why) {
    if (!MakeApplicationTemporaryFolder(why)) return {};
    const std::string folder = port::JoinPath(ApplicationTemporaryPath(), entry.plugInAppleAppID());
    if (!port::MakePrivateFolder(folder, why)) return {};
    return folder;
}

bool PowerToolDispatcher::launchPowerTool(PowerToolEntry* entry) {
    if (!entry) return false;
    CloseLiveView();
    // A tool locked to no design could never be freed again.
    if (!gCurDocument) return false;
    if (entry->plugInID() == kPowerToolRorozErud) {
        Lock(entry, gCurDocument);
        return true;
    }
    const std::string folder = exchangeFolder(*entry);
    if (folder.empty()) return false;
    const std::string path = port::JoinPath(folder, kExchangeFileName);
    if (!PlugInFileWrite(path.c_str(), entry->plugInID(), entry->plugInMinFileVer(), entry->plugInFileVer()))
        return false;
    const PowerToolChannel* channel = PowerToolNotificationChannel();
    const std::vector<std::string> environment = {
        Variable(kPowerToolFolderVariable, folder),
        Variable(kPowerToolChannelVariable, channel ? channel->address() : std::string()),
        Variable(kPowerToolIDVariable, std::to_string(entry->plugInID())),
        Variable(kPowerToolUserVariable, std::to_string(SessionID())),
        Variable(kPowerToolDocumentVariable, std::to_string(gCurDocument->itsDocID))};
    if (!StartPowerToolProcess(entry->plugInEXE(), environment)) return false;
    Lock(entry, gCurDocument);
    return true;
}

void PowerToolDispatcher::registerAllServerObservers() {
    PowerToolChannel* channel = PowerToolNotificationChannel();
    if (!channel) return;
    // The shared dispatcher lives as long as the channel's owner keeps it installed.
    channel->observe(kPowerToolClosingUpdate, [](const PowerToolMessage& m) {
        sharedPowerToolDispatcher()->powerToolDidCloseUpdate(m);
    });
    channel->observe(kPowerToolClosingNoUpdate, [](const PowerToolMessage& m) {
        sharedPowerToolDispatcher()->powerToolDidCloseNoUpdate(m);
    });
}

void PowerToolDispatcher::powerToolDidCloseUpdate(const PowerToolMessage& message) {
    if (!IsOurSession(message)) return;
    const int32_t plugInID = static_cast<int32_t>(message.integerValue(kAuxDictPowerToolIDKey));
    if (PowerToolEntry* entry =
            powerToolEntryForDocumentID(static_cast<int32_t>(message.integerValue(kAuxDictDocumentIDKey)))) {
        QMDDocumentModel* owner = entry->plugInOwnerDocument();
        const bool found = EndPowerToolProgressSheetForDocument(owner);
        const std::string name = entry->plugInName();
        const std::string folder = exchangeFolder(*entry);
        releaseLockForPowerTool(entry);
        DeleteAllCachedCustomTextures();
        // The result belongs to the design that launched the tool, whichever is current now.
        if (owner && owner->itsDocState) {
            CurrentDocumentScope scope(owner);
            DocState* ds = owner->itsDocState;
            const std::string path = folder.empty() ? std::string() : port::JoinPath(folder, kExchangeFileName);
            if (!path.empty() && PlugOutFileRead(path.c_str())) {
                const std::string topography = message.textValue(kAuxDictTopographyKey);
                if (plugInID == kPowerToolTopography && !topography.empty()) {
                    std::snprintf(ds->topoFilePath, sizeof ds->topoFilePath, "%s", topography.c_str());
                    ReadTopoGridFile(ds->topoFilePath);
                    if (found) Win32EventHandler().resetPlanView();
                }
                if (plugInID == kPowerToolSunAndLight) CopySunAndLight(message, ds);
                port::RemoveFile(path);
                StoreUndo(name.c_str());
                Refresh();
                gRefreshRender = 1;
                RenderAllLayers();
            }
            RefreshSelectionState40();
        }
    }
    RestoreAllVisiblePanels();
}

void PowerToolDispatcher::powerToolDidCloseNoUpdate(const PowerToolMessage& message) {
    if (!IsOurSession(message)) return;
    PowerToolEntry* entry =
        powerToolEntryForDocumentID(static_cast<int32_t>(message.integerValue(kAuxDictDocumentIDKey)));
    if (!entry) return;
    EndPowerToolProgressSheetForDocument(entry->plugInOwnerDocument());
    releaseLockForPowerTool(entry);
    DeleteAllCachedCustomTextures();
    RestoreAllVisiblePanels();
}

void PowerToolDispatcher::releaseLockForPowerTool(PowerToolEntry* entry) {
    if (!entry) return;
    entry->setPlugInAvailable(true);
    entry->setPlugInOwnerDocument(nullptr);
    PowerToolEntryUpdateControls(entry);
    PowerToolLauncherUpdateButtonStates();
}

void PowerToolDispatcher::releaseLockForPowerToolOwnedByDocument(const QMDDocumentModel* model) {
    releaseLockForPowerTool(powerToolEntryForDocument(model));
}

void PowerToolDispatcher::forceQuitPowerToolOwnedByDocument(const QMDDocumentModel* model) {
    if (!model) return;
    for (const auto& e : pluginList_) {
        if (e->plugInOwnerDocument() != model) continue;
        PowerToolMessage request{kPowerToolHubReqClose,
                                 {{kAuxDictPowerToolIDKey, PowerToolValue::Of(int64_t(e->plugInID()))},
                                  {kAuxDictUserIDKey, PowerToolValue::Of(int64_t(SessionID()))},
                                  {kAuxDictDocumentIDKey, PowerToolValue::Of(int64_t(model->itsDocID))}}};
        if (PowerToolChannel* channel = PowerToolNotificationChannel()) channel->post(request);
        releaseLockForPowerTool(e.get());
    }
}
