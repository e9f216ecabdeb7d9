#pragma once
// Loads the first icon of an icon (.ico) file as a picture of a given size: the image whose
// size is nearest (the deepest colours among equals), decoded from its device-independent
// bitmap with the mask as transparency, or from PNG, and scaled when it is not that size.
// Thread-safe; needs no application object.

#include <optional>
#include <string_view>

#include "platform/shell/picture.h"

namespace lumaro::shell {

std::optional<Picture> decodeIcoImage(std::string_view icoBytes, int width, int height);

// Reads and decodes the icon file at `icoPath` (GB18030); nullopt when it fails.
std::optional<Picture> loadFirstIcon(std::string_view icoPath, int width, int height);

}  // namespace lumaro::shell
