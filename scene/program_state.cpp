#include "scene/program_state.h"

namespace gearmesh {

GearPair gearPair;
ViewState viewState;

}  // namespace gearmesh
