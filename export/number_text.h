#pragma once

#include <string>

namespace gearmesh {

// The shortest decimal text that reads back to the same finite double, as
// std::to_chars(first, last, value) writes it: the fewest significant digits
// (the closest such number where several have as few), in plain or
// exponent notation ("123.25", "1e-05"), whichever is shorter, plain when
// both are as long; "-0" as "0".
std::string exactNumber(double value);

// The same text found with snprintf and strtod alone, for standard libraries
// whose std::to_chars takes no double (the page's); exactNumber uses it
// there. Infinities and NaN give "inf", "-inf" and "nan".
std::string exactNumberByPrintf(double value);

}  // namespace gearmesh
