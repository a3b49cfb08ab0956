#include "tools/gearpair/exact_report.h"

#include <cmath>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "tools/gearpair/report_rows.h"

namespace gearmesh {

namespace {

// Differences below this (in modules) are not worth a line.
constexpr double WORTH_NOTING = 0.001;

// A radius that only some gears have: "-" where the gear has none.
std::string radiusOrDash(bool has, double radius) {
    return has ? format("%12.4f", radius) : format("%12s", "-");
}

std::string optionalRow(const char* label, bool has1, double value1, bool has2, double value2) {
    return format("  %-26s %s %s\n", label, radiusOrDash(has1, value1).c_str(),
                  radiusOrDash(has2, value2).c_str());
}

std::string endCause(ExactContactEnd end, int own) {
    const int mate = own == 1 ? 2 : 1;
    switch (end) {
    case ExactContactEnd::MateTip:
        return format("gear %d tip circle", mate);
    case ExactContactEnd::MatePoint:
        return format("gear %d pointed tip", mate);
    case ExactContactEnd::OwnFormCircle:
        return format("gear %d form circle", own);
    case ExactContactEnd::OwnUndercut:
        return format("gear %d undercut", own);
    }
    return "";
}

std::string sampledNotes(const ExactPair& p, const GearPair& g) {
    std::string text;
    const double junctions[2][2] = {{g.gears[0].flankStartRadius, p.gear1.junctionRadius},
                                    {g.gears[1].flankStartRadius, p.gear2.junctionRadius}};
    for (int k = 0; k < 2; ++k) {
        const double difference = junctions[k][0] - junctions[k][1];
        if (std::fabs(difference) > WORTH_NOTING) {
            text += format(
                "  Sampled junction of gear %d: %.4f %s the exact one (sampled curves joined\n"
                "  at their closest samples).\n",
                k + 1, std::fabs(difference), difference > 0 ? "above" : "below");
        }
    }
    const double ends[2][2] = {{g.gears[0].contactLimit, p.pathEnd1},
                               {g.gears[1].contactLimit, p.pathEnd2}};
    for (int k = 0; k < 2; ++k) {
        const double difference = ends[k][0] - ends[k][1];
        if (std::fabs(difference) > WORTH_NOTING) {
            text += format(
                "  Sampled path end %d: %.4f, %.4f %s than the exact end (sampled junction).\n",
                k + 1, ends[k][0], std::fabs(difference), difference < 0 ? "earlier" : "later");
        }
    }
    return text;
}

nlohmann::ordered_json pointJson(const Point2& p) {
    return nlohmann::ordered_json::array({p.x, p.y});
}

// A radius only some gears have: null where the gear has none.
nlohmann::ordered_json radiusOrNull(bool has, double radius) {
    return has ? nlohmann::ordered_json(radius) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json exactJson(const ExactPair& p) {
    nlohmann::ordered_json j;
    const ExactGear* gears[2] = {&p.gear1, &p.gear2};
    for (int k = 0; k < 2; ++k) {
        const ExactGear& g = *gears[k];
        const std::string n = std::to_string(k + 1);
        j["rootRadius" + n] = g.rootRadius;
        j["junctionRadius" + n] = g.junctionRadius;
        j["formRadius" + n] = radiusOrNull(!g.undercut, g.junctionRadius);
        j["undercutRadius" + n] = radiusOrNull(g.undercut, g.removedUpTo);
        j["undercut" + n] = g.undercut;
        j["smallestCountWithoutUndercut" + n] = smallestCountWithoutUndercut(g.shift);
        j["pointed" + n] = g.pointed;
        j["pointRadius" + n] = radiusOrNull(g.pointed, g.pointRadius);
        j["hasInvolute" + n] = g.hasInvolute;
    }
    j["undercutPoint1"] = pointJson(p.undercutPoint1);
    j["undercutPoint2"] = pointJson(p.undercutPoint2);
    j["undercutDist1"] = p.undercutDist1;
    j["undercutDist2"] = p.undercutDist2;
    j["tipContactDist1"] = p.tipContactDist1;
    j["tipContactDist2"] = p.tipContactDist2;
    j["pathEnd1"] = p.pathEnd1;
    j["pathEnd2"] = p.pathEnd2;
    j["pathEndCause1"] = endCause(p.end1, 1);
    j["pathEndCause2"] = endCause(p.end2, 2);
    j["pathOfContact"] = p.pathOfContact;
    j["contactRatio"] = p.contactRatio;
    return j;
}

}  // namespace

std::string exactReportText(const ExactPair& p, const GearPair* sampled) {
    const ExactGear& g1 = p.gear1;
    const ExactGear& g2 = p.gear2;
    std::string text;
    text += "\n  Exact geometry: the rack's straight flank and sharp tip corner, solved to 1e-12\n";
    text += format("  %-26s %12s %12s\n", "", "gear 1", "gear 2");
    text += tableRow("junction radius", g1.junctionRadius, g2.junctionRadius);
    text += optionalRow("form radius", !g1.undercut, g1.junctionRadius, !g2.undercut,
                        g2.junctionRadius);
    text += optionalRow("undercut up to radius", g1.undercut, g1.removedUpTo, g2.undercut,
                        g2.removedUpTo);
    text += tableRow("truly undercut", g1.undercut, g2.undercut);
    text += format("  %-26s %12d %12d\n", "no undercut from (teeth)",
                   smallestCountWithoutUndercut(g1.shift), smallestCountWithoutUndercut(g2.shift));
    text += tableRow("pointed teeth", g1.pointed, g2.pointed);
    text += optionalRow("point radius", g1.pointed, g1.pointRadius, g2.pointed, g2.pointRadius);
    for (const ExactGear* g : {&g1, &g2}) {
        if (!g->hasInvolute) {
            text += format("  Gear %d keeps no involute: the corner cuts it away up to the tip.\n",
                           g == &g1 ? 1 : 2);
        }
    }
    text += "\n  Exact path of contact\n";
    text += format("  %-26s %12.4f   ended by the %s\n", "end 1", p.pathEnd1,
                   endCause(p.end1, 1).c_str());
    text += format("  %-26s %12.4f   ended by the %s\n", "end 2", p.pathEnd2,
                   endCause(p.end2, 2).c_str());
    text += format("  %-26s %12.4f\n", "length", p.pathOfContact);
    text += format("  %-26s %12.4f   usable\n", "contact ratio", p.contactRatio);
    if (sampled != nullptr) {
        text += sampledNotes(p, *sampled);
    }
    return text;
}

std::string exactOnlyReportText(const ExactPair& p) {
    std::string text;
    text += format(
        "Gear pair %d x %d teeth: module 1, pressure angle 20 degrees, "
        "profile shift %+.4f / %+.4f\n",
        p.gear1.teeth, p.gear2.teeth, p.gear1.shift + 0.0, p.gear2.shift + 0.0);
    text += "Lengths in modules (millimetres at module 1); the pitch point is the origin.\n";
    text +=
        "The simulator's sampled geometry is defined for 1 to 149 teeth: "
        "only the exact geometry follows.\n";
    text += format("\n  %-26s %12s %12s\n", "", "gear 1", "gear 2");
    text += format("  %-26s %12d %12d\n", "teeth", p.gear1.teeth, p.gear2.teeth);
    text += tableRow("pitch radius", p.gear1.pitchRadius, p.gear2.pitchRadius);
    text += tableRow("base radius", p.gear1.baseRadius, p.gear2.baseRadius);
    text += tableRow("tip radius", p.gear1.tipRadius, p.gear2.tipRadius);
    text += tableRow("root radius", p.gear1.rootRadius, p.gear2.rootRadius);
    text += format("  %-26s %12.4f\n", "base pitch", p.basePitch);
    return text + exactReportText(p, nullptr);
}

std::string withExactMember(const std::string& json, const ExactPair& exact) {
    return withMember(json, "exact", exactJson(exact).dump());
}

std::string exactOnlyReportJson(const ExactPair& p) {
    nlohmann::ordered_json j;
    j["z1"] = p.gear1.teeth;
    j["z2"] = p.gear2.teeth;
    j["shift1"] = p.gear1.shift;
    j["shift2"] = p.gear2.shift;
    j["module"] = 1.0;
    j["exact"] = exactJson(p);
    return j.dump() + "\n";
}

}  // namespace gearmesh
