// gearpair: the simulator's gear pair from the command line, without a window.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "export/exact_outline_export.h"
#include "export/outline_export.h"
#include "export/view_export.h"
#include "geometry/exact_gear.h"
#include "geometry/gear_pair.h"
#include "geometry/study.h"
#include "scene/view_state.h"
#include "tools/gearpair/command_line.h"
#include "tools/gearpair/exact_report.h"
#include "tools/gearpair/output_file.h"
#include "tools/gearpair/pair_report.h"
#include "tools/gearpair/study_report.h"

namespace gearmesh {

namespace {

const char USAGE[] =
    "Usage:\n"
    "  gearpair report Z1 Z2 [--shift X] [--json]\n"
    "  gearpair outline Z1 Z2 [--gear 1|2|pair] [--module MM] [--format svg|dxf]\n"
    "                         [-o FILE] [--shift X] [--tolerance MM | --as-drawn]\n"
    "  gearpair view Z1 Z2 [--mode 1|2|3] [--steps N] [--reverse] [--zoom K]\n"
    "                      [--format svg|json] [--shift X] [--study] [-o FILE]\n"
    "  gearpair --help\n"
    "\n"
    "The pair of standard involute spur gears that the gearmesh simulator shows:\n"
    "module 1, pressure angle 20 degrees; gear 1 drives, gear 2 is driven.\n"
    "\n"
    "  Z1 Z2          tooth counts of gear 1 and gear 2, whole numbers 1 to 1000\n"
    "                 (1 to 149 for view and outline --as-drawn)\n"
    "  --shift X      profile shift: gear 1 gets +X, gear 2 gets -X; -1 <= X <= 1\n"
    "\n"
    "report   radii, undercut, pointed teeth, the points on the line of action,\n"
    "         the path of contact and the contact ratio, in modules: as the\n"
    "         simulator draws them (up to 149 teeth), then the exact geometry\n"
    "  --json         one JSON object with every published field of the pair instead\n"
    "\n"
    "outline  the closed outline of each gear as in the first mesh frame: the exact\n"
    "         gear that the rack cuts, one simple counter-clockwise polygon\n"
    "  --tolerance MM largest distance of a chord from the exact curve (default\n"
    "                 0.001 mm, kept within 1e-6 to 1e-3 of the module)\n"
    "  --as-drawn     the simulator's sampled outline instead\n"
    "  --gear G       1, 2 or pair (default pair)\n"
    "  --module MM    millimetres per module (default 1)\n"
    "  --format F     svg or dxf (default: from the file name, else svg)\n"
    "  -o FILE        write FILE instead of standard output (- for standard output)\n"
    "\n"
    "view     the simulator window's 800 x 800 picture as SVG, after the keys:\n"
    "         the mode key, then R if reversed, then the zoom keys, then s N times\n"
    "  --mode M       1 drive gear (default), 2 driven gear, 3 both in mesh\n"
    "  --steps N      presses of s, 0 to 100000 (default 0)\n"
    "  --reverse      press R after the mode key\n"
    "  --zoom K       press W K times (K > 0) or w -K times (K < 0), -1000 to 1000\n"
    "  --format F     svg, or json: the recorded frame, every primitive with its\n"
    "                 vertices in view units (default: from the file name, else svg)\n"
    "  --study        the study view: the exact path of contact, the pairs in\n"
    "                 contact, the specific sliding chart, the true form circle\n"
    "  -o FILE        write FILE instead of standard output (- for standard output)\n"
    "\n"
    "Bad arguments print one line on standard error and exit with status 2;\n"
    "no file is written then. A file is replaced only when complete and keeps its\n"
    "mode; a device, a FIFO or /dev/stdout is written in place.\n";

void writeOrFail(const std::string& path, const std::string& text) {
    std::string error;
    if (!writeOutput(path, text, error)) {
        failUsage(error);
    }
}

// Writes the usage if the command's arguments ask for it; whether they did.
bool wroteUsage(const ParsedArguments& arguments) {
    if (arguments.helpAsked) {
        writeOrFail("-", USAGE);
    }
    return arguments.helpAsked;
}

// The -o target: "-" (standard output) when the option is absent; an empty
// name is refused.
std::string outputTarget(const ParsedArguments& arguments) {
    if (!hasOption(arguments, "-o")) {
        return "-";
    }
    const std::string file = optionValue(arguments, "-o");
    if (file.empty()) {
        failUsage("-o needs a file name, or - for standard output");
    }
    return file;
}

void runReport(int argc, char** argv) {
    const ParsedArguments arguments =
        parseArguments(argc, argv, 2, {{"--shift", nullptr, true}, {"--json", nullptr, false}});
    if (wroteUsage(arguments)) {
        return;
    }
    const PairArguments pair = readPairArguments(arguments, EXACT_MAX_TEETH);
    const ExactPair exact = exactPair(pair.z1, pair.z2, pair.shift);
    const PairStudy study = studyOf(exact);
    const bool json = hasOption(arguments, "--json");
    if (pair.z1 > MAX_TEETH || pair.z2 > MAX_TEETH) {
        // The simulator's view stops at 149 teeth: no frames to count pairs in.
        writeOrFail("-", json ? withStudyMember(exactOnlyReportJson(exact), study, nullptr)
                              : exactOnlyReportText(exact) + studyReportText(study, nullptr));
        return;
    }
    GearPair gears;
    computeGearPair(gears, pair.z1, pair.z2, pair.shift);
    ViewState view{};
    resetView(view, gears);
    const PairSummary summary = summarizeGearPair(gears);
    const std::vector<int> pairs = pairsInContactOverOnePitch(pair.z1, pair.z2, pair.shift);
    writeOrFail("-", json
                         ? withStudyMember(withExactMember(jsonReport(gears, view, summary), exact),
                                           study, &pairs)
                         : plainReport(gears, summary) + exactReportText(exact, &gears) +
                               studyReportText(study, &pairs));
}

bool endsWith(const std::string& text, const char* suffix) {
    const std::size_t length = std::strlen(suffix);
    if (text.size() < length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[text.size() - length + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != suffix[i]) {
            return false;
        }
    }
    return true;
}

void runOutline(int argc, char** argv) {
    const ParsedArguments arguments = parseArguments(argc, argv, 2,
                                                     {{"--shift", nullptr, true},
                                                      {"--gear", nullptr, true},
                                                      {"--module", nullptr, true},
                                                      {"--format", nullptr, true},
                                                      {"--tolerance", nullptr, true},
                                                      {"--as-drawn", nullptr, false},
                                                      {"-o", "--output", true}});
    if (wroteUsage(arguments)) {
        return;
    }
    const bool asDrawn = hasOption(arguments, "--as-drawn");
    const PairArguments pair =
        asDrawn ? readPairArguments(arguments) : readPairArguments(arguments, EXACT_MAX_TEETH);

    const std::string gear =
        hasOption(arguments, "--gear") ? optionValue(arguments, "--gear") : "pair";
    if (gear != "1" && gear != "2" && gear != "pair") {
        failUsage("--gear must be 1, 2 or pair, not '" + gear + "'");
    }

    double module = 1.0;
    if (hasOption(arguments, "--module")) {
        const std::string text = optionValue(arguments, "--module");
        module = parseNumber(text, "module");
        // Beyond these the millimetre figures lose their meaning in floating point.
        if (!(module >= 1e-6 && module <= 1e6)) {
            failUsage("module " + text + " is not a positive number from 1e-6 to 1e6 mm");
        }
    }
    double tolerance = defaultExactTolerance(module);
    if (hasOption(arguments, "--tolerance")) {
        if (asDrawn) {
            failUsage("--tolerance is for the exact outline, not with --as-drawn");
        }
        const std::string text = optionValue(arguments, "--tolerance");
        tolerance = parseNumber(text, "tolerance");
        if (!exactToleranceAccepted(tolerance, module)) {
            failUsage("tolerance " + text + " mm is outside 1e-7 to 0.1 of the module");
        }
    }

    const std::string file = outputTarget(arguments);
    std::string format = optionValue(arguments, "--format");
    if (hasOption(arguments, "--format")) {
        if (format != "svg" && format != "dxf") {
            failUsage("--format must be svg or dxf, not '" + format + "'");
        }
    } else if (endsWith(file, ".dxf")) {
        format = "dxf";
    } else if (endsWith(file, ".svg") || writtenInPlace(file)) {
        format = "svg";
    } else {
        failUsage("cannot tell the format of '" + file + "'; name it .svg or .dxf or use --format");
    }

    OutlineDrawing drawing{pair.z1, pair.z2, module, pair.shift, {}};
    std::string error;
    if (asDrawn) {
        GearPair gears;
        computeGearPair(gears, pair.z1, pair.z2, pair.shift);
        drawing.geometry = "as the simulator draws it (sampled)";
        if (gear != "2") {
            drawing.gears.push_back(placedGearPath(gears, 1, module));
        }
        if (gear != "1") {
            drawing.gears.push_back(placedGearPath(gears, 2, module));
        }
    } else if (!exactOutlineDrawing(pair.z1, pair.z2, pair.shift, module, tolerance, gear != "2",
                                    gear != "1", drawing, error)) {
        failUsage(error);
    }
    writeOrFail(file, format == "svg" ? outlineSvg(drawing) : outlineDxf(drawing));
}

void runView(int argc, char** argv) {
    const ParsedArguments arguments = parseArguments(argc, argv, 2,
                                                     {{"--shift", nullptr, true},
                                                      {"--mode", nullptr, true},
                                                      {"--steps", nullptr, true},
                                                      {"--reverse", nullptr, false},
                                                      {"--zoom", nullptr, true},
                                                      {"--format", nullptr, true},
                                                      {"--study", nullptr, false},
                                                      {"-o", "--output", true}});
    if (wroteUsage(arguments)) {
        return;
    }
    const PairArguments pair = readPairArguments(arguments);
    ViewKeys keys;
    keys.mode = '1';
    if (hasOption(arguments, "--mode")) {
        const std::string mode = optionValue(arguments, "--mode");
        if (mode != "1" && mode != "2" && mode != "3") {
            failUsage("--mode must be 1, 2 or 3, not '" + mode + "'");
        }
        keys.mode = mode[0];
    }
    keys.steps = hasOption(arguments, "--steps")
                     ? parseInteger(optionValue(arguments, "--steps"), 0, MAX_VIEW_STEPS, "steps")
                     : 0;
    keys.reverse = hasOption(arguments, "--reverse");
    keys.study = hasOption(arguments, "--study");
    keys.zoom = hasOption(arguments, "--zoom")
                    ? static_cast<int>(parseInteger(optionValue(arguments, "--zoom"),
                                                    -MAX_VIEW_ZOOM, MAX_VIEW_ZOOM, "zoom"))
                    : 0;
    const std::string file = outputTarget(arguments);
    std::string format = optionValue(arguments, "--format");
    if (hasOption(arguments, "--format")) {
        if (format != "svg" && format != "json") {
            failUsage("--format must be svg or json, not '" + format + "'");
        }
    } else if (endsWith(file, ".json")) {
        format = "json";
    } else if (endsWith(file, ".svg") || writtenInPlace(file)) {
        format = "svg";
    } else {
        failUsage("cannot tell the format of '" + file +
                  "'; name it .svg or .json or use --format");
    }
    std::string picture;
    std::string error;
    if (!(format == "svg" ? viewSvg(pair.z1, pair.z2, pair.shift, keys, picture, error)
                          : viewJson(pair.z1, pair.z2, pair.shift, keys, picture, error))) {
        failUsage(error);
    }
    writeOrFail(file, picture);
}

}  // namespace

}  // namespace gearmesh

int main(int argc, char** argv) {
    using namespace gearmesh;
    // Past the command, -h and --help are for its arguments to find, where
    // an option may stand; as an option's value they are that value.
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        writeOrFail("-", USAGE);
        return 0;
    }
    if (argc < 2) {
        failUsage("no command given: report, outline or view");
    }
    const std::string command = argv[1];
    if (command == "report") {
        runReport(argc, argv);
    } else if (command == "outline") {
        runOutline(argc, argv);
    } else if (command == "view") {
        runView(argc, argv);
    } else {
        failUsage("unknown command '" + command + "'; use report, outline or view");
    }
    return 0;
}
