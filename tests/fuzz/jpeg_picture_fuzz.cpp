// The design-chart picture decoder on arbitrary bytes: it returns a picture
// within the size limits or raises EPictureError, and never ends the process.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "jpeg_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace korva::app;
    try {
        const TRgbPicture picture = DecodeJpeg(std::span<const std::uint8_t>(data, size));
        if (picture.Width < 1 || picture.Width > kMaxPictureSide || picture.Height < 1 ||
            picture.Height > kMaxPictureSide ||
            picture.Pixels.size() != static_cast<std::size_t>(picture.Width) * picture.Height * 3)
            std::abort();
    } catch (const EPictureError&) {
    }
    return 0;
}
