#pragma once

#include <QImage>

// The clipboard's picture. With a running application it is the system
// clipboard (in-process and empty at start on the off-screen platform); with
// none (plain tests, fuzzing) a picture kept in the process.
namespace platform {
bool ClipboardHasImage();
// The clipboard's picture, a null image when it holds none.
QImage ClipboardImage();
// Puts the picture on the clipboard; false when it could not be stored.
bool SetClipboardImage(const QImage& image);
// Empties the clipboard of its picture (and, with an application, of all else
// the system clipboard holds). Makes no application: with none, only the
// process's picture can be there.
void ClearClipboardImage();
} // namespace platform
