// The clipboard commands of the File menu: copy the whole picture as a bitmap, paste a bitmap at
// the picture's top-left corner at its own size, and enable pasting only while there is one.
#include "app/Main.h"

void TfrmMain::mnuClipBoardClick() { platform.ClipboardSetImage(view.imgCood.canvas.Picture()); }

void TfrmMain::mnuFileClick() { mnuPaste.SetEnabled(platform.ClipboardHasImage()); }

void TfrmMain::mnuPasteClick() {
    if (PlotRunning()) return;
    std::optional<Bitmap> pasted = platform.ClipboardGetImage();
    if (!pasted) return;
    view.canvas().Draw(0, 0, *pasted);
    platform.PictureChanged();
}
