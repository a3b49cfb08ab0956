#pragma once

// The recorder: a drawing target (draw/target.h) that needs no OpenGL
// context. It keeps the little OpenGL state the toolkit touches (a 2-D
// model-view matrix stack, current colour, line width, lighting, raster
// position with its colour) and records every primitive with its vertices
// after the matrix, in view units, and every piece of bitmap text.
// clear() starts a new frame by emptying the recording, as glClear empties
// the picture; the state is kept, as OpenGL keeps it.
//
// Each recorder is an object of its own: the caller creates it with the
// capacities it chooses, its stores of vertices and primitives are allocated
// then, and nothing is allocated while drawing. When a store is full the
// recorder goes on counting but stops storing, and overflowed() says so;
// stored items are always whole or a prefix. The end of a frame
// (swapBuffers) calls the FrameEnd the recorder was given, if any, with the
// whole frame recorded: that is how a target built on the recorder (the
// page's canvas) hands each frame on.

#include <functional>
#include <memory>

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
constexpr int RECORDER_MATRIX_DEPTH = AFFINE_STACK_DEPTH;
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

class Recorder;

// What a recorder calls at the end of each frame (swapBuffers), with the
// frame it has recorded.
using FrameEnd = std::function<void(const Recorder& recorder)>;

class Recorder final : public DrawTarget {
   public:
    // A recorder with stores of the given capacity (negative counts as 0),
    // allocated here, in OpenGL's initial state (identity matrix, white,
    // width 1, lighting off, raster position at the origin) with an empty
    // recording; frameEnd, when set, is called at every swapBuffers.
    explicit Recorder(RecorderCapacity capacity = DEFAULT_RECORDER_CAPACITY,
                      FrameEnd frameEnd = {});

    // The drawing target.
    void startFrame(FrameDrawing drawing) override;
    void begin(SeamMode mode) override;
    void vertex(double x, double y) override;
    void end() override;
    void color(const Color4& colour) override;
    void lineWidth(float pixels) override;
    void lighting(bool enabled) override;
    void pushMatrix() override;
    void popMatrix() override;
    void translate(double x, double y) override;
    void rotate(double degrees) override;
    void loadIdentity() override;
    void pushCurrentAttrib() override;
    void popAttrib() override;
    void rasterPos(float x, float y) override;
    void bitmapCharacter(DrawFont font, int c) override;
    // Empties the recording (clearRecording), as glClear empties the picture.
    void clear() override;
    // Nothing: a recording has no picture to show.
    void flush() override;
    // Calls the FrameEnd, if the recorder has one; else nothing.
    void swapBuffers() override;
    Affine2 matrix() const override;

    // The capacity of the stores, negative counts made 0.
    RecorderCapacity capacity() const;
    // Empties the recording; the state is kept.
    void clearRecording();

    // Primitives and vertices submitted since the recording was emptied,
    // stored or not.
    long long recordedPrimitiveCount() const;
    long long recordedVertexCount() const;
    // Those actually stored, at most the capacities.
    int storedPrimitiveCount() const;
    int storedVertexCount() const;
    int recordedTextCount() const;
    // True once something could not be stored since the recording was emptied.
    bool overflowed() const;

    // Stored primitive i (0 to storedPrimitiveCount() - 1); outside that
    // range a primitive with no vertices.
    RecordedPrimitive recordedPrimitive(int i) const;
    // Stored vertex k in view units; outside the stored range (0, 0).
    Point2 recordedVertex(int k) const;
    // Vertex j of stored primitive i, in view units; outside its range (0, 0).
    Point2 recordedPrimitiveVertex(int i, int j) const;
    // Stored text i (0 to recordedTextCount() - 1); outside that range an empty text.
    const RecordedText& recordedText(int i) const;

    // The current state, for checks after drawing (the matrix is matrix()).
    // Matrices pushed and not yet popped.
    int matrixDepth() const;
    bool lighting() const;
    // Pixels.
    float lineWidth() const;
    Color4 color() const;
    // Raster position in view units.
    Point2 rasterPos() const;

   private:
    // What glPushAttrib(GL_CURRENT_BIT) saves of the state the toolkit touches.
    struct CurrentAttrib {
        Color4 colour;
        Point2 rasterPos;
        Color4 rasterColour;
        bool rasterLighting;
        bool rasterValid;
    };

    // The OpenGL state the recorder keeps.
    struct State {
        AffineStack matrix;
        CurrentAttrib current;
        CurrentAttrib attribStack[RECORDER_ATTRIB_DEPTH];
        int attribDepth;
        float lineWidth;
        bool lighting;
        bool insideBegin;
        // Index of the text that bitmap characters extend, or -1.
        int openText;
    };

    // The frame recorded since the recording was emptied.
    struct Recording {
        // capacity.primitives and capacity.vertices long.
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

    State state{};
    Recording recording{};
    FrameEnd frameEnd;
};

// The width in pixels that OpenGL draws stored primitive's lines with: it
// clamps widths below one pixel to one.
inline double shownLineWidth(const RecordedPrimitive& primitive) {
    return !(primitive.lineWidth >= 1.0f) ? 1.0 : static_cast<double>(primitive.lineWidth);
}

// Calls visit(a, b), view units, for each line segment of recorder's stored
// primitive i as OpenGL draws it: the vertex pairs of SEAM_LINES, the closed
// edges of SEAM_LINE_LOOP; nothing for SEAM_POLYGON or outside the stored range.
template <typename Visit>
void forEachRecordedSegment(const Recorder& recorder, int i, Visit visit) {
    const RecordedPrimitive primitive = recorder.recordedPrimitive(i);
    const int n = primitive.vertexCount;
    if (primitive.mode == SEAM_LINES) {
        for (int j = 0; j + 1 < n; j += 2) {
            visit(recorder.recordedPrimitiveVertex(i, j),
                  recorder.recordedPrimitiveVertex(i, j + 1));
        }
    } else if (primitive.mode == SEAM_LINE_LOOP && n >= 2) {
        for (int j = 0; j < n; ++j) {
            visit(recorder.recordedPrimitiveVertex(i, j),
                  recorder.recordedPrimitiveVertex(i, (j + 1) % n));
        }
    }
}

}  // namespace gearmesh
