#pragma once

namespace gearmesh {

// The bitmap font of the legends, as every target draws it: GLUT's 18-pixel
// Helvetica in the window; elsewhere the same pen positions, from the advance
// widths below, keep a substitute face over the window's letters.

// Fonts a target can be asked for; the OpenGL target maps them to GLUT's.
enum class DrawFont { Legend };

constexpr DrawFont LEGEND_FONT = DrawFont::Legend;
// Height of the legend font, pixels.
constexpr int LEGEND_FONT_PIXELS = 18;
// CSS font family that stands in for the legend font where GLUT's is not at
// hand (the SVG export, the page): Helvetica or a face like it.
constexpr const char* LEGEND_FONT_FAMILY = "Helvetica, Arial, sans-serif";

// Advance widths in pixels of the legend font for the printable ASCII
// characters 32 to 126.
constexpr unsigned char LEGEND_ADVANCE[95] = {
    5,  6,  5,  10, 10, 16, 13, 4,  6,  6,  7,  10, 5,  11, 5,  5,   //  !"#$%&'()*+,-./
    10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 5,  5,  10, 11, 10, 10,  // 0-9 :;<=>?
    18, 12, 13, 14, 13, 11, 11, 14, 13, 6,  10, 13, 10, 16, 13, 15,  // @A-O
    12, 15, 12, 13, 12, 13, 14, 18, 13, 14, 12, 5,  5,  5,  9,  10,  // P-Z [\]^_
    4,  9,  11, 10, 11, 10, 6,  11, 10, 4,  4,  9,  4,  14, 10, 11,  // `a-o
    11, 11, 6,  9,  6,  10, 10, 14, 10, 10, 9,  6,  4,  6,  10,      // p-z {|}~
};

// Pixels the pen moves after character c of the legend font; outside
// printable ASCII, which the legends never use, the width of '?'.
inline int legendAdvance(char c) {
    return c >= 0x20 && c <= 0x7e ? LEGEND_ADVANCE[c - 0x20] : LEGEND_ADVANCE['?' - 0x20];
}

}  // namespace gearmesh
