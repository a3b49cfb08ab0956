#pragma once

// A recorder and a context that draws on it: what the tests that read back
// their drawing create, one per test.

#include "draw/recorder.h"
#include "draw/seam.h"

namespace gearmesh {

struct RecordingContext {
    explicit RecordingContext(RecorderCapacity capacity = DEFAULT_RECORDER_CAPACITY)
        : recorder(capacity) {
    }
    // The context refers to this recorder: a copy would draw on the original.
    RecordingContext(const RecordingContext&) = delete;
    RecordingContext& operator=(const RecordingContext&) = delete;

    Recorder recorder;
    DrawContext dc{recorder};
};

}  // namespace gearmesh
