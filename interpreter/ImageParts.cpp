#include "interpreter/ImageParts.h"

#include "platform/WindowModule.h"

namespace {

ImageParts parts {};
bool partsSet = false;

} // namespace

void SetImageParts(const ImageParts& installed)
{
    parts = installed;
    partsSet = true;
}

const ImageParts& Images()
{
    if (!partsSet) platform::RequireWindowModule();
    return parts;
}
