// The window's black markers and the report's "ended by" column name the
// same end of the path of contact, for every pair of counts.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "draw/bounds.h"
#include "draw/recorder.h"
#include "scene/display.h"
#include "tests/scene/recorded_figure.h"
#include "tests/support/recording_context.h"
#include "tools/gearpair/pair_report.h"

namespace gearmesh {

using namespace recorded;

namespace {

GearPair pair;

// The report's words after "ended by the " on the line that starts with label.
std::string endedBy(const std::string& report, const std::string& label) {
    const std::size_t line = report.find(label);
    const std::string marker = "ended by the ";
    const std::size_t at = report.find(marker, line);
    if (line == std::string::npos || at == std::string::npos) {
        return "";
    }
    const std::size_t from = at + marker.size();
    return report.substr(from, report.find('\n', from) - from);
}

// The point the report names, in model units.
Point2 namedPoint(const std::string& words) {
    if (words == "gear 1 sampled flank start") {
        return pair.gears[0].flankStartPoint;
    }
    if (words == "gear 2 sampled flank start") {
        return pair.gears[1].flankStartPoint;
    }
    if (words == "gear 1 tip circle") {
        return pair.gears[0].tipContactPoint;
    }
    if (words == "gear 2 tip circle") {
        return pair.gears[1].tipContactPoint;
    }
    if (words == "interference point 1") {
        return pair.gears[0].interferencePoint;
    }
    if (words == "interference point 2") {
        return pair.gears[1].interferencePoint;
    }
    ADD_FAILURE() << "no such end: '" << words << "'";
    return Point2{1e9, 1e9};
}

}  // namespace

TEST(contactEnds, WindowMarkersAgreeWithTheReportForEveryPair) {
    // Zoomed out so that every marker of the largest pair is inside the window.
    ViewState view{};
    view.drawMode = DrawMode::Mesh;
    view.viewScale = 0.02;
    RecordingContext frame;
    int disagreements = 0;
    for (int z1 = MIN_TEETH; z1 <= MAX_TEETH; ++z1) {
        for (int z2 = MIN_TEETH; z2 <= MAX_TEETH; ++z2) {
            computeGearPair(pair, z1, z2);
            drawFrame(frame.dc, pair, view, FrameDrawing::Bounded);
            const std::vector<Point2> black = markers(frame.recorder, BLACK);
            const std::string report = plainReport(pair, summarizeGearPair(pair));
            const Point2 end1 = namedPoint(endedBy(report, "contact limit 1"));
            const Point2 end2 = namedPoint(endedBy(report, "contact limit 2"));
            const bool agree = black.size() == 2 &&
                               distance(black[0], scaled(view.viewScale, end1)) < 1e-12 &&
                               distance(black[1], scaled(view.viewScale, end2)) < 1e-12;
            if (!agree && ++disagreements <= 10) {
                ADD_FAILURE() << z1 << "/" << z2 << ": " << black.size() << " black markers, "
                              << "report: " << endedBy(report, "contact limit 1") << ", "
                              << endedBy(report, "contact limit 2");
            }
        }
    }
    EXPECT_EQ(disagreements, 0);
}

}  // namespace gearmesh
