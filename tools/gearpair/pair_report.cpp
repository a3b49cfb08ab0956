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

bool toothIsPointed(const Gear& gear) {
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

PairSummary summarizeGearPair(const GearPair& pair) {
    const Gear& g1 = pair.gears[0];
    const Gear& g2 = pair.gears[1];
    PairSummary summary;
    summary.flankAboveBase1 = g1.flankStartRadius > g1.baseRadius;
    summary.flankAboveBase2 = g2.flankStartRadius > g2.baseRadius;
    summary.pointed1 = toothIsPointed(g1);
    summary.pointed2 = toothIsPointed(g2);
    summary.pathOfContact = g1.contactLimit + g2.contactLimit;
    summary.contactRatio = summary.pathOfContact / pair.basePitch;
    const double tipReach1 = std::sqrt(g1.tipRadius * g1.tipRadius - g1.baseRadius * g1.baseRadius);
    const double tipReach2 = std::sqrt(g2.tipRadius * g2.tipRadius - g2.baseRadius * g2.baseRadius);
    summary.contactRatioTheoretical =
        (tipReach1 + tipReach2 - (g1.pitchRadius + g2.pitchRadius) * pair.sinAlpha) /
        pair.basePitch;
    return summary;
}

std::string plainReport(const GearPair& pair, const PairSummary& s) {
    const Gear& g1 = pair.gears[0];
    const Gear& g2 = pair.gears[1];
    std::string text;
    text += format(
        "Gear pair %d x %d teeth: module 1, pressure angle 20 degrees, "
        "profile shift %+.4f / %+.4f\n",
        g1.teeth, g2.teeth, g1.shift + 0.0, g2.shift + 0.0);  // + 0.0: no "-0"
    text += "Lengths in modules (millimetres at module 1); the pitch point is the origin.\n\n";

    text += format("  %-26s %12s %12s\n", "", "gear 1", "gear 2");
    text += format("  %-26s %12d %12d\n", "teeth", g1.teeth, g2.teeth);
    text += tableRow("pitch radius", g1.pitchRadius, g2.pitchRadius);
    text += tableRow("base radius", g1.baseRadius, g2.baseRadius);
    text += tableRow("tip radius", g1.tipRadius, g2.tipRadius);
    text += tableRow("root radius", g1.rootRadius, g2.rootRadius);
    // The simulator's junction of the sampled curves; above the base circle
    // it means only that the flank starts there, not true undercut.
    text += tableRow("sampled flank start radius", g1.flankStartRadius, g2.flankStartRadius);
    text += tableRow("flank above base (sampled)", s.flankAboveBase1, s.flankAboveBase2);
    text += tableRow("pointed teeth", s.pointed1, s.pointed2);
    text += format("  %-26s %12.4f\n", "base pitch", pair.basePitch);
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
    text += pointRow("interference point 1", g1.interferencePoint, g1.interferenceDist);
    text += pointRow("interference point 2", g2.interferencePoint, g2.interferenceDist);
    text += pointRow("tip contact point 1", g1.tipContactPoint, g1.tipContactDist);
    text += pointRow("tip contact point 2", g2.tipContactPoint, g2.tipContactDist);
    text += pointRow("sampled flank start 1", g1.flankStartPoint, g1.flankStartDist);
    text += pointRow("sampled flank start 2", g2.flankStartPoint, g2.flankStartDist);

    const char* cause1 = byContactEnd<const char*>(g1.contactEnd, "gear 1 sampled flank start",
                                                   "gear 2 tip circle", "interference point 1");
    const char* cause2 = byContactEnd<const char*>(g2.contactEnd, "gear 2 sampled flank start",
                                                   "gear 1 tip circle", "interference point 2");
    text += "\n  Path of contact\n";
    text +=
        format("  %-26s %12.4f   ended by the %s\n", "contact limit 1", g1.contactLimit, cause1);
    text +=
        format("  %-26s %12.4f   ended by the %s\n", "contact limit 2", g2.contactLimit, cause2);
    text += format("  %-26s %12.4f\n", "length", s.pathOfContact);
    text += format("  %-26s %12.4f   usable (%.4f theoretical, tip circles alone)\n",
                   "contact ratio", s.contactRatio, s.contactRatioTheoretical);
    return text;
}

std::string jsonReport(const GearPair& pair, const ViewState& view, const PairSummary& s) {
    const Gear& g1 = pair.gears[0];
    const Gear& g2 = pair.gears[1];
    // Key by key in the first release's order, gear 1's field next to gear
    // 2's: a loop over the gears would group them by gear instead.
    nlohmann::ordered_json j;
    j["z1"] = g1.teeth;
    j["z2"] = g2.teeth;
    j["gearRatio"] = pair.gearRatio;
    j["pressureAngle"] = pair.pressureAngle;
    j["tanAlpha"] = pair.tanAlpha;
    j["invAlpha"] = pair.invAlpha;
    j["cosAlpha"] = pair.cosAlpha;
    j["sinAlpha"] = pair.sinAlpha;
    j["shift1"] = g1.shift;
    j["shift2"] = g2.shift;
    j["addendum1"] = g1.addendum;
    j["addendum2"] = g2.addendum;
    j["dedendum1"] = g1.dedendum;
    j["dedendum2"] = g2.dedendum;
    j["pitchRadius1"] = g1.pitchRadius;
    j["pitchRadius2"] = g2.pitchRadius;
    j["baseRadius1"] = g1.baseRadius;
    j["baseRadius2"] = g2.baseRadius;
    j["tipRadius1"] = g1.tipRadius;
    j["tipRadius2"] = g2.tipRadius;
    j["basePitch"] = pair.basePitch;
    j["basePitchAngle1"] = pair.basePitchAngle1;
    j["pitchPoint"] = pointJson(pair.pitchPoint);
    j["center1"] = pointJson(g1.centre);
    j["center2"] = pointJson(g2.centre);
    j["interferencePoint1"] = pointJson(g1.interferencePoint);
    j["interferencePoint2"] = pointJson(g2.interferencePoint);
    j["interferenceDist1"] = g1.interferenceDist;
    j["interferenceDist2"] = g2.interferenceDist;
    j["tipContactPoint1"] = pointJson(g1.tipContactPoint);
    j["tipContactPoint2"] = pointJson(g2.tipContactPoint);
    j["tipContactDist1"] = g1.tipContactDist;
    j["tipContactDist2"] = g2.tipContactDist;
    j["toothOutline1"] = outlineJson(g1.toothOutline, g1.toothOutlineLast);
    j["toothOutline2"] = outlineJson(g2.toothOutline, g2.toothOutlineLast);
    j["toothOutlineLast1"] = g1.toothOutlineLast;
    j["toothOutlineLast2"] = g2.toothOutlineLast;
    // The sampled flank start under its first release's name.
    j["undercutRadius1"] = g1.flankStartRadius;
    j["undercutRadius2"] = g2.flankStartRadius;
    j["undercutPoint1"] = pointJson(g1.flankStartPoint);
    j["undercutPoint2"] = pointJson(g2.flankStartPoint);
    j["undercutDist1"] = g1.flankStartDist;
    j["undercutDist2"] = g2.flankStartDist;
    j["contactLimit1"] = g1.contactLimit;
    j["contactLimit2"] = g2.contactLimit;
    j["contactRatio"] = s.contactRatio;
    j["contactRatioTheoretical"] = s.contactRatioTheoretical;
    j["undercut1"] = s.flankAboveBase1;
    j["undercut2"] = s.flankAboveBase2;
    j["viewScale"] = view.viewScale;
    j["angleStep"] = view.angleStep;
    return j.dump() + "\n";
}

}  // namespace gearmesh
