#pragma once
// What a picture of the diagram is exported as: the file's format and the choices the person
// makes for it.

enum class ExportFormat { Png, Svg, Pdf };

struct ExportOptions {
    // Pixels of a PNG picture for each pixel of the canvas (1, 2 or 4 are offered); SVG and PDF
    // documents are drawn with lines and text and have no pixels of their own.
    int scale = 1;
    bool grid = false;  // the grid lines beneath the diagram
};
