#pragma once

#include <cstdint>

namespace pellimo {

// The main window's three pages, in the order of its tabs; TabMode holds one of these numbers, and the
// pictures and the reports are told the page by it.
enum Page : std::int16_t { SetsPage = 1, BasicsPage = 2, SpecialsPage = 3 };

} // namespace pellimo
