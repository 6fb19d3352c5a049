#pragma once
// A design pasted into itself as a user makes a neighbourhood of one house: every floor's
// objects copied and pasted again and again on their floor, each copy moved clear of the rest.
namespace dvxtest {

// The current design's objects, floor by floor, pasted `copies` - 1 times: copy i moved to
// column i % n and row i / n of a grid of n = ceil(sqrt(copies)) columns, whose cells are the
// design's plan box grown by `gap` plan units each way. Leaves nothing selected, every floor
// shown and active and the current floor as it was; false when a floor could not be copied.
bool PasteCopiesOnAGrid(int copies, float gap);

}  // namespace dvxtest
