#pragma once
// Wall components: built-in symbols hung on a wall segment (receptacles, switches, wall lights,
// sinks, tubs, showers), placed by a press on the wall, a drag along it and the release. The
// same gesture places attached wall dimensions (tool 208, symbol 138) and breaks a wall (tool
// 7055, symbol 303). The component is made when the drag ends; refusals are alert sheets.
#include <cstdint>
#include <functional>

#include "model/types.h"

struct ClickInfo;
struct Objex;

// What is done with the new component once its drag has ended (not called when none is made).
using ComponentMade = std::function<void(Objex* component)>;

// The tool's symbol: tools 7100-7210, 7407, 208 and 7055 (55 for any other).
int16_t ComponentSymbolOfTool(int16_t toolID);

// The tracker of the wall-component tools: the symbol and plan bits by tool, the flood light's
// light defaults. The component comes when the drag ends, so nothing is returned.
void TrackComponent(float worldX, float worldY, float worldZ, int16_t stage, int16_t toolID);
// The symbol's default size, then SupportTrackAttachment with a copy of the click.
void TrackWallAttachment(float worldX, float worldY, float worldZ, int16_t stage,
                         int16_t symbolType, ComponentMade made = {});
// At stage 1 only; `size` is the width along the wall and the reach off it, plan units.
void SupportTrackAttachment(float worldX, float worldY, float worldZ, int16_t stage,
                            const ClickInfo* click, int16_t modifiers, FloatPoint size,
                            int16_t symbolType, ComponentMade made = {});

// The move tool on a wall component, accessory or attached dimension (gClickInfo's object).
void TranslateWallComponent();
