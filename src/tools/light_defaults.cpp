#include "tools/light_defaults.h"

#include "model/docstate.h"
#include "model/object_fields.h"

void CopyLightDefaults(Objex* light, const DocState* ds) {
    if (!light || !ds) return;
    objfield::light::kLightOff(*light) = ds->lightOn ? 0 : 1;
    objfield::light::kGlowOff(*light) = ds->lightGlow ? 0.0f : 1.0f;
    objfield::light::kDimmer(*light) = ds->lightDimmer;
    objfield::light::kRadius(*light) = static_cast<float>(ds->lightRadius);
    objfield::light::kFalloff(*light) = static_cast<float>(ds->lightFalloff);
}
