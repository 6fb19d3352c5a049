#pragma once
// Plug-in tools for tests: descriptor files in the PowerTool folder and the closing messages
// a tool sends.
#include <cstdint>
#include <string>

#include "powertools/core/power_tool_message.h"

namespace dvxtest {

// A descriptor's values; an empty one leaves its key out.
struct PowerToolDescriptor {
    std::string directory = "Tool", program = "tool", image = "preview.png", name = "Deck Designer";
    std::string description = "Designs decks", appID = "com.example.deck", id = "120", type = "1";
    std::string fileVersion = "11000";
};

// The PowerTool folder of the current standard folders, made level by level.
std::string MakePowerToolFolder();
// Writes the descriptor as `fileName` there (and the tool's folder); its path.
std::string WritePowerToolDescriptor(const std::string& fileName, const PowerToolDescriptor& d);

// The descriptor, the tool's folder with its picture (a 4 x 4 PPM, red above blue, for
// PpmImageDecoder) and, as its program, a link to `program`.
void InstallPowerTool(const std::string& fileName, const PowerToolDescriptor& d, const std::string& program);

// A message with the three keys every tool message carries.
PowerToolMessage ToolMessage(const char* name, int32_t plugInID, int64_t userID, int32_t docID);

}  // namespace dvxtest
