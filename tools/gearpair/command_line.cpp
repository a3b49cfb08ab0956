#include "tools/gearpair/command_line.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "geometry/gear_pair.h"

namespace gearmesh {

namespace {

// Length of the well-formed UTF-8 character that starts text[i] (shortest
// form, no surrogate, at most U+10FFFF), or 0 where none starts there.
std::size_t utf8CharacterLength(const std::string& text, std::size_t i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (text.size() - i < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char c = static_cast<unsigned char>(text[i + k]);
        if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) {
            return 0;
        }
    }
    return length;
}

// The text on one line that sends the terminal no command: C0 controls and
// DEL as \n, \t, \r or \xHH (\x1b), the C1 controls as \u0080 to \u009f,
// each byte that starts no UTF-8 character as \xHH, the rest as it is.
std::string escapedControls(const std::string& text) {
    std::string escaped;
    char code[8];
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8CharacterLength(text, i);
        if (c == '\n' || c == '\t' || c == '\r') {
            escaped += c == '\n' ? "\\n" : c == '\t' ? "\\t" : "\\r";
        } else if (c < 0x20 || c == 0x7F || length == 0) {
            std::snprintf(code, sizeof code, "\\x%02x", c);
            escaped += code;
        } else if (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned char>(text[i + 1]));
            escaped += code;
        } else {
            escaped.append(text, i, length);
        }
        i += length == 0 ? 1 : length;
    }
    return escaped;
}

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

void failUsage(const std::string& message) {
    // Messages echo arguments, which may hold anything a shell can pass.
    std::fprintf(stderr, "gearpair: %s (see gearpair --help)\n", escapedControls(message).c_str());
    std::exit(2);
}

ParsedArguments parseArguments(int argc, char** argv, int first,
                               const std::vector<OptionRule>& rules) {
    ParsedArguments parsed{};
    for (int i = first; i < argc; ++i) {
        const char* word = argv[i];
        if (!looksLikeOption(word)) {
            parsed.positional.push_back(word);
            continue;
        }
        if (std::strcmp(word, "-h") == 0 || std::strcmp(word, "--help") == 0) {
            parsed.helpAsked = true;
            return parsed;
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
