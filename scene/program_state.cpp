#include "scene/program_state.h"

GearPair gearPair;
ViewState viewState;
