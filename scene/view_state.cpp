#include "scene/view_state.h"

#include "geometry/contact.h"

namespace gearmesh {

namespace {

void stepMesh(ViewState& v, const GearPair& pair) {
    const double pitchAngle = pair.basePitchAngle1;
    v.theta1 = v.theta1 + v.rollStep;
    v.totalAngle1 = v.totalAngle1 + v.rollStep;
    v.totalAngle2 = pair.gearRatio * v.totalAngle1;
    if (v.theta1 > pitchAngle) {
        v.theta1 = v.theta1 - pitchAngle;
    }
    if (v.theta1 < pitchAngle) {
        v.theta1 = v.theta1 + pitchAngle;
    }
    v.theta2 = pair.gearRatio * v.theta1;
}

}  // namespace

void resetView(ViewState& view, const GearPair& pair) {
    view.viewScale = 0.2;
    // The product is taken in integers before the division.
    view.angleStep = PI / (20 * pair.gears[0].teeth);
    view.rollStep = view.angleStep;
    view.theta1 = 0.0;
    view.theta2 = 0.0;
}

void advanceView(ViewState& view, const GearPair& pair) {
    if (view.drawMode != DrawMode::Mesh) {
        return;
    }
    stepMesh(view, pair);
    view.contactCount = contactPoints(pair, view.theta1, view.contactPoints);
}

}  // namespace gearmesh
