#pragma once

#include "interpreter/ImageParts.h"

// The window module's image parts: the drawing surface's picture services
// and the clipboard's picture.
ImageParts WindowImageParts();

// Gives the core the image parts. Inline, so that the call into the core is
// made by the installer that links both, never by the canvas library: the
// canvas sits below the core and takes nothing from it.
inline void InstallImageParts()
{
    SetImageParts(WindowImageParts());
}
