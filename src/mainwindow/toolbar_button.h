#pragma once

#include <array>

namespace pellimo {

// The ten toolbar buttons, numbered in their order on the toolbar.
enum ToolbarButton : int {
    NewButton = 1,
    FirstButton,
    PrevButton,
    NextButton,
    LastButton,
    DeleteButton,
    FindButton,
    CancelButton,
    SaveButton,
    ReportButton,
};

inline constexpr std::array<ToolbarButton, 10> allToolbarButtons{
    NewButton,    FirstButton, PrevButton,   NextButton, LastButton,
    DeleteButton, FindButton,  CancelButton, SaveButton, ReportButton,
};

} // namespace pellimo
