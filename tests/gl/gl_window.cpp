#include "gl_window.h"

namespace gearmesh {

// Registered before main runs, so the window is open before the first test.
static ::testing::Environment* const glutWindow =
    ::testing::AddGlobalTestEnvironment(new GlutWindowEnvironment);

}  // namespace gearmesh
