#include "tools/gearpair/command_line.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "geometry/gear_pair.h"

namespace gearmesh {

void failUsage(const std::string& message) {
    std::fprintf(stderr, "gearpair: %s (see gearpair --help)\n", message.c_str());
    std::exit(2);
}

namespace {

const OptionRule* findOption(const std::vector<OptionRule>& rules, const std::string& name) {
    for (const OptionRule& rule : rules) {
        if (name == rule.name || (rule.alias != nullptr && name == rule.alias)) {
            return &rule;
        }
    }
    return nullptr;
}

// Negative numbers are values, not options.
bool looksLikeOption(const char* word) {
    return word[0] == '-' && word[1] != '\0' && !(word[1] >= '0' && word[1] <= '9') &&
           word[1] != '.';
}

// strtol and strtod skip leading blanks and accept a trailing remainder; the
// command line gets neither.
bool startsCleanly(const std::string& text) {
    return !text.empty() && !std::isspace(static_cast<unsigned char>(text[0]));
}

}  // namespace

ParsedArguments parseArguments(int argc, char** argv, int first,
                               const std::vector<OptionRule>& rules) {
    ParsedArguments parsed;
    for (int i = first; i < argc; ++i) {
        const char* word = argv[i];
        if (!looksLikeOption(word)) {
            parsed.positional.push_back(word);
            continue;
        }
        std::string name = word;
        std::string value;
        bool valueAttached = false;
        const std::size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            valueAttached = true;
        }
        const OptionRule* rule = findOption(rules, name);
        if (rule == nullptr) {
            failUsage("unknown option '" + name + "'");
        }
        if (rule->takesValue && !valueAttached) {
            if (i + 1 >= argc) {
                failUsage("option '" + name + "' needs a value");
            }
            value = argv[++i];
        } else if (!rule->takesValue && valueAttached) {
            failUsage("option '" + name + "' takes no value");
        }
        if (hasOption(parsed, rule->name)) {
            failUsage("option '" + std::string(rule->name) + "' given twice");
        }
        parsed.options.push_back({rule->name, value});
    }
    return parsed;
}

bool hasOption(const ParsedArguments& arguments, const char* name) {
    for (const GivenOption& option : arguments.options) {
        if (option.name == name) {
            return true;
        }
    }
    return false;
}

std::string optionValue(const ParsedArguments& arguments, const char* name) {
    for (const GivenOption& option : arguments.options) {
        if (option.name == name) {
            return option.value;
        }
    }
    return "";
}

long parseInteger(const std::string& text, long lowest, long highest, const char* what) {
    const std::string range = std::to_string(lowest) + " to " + std::to_string(highest);
    if (!startsCleanly(text)) {
        failUsage(std::string(what) + " '" + text + "' is not an integer from " + range);
    }
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0') {
        failUsage(std::string(what) + " '" + text + "' is not an integer from " + range);
    }
    if (errno == ERANGE || value < lowest || value > highest) {
        failUsage(std::string(what) + " " + text + " is outside " + range);
    }
    return value;
}

double parseNumber(const std::string& text, const char* what) {
    if (!startsCleanly(text)) {
        failUsage(std::string(what) + " '" + text + "' is not a number");
    }
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0') {
        failUsage(std::string(what) + " '" + text + "' is not a number");
    }
    // Underflow also sets ERANGE, but 5e-324 or 1e-400 is a number like any
    // other (the nearest double, 0 at worst) for the range checks to judge.
    if (!std::isfinite(value)) {
        failUsage(std::string(what) + " '" + text + "' is not a finite number");
    }
    return value;
}

PairArguments readPairArguments(const ParsedArguments& arguments) {
    return readPairArguments(arguments, MAX_TEETH);
}

PairArguments readPairArguments(const ParsedArguments& arguments, int highestCount) {
    if (arguments.positional.size() < 2) {
        failUsage("two tooth counts Z1 Z2 are needed");
    }
    if (arguments.positional.size() > 2) {
        failUsage("unexpected argument '" + arguments.positional[2] + "'");
    }
    PairArguments pair;
    pair.z1 = static_cast<int>(
        parseInteger(arguments.positional[0], MIN_TEETH, highestCount, "tooth count Z1"));
    pair.z2 = static_cast<int>(
        parseInteger(arguments.positional[1], MIN_TEETH, highestCount, "tooth count Z2"));
    pair.shift = 0.0;
    if (hasOption(arguments, "--shift")) {
        pair.shift = parseNumber(optionValue(arguments, "--shift"), "shift");
        if (!(std::fabs(pair.shift) <= 1.0)) {
            failUsage("shift " + optionValue(arguments, "--shift") + " is outside -1 to 1");
        }
    }
    return pair;
}

}  // namespace gearmesh
