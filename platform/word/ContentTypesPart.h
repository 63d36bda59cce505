// [Content_Types].xml: the media type of every part of the package.
#pragma once

#include <set>
#include <string>

#include "ImageFile.h"

namespace word {

std::string contentTypesXml(const std::set<ImageType>& pictureTypes);

}  // namespace word
