#pragma once

// Argument handling shared by the gearpair commands. Every bad argument ends
// the process through failUsage before any output is written.

#include <string>
#include <vector>

namespace gearmesh {

// Prints "gearpair: message" as one line on standard error, its control
// characters escaped (\n, \x1b, \u009b), and ends the process with exit
// status 2.
[[noreturn]] void failUsage(const std::string& message);

// One option a command accepts: its name ("--shift", "-o"), an optional second
// spelling ("--output", or nullptr) and whether a value follows it.
struct OptionRule {
    const char* name;
    const char* alias;
    bool takesValue;
};

// One option as given on the command line, under its first spelling; value
// is empty for a flag.
struct GivenOption {
    std::string name;
    std::string value;
};

struct ParsedArguments {
    std::vector<std::string> positional;
    std::vector<GivenOption> options;
    // -h or --help stood where an option could (not as an option's value).
    bool helpAsked;
};

// Splits argv[first..argc-1] into positional arguments and the options in
// rules ("--name value" or "--name=value"). An unknown option, a missing
// value or an option given twice fails. A word such as "-3" is positional.
// Stops at -h or --help in an option's place, with helpAsked set.
ParsedArguments parseArguments(int argc, char** argv, int first,
                               const std::vector<OptionRule>& rules);

// Whether the option was given, and its value ("" when absent or a flag).
bool hasOption(const ParsedArguments& arguments, const char* name);
std::string optionValue(const ParsedArguments& arguments, const char* name);

// A whole decimal integer within lowest..highest, else failUsage naming what.
long parseInteger(const std::string& text, long lowest, long highest, const char* what);
// A finite decimal number, else failUsage naming what; one too small for a
// double reads as the nearest double (0 at worst), not as an error.
double parseNumber(const std::string& text, const char* what);

// The tooth counts and the profile shift that every command starts from.
struct PairArguments {
    int z1;
    int z2;
    double shift;  // gear 1 gets +shift, gear 2 -shift; |shift| <= 1
};

// Reads exactly two positional tooth counts (MIN_TEETH..MAX_TEETH) and the
// --shift option (default 0); fails on anything else.
PairArguments readPairArguments(const ParsedArguments& arguments);
// The same with counts up to highestCount (the exact geometry goes to 1000).
PairArguments readPairArguments(const ParsedArguments& arguments, int highestCount);

}  // namespace gearmesh
