#pragma once

// The recorder: a drawing target (draw/target.h) that needs no OpenGL
// context. It keeps the little OpenGL state the toolkit touches (a 2-D
// model-view matrix stack, current colour, line width, lighting, raster
// position with its colour) and records every primitive with its vertices
// after the matrix, in view units, and every piece of bitmap text.
// seamClear starts a new frame by emptying the recording, as glClear empties
// the picture; the state is kept, as OpenGL keeps it.
//
// The stores of vertices and primitives are allocated when recording starts,
// with the capacities the caller chooses, and nothing is allocated while
// drawing. When a store is full the recorder goes on counting but stops
// storing, and recorderOverflowed() says so; stored items are always whole or
// a prefix.
//
// RECORDER_TARGET is the recorder's table of functions. Another target may
// copy it and replace entries (swapBuffers, say, to hand each recorded frame
// on), then be set with setDrawTarget after startRecording.

#include "draw/affine2.h"
#include "draw/color.h"
#include "draw/target.h"
#include "geometry/point2.h"

namespace gearmesh {

// How many vertices and primitives (begin/end blocks) a frame keeps; beyond
// them they are only counted.
struct RecorderCapacity {
    int vertices;
    int primitives;
};
// The capacity gearpair view records with (32 MB of vertices).
constexpr RecorderCapacity DEFAULT_RECORDER_CAPACITY{2000000, 500000};
// Texts kept per frame, and bytes kept of each.
constexpr int RECORDER_TEXT_CAPACITY = 64;
constexpr int RECORDER_TEXT_LENGTH = 127;
// Depths of the model-view and attribute stacks; OpenGL guarantees 32 and 16.
constexpr int RECORDER_MATRIX_DEPTH = 32;
constexpr int RECORDER_ATTRIB_DEPTH = 16;

// One glBegin ... glEnd block. Vertices are recordedVertex(firstVertex) to
// recordedVertex(firstVertex + vertexCount - 1), in view units; vertexCount
// is what was stored, which is less than submitted only after an overflow.
struct RecordedPrimitive {
    SeamMode mode;
    Color4 colour;
    float lineWidth;  // pixels
    bool lighting;
    int firstVertex;
    int vertexCount;
};

// Bitmap characters drawn after one raster position.
struct RecordedText {
    Point2 position;     // view units, after the matrix
    Color4 colour;       // current colour when the raster position was set
    bool lighting;       // lighting when the raster position was set
    bool positionValid;  // false outside the view: OpenGL then draws nothing
    DrawFont font;
    int length;                           // bytes stored in text
    char text[RECORDER_TEXT_LENGTH + 1];  // NUL-terminated
};

// The recorder as a drawing target.
extern const DrawTarget RECORDER_TARGET;

// Makes the recorder the drawing target (outside any frame), with stores of
// the given capacity (negative counts as 0; allocated here unless the stores
// already have it), resets its state to OpenGL's initial state (identity
// matrix, white, width 1, lighting off, raster position at the origin) and
// empties the recording.
void startRecording(RecorderCapacity capacity = DEFAULT_RECORDER_CAPACITY);
// Sends the drawing back to the target that was current before the recorder
// (the target that draws nothing if there was none); the recording stays
// readable.
void stopRecording();
// The capacity of the stores (all 0 before the first recording).
RecorderCapacity recorderCapacity();
// Empties the recording; the state is kept.
void clearRecording();

// Primitives and vertices submitted since the recording was emptied,
// stored or not.
long long recordedPrimitiveCount();
long long recordedVertexCount();
// Those actually stored, at most the capacities.
int storedPrimitiveCount();
int storedVertexCount();
int recordedTextCount();
// True once something could not be stored since the recording was emptied.
bool recorderOverflowed();

// Stored primitive i (0 to storedPrimitiveCount() - 1); outside that range a
// primitive with no vertices.
RecordedPrimitive recordedPrimitive(int i);
// Stored vertex k in view units; outside the stored range (0, 0).
Point2 recordedVertex(int k);
// Vertex j of stored primitive i, in view units.
Point2 recordedPrimitiveVertex(int i, int j);

// The width in pixels that OpenGL draws stored primitive's lines with: it
// clamps widths below one pixel to one.
inline double shownLineWidth(const RecordedPrimitive& primitive) {
    return !(primitive.lineWidth >= 1.0f) ? 1.0 : static_cast<double>(primitive.lineWidth);
}

// Calls visit(a, b), view units, for each line segment of stored primitive i
// as OpenGL draws it: the vertex pairs of SEAM_LINES, the closed edges of
// SEAM_LINE_LOOP; nothing for SEAM_POLYGON.
template <typename Visit>
void forEachRecordedSegment(int i, Visit visit) {
    const RecordedPrimitive primitive = recordedPrimitive(i);
    const int n = primitive.vertexCount;
    if (primitive.mode == SEAM_LINES) {
        for (int j = 0; j + 1 < n; j += 2) {
            visit(recordedPrimitiveVertex(i, j), recordedPrimitiveVertex(i, j + 1));
        }
    } else if (primitive.mode == SEAM_LINE_LOOP && n >= 2) {
        for (int j = 0; j < n; ++j) {
            visit(recordedPrimitiveVertex(i, j), recordedPrimitiveVertex(i, (j + 1) % n));
        }
    }
}
// Stored text i (0 to recordedTextCount() - 1); outside that range an empty text.
const RecordedText& recordedText(int i);

// The recorder's current state, for checks after drawing.
Affine2 recorderMatrix();
// Matrices pushed and not yet popped.
int recorderMatrixDepth();
bool recorderLighting();
float recorderLineWidth();
Color4 recorderColor();
// Raster position in view units.
Point2 recorderRasterPos();

}  // namespace gearmesh
