#include "draw/recording_json.h"

#include <cstdio>

#include "draw/recorder.h"

namespace gearmesh {

namespace {

void addNumber(std::string& json, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    json += text;
}

void addBool(std::string& json, bool value) {
    json += value ? "true" : "false";
}

void addPoint(std::string& json, const Point2& p) {
    json += '[';
    addNumber(json, p.x);
    json += ", ";
    addNumber(json, p.y);
    json += ']';
}

void addColour(std::string& json, const Color4& colour) {
    json += '[';
    const float channels[4] = {colour.r, colour.g, colour.b, colour.a};
    for (int i = 0; i < 4; ++i) {
        json += i == 0 ? "" : ", ";
        addNumber(json, channels[i]);
    }
    json += ']';
}

const char* modeName(SeamMode mode) {
    switch (mode) {
    case SEAM_LINES:
        return "lines";
    case SEAM_LINE_LOOP:
        return "line_loop";
    case SEAM_POLYGON:
        return "polygon";
    }
    return "unknown";
}

// Bytes of a legend as a JSON string: quotes, backslashes and control
// characters escaped, anything else as it is.
void addString(std::string& json, const char* text, int length) {
    json += '"';
    for (int i = 0; i < length && text[i] != '\0'; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += static_cast<char>(c);
        }
    }
    json += '"';
}

}  // namespace

std::string recordingJson(const Recorder& recorder) {
    std::string json = "{\"primitives\": [";
    for (int i = 0; i < recorder.storedPrimitiveCount(); ++i) {
        const RecordedPrimitive primitive = recorder.recordedPrimitive(i);
        json += i == 0 ? "\n" : ",\n";
        json += "{\"mode\": \"";
        json += modeName(primitive.mode);
        json += "\", \"colour\": ";
        addColour(json, primitive.colour);
        json += ", \"lineWidth\": ";
        addNumber(json, primitive.lineWidth);
        json += ", \"lighting\": ";
        addBool(json, primitive.lighting);
        json += ", \"vertices\": [";
        for (int j = 0; j < primitive.vertexCount; ++j) {
            json += j == 0 ? "" : ", ";
            addPoint(json, recorder.recordedPrimitiveVertex(i, j));
        }
        json += "]}";
    }
    json += "],\n\"texts\": [";
    for (int i = 0; i < recorder.recordedTextCount(); ++i) {
        const RecordedText& text = recorder.recordedText(i);
        json += i == 0 ? "\n" : ",\n";
        json += "{\"position\": ";
        addPoint(json, text.position);
        json += ", \"colour\": ";
        addColour(json, text.colour);
        json += ", \"lighting\": ";
        addBool(json, text.lighting);
        json += ", \"positionValid\": ";
        addBool(json, text.positionValid);
        json += ", \"text\": ";
        addString(json, text.text, text.length);
        json += '}';
    }
    json += "],\n\"submittedVertices\": ";
    addNumber(json, static_cast<double>(recorder.recordedVertexCount()));
    json += ", \"overflowed\": ";
    addBool(json, recorder.overflowed());
    json += "}\n";
    return json;
}

}  // namespace gearmesh
