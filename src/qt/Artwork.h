// The program's own pictures, drawn here with QPainter: the tool-button glyphs, the cursors
// "FingerCSR" (over the curve list) and "PencilCSR" (over the picture) and the program icon.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QString>

// The glyph of a tool button by its control name ("spdOpenFile" …); a blank icon for other names.
QIcon ToolGlyph(const QString& buttonName);
// "FingerCSR" or "PencilCSR"; the arrow for any other name.
QCursor ProgramCursor(const QString& resourceName);
QIcon ProgramIcon();
