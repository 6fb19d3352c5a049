#include "model/command_table.h"

#include <iterator>

#include "model/selected_commands.h"
#include "model/selection_commands.h"
#include "model/top_level_commands.h"

namespace {

constexpr SelectedCommandRow kSelectedCommands[] = {
    {21, 21, RemoveAttachmentCommand},
    {2001, 2001, CountGroupsCommand},
    {5015, 5015, SnapToGridCommand},
    {5019, 5019, ColourCommand},
    {5034, 5035, FlipCommand},
    {5036, 5039, NudgeCommand},
    {5041, 5041, SmoothCommand},
    {5043, 5043, SmoothCommand},
    {5065, 5065, PenStyleCommand},
    {5066, 5066, LineWeightCommand},
    {5086, 5092, ArrowStyleCommand},
    {5134, 5134, ColourCommand},
    {5199, 5199, RemoveAttachmentCommand},
    {5224, 5225, PointTextureCommand},
    {5226, 5226, TextureFaceCommand},
    {5227, 5227, PointLengthsCommand},
    {5228, 5229, SmoothingCommand},
    {5230, 5230, PlantCommand},
    {5238, 5238, PlantCommand},
    {5261, 5261, PlantCommand},
    {5361, 5361, MovePlanCommand},
    {5362, 5362, RotatePlanCommand},
    {5363, 5364, FlipPlanCommand},
    {5391, 5392, CurveTensionCommand},
    {6000, 6000, MoveCommand},
    {6001, 6001, ScaleCommand},
    {6002, 6002, ShearCommand},
    {6003, 6003, RotateCommand},
    {6004, 6004, ExtrudeCommand},
    {6005, 6005, RevolveCommand},
    {8000, 8000, PatternCommand},
    {8001, 8001, SelectCommand},
    {8003, 8005, TextBoxFieldCommand},
    {8006, 8006, SelectionSummaryCommand},
    {8007, 8007, ElevationSummaryCommand},
};

constexpr TopLevelCommandRow kTopLevelCommands[] = {
    {21, 21, DeleteTopLevelCommand},
    {2000, 2000, CountTopLevelCommand},
    {5006, 5006, DuplicateCommand},
    {5008, 5008, DuplicateCommand},
    {5025, 5025, GroupCommand},
    {5026, 5026, UngroupCommand},
    {5105, 5106, ReorderCommand},
    {5138, 5138, DuplicateCommand},
    {5168, 5169, MoveToFloorCommand},
    {5170, 5171, CopyToFloorCommand},
    {5199, 5199, DeleteTopLevelCommand},
    {5324, 5324, ElevationCommand},
    {5326, 5326, FollowTerrainCommand},
    {5335, 5342, AssignPlanCommand},
    {5389, 5389, AssignPlanCommand},
    {5431, 5431, ElevationCommand},
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
