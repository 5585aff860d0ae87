#include "picture_slots.h"

namespace pellimo {

std::optional<int> pictureSlotOn(std::int16_t TabMode, PictureSide side) {
    const int back = side == PictureSide::Back ? 1 : 0;
    if (TabMode == BasicsPage)
        return 1 + back;
    if (TabMode == SpecialsPage)
        return 3 + back;
    return std::nullopt;
}

std::string pictureFieldOf(int slot) {
    return slot % 2 == 1 ? "Front" : "Back";
}

} // namespace pellimo
