#pragma once

#include <string>

namespace gearmesh {

class Recorder;

// A recorder's stored frame (draw/recorder.h) as one JSON object, so that
// two recordings can be compared primitive by primitive outside the
// program: gearpair view --format json and the page write it.
//
//   {"primitives": [{"mode": "lines" | "line_loop" | "polygon",
//                    "colour": [r, g, b, a], "lineWidth": pixels,
//                    "lighting": bool, "vertices": [[x, y], ...]}, ...],
//    "texts": [{"position": [x, y], "colour": [r, g, b, a], "lighting": bool,
//               "positionValid": bool, "text": "..."}, ...],
//    "submittedVertices": n, "overflowed": bool}
//
// Vertices and positions in view units after the model-view matrix, every
// number with the digits that read back to the same double.
std::string recordingJson(const Recorder& recorder);

}  // namespace gearmesh
