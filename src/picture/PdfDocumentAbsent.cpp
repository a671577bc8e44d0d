// The PDF writer of a build without cairo: there is none (see PdfDocument.h).
#include "picture/PdfDocument.h"

bool PdfAvailable() { return false; }

std::string PdfDocument(const Drawing&, int, int) { return {}; }
