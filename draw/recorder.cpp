#include "draw/recorder.h"

#include <cmath>
#include <utility>

namespace gearmesh {

namespace {

constexpr Color4 OPENGL_INITIAL_COLOUR{1.0f, 1.0f, 1.0f, 1.0f};

constexpr RecordedText EMPTY_TEXT{};

int atLeastZero(int count) {
    return count > 0 ? count : 0;
}

}  // namespace

Recorder::Recorder(RecorderCapacity capacity, FrameEnd frameEnd) : frameEnd(std::move(frameEnd)) {
    capacity.vertices = atLeastZero(capacity.vertices);
    capacity.primitives = atLeastZero(capacity.primitives);
    // Default-initialised: the pages are not touched before they are used.
    recording.vertices.reset(new Point2[capacity.vertices]);
    recording.primitives.reset(new RecordedPrimitive[capacity.primitives]);
    recording.capacity = capacity;

    state.matrix = AffineStack();
    state.current =
        CurrentAttrib{OPENGL_INITIAL_COLOUR, Point2{0.0, 0.0}, OPENGL_INITIAL_COLOUR, false, true};
    state.attribDepth = 0;
    state.lineWidth = 1.0f;
    state.lighting = false;
    state.insideBegin = false;
    clearRecording();
}

RecorderCapacity Recorder::capacity() const {
    return recording.capacity;
}

void Recorder::clearRecording() {
    recording.primitiveCount = 0;
    recording.vertexCount = 0;
    recording.storedPrimitives = 0;
    recording.storedVertices = 0;
    recording.textCount = 0;
    recording.overflowed = false;
    recording.openPrimitiveStored = false;
    state.openText = -1;
}

long long Recorder::recordedPrimitiveCount() const {
    return recording.primitiveCount;
}

long long Recorder::recordedVertexCount() const {
    return recording.vertexCount;
}

int Recorder::storedPrimitiveCount() const {
    return recording.storedPrimitives;
}

int Recorder::storedVertexCount() const {
    return recording.storedVertices;
}

int Recorder::recordedTextCount() const {
    return recording.textCount;
}

bool Recorder::overflowed() const {
    return recording.overflowed;
}

RecordedPrimitive Recorder::recordedPrimitive(int i) const {
    if (i < 0 || i >= recording.storedPrimitives) {
        return RecordedPrimitive{SEAM_LINES, Color4{0.0f, 0.0f, 0.0f, 0.0f}, 0.0f, false, 0, 0};
    }
    return recording.primitives[i];
}

Point2 Recorder::recordedVertex(int k) const {
    if (k < 0 || k >= recording.storedVertices) {
        return Point2{0.0, 0.0};
    }
    return recording.vertices[k];
}

Point2 Recorder::recordedPrimitiveVertex(int i, int j) const {
    const RecordedPrimitive primitive = recordedPrimitive(i);
    if (j < 0 || j >= primitive.vertexCount) {
        return Point2{0.0, 0.0};
    }
    return recordedVertex(primitive.firstVertex + j);
}

const RecordedText& Recorder::recordedText(int i) const {
    if (i < 0 || i >= recording.textCount) {
        return EMPTY_TEXT;
    }
    return recording.texts[i];
}

Affine2 Recorder::matrix() const {
    return state.matrix.matrix();
}

int Recorder::matrixDepth() const {
    return state.matrix.depth();
}

bool Recorder::lighting() const {
    return state.lighting;
}

float Recorder::lineWidth() const {
    return state.lineWidth;
}

Color4 Recorder::color() const {
    return state.current.colour;
}

Point2 Recorder::rasterPos() const {
    return state.current.rasterPos;
}

// Nothing to prepare: the recorder composes its matrices in double precision
// in every frame, bounded or literal.
void Recorder::startFrame(FrameDrawing) {
}

void Recorder::begin(SeamMode mode) {
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

void Recorder::vertex(double x, double y) {
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
    recording.vertices[recording.storedVertices] = affineApply(state.matrix.matrix(), x, y);
    ++recording.storedVertices;
    ++recording.primitives[recording.storedPrimitives - 1].vertexCount;
}

void Recorder::end() {
    state.insideBegin = false;
    recording.openPrimitiveStored = false;
}

void Recorder::color(const Color4& colour) {
    state.current.colour = colour;
}

void Recorder::lineWidth(float pixels) {
    // As OpenGL: a width that is not positive is refused and the old one stays.
    if (pixels > 0.0f) {
        state.lineWidth = pixels;
    }
}

void Recorder::lighting(bool enabled) {
    state.lighting = enabled;
}

void Recorder::pushMatrix() {
    state.matrix.push();
}

void Recorder::popMatrix() {
    state.matrix.pop();
}

void Recorder::translate(double x, double y) {
    state.matrix.translate(x, y);
}

void Recorder::rotate(double degrees) {
    state.matrix.rotate(degrees);
}

void Recorder::loadIdentity() {
    state.matrix.loadIdentity();
}

void Recorder::pushCurrentAttrib() {
    if (state.attribDepth >= RECORDER_ATTRIB_DEPTH) {
        return;
    }
    state.attribStack[state.attribDepth] = state.current;
    ++state.attribDepth;
}

void Recorder::popAttrib() {
    if (state.attribDepth <= 0) {
        return;
    }
    --state.attribDepth;
    state.current = state.attribStack[state.attribDepth];
    state.openText = -1;
}

void Recorder::rasterPos(float x, float y) {
    // The projection is the identity, so the view is the clip volume.
    const Point2 position = affineApply(state.matrix.matrix(), x, y);
    state.current.rasterPos = position;
    state.current.rasterColour = state.current.colour;
    state.current.rasterLighting = state.lighting;
    state.current.rasterValid = std::fabs(position.x) <= 1.0 && std::fabs(position.y) <= 1.0;
    state.openText = -1;
}

void Recorder::bitmapCharacter(DrawFont font, int c) {
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

void Recorder::clear() {
    clearRecording();
}

void Recorder::flush() {
}

void Recorder::swapBuffers() {
    if (frameEnd) {
        frameEnd(*this);
    }
}

}  // namespace gearmesh
