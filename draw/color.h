#pragma once

namespace gearmesh {

// A colour handed to OpenGL as red, green, blue, alpha.
struct Color4 {
    float r, g, b, a;
};

constexpr Color4 RED{1.0f, 0.0f, 0.0f, 0.0f};
constexpr Color4 GREEN{0.0f, 1.0f, 0.0f, 0.0f};
constexpr Color4 BLUE{0.0f, 0.0f, 1.0f, 0.0f};
constexpr Color4 YELLOW{1.0f, 1.0f, 0.0f, 0.0f};
constexpr Color4 BLACK{0.0f, 0.0f, 0.0f, 0.0f};

// The study view's colours, none of which the classic picture uses
// (scene/study_figure.h). No channel times 255 ends in a half, which
// OpenGL and the SVG and canvas frames might round apart.
// The single-pair zone of the path of contact, and a contact that is the only one.
constexpr Color4 MAGENTA{1.0f, 0.0f, 1.0f, 0.0f};
// Where two pairs share the load, and a contact that has another beside it.
constexpr Color4 ORANGE{1.0f, 0.55f, 0.0f, 0.0f};
// The true form circle and where it meets the flanks.
constexpr Color4 PURPLE{0.52f, 0.0f, 0.8f, 0.0f};
// Gear 1's and gear 2's specific sliding in the chart.
constexpr Color4 BROWN{0.6f, 0.32f, 0.0f, 0.0f};
constexpr Color4 TEAL{0.0f, 0.52f, 0.52f, 0.0f};
// The chart's axis.
constexpr Color4 GREY{0.52f, 0.52f, 0.52f, 0.0f};

// The grey of red, green and blue that a primitive drawn with lighting on
// shows: no light is switched on, so the lighting equation leaves OpenGL's
// default global ambient (0.2) times the default material ambient (0.2).
constexpr float LIT_GREY = 0.04f;

// The colour a primitive of the current colour shows: that colour with
// lighting off, opaque LIT_GREY with lighting on.
inline Color4 shownColor(const Color4& colour, bool lighting) {
    return lighting ? Color4{LIT_GREY, LIT_GREY, LIT_GREY, 1.0f} : colour;
}

}  // namespace gearmesh
