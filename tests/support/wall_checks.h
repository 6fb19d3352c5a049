#pragma once
// Whether a wall's plan solid is the one its present centre line gives: present, pointing
// back at the wall, and point for point what a fresh build makes. Checks a rebuild by its
// result rather than by the call.
struct Objex;

namespace dvxtest {
bool SolidFollowsCentreLine(Objex* wall);
}  // namespace dvxtest
