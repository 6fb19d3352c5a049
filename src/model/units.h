#pragma once
// Lengths between inches and the other units. The metric factors are the decimals the
// files were made with (0.03937 inches to the millimetre, so a metre is 39.37 inches).
struct DocState;

// World unit codes (`worldUnit`).
inline constexpr int kWorldInches = 1;
inline constexpr int kWorldFeet = 2;
inline constexpr int kWorldYards = 3;
inline constexpr int kWorldMiles = 4;
inline constexpr int kWorldMillimetres = 5;
inline constexpr int kWorldCentimetres = 6;
inline constexpr int kWorldDecimetres = 7;
inline constexpr int kWorldMetres = 8;

// A value in the document's world unit as inches, and back. Unknown codes and a missing
// record leave the value as it is.
float GetInchesFromWorld(float value, const DocState* docState);
float GetWorldFromInches(float value, const DocState* docState);

float ConvertFeetToInches(float value);
float ConvertYardsToInches(float value);
float ConvertMilesToInches(float value);
float ConvertInchesToFeet(float value);
float ConvertInchesToYards(float value);
float ConvertInchesToMiles(float value);
float ConvertMMToInches(float value);
float ConvertCMToInches(float value);
float ConvertDMToInches(float value);
float ConvertMetersToInches(float value);
float ConvertInchesToMM(float value);
float ConvertInchesToCM(float value);
float ConvertInchesToDM(float value);
float ConvertInchesToMeters(float value);
float ConvertInchesToPixels(float value);
