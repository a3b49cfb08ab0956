#include "export/outline_export.h"

#include <algorithm>
#include <cmath>

#include "export/number_text.h"

namespace gearmesh {

namespace {

struct Box {
    double minX, minY, maxX, maxY;
};

void includePoint(Box& box, const Point2& p) {
    box.minX = std::min(box.minX, p.x);
    box.minY = std::min(box.minY, p.y);
    box.maxX = std::max(box.maxX, p.x);
    box.maxY = std::max(box.maxY, p.y);
}

Box drawingBox(const OutlineDrawing& drawing) {
    Box box{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    const double arm = CENTRE_MARK_ARM * drawing.module;
    for (const GearPath& path : drawing.gears) {
        for (const Point2& p : path.points) {
            includePoint(box, p);
        }
        includePoint(box, {path.centre.x - arm, path.centre.y - arm});
        includePoint(box, {path.centre.x + arm, path.centre.y + arm});
    }
    return box;
}

std::string svgPoint(const Point2& p) {
    return exactNumber(p.x) + "," + exactNumber(-p.y);
}

std::string describe(const OutlineDrawing& drawing) {
    std::string which;
    if (drawing.gears.size() == 2) {
        which = "both gears";
    } else if (!drawing.gears.empty()) {
        which = "gear " + std::to_string(drawing.gears[0].gear);
    }
    return "gear pair z1 = " + std::to_string(drawing.z1) + ", z2 = " + std::to_string(drawing.z2) +
           ", module " + exactNumber(drawing.module) + " mm, profile shift " +
           exactNumber(drawing.shift) + " / " +
           exactNumber(drawing.shift == 0.0 ? 0.0 : -drawing.shift) + ", pressure angle 20 deg; " +
           which + " placed as in the first mesh frame, lengths in millimetres" +
           (drawing.geometry.empty() ? "" : "; outline " + drawing.geometry);
}

// One DXF group: its code on one line, its value on the next.
void group(std::string& dxf, int code, const std::string& value) {
    dxf += std::to_string(code);
    dxf += '\n';
    dxf += value;
    dxf += '\n';
}

void groupPoint(std::string& dxf, int codeX, const Point2& p) {
    group(dxf, codeX, exactNumber(p.x));
    group(dxf, codeX + 10, exactNumber(p.y));
    group(dxf, codeX + 20, "0.0");
}

void layerEntry(std::string& dxf, const char* name, int colour) {
    group(dxf, 0, "LAYER");
    group(dxf, 2, name);
    group(dxf, 70, "0");
    group(dxf, 62, std::to_string(colour));
    group(dxf, 6, "CONTINUOUS");
}

}  // namespace

std::string outlineSvg(const OutlineDrawing& drawing) {
    const Box box = drawingBox(drawing);
    const double margin = drawing.module;
    // SVG y grows downwards: the model's top edge becomes the viewBox's top.
    const double left = box.minX - margin;
    const double top = -box.maxY - margin;
    const double width = box.maxX - box.minX + 2 * margin;
    const double height = box.maxY - box.minY + 2 * margin;
    const std::string strokeWidth = exactNumber(0.1 * drawing.module);

    std::string svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           exactNumber(width) + "mm\" height=\"" + exactNumber(height) + "mm\" viewBox=\"" +
           exactNumber(left) + " " + exactNumber(top) + " " + exactNumber(width) + " " +
           exactNumber(height) + "\">\n";
    svg += "  <desc>" + describe(drawing) + "</desc>\n";
    svg += "  <g fill=\"none\" stroke=\"black\" stroke-width=\"" + strokeWidth +
           "\" stroke-linejoin=\"round\">\n";
    for (const GearPath& path : drawing.gears) {
        svg += "    <path id=\"gear" + std::to_string(path.gear) + "\" d=\"";
        for (std::size_t i = 0; i < path.points.size(); ++i) {
            svg += i == 0 ? "M" : (i % 6 == 0 ? "\n      L" : " L");
            svg += svgPoint(path.points[i]);
        }
        svg += " Z\"/>\n";
    }
    svg += "  </g>\n";
    svg += "  <path id=\"centres\" fill=\"none\" stroke=\"blue\" stroke-width=\"" + strokeWidth +
           "\" d=\"";
    const double arm = CENTRE_MARK_ARM * drawing.module;
    for (const GearPath& path : drawing.gears) {
        const Point2& c = path.centre;
        svg += "M" + svgPoint({c.x - arm, c.y}) + " L" + svgPoint({c.x + arm, c.y}) + " M" +
               svgPoint({c.x, c.y - arm}) + " L" + svgPoint({c.x, c.y + arm}) + " ";
    }
    svg += "\"/>\n";
    svg += "</svg>\n";
    return svg;
}

std::string outlineDxf(const OutlineDrawing& drawing) {
    const Box box = drawingBox(drawing);
    std::string dxf;
    group(dxf, 999, describe(drawing));

    group(dxf, 0, "SECTION");
    group(dxf, 2, "HEADER");
    group(dxf, 9, "$ACADVER");
    group(dxf, 1, "AC1009");
    group(dxf, 9, "$INSUNITS");
    group(dxf, 70, "4");
    group(dxf, 9, "$EXTMIN");
    groupPoint(dxf, 10, {box.minX, box.minY});
    group(dxf, 9, "$EXTMAX");
    groupPoint(dxf, 10, {box.maxX, box.maxY});
    group(dxf, 0, "ENDSEC");

    group(dxf, 0, "SECTION");
    group(dxf, 2, "TABLES");
    group(dxf, 0, "TABLE");
    group(dxf, 2, "LTYPE");
    group(dxf, 70, "1");
    group(dxf, 0, "LTYPE");
    group(dxf, 2, "CONTINUOUS");
    group(dxf, 70, "0");
    group(dxf, 3, "Solid line");
    group(dxf, 72, "65");
    group(dxf, 73, "0");
    group(dxf, 40, "0.0");
    group(dxf, 0, "ENDTAB");
    group(dxf, 0, "TABLE");
    group(dxf, 2, "LAYER");
    group(dxf, 70, "4");
    layerEntry(dxf, "0", 7);
    layerEntry(dxf, "GEAR1", 1);
    layerEntry(dxf, "GEAR2", 5);
    layerEntry(dxf, "CENTRES", 3);
    group(dxf, 0, "ENDTAB");
    group(dxf, 0, "ENDSEC");

    group(dxf, 0, "SECTION");
    group(dxf, 2, "ENTITIES");
    for (const GearPath& path : drawing.gears) {
        const std::string layer = "GEAR" + std::to_string(path.gear);
        group(dxf, 0, "POLYLINE");
        group(dxf, 8, layer);
        group(dxf, 66, "1");
        groupPoint(dxf, 10, {0.0, 0.0});
        group(dxf, 70, "1");  // closed
        for (const Point2& p : path.points) {
            group(dxf, 0, "VERTEX");
            group(dxf, 8, layer);
            groupPoint(dxf, 10, p);
        }
        group(dxf, 0, "SEQEND");
        group(dxf, 8, layer);
    }
    const double arm = CENTRE_MARK_ARM * drawing.module;
    for (const GearPath& path : drawing.gears) {
        const Point2& c = path.centre;
        const Point2 ends[4] = {
            {c.x - arm, c.y}, {c.x + arm, c.y}, {c.x, c.y - arm}, {c.x, c.y + arm}};
        for (int line = 0; line < 2; ++line) {
            group(dxf, 0, "LINE");
            group(dxf, 8, "CENTRES");
            groupPoint(dxf, 10, ends[2 * line]);
            groupPoint(dxf, 11, ends[2 * line + 1]);
        }
    }
    group(dxf, 0, "ENDSEC");
    group(dxf, 0, "EOF");
    return dxf;
}

}  // namespace gearmesh
