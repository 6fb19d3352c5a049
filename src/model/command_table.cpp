#include "model/command_table.h"

#include <iterator>

#include "model/selection_commands.h"

namespace {

constexpr SelectedCommandRow kSelectedCommands[] = {
    {2001, 2001, CountGroupsCommand},
    {8001, 8001, SelectCommand},
    {8006, 8006, SelectionSummaryCommand},
    {8007, 8007, ElevationSummaryCommand},
};

constexpr TopLevelCommandRow kTopLevelCommands[] = {
    {2000, 2000, CountTopLevelCommand},
    {5025, 5025, GroupCommand},
    {5026, 5026, UngroupCommand},
    {8007, 8007, TopLevelElevationSummaryCommand},
};

}  // namespace

SelectedCommandFn FindSelectedCommand(int32_t command) {
    for (const SelectedCommandRow& row : kSelectedCommands)
        if (command >= row.first && command <= row.last) return row.apply;
    return nullptr;
}

TopLevelCommandFn FindTopLevelCommand(int32_t command) {
    for (const TopLevelCommandRow& row : kTopLevelCommands)
        if (command >= row.first && command <= row.last) return row.apply;
    return nullptr;
}
