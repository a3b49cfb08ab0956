#pragma once

#include "geometry/gear_pair.h"
#include "scene/view_state.h"

namespace gearmesh {

// The simulator's single state: the pair the dialogue set up and the view
// the keys change. Only the entry points read or write them: the dialogue's
// setup, display, keyboard and reshape; everything below them takes what it
// reads as arguments.
extern GearPair gearPair;
extern ViewState viewState;

}  // namespace gearmesh
