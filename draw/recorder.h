#pragma once

// The recorder: a target of the seam (draw/seam.h) that needs no OpenGL
// context. It keeps the little OpenGL state the toolkit touches (a 2-D
// model-view matrix stack, current colour, line width, lighting, raster
// position with its colour) and records every primitive with its vertices
// after the matrix, in view units, and every piece of bitmap text.
// seamClear starts a new frame by emptying the recording, as glClear empties
// the picture; the state is kept, as OpenGL keeps it.
//
// Storage is fixed and static: nothing is allocated while drawing. When a
// store is full the recorder goes on counting but stops storing, and
// recorderOverflowed() says so; stored items are always whole or a prefix.

#include "draw/affine2.h"
#include "draw/color.h"
#include "draw/seam.h"
#include "geometry/point2.h"

// Vertices kept per frame (32 MB); beyond it they are only counted.
constexpr int RECORDER_VERTEX_CAPACITY = 2000000;
// Primitives (begin/end blocks) kept per frame.
constexpr int RECORDER_PRIMITIVE_CAPACITY = 500000;
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
    void* font;
    int length;                           // bytes stored in text
    char text[RECORDER_TEXT_LENGTH + 1];  // NUL-terminated
};

// Sends the seam to the recorder, resets its state to OpenGL's initial state
// (identity matrix, white, width 1, lighting off, raster position at the
// origin), switches bounded drawing off for it (draw/bounds.h) and empties
// the recording.
void startRecording();
// Sends the seam back to OpenGL; the recording stays readable.
void stopRecording();
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

// Where the seam hands its calls while the target is the recorder; callers
// draw through the seam, not through these.
void recordBegin(SeamMode mode);
void recordVertex(double x, double y);
void recordEnd();
void recordColor(const Color4& colour);
void recordLineWidth(float pixels);
void recordLighting(bool enabled);
void recordPushMatrix();
void recordPopMatrix();
void recordTranslate(double x, double y);
void recordRotate(double degrees);
void recordLoadIdentity();
void recordPushCurrentAttrib();
void recordPopAttrib();
void recordRasterPos(float x, float y);
void recordBitmapCharacter(void* font, int c);
void recordClear();
