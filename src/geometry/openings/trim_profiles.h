#pragma once
// Custom trim profiles: small drawings read from trim definition files whose outline, laid
// in the plan, is the cross-section of a casing or wall moulding.
#include <cstdint>

struct AttachmentRecord;
struct Objex;

// Moves the profile's points so that its smallest H and smallest D are 0; heights stay.
void MoveTrimProfileToFirstQuadrant(Objex* profile);

// The extent along D of the opening's outside (`outside` non-zero) or inside custom profile,
// as back minus front: 0 or less. The profile's stored 3D bounds are refreshed on the way.
// 0 without a record or that profile.
void GetCustomTrimHeight(AttachmentRecord* record, int16_t outside, float* height);
