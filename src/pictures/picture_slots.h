#pragma once

#include "card_page.h"

#include <string>

namespace pellimo {

enum class PictureSide { Front, Back };

// The pending-picture slot of the page's front or back box.
int pictureSlotOf(const CardPage& page, PictureSide side);

// The field a slot's picture lives in: Front for slots 1 and 3, Back for 2 and 4.
std::string pictureFieldOf(int slot);

} // namespace pellimo
