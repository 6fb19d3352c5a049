#pragma once
// The rows of SelectedObject beyond selection and grouping: each applies one command to one
// object as the walker visits it (the walker then visits the children). Rows that need a
// record (DocState, TransformRecord) do nothing when the parameter is null.
#include "model/walkers.h"

struct AttachmentRecord;

// 21 cut, 5199 delete: a selected, unlocked door, window, deck steps, component, accessory,
// skylight or roof cut-out is removed and its host rebuilt.
CommandFate RemoveAttachmentCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);
// 5019 fill colour, 5134 pen colour from the DocState parameter.
CommandFate ColourCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);
CommandFate SmoothCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);          // 5041, 5043
CommandFate PenStyleCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);        // 5065
CommandFate LineWeightCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);      // 5066
CommandFate ArrowStyleCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);      // 5086-5092
CommandFate PointTextureCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);    // 5224, 5225
CommandFate TextureFaceCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);     // 5226
CommandFate PointLengthsCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);    // 5227
CommandFate SmoothingCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);       // 5228, 5229
// Plants: 5230 resize, 5238 planting age (fill pattern), 5261 years of growth; a resize or a
// growth leaves the plant unselected.
CommandFate PlantCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);
CommandFate CurveTensionCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);    // 5391, 5392
CommandFate PatternCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);         // 8000
// 30: a dimension's text box (201, or the one a linked dimension 102 holds) takes the first
// floats of the transform record.
CommandFate CopyTransformCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);
// 8003-8005: the font number, size and style of a dimension's text box (201).
CommandFate TextBoxFieldCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);

// The geometric rows (selected_transform_commands.cpp).
CommandFate SnapToGridCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);      // 5015
CommandFate FlipCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);           // 5034, 5035
CommandFate NudgeCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);          // 5036-5039
CommandFate MovePlanCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);       // 5361
CommandFate RotatePlanCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);     // 5362
CommandFate FlipPlanCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);       // 5363, 5364
CommandFate MoveCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);           // 6000
CommandFate ScaleCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);          // 6001
CommandFate ShearCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);          // 6002
CommandFate RotateCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);         // 6003
CommandFate ExtrudeCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);        // 6004
CommandFate RevolveCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);        // 6005

// Mirrors a door's swing: the angle (radians) negated, the swing quadrant 4 when the negated
// angle in degrees lies in (-360, -180) or [0, 180], else 0.
void MirrorDoorSwing(AttachmentRecord* record);
