#pragma once

#include "pictures/Picture.h"

class QImage;

// Between pictures and RGB32 images (any other image format is converted).
QImage ImageFromPicture(const Picture& picture);
Picture PictureFromImage(const QImage& image);
