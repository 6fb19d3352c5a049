#include "model/units.h"

#include "model/docstate.h"

// Imperial factors work in single precision; metric ones in double, rounded once.
float ConvertFeetToInches(float value) { return value * 12.0f; }
float ConvertYardsToInches(float value) { return value * 36.0f; }
float ConvertMilesToInches(float value) { return value * 63360.0f; }
float ConvertInchesToFeet(float value) { return value / 12.0f; }
float ConvertInchesToYards(float value) { return value / 36.0f; }
float ConvertInchesToMiles(float value) { return value / 63360.0f; }

float ConvertMMToInches(float value) { return static_cast<float>(value * 0.03937); }
float ConvertCMToInches(float value) { return static_cast<float>(value * 0.3937); }
float ConvertDMToInches(float value) { return static_cast<float>(value * 3.937); }
float ConvertMetersToInches(float value) { return static_cast<float>(value * 39.37); }
float ConvertInchesToMM(float value) { return static_cast<float>(value / 0.03937); }
float ConvertInchesToCM(float value) { return static_cast<float>(value / 0.3937); }
float ConvertInchesToDM(float value) { return static_cast<float>(value / 3.937); }
float ConvertInchesToMeters(float value) { return static_cast<float>(value / 39.37); }

float ConvertInchesToPixels(float value) { return value * 72.0f; }

float GetInchesFromWorld(float value, const DocState* docState) {
    if (!docState) return value;
    switch (docState->worldUnit) {
    case kWorldInches: return value;
    case kWorldFeet: return ConvertFeetToInches(value);
    case kWorldYards: return ConvertYardsToInches(value);
    case kWorldMiles: return ConvertMilesToInches(value);
    case kWorldMillimetres: return ConvertMMToInches(value);
    case kWorldCentimetres: return ConvertCMToInches(value);
    case kWorldDecimetres: return ConvertDMToInches(value);
    case kWorldMetres: return ConvertMetersToInches(value);
    default: return value;
    }
}

float GetWorldFromInches(float value, const DocState* docState) {
    if (!docState) return value;
    switch (docState->worldUnit) {
    case kWorldInches: return value;
    case kWorldFeet: return ConvertInchesToFeet(value);
    case kWorldYards: return ConvertInchesToYards(value);
    case kWorldMiles: return ConvertInchesToMiles(value);
    case kWorldMillimetres: return ConvertInchesToMM(value);
    case kWorldCentimetres: return ConvertInchesToCM(value);
    case kWorldDecimetres: return ConvertInchesToDM(value);
    case kWorldMetres: return ConvertInchesToMeters(value);
    default: return value;
    }
}
