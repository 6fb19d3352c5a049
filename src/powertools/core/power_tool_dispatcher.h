#pragma once
// The registry of plug-in tools: every valid descriptor of the PowerTool folder, read once
// at start-up, in the order of the folder's (sorted) listing.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "powertools/core/power_tool_entry.h"
#include "powertools/core/power_tool_message.h"

class QMDDocumentModel;

// Known tools the host treats apart.
inline constexpr int32_t kPowerToolSharedBlock = 101;   // its data also goes to tool 102
inline constexpr int32_t kPowerToolWithSharedBlock = 102;
inline constexpr int32_t kPowerToolRorozErud = 109;     // only locks: runs no program
inline constexpr int32_t kPowerToolTopography = 118;    // hands back a topography grid
inline constexpr int32_t kPowerToolSunAndLight = 128;   // hands back sun and light values

// The exchange file, in both directions, in the tool's folder.
inline constexpr const char* kExchangeFileName = "data.pxf";
// What a started tool finds in its environment: its exchange folder, the channel's address,
// and the three values its closing message must carry.
inline constexpr const char* kPowerToolFolderVariable = "DVX_POWERTOOL_FOLDER";
inline constexpr const char* kPowerToolChannelVariable = "DVX_POWERTOOL_CHANNEL";
inline constexpr const char* kPowerToolIDVariable = "DVX_POWERTOOL_ID";
inline constexpr const char* kPowerToolUserVariable = "DVX_POWERTOOL_USER";
inline constexpr const char* kPowerToolDocumentVariable = "DVX_POWERTOOL_DOCUMENT";

// Descriptor section and keys; value buffers hold these many bytes with the terminator.
inline constexpr const char* kDescriptorSection = "Description";
inline constexpr int kDescriptorValueSize = 126;
inline constexpr int kDescriptorLongValueSize = 256;
inline constexpr int kDescriptorPathSize = 512;
inline constexpr int32_t kDefaultDescriptorFileVersion = 5000;
// Descriptors whose minimum exchange version is this or more are skipped.
inline constexpr int32_t kFirstUnreadableFileVersion = 11001;

class PowerToolDispatcher {
public:
    // The one dispatcher, made on first use; it lives until the globals are reset.
    static PowerToolDispatcher* sharedPowerToolDispatcher();

    // Empties the list and fills it from the PowerTool folders, the user's before the stock
    // one; of two tools with one ID the user's is kept. A missing folder adds nothing;
    // nothing is reported.
    void buildPluginList();
    // An entry from the descriptor at `path` with the versions given, or null when the path
    // is empty or the entry is not valid.
    std::unique_ptr<PowerToolEntry> createPowerToolEntryWithContentsAtPath(const char* path, int32_t fileVersion,
                                                                           int32_t minFileVersion) const;

    const std::vector<std::unique_ptr<PowerToolEntry>>& pluginList() const { return pluginList_; }
    // The first entry with the ID; null when none.
    PowerToolEntry* powerToolEntryForID(int32_t plugInID) const;
    // The first entry held by the model; null for a null model or when none is.
    PowerToolEntry* powerToolEntryForDocument(const QMDDocumentModel* model) const;
    // The first entry whose holding design (still existing) has the document ID.
    PowerToolEntry* powerToolEntryForDocumentID(int32_t docID) const;

    // Launch and return (power_tool_launch.cpp).
    //
    // Writes the exchange file, starts the tool and locks it to the current design; tool 109
    // is only locked. False (the entry left free) for a null entry, a failed write or a
    // program that cannot be started.
    bool launchPowerTool(PowerToolEntry* entry);
    bool launchPowerToolWithID(int32_t plugInID) { return launchPowerTool(powerToolEntryForID(plugInID)); }
    // Hears the two closing messages on the installed channel.
    void registerAllServerObservers();
    void powerToolDidCloseUpdate(const PowerToolMessage& message);
    void powerToolDidCloseNoUpdate(const PowerToolMessage& message);
    void releaseLockForPowerTool(PowerToolEntry* entry);
    void releaseLockForPowerToolOwnedByDocument(const QMDDocumentModel* model);
    // Asks every tool holding the design to close and frees it at once.
    void forceQuitPowerToolOwnedByDocument(const QMDDocumentModel* model);

    // The tool's private exchange folder (made on the way, mode 0700); empty with `why` set
    // when it cannot be made safely.
    static std::string exchangeFolder(const PowerToolEntry& entry, std::string* why = nullptr);

private:
    // Appends the folder's tools, leaving out those whose ID one of the first `usersTools`
    // entries has.
    void addPluginsIn(const std::string& folder, size_t usersTools);
    std::vector<std::unique_ptr<PowerToolEntry>> pluginList_;
};

// Answers the plug-in seams the rest of the program calls (building the list, hearing the
// tools, the loaded IDs, the tool holding a design, a tool's name and availability, launching,
// releasing and closing a tool) from the shared dispatcher.
void RegisterPowerToolDispatcherSeams();
