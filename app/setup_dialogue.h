#pragma once

namespace gearmesh {

// Runs the console dialogue: title and prompt, reads two tooth counts
// (asking again after bad input), computes the pair and resets the view,
// then prints the key help. Returns false when standard input ends before
// two valid counts were read; gearPair and viewState are then untouched.
// An entry point: writes the program's state.
bool setupGearPair();

}  // namespace gearmesh
