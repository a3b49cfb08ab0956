#pragma once

#include <string>

#include "geometry/point2.h"

namespace gearmesh {

// printf into a std::string; report lines are short (longer ones are cut at 319 bytes).
std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// One row of a two-gear table: the label, then gear 1's and gear 2's value
// (four decimals, or "yes" / "no").
std::string tableRow(const char* label, double value1, double value2);
std::string tableRow(const char* label, bool value1, bool value2);

// One row of the points table: x, y and the distance from the pitch point.
std::string pointRow(const char* label, const Point2& p, double distance);

// json, one object followed by a newline, with one more member at its end:
// "name": value (value already JSON text). Every byte before it stays.
std::string withMember(const std::string& json, const char* name, const std::string& value);

}  // namespace gearmesh
