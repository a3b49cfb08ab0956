#pragma once

// The files the page saves for the pair on screen, written by the same
// writers as gearpair's (export/), so that each is what gearpair writes for
// the same pair, shift and keys.

#include <string>

#include "dialogue/texts.h"
#include "draw/recorder.h"
#include "export/view_export.h"
#include "geometry/gear_pair.h"

namespace gearmesh {

enum class DownloadKind {
    OutlineSvg,  // gearpair outline Z1 Z2 --shift X --format svg
    OutlineDxf,  // gearpair outline Z1 Z2 --shift X --format dxf
    PictureSvg,  // gearpair view Z1 Z2 ... after the same keys
};

// One button under the drawing that saves a file.
struct DownloadButton {
    DownloadKind kind;
    PageText label;  // what it saves (dialogue/texts.h)
};

constexpr int DOWNLOAD_BUTTON_COUNT = 3;

// The buttons, left to right.
extern const DownloadButton DOWNLOAD_BUTTONS[DOWNLOAD_BUTTON_COUNT];

// A file to save: its name, its MIME type and its whole text.
struct DownloadFile {
    std::string name;
    const char* type;
    std::string text;
};

// The name of a file of the pair of counts z1, z2 at gear 1's profile shift:
// prefix-Z1-Z2.extension, with -xX.XX before the dot when the shift is not 0
// in two decimals ("gear-12-30-x-0.30.dxf"); never "-0.00".
std::string downloadName(const char* prefix, int z1, int z2, double shift, const char* extension);

// The exact outline of both gears of pair at its shift, module 1 and the
// default chord tolerance, as SVG or DXF (OutlineSvg or OutlineDxf; any
// other kind counts as OutlineSvg), named gear-Z1-Z2[-xX.XX]. False, with
// the one-line reason gearpair gives in error, where the rack cannot cut a
// gear of the pair.
bool outlineDownload(const GearPair& pair, DownloadKind kind, DownloadFile& file,
                     std::string& error);

// The frame recorded last on recorder as gearpair view's SVG, its caption
// taken when it was drawn, named view-Z1-Z2.svg.
DownloadFile pictureDownload(const Recorder& recorder, const ViewCaption& caption);

}  // namespace gearmesh
