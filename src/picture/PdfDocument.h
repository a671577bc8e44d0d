// The picture as a PDF document, for worksheets and printing: one page the size of the picture
// at 96 pixels per inch (513 pixels are 384.75 points), drawn as vectors from the picture's
// drawing, with the shapes of SvgPainter (see VectorShapes.h), text as text in the picture's own
// faces embedded, bitmaps enlarged without smoothing. The desktop program and the driver write
// PDF through cairo; a build without cairo (the browser's) writes none.
#pragma once

#include <string>

#include "picture/Drawing.h"

// Whether this build writes PDF at all.
bool PdfAvailable();
// The drawing as a one-page PDF document of width × height picture pixels; empty when this build
// writes no PDF or the document could not be made.
std::string PdfDocument(const Drawing& drawing, int width, int height);
