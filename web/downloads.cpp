#include "web/downloads.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "export/exact_outline_export.h"
#include "export/outline_export.h"

namespace gearmesh {

const DownloadButton DOWNLOAD_BUTTONS[DOWNLOAD_BUTTON_COUNT] = {
    {DownloadKind::OutlineSvg, PageText::SAVE_OUTLINE_SVG},
    {DownloadKind::OutlineDxf, PageText::SAVE_OUTLINE_DXF},
    {DownloadKind::PictureSvg, PageText::SAVE_PICTURE_SVG},
};

std::string downloadName(const char* prefix, int z1, int z2, double shift, const char* extension) {
    char name[96];
    // Whole hundredths, so that a shift that rounds to zero names no shift
    // and a negative one keeps its sign.
    const long hundredths = std::lround(shift * 100.0);
    if (hundredths == 0) {
        std::snprintf(name, sizeof name, "%s-%d-%d.%s", prefix, z1, z2, extension);
    } else {
        const long size = std::labs(hundredths);
        std::snprintf(name, sizeof name, "%s-%d-%d-x%s%ld.%02ld.%s", prefix, z1, z2,
                      hundredths < 0 ? "-" : "", size / 100, size % 100, extension);
    }
    return name;
}

bool outlineDownload(const GearPair& pair, DownloadKind kind, DownloadFile& file,
                     std::string& error) {
    const int z1 = pair.gears[0].teeth;
    const int z2 = pair.gears[1].teeth;
    const double shift = pair.gears[0].shift;
    // gearpair outline's defaults: module 1, both gears.
    const double module = 1.0;
    OutlineDrawing drawing;
    if (!exactOutlineDrawing(z1, z2, shift, module, defaultExactTolerance(module), true, true,
                             drawing, error)) {
        return false;
    }
    if (kind == DownloadKind::OutlineDxf) {
        file = {downloadName("gear", z1, z2, shift, "dxf"), "image/vnd.dxf", outlineDxf(drawing)};
    } else {
        file = {downloadName("gear", z1, z2, shift, "svg"), "image/svg+xml", outlineSvg(drawing)};
    }
    return true;
}

DownloadFile pictureDownload(const Recorder& recorder, const ViewCaption& caption) {
    return {downloadName("view", caption.z1, caption.z2, 0.0, "svg"), "image/svg+xml",
            recordedViewSvg(recorder, caption)};
}

}  // namespace gearmesh
