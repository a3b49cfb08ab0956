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
