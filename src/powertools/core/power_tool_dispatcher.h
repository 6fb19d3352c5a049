#pragma once
// The registry of plug-in tools: every valid descriptor of the PowerTool folder, read once
// at start-up, in the order of the folder's (sorted) listing.
#include <cstdint>
#include <memory>
#include <vector>

#include "powertools/core/power_tool_entry.h"

class QMDDocumentModel;

// Known tools the host treats apart.
inline constexpr int32_t kPowerToolSharedBlock = 101;   // its data also goes to tool 102
inline constexpr int32_t kPowerToolWithSharedBlock = 102;

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

    // Empties the list and fills it from the PowerTool folder. A missing folder leaves it
    // empty; nothing is reported.
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

private:
    std::vector<std::unique_ptr<PowerToolEntry>> pluginList_;
};

// Answers the plug-in seams the rest of the program calls (building the list, the loaded IDs,
// the tool holding a design, a tool's name and availability) from the shared dispatcher.
void RegisterPowerToolDispatcherSeams();
