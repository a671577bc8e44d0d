#include "picture/PictureSnapshot.h"

PictureSnapshot::PictureSnapshot(const PlotView& view)
    : pixels(view.imgCood.canvas.Picture()), mark(view.drawing.Here()), pen(view.imgCood.canvas.Pen),
      brush(view.imgCood.canvas.Brush), font(view.imgCood.canvas.Font), position(view.imgCood.canvas.Position()),
      scaleX(view.ScaleX), scaleY(view.ScaleY), originX(view.OriginX), originY(view.OriginY) {}

void PictureSnapshot::Restore(PlotView& view) const {
    Canvas& canvas = view.canvas();
    if (view.drawing.TruncateTo(mark)) {
        canvas.Picture() = pixels;
    } else {
        canvas.Clear(clWhite);
        canvas.Draw(0, 0, pixels);
    }
    canvas.Pen = pen;
    canvas.Brush = brush;
    canvas.Font = font;
    canvas.MoveTo(position);
    view.ScaleX = scaleX, view.ScaleY = scaleY, view.OriginX = originX, view.OriginY = originY;
}
