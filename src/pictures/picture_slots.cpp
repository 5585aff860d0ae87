#include "picture_slots.h"

namespace pellimo {

int pictureSlotOf(const CardPage& page, PictureSide side) {
    return page.frontSlot + (side == PictureSide::Back ? 1 : 0);
}

std::string pictureFieldOf(int slot) {
    return slot % 2 == 1 ? "Front" : "Back";
}

} // namespace pellimo
