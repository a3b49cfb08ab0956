#include "geometry/gear_pair.h"

GearPair gearPair;
ViewState viewState;
