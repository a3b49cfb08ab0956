#pragma once

// One real GLUT window of 800 by 800 pixels for the whole test run, and the
// picture read back from its back buffer. The window opens before the first
// test; without an X server the run fails, it never skips.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "tests/support/glut_window.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace gearmesh {

class GlutWindowEnvironment : public ::testing::Environment {
   public:
    void SetUp() override {
        window = openGlutWindow("gl_tests");
    }
    void TearDown() override {
        glutDestroyWindow(window);
        glutMainLoopEvent();
        glutExit();
    }

   private:
    int window = 0;
};

// The back buffer as RGB rows, bottom row first (OpenGL's order).
struct Picture {
    std::vector<unsigned char> rgb;

    const unsigned char* at(int column, int row) const {
        return &rgb[3 * (static_cast<size_t>(row) * WINDOW_SIZE + column)];
    }
    // Anything but the white background.
    bool painted(int column, int row) const {
        const unsigned char* p = at(column, row);
        return p[0] < 250 || p[1] < 250 || p[2] < 250;
    }
    bool paintedNear(int column, int row, int reach) const {
        for (int r = row - reach; r <= row + reach; ++r) {
            for (int c = column - reach; c <= column + reach; ++c) {
                if (c >= 0 && c < WINDOW_SIZE && r >= 0 && r < WINDOW_SIZE && painted(c, r)) {
                    return true;
                }
            }
        }
        return false;
    }
    int paintedInRow(int row) const {
        int count = 0;
        for (int c = 0; c < WINDOW_SIZE; ++c) {
            count += painted(c, row) ? 1 : 0;
        }
        return count;
    }
    int paintedInColumn(int column) const {
        int count = 0;
        for (int r = 0; r < WINDOW_SIZE; ++r) {
            count += painted(column, r) ? 1 : 0;
        }
        return count;
    }
};

inline Picture readPicture() {
    glFinish();
    Picture picture;
    picture.rgb.resize(3 * WINDOW_SIZE * WINDOW_SIZE);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, WINDOW_SIZE, WINDOW_SIZE, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
    return picture;
}

// Column or row of the pixel holding view coordinate v (-1 to +1).
inline int pixelOf(double v) {
    const int p = static_cast<int>((v + 1.0) * WINDOW_SIZE / 2.0);
    return p < 0 ? 0 : (p >= WINDOW_SIZE ? WINDOW_SIZE - 1 : p);
}

// Writes the picture as a PNG (through a PPM and ImageMagick's convert).
inline bool savePicture(const Picture& picture, const std::string& pngPath) {
    const std::string ppmPath = pngPath + ".ppm";
    FILE* file = std::fopen(ppmPath.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", WINDOW_SIZE, WINDOW_SIZE);
    for (int row = WINDOW_SIZE - 1; row >= 0; --row) {
        std::fwrite(picture.at(0, row), 3, WINDOW_SIZE, file);
    }
    std::fclose(file);
    const std::string command =
        "convert '" + ppmPath + "' '" + pngPath + "' && rm -f '" + ppmPath + "'";
    return std::system(command.c_str()) == 0;
}

}  // namespace gearmesh
