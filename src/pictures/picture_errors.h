#pragma once

namespace pellimo::picture_err {

// Failure numbers of the picture transfers, as the picture loader and the binary stream we replace gave them.
inline constexpr int InvalidPicture = 481;
inline constexpr int FileCouldNotBeOpened = 3002;
inline constexpr int WriteToFileFailed = 3004;

} // namespace pellimo::picture_err
