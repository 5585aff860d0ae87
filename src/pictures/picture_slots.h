#pragma once

#include "pages.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pellimo {

enum class PictureSide { Front, Back };

// The slot of a page's front or back box: 1 and 2 on Basics, 3 and 4 on Specials; none on another page.
std::optional<int> pictureSlotOn(std::int16_t TabMode, PictureSide side);

// The field a slot's picture lives in: Front for slots 1 and 3, Back for 2 and 4.
std::string pictureFieldOf(int slot);

} // namespace pellimo
