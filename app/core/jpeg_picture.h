#pragma once
// JPEG pictures in memory through libjpeg: the design charts stored with the
// program are encoded by their generator and decoded into 8-bit RGB pixels
// when shown. A picture that is
// damaged, cut short or too large is refused with a message: libjpeg's
// fatal errors return here instead of ending the process, its warnings (a
// truncated stream among them) count as failures, and the picture's size is
// checked before anything is allocated for it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "exceptions.h"

namespace korva::app {

class EPictureError : public components::Exception {
public:
    using Exception::Exception;
};

struct TRgbPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels; // rows top to bottom, 3 bytes (R, G, B) per pixel
};

// The largest picture decoded, per side and in pixels.
inline constexpr int kMaxPictureSide = 8192;
inline constexpr std::int64_t kMaxPicturePixels = 16'000'000;

// Raises EPictureError with libjpeg's reason (or the size limit) when the
// bytes are not a whole JPEG picture within the limits.
TRgbPicture DecodeJpeg(std::span<const std::uint8_t> bytes);

// The picture as a baseline JPEG of the given quality (1-100). Raises
// EPictureError for a picture whose pixels do not match its size or that is
// outside the limits above.
std::vector<std::uint8_t> EncodeJpeg(const TRgbPicture& picture, int quality);

} // namespace korva::app
