#include "commands/command_rows.h"

#include "commands/selected_commands.h"
#include "commands/top_level_commands.h"
#include "model/command_ids.h"
#include "model/command_table.h"
#include "model/selection_commands.h"

namespace {

constexpr SelectedCommandRow kSelectedCommands[] = {
    {cmd::kCut, cmd::kCut, RemoveAttachmentCommand},
    {cmd::kCopyTransform, cmd::kCopyTransform, CopyTransformCommand},
    {cmd::kCountGroups, cmd::kCountGroups, CountGroupsCommand},
    {cmd::kSnapToGrid, cmd::kSnapToGrid, SnapToGridCommand},
    {cmd::kFillColour, cmd::kFillColour, ColourCommand},
    {cmd::kFlipHorizontal, cmd::kFlipVertical, FlipCommand},
    {cmd::kNudgeUp, cmd::kNudgeRight, NudgeCommand},
    {cmd::kSmooth, cmd::kSmooth, SmoothCommand},
    {cmd::kUnsmooth, cmd::kUnsmooth, SmoothCommand},
    {cmd::kPenStyle, cmd::kPenStyle, PenStyleCommand},
    {cmd::kLineWeight, cmd::kLineWeight, LineWeightCommand},
    {cmd::kArrowStyleFirst, cmd::kArrowStyleLast, ArrowStyleCommand},
    {cmd::kPenColour, cmd::kPenColour, ColourCommand},
    {cmd::kDelete, cmd::kDelete, RemoveAttachmentCommand},
    {cmd::kPointTexture1, cmd::kPointTexture2, PointTextureCommand},
    {cmd::kTextureFace, cmd::kTextureFace, TextureFaceCommand},
    {cmd::kPointLengths, cmd::kPointLengths, PointLengthsCommand},
    {cmd::kSmoothing, cmd::kStraightening, SmoothingCommand},
    {cmd::kPlantSize, cmd::kPlantSize, PlantCommand},
    {cmd::kPlantingAge, cmd::kPlantingAge, PlantCommand},
    {cmd::kPlantGrowth, cmd::kPlantGrowth, PlantCommand},
    {cmd::kMovePlan, cmd::kMovePlan, MovePlanCommand},
    {cmd::kRotatePlan, cmd::kRotatePlan, RotatePlanCommand},
    {cmd::kFlipPlanHorizontal, cmd::kFlipPlanVertical, FlipPlanCommand},
    {cmd::kCurveTension, cmd::kUnsmoothSelection, CurveTensionCommand},
    {cmd::kMove, cmd::kMove, MoveCommand},
    {cmd::kScale, cmd::kScale, ScaleCommand},
    {cmd::kShear, cmd::kShear, ShearCommand},
    {cmd::kRotate, cmd::kRotate, RotateCommand},
    {cmd::kExtrude, cmd::kExtrude, ExtrudeCommand},
    {cmd::kRevolve, cmd::kRevolve, RevolveCommand},
    {cmd::kPattern, cmd::kPattern, PatternCommand},
    {cmd::kSelect, cmd::kSelect, SelectCommand},
    {cmd::kFontNumber, cmd::kFontStyle, TextBoxFieldCommand},
    {cmd::kSelectionSummary, cmd::kSelectionSummary, SelectionSummaryCommand},
    {cmd::kElevationSummary, cmd::kElevationSummary, ElevationSummaryCommand},
};

constexpr TopLevelCommandRow kTopLevelCommands[] = {
    {cmd::kCut, cmd::kCut, DeleteTopLevelCommand},
    {cmd::kCountTopLevel, cmd::kCountTopLevel, CountTopLevelCommand},
    {cmd::kDuplicate, cmd::kDuplicate, DuplicateCommand},
    {cmd::kMirrorLeftRight, cmd::kMirrorLeftRight, DuplicateCommand},
    {cmd::kGroup, cmd::kGroup, GroupCommand},
    {cmd::kUngroup, cmd::kUngroup, UngroupCommand},
    {cmd::kToTail, cmd::kToHead, ReorderCommand},
    {cmd::kMirrorTopBottom, cmd::kMirrorTopBottom, DuplicateCommand},
    {cmd::kMoveToUpperFloor, cmd::kMoveToLowerFloor, MoveToFloorCommand},
    {cmd::kCopyToUpperFloor, cmd::kCopyToLowerFloor, CopyToFloorCommand},
    {cmd::kDelete, cmd::kDelete, DeleteTopLevelCommand},
    {cmd::kSetElevation, cmd::kSetElevation, ElevationCommand},
    {cmd::kFollowTerrain, cmd::kFollowTerrain, FollowTerrainCommand},
    {cmd::kFirstPlan, cmd::kLastPlan, AssignPlanCommand},
    {cmd::kDetailPlan, cmd::kDetailPlan, AssignPlanCommand},
    {cmd::kRaiseElevation, cmd::kRaiseElevation, ElevationCommand},
    {cmd::kElevationSummary, cmd::kElevationSummary, TopLevelElevationSummaryCommand},
};

}  // namespace

void RegisterCommandRows() {
    SetCommandRows(kSelectedCommands, kTopLevelCommands);
}
