#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "jpeg_picture.h"

namespace korva::app {
namespace {

// A picture with a red left half and a blue right half.
TRgbPicture TwoColours(int width, int height)
{
    TRgbPicture p{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* px = &p.Pixels[(static_cast<std::size_t>(y) * width + x) * 3];
            px[0] = x < width / 2 ? 220 : 10;
            px[2] = x < width / 2 ? 10 : 220;
        }
    return p;
}

std::string FailureOf(const std::vector<std::uint8_t>& bytes)
{
    try {
        DecodeJpeg(bytes);
    } catch (const EPictureError& e) {
        return e.Message();
    }
    return {};
}

TEST(JpegPicture, DecodesWhatWasEncoded)
{
    const std::vector<std::uint8_t> bytes = EncodeJpeg(TwoColours(301, 97), 90);
    ASSERT_GT(bytes.size(), 100u);
    const TRgbPicture p = DecodeJpeg(bytes);
    EXPECT_EQ(p.Width, 301);
    EXPECT_EQ(p.Height, 97);
    ASSERT_EQ(p.Pixels.size(), 301u * 97 * 3);
    const std::uint8_t* left = &p.Pixels[(50 * 301 + 20) * 3];
    const std::uint8_t* right = &p.Pixels[(50 * 301 + 280) * 3];
    EXPECT_NEAR(left[0], 220, 8);
    EXPECT_NEAR(left[2], 10, 8);
    EXPECT_NEAR(right[2], 220, 8);
}

TEST(JpegPicture, ReadsAStoredPicture)
{
    std::ifstream in(std::string(KORVA_TEST_DATA_DIR) + "/app/picture-64x48.jpg", std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const TRgbPicture p = DecodeJpeg(bytes);
    EXPECT_EQ(p.Width, 64);
    EXPECT_EQ(p.Height, 48);
}

TEST(JpegPicture, BadInputGivesAMessageAndTheProcessGoesOn)
{
    const std::vector<std::uint8_t> good = EncodeJpeg(TwoColours(200, 120), 90);
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"garbage", std::vector<std::uint8_t>(good.size(), 0x5A)},
        {"header only", std::vector<std::uint8_t>(good.begin(), good.begin() + 4)},
        // libjpeg reads a truncated stream to its end with a warning only.
        {"truncated", std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(good.size() / 2))},
        {"no end marker", std::vector<std::uint8_t>(good.begin(), good.end() - 2)},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(FailureOf(c.bytes).empty()) << c.name;
    EXPECT_EQ(DecodeJpeg(good).Width, 200); // the decoder still works afterwards
}

TEST(JpegPicture, SizeIsCheckedBeforeAnythingIsAllocated)
{
    std::vector<std::uint8_t> bytes = EncodeJpeg(TwoColours(16, 16), 90);
    // The frame header (SOF0: FF C0, length, precision, height, width).
    std::size_t sof = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            sof = i;
            break;
        }
    ASSERT_NE(sof, 0u);
    bytes[sof + 5] = 0xFF; // height 65296
    bytes[sof + 6] = 0x10;
    bytes[sof + 7] = 0xFF; // width 65296
    bytes[sof + 8] = 0x10;
    EXPECT_EQ(FailureOf(bytes), "The picture is larger than the program shows.");
    EXPECT_THROW(EncodeJpeg(TRgbPicture{kMaxPictureSide + 1, 1, {}}, 90), EPictureError);
    EXPECT_THROW(EncodeJpeg(TRgbPicture{2, 2, {1, 2, 3}}, 90), EPictureError);
}

} // namespace
} // namespace korva::app
