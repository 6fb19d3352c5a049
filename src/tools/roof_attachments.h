#pragma once
// Skylights (160) and dormer cut-outs (166) on roofs: the tools that place them and the refit
// that keeps each wholly inside one roof section after the roof or the attachment changed.
// Fitting and heights come from geometry/elements/roof_attachment_fit.h.
#include <cstdint>

struct Objex;

// The skylight tool (7310) at the release point's plan position; only stage 3 acts. A
// standard style (800-802) centres its outline there; the custom style (806) builds its
// symbols from the selected definition. Refused with an alert when no section takes it.
void TrackSkylight(float h, float v, float d, int16_t stage);
void TrackCustomSkylight(float h, float v, float d, int16_t stage);
// The dormer cut-out tool (7309): a polygon drawn on a roof section, kept when it lies wholly
// inside that section. A press outside every section alerts once.
void TrackDormerCutout(int32_t x, int32_t y, float h, float v, float d, int16_t stage);

// Every skylight and cut-out of the roof in turn; one alert when any was removed.
void UpdateAllRoofAttachments(Objex* roof);
// Rebuilds a skylight's outline on the section after its style or sizes changed; a custom
// skylight reads its definition again unless `keepDefinition` is set. Selects the skylight.
// False, with the skylight untouched, when the definition to read cannot be had or has no
// size: nothing could be built in its place.
bool UpdateRoofAttachmentProperties(Objex* skylight, Objex* section, uint8_t keepDefinition);
