#include "tools/gearpair/pair_report.h"

#include <cmath>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "geometry/gear_pair.h"
#include "geometry/tooth_outline.h"
#include "tools/gearpair/report_rows.h"

namespace gearmesh {

namespace {

nlohmann::ordered_json pointJson(const Point2& p) {
    return nlohmann::ordered_json::array({p.x, p.y});
}

nlohmann::ordered_json outlineJson(const Point2* outline, int last) {
    nlohmann::ordered_json points = nlohmann::ordered_json::array();
    for (int i = 0; i <= last && i < CURVE_CAPACITY; ++i) {
        points.push_back(pointJson(outline[i]));
    }
    return points;
}

}  // namespace

bool toothIsPointed(const GearView& gear) {
    const int last = gear.toothOutlineLast;
    if (last < 2 * ARC_SEGMENTS || last >= CURVE_CAPACITY) {
        return false;
    }
    // The outline holds 2n + 21 points; its tip arc starts at the flank's tip point.
    const int n = (last - 2 * ARC_SEGMENTS) / 2;
    const Point2& flankTip = gear.toothOutline[n + ARC_SEGMENTS];
    const double flankTipAngle = std::atan2(flankTip.x, flankTip.y);
    return 2 * flankTipAngle > gear.toothAngle;
}

PairSummary summarizeGearPair(const GearPair& g) {
    PairSummary summary;
    summary.undercut1 = g.undercutRadius1 > g.baseRadius1;
    summary.undercut2 = g.undercutRadius2 > g.baseRadius2;
    summary.pointed1 = toothIsPointed(gearOf(g, 1));
    summary.pointed2 = toothIsPointed(gearOf(g, 2));
    summary.pathOfContact = g.contactLimit1 + g.contactLimit2;
    summary.contactRatio = summary.pathOfContact / g.basePitch;
    const double tipReach1 = std::sqrt(g.tipRadius1 * g.tipRadius1 - g.baseRadius1 * g.baseRadius1);
    const double tipReach2 = std::sqrt(g.tipRadius2 * g.tipRadius2 - g.baseRadius2 * g.baseRadius2);
    summary.contactRatioTheoretical =
        (tipReach1 + tipReach2 - (g.pitchRadius1 + g.pitchRadius2) * g.sinAlpha) / g.basePitch;
    return summary;
}

std::string plainReport(const GearPair& g, const PairSummary& s) {
    std::string text;
    text += format(
        "Gear pair %d x %d teeth: module 1, pressure angle 20 degrees, "
        "profile shift %+.4f / %+.4f\n",
        g.z1, g.z2, g.shift1 + 0.0, g.shift2 + 0.0);  // + 0.0: no "-0"
    text += "Lengths in modules (millimetres at module 1); the pitch point is the origin.\n\n";

    text += format("  %-26s %12s %12s\n", "", "gear 1", "gear 2");
    text += format("  %-26s %12d %12d\n", "teeth", g.z1, g.z2);
    text += tableRow("pitch radius", g.pitchRadius1, g.pitchRadius2);
    text += tableRow("base radius", g.baseRadius1, g.baseRadius2);
    text += tableRow("tip radius", g.tipRadius1, g.tipRadius2);
    text += tableRow("root radius", g.rootRadius1, g.rootRadius2);
    // The simulator's junction of the sampled curves; above the base circle
    // it means only that the flank starts there, not true undercut.
    text += tableRow("sampled flank start radius", g.undercutRadius1, g.undercutRadius2);
    text += tableRow("flank above base (sampled)", s.undercut1, s.undercut2);
    text += tableRow("pointed teeth", s.pointed1, s.pointed2);
    text += format("  %-26s %12.4f\n", "base pitch", g.basePitch);
    const bool pointed[] = {s.pointed1, s.pointed2};
    for (int gear = 1; gear <= 2; ++gear) {
        if (pointed[gear - 1]) {
            text += format(
                "  Gear %d's teeth are pointed: the two flanks meet below the "
                "tip circle.\n",
                gear);
        }
    }

    text +=
        format("\n  %-26s %12s %12s %12s\n", "Points on the line of action", "x", "y", "distance");
    text += pointRow("interference point 1", g.interferencePoint1, g.interferenceDist1);
    text += pointRow("interference point 2", g.interferencePoint2, g.interferenceDist2);
    text += pointRow("tip contact point 1", g.tipContactPoint1, g.tipContactDist1);
    text += pointRow("tip contact point 2", g.tipContactPoint2, g.tipContactDist2);
    text += pointRow("sampled flank start 1", g.undercutPoint1, g.undercutDist1);
    text += pointRow("sampled flank start 2", g.undercutPoint2, g.undercutDist2);

    const char* cause1 = byContactEnd<const char*>(g.contactEnd1, "gear 1 sampled flank start",
                                                   "gear 2 tip circle", "interference point 1");
    const char* cause2 = byContactEnd<const char*>(g.contactEnd2, "gear 2 sampled flank start",
                                                   "gear 1 tip circle", "interference point 2");
    text += "\n  Path of contact\n";
    text +=
        format("  %-26s %12.4f   ended by the %s\n", "contact limit 1", g.contactLimit1, cause1);
    text +=
        format("  %-26s %12.4f   ended by the %s\n", "contact limit 2", g.contactLimit2, cause2);
    text += format("  %-26s %12.4f\n", "length", s.pathOfContact);
    text += format("  %-26s %12.4f   usable (%.4f theoretical, tip circles alone)\n",
                   "contact ratio", s.contactRatio, s.contactRatioTheoretical);
    return text;
}

std::string jsonReport(const GearPair& g, const ViewState& view, const PairSummary& s) {
    nlohmann::ordered_json j;
    j["z1"] = g.z1;
    j["z2"] = g.z2;
    j["gearRatio"] = g.gearRatio;
    j["pressureAngle"] = g.pressureAngle;
    j["tanAlpha"] = g.tanAlpha;
    j["invAlpha"] = g.invAlpha;
    j["cosAlpha"] = g.cosAlpha;
    j["sinAlpha"] = g.sinAlpha;
    j["shift1"] = g.shift1;
    j["shift2"] = g.shift2;
    j["addendum1"] = g.addendum1;
    j["addendum2"] = g.addendum2;
    j["dedendum1"] = g.dedendum1;
    j["dedendum2"] = g.dedendum2;
    j["pitchRadius1"] = g.pitchRadius1;
    j["pitchRadius2"] = g.pitchRadius2;
    j["baseRadius1"] = g.baseRadius1;
    j["baseRadius2"] = g.baseRadius2;
    j["tipRadius1"] = g.tipRadius1;
    j["tipRadius2"] = g.tipRadius2;
    j["basePitch"] = g.basePitch;
    j["basePitchAngle1"] = g.basePitchAngle1;
    j["pitchPoint"] = pointJson(g.pitchPoint);
    j["center1"] = pointJson(g.center1);
    j["center2"] = pointJson(g.center2);
    j["interferencePoint1"] = pointJson(g.interferencePoint1);
    j["interferencePoint2"] = pointJson(g.interferencePoint2);
    j["interferenceDist1"] = g.interferenceDist1;
    j["interferenceDist2"] = g.interferenceDist2;
    j["tipContactPoint1"] = pointJson(g.tipContactPoint1);
    j["tipContactPoint2"] = pointJson(g.tipContactPoint2);
    j["tipContactDist1"] = g.tipContactDist1;
    j["tipContactDist2"] = g.tipContactDist2;
    j["toothOutline1"] = outlineJson(g.toothOutline1, g.toothOutlineLast1);
    j["toothOutline2"] = outlineJson(g.toothOutline2, g.toothOutlineLast2);
    j["toothOutlineLast1"] = g.toothOutlineLast1;
    j["toothOutlineLast2"] = g.toothOutlineLast2;
    j["undercutRadius1"] = g.undercutRadius1;
    j["undercutRadius2"] = g.undercutRadius2;
    j["undercutPoint1"] = pointJson(g.undercutPoint1);
    j["undercutPoint2"] = pointJson(g.undercutPoint2);
    j["undercutDist1"] = g.undercutDist1;
    j["undercutDist2"] = g.undercutDist2;
    j["contactLimit1"] = g.contactLimit1;
    j["contactLimit2"] = g.contactLimit2;
    j["contactRatio"] = s.contactRatio;
    j["contactRatioTheoretical"] = s.contactRatioTheoretical;
    j["undercut1"] = s.undercut1;
    j["undercut2"] = s.undercut2;
    j["viewScale"] = view.viewScale;
    j["angleStep"] = view.angleStep;
    return j.dump() + "\n";
}

}  // namespace gearmesh
