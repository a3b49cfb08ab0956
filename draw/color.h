#pragma once

// A colour handed to OpenGL as red, green, blue, alpha.
struct Color4 {
    float r, g, b, a;
};

constexpr Color4 RED{1.0f, 0.0f, 0.0f, 0.0f};
constexpr Color4 GREEN{0.0f, 1.0f, 0.0f, 0.0f};
constexpr Color4 BLUE{0.0f, 0.0f, 1.0f, 0.0f};
constexpr Color4 YELLOW{1.0f, 1.0f, 0.0f, 0.0f};
constexpr Color4 BLACK{0.0f, 0.0f, 0.0f, 0.0f};
