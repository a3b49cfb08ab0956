#include "tools/gearpair/report_rows.h"

#include <cstdarg>
#include <cstdio>

namespace gearmesh {

std::string format(const char* pattern, ...) {
    char line[320];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(line, sizeof line, pattern, arguments);
    va_end(arguments);
    return line;
}

std::string tableRow(const char* label, double value1, double value2) {
    return format("  %-26s %12.4f %12.4f\n", label, value1, value2);
}

std::string tableRow(const char* label, bool value1, bool value2) {
    return format("  %-26s %12s %12s\n", label, value1 ? "yes" : "no", value2 ? "yes" : "no");
}

std::string pointRow(const char* label, const Point2& p, double distance) {
    return format("  %-26s %12.4f %12.4f %12.4f\n", label, p.x, p.y, distance);
}

std::string withMember(const std::string& json, const char* name, const std::string& value) {
    const std::size_t close = json.rfind('}');
    return json.substr(0, close) + ",\"" + name + "\":" + value + json.substr(close);
}

}  // namespace gearmesh
