#include "draw/recorder.h"

#include <cmath>
#include <memory>

namespace gearmesh {

namespace {

constexpr Color4 OPENGL_INITIAL_COLOUR{1.0f, 1.0f, 1.0f, 1.0f};

// What glPushAttrib(GL_CURRENT_BIT) saves of the state the toolkit touches.
struct CurrentAttrib {
    Color4 colour;
    Point2 rasterPos;
    Color4 rasterColour;
    bool rasterLighting;
    bool rasterValid;
};

struct RecorderState {
    Affine2 matrix;
    Affine2 matrixStack[RECORDER_MATRIX_DEPTH];
    int matrixDepth;
    CurrentAttrib current;
    CurrentAttrib attribStack[RECORDER_ATTRIB_DEPTH];
    int attribDepth;
    float lineWidth;
    bool lighting;
    bool insideBegin;
    // Index of the text that bitmap characters extend, or -1.
    int openText;
};

struct Recording {
    // Allocated by startRecording, capacity.primitives and capacity.vertices long.
    std::unique_ptr<RecordedPrimitive[]> primitives;
    std::unique_ptr<Point2[]> vertices;
    RecorderCapacity capacity;
    RecordedText texts[RECORDER_TEXT_CAPACITY];
    long long primitiveCount;
    long long vertexCount;
    int storedPrimitives;
    int storedVertices;
    int textCount;
    bool overflowed;
    // Whether the primitive being submitted has a stored slot.
    bool openPrimitiveStored;
};

RecorderState state;
Recording recording;  // zero-initialised: no stores until recording starts
const DrawTarget* targetBeforeRecording = nullptr;

void resetState() {
    state.matrix = IDENTITY_AFFINE;
    state.matrixDepth = 0;
    state.current =
        CurrentAttrib{OPENGL_INITIAL_COLOUR, Point2{0.0, 0.0}, OPENGL_INITIAL_COLOUR, false, true};
    state.attribDepth = 0;
    state.lineWidth = 1.0f;
    state.lighting = false;
    state.insideBegin = false;
    state.openText = -1;
}

}  // namespace

void stopRecording() {
    setDrawTarget(targetBeforeRecording);
}

RecorderCapacity recorderCapacity() {
    return recording.capacity;
}

void clearRecording() {
    recording.primitiveCount = 0;
    recording.vertexCount = 0;
    recording.storedPrimitives = 0;
    recording.storedVertices = 0;
    recording.textCount = 0;
    recording.overflowed = false;
    recording.openPrimitiveStored = false;
    state.openText = -1;
}

long long recordedPrimitiveCount() {
    return recording.primitiveCount;
}

long long recordedVertexCount() {
    return recording.vertexCount;
}

int storedPrimitiveCount() {
    return recording.storedPrimitives;
}

int storedVertexCount() {
    return recording.storedVertices;
}

int recordedTextCount() {
    return recording.textCount;
}

bool recorderOverflowed() {
    return recording.overflowed;
}

RecordedPrimitive recordedPrimitive(int i) {
    if (i < 0 || i >= recording.storedPrimitives) {
        return RecordedPrimitive{SEAM_LINES, Color4{0.0f, 0.0f, 0.0f, 0.0f}, 0.0f, false, 0, 0};
    }
    return recording.primitives[i];
}

Point2 recordedVertex(int k) {
    if (k < 0 || k >= recording.storedVertices) {
        return Point2{0.0, 0.0};
    }
    return recording.vertices[k];
}

Point2 recordedPrimitiveVertex(int i, int j) {
    const RecordedPrimitive primitive = recordedPrimitive(i);
    if (j < 0 || j >= primitive.vertexCount) {
        return Point2{0.0, 0.0};
    }
    return recordedVertex(primitive.firstVertex + j);
}

const RecordedText& recordedText(int i) {
    static const RecordedText EMPTY_TEXT{};
    if (i < 0 || i >= recording.textCount) {
        return EMPTY_TEXT;
    }
    return recording.texts[i];
}

Affine2 recorderMatrix() {
    return state.matrix;
}

int recorderMatrixDepth() {
    return state.matrixDepth;
}

bool recorderLighting() {
    return state.lighting;
}

float recorderLineWidth() {
    return state.lineWidth;
}

Color4 recorderColor() {
    return state.current.colour;
}

Point2 recorderRasterPos() {
    return state.current.rasterPos;
}

namespace {

void recordBegin(SeamMode mode) {
    if (state.insideBegin) {
        return;  // OpenGL refuses a nested glBegin
    }
    state.insideBegin = true;
    ++recording.primitiveCount;
    if (recording.storedPrimitives >= recording.capacity.primitives) {
        recording.overflowed = true;
        recording.openPrimitiveStored = false;
        return;
    }
    recording.primitives[recording.storedPrimitives] = RecordedPrimitive{
        mode, state.current.colour, state.lineWidth, state.lighting, recording.storedVertices, 0};
    ++recording.storedPrimitives;
    recording.openPrimitiveStored = true;
}

void recordVertex(double x, double y) {
    if (!state.insideBegin) {
        return;  // a vertex outside glBegin/glEnd draws nothing
    }
    ++recording.vertexCount;
    if (!recording.openPrimitiveStored) {
        return;
    }
    if (recording.storedVertices >= recording.capacity.vertices) {
        recording.overflowed = true;
        return;
    }
    recording.vertices[recording.storedVertices] = affineApply(state.matrix, x, y);
    ++recording.storedVertices;
    ++recording.primitives[recording.storedPrimitives - 1].vertexCount;
}

void recordEnd() {
    state.insideBegin = false;
    recording.openPrimitiveStored = false;
}

void recordColor(const Color4& colour) {
    state.current.colour = colour;
}

void recordLineWidth(float pixels) {
    // As OpenGL: a width that is not positive is refused and the old one stays.
    if (pixels > 0.0f) {
        state.lineWidth = pixels;
    }
}

void recordLighting(bool enabled) {
    state.lighting = enabled;
}

void recordPushMatrix() {
    if (state.matrixDepth >= RECORDER_MATRIX_DEPTH) {
        return;  // stack overflow: OpenGL ignores the push
    }
    state.matrixStack[state.matrixDepth] = state.matrix;
    ++state.matrixDepth;
}

void recordPopMatrix() {
    if (state.matrixDepth <= 0) {
        return;  // stack underflow: OpenGL ignores the pop
    }
    --state.matrixDepth;
    state.matrix = state.matrixStack[state.matrixDepth];
}

void recordTranslate(double x, double y) {
    state.matrix = affineTranslated(state.matrix, x, y);
}

void recordRotate(double degrees) {
    state.matrix = affineRotated(state.matrix, degrees);
}

void recordLoadIdentity() {
    state.matrix = IDENTITY_AFFINE;
}

void recordPushCurrentAttrib() {
    if (state.attribDepth >= RECORDER_ATTRIB_DEPTH) {
        return;
    }
    state.attribStack[state.attribDepth] = state.current;
    ++state.attribDepth;
}

void recordPopAttrib() {
    if (state.attribDepth <= 0) {
        return;
    }
    --state.attribDepth;
    state.current = state.attribStack[state.attribDepth];
    state.openText = -1;
}

void recordRasterPos(float x, float y) {
    // The projection is the identity, so the view is the clip volume.
    const Point2 position = affineApply(state.matrix, x, y);
    state.current.rasterPos = position;
    state.current.rasterColour = state.current.colour;
    state.current.rasterLighting = state.lighting;
    state.current.rasterValid = std::fabs(position.x) <= 1.0 && std::fabs(position.y) <= 1.0;
    state.openText = -1;
}

void recordBitmapCharacter(DrawFont font, int c) {
    if (state.openText < 0) {
        if (recording.textCount >= RECORDER_TEXT_CAPACITY) {
            recording.overflowed = true;
            return;
        }
        RecordedText& text = recording.texts[recording.textCount];
        text.position = state.current.rasterPos;
        text.colour = state.current.rasterColour;
        text.lighting = state.current.rasterLighting;
        text.positionValid = state.current.rasterValid;
        text.font = font;
        text.length = 0;
        text.text[0] = '\0';
        state.openText = recording.textCount;
        ++recording.textCount;
    }
    RecordedText& text = recording.texts[state.openText];
    if (text.length >= RECORDER_TEXT_LENGTH) {
        recording.overflowed = true;
        return;
    }
    text.text[text.length] = static_cast<char>(c);
    ++text.length;
    text.text[text.length] = '\0';
}

void recordClear() {
    clearRecording();
}

// A recording has no picture to show.
void recordNothing() {
}

// Nothing to prepare: the recorder composes its matrices in double precision
// in every frame, bounded or literal.
void recordFrameStart(FrameDrawing) {
}

}  // namespace

const DrawTarget RECORDER_TARGET{
    recordFrameStart,
    recordBegin,
    recordVertex,
    recordEnd,
    recordColor,
    recordLineWidth,
    recordLighting,
    recordPushMatrix,
    recordPopMatrix,
    recordTranslate,
    recordRotate,
    recordLoadIdentity,
    recordPushCurrentAttrib,
    recordPopAttrib,
    recordRasterPos,
    recordBitmapCharacter,
    recordClear,
    recordNothing,
    recordNothing,
    recorderMatrix,
};

void startRecording(RecorderCapacity capacity) {
    capacity.vertices = capacity.vertices > 0 ? capacity.vertices : 0;
    capacity.primitives = capacity.primitives > 0 ? capacity.primitives : 0;
    if (capacity.vertices != recording.capacity.vertices) {
        // Default-initialised: the pages are not touched before they are used.
        recording.vertices.reset(new Point2[capacity.vertices]);
        recording.capacity.vertices = capacity.vertices;
    }
    if (capacity.primitives != recording.capacity.primitives) {
        recording.primitives.reset(new RecordedPrimitive[capacity.primitives]);
        recording.capacity.primitives = capacity.primitives;
    }
    resetState();
    clearRecording();
    if (drawTarget() != &RECORDER_TARGET) {
        targetBeforeRecording = drawTarget();
    }
    setDrawTarget(&RECORDER_TARGET);
}

}  // namespace gearmesh
