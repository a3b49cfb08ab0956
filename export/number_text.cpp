#include "export/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace gearmesh {

namespace {

// The significant digits of a number and the power of ten of the first one:
// digits "125", exponent -2 is 0.0125.
struct DecimalDigits {
    std::string digits;
    int exponent;
};

// Reads snprintf's "%.*e" text of a positive number ("1.25e-02").
DecimalDigits readExponentText(const char* text) {
    DecimalDigits d{"", 0};
    const char* c = text;
    for (; *c != 'e'; ++c) {
        if (*c != '.') {
            d.digits += *c;
        }
    }
    d.exponent = std::atoi(c + 1);
    return d;
}

// The number with one more unit in its last digit, carried as far as it goes.
DecimalDigits nextUp(DecimalDigits d) {
    int i = static_cast<int>(d.digits.size()) - 1;
    while (i >= 0 && d.digits[i] == '9') {
        d.digits[i--] = '0';
    }
    if (i >= 0) {
        ++d.digits[i];
    } else {
        // 9.99 becomes 10.0: as many digits, one power of ten higher.
        d.digits = "1" + d.digits.substr(0, d.digits.size() - 1);
        ++d.exponent;
    }
    return d;
}

bool readsBackAs(const DecimalDigits& d, double value) {
    const std::string text =
        d.digits.substr(0, 1) + "." + d.digits.substr(1) + "e" + std::to_string(d.exponent);
    return std::strtod(text.c_str(), nullptr) == value;
}

// The fewest digits of a positive finite value that read back to it.
DecimalDigits shortestDigits(double value) {
    for (int digits = 1; digits <= 17; ++digits) {
        char text[40];
        std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
        const DecimalDigits nearest = readExponentText(text);
        if (readsBackAs(nearest, value)) {
            return nearest;
        }
        // Just above a power of two the doubles lie twice as far apart as
        // just below it: the number above may read back where the nearest,
        // below, does not.
        const DecimalDigits above = nextUp(nearest);
        if (std::strtod(text, nullptr) < value && readsBackAs(above, value)) {
            return above;
        }
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.16e", value);
    return readExponentText(text);
}

}  // namespace

std::string exactNumberByPrintf(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    const std::string sign = std::signbit(value) && value != 0.0 ? "-" : "";
    if (std::isinf(value)) {
        return sign + "inf";
    }
    if (value == 0.0) {
        return "0";
    }
    DecimalDigits d = shortestDigits(std::fabs(value));
    while (d.digits.size() > 1 && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    const int count = static_cast<int>(d.digits.size());

    std::string plain;
    if (d.exponent < 0) {
        plain = "0." + std::string(-d.exponent - 1, '0') + d.digits;
    } else if (count <= d.exponent + 1) {
        // A whole number: its zeros cost as many characters as digits, and
        // the closest text of that length is the double's own value.
        char whole[400];
        std::snprintf(whole, sizeof whole, "%.0f", std::fabs(value));
        plain = whole;
    } else {
        plain = d.digits.substr(0, d.exponent + 1) + "." + d.digits.substr(d.exponent + 1);
    }
    char power[16];
    std::snprintf(power, sizeof power, "e%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    const std::string scientific =
        d.digits.substr(0, 1) + (count > 1 ? "." + d.digits.substr(1) : "") + power;
    return sign + (scientific.size() < plain.size() ? scientific : plain);
}

std::string exactNumber(double value) {
#ifdef __cpp_lib_to_chars
    char text[64];
    const std::to_chars_result result =
        std::to_chars(text, text + sizeof text, value == 0.0 ? 0.0 : value);
    return std::string(text, result.ptr);
#else
    return exactNumberByPrintf(value);
#endif
}

}  // namespace gearmesh
