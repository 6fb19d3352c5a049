#pragma once
// A design pasted into itself as a user makes a neighbourhood of one house: every floor's
// objects copied and pasted on their floor beside what is there, again and again.
namespace dvxtest {

// The current design doubled `times` times: each time every floor's objects are copied and
// pasted on their floor, moved beside the whole design as it stands (its plan box's width
// or depth and `gap` plan units more), along H and along D in turn, so 2^times copies stand
// on a grid. Leaves nothing selected, every floor shown and active and the current floor as
// it was; false when a floor could not be copied.
bool PasteDoubled(int times, float gap);

}  // namespace dvxtest
