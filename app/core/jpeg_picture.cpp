#include "jpeg_picture.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <jpeglib.h>

namespace korva::app {

namespace {

// libjpeg's error manager extended by where to return to and what it said.
// Plain data only: the decoder returns here by longjmp.
struct TErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int warnings;
};

extern "C" void ReturnOnError(j_common_ptr info)
{
    auto* err = reinterpret_cast<TErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

// Level -1 is a warning (corrupt or truncated data); the first one is kept.
extern "C" void CountWarnings(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    auto* err = reinterpret_cast<TErrorManager*>(info->err);
    if (err->warnings++ == 0)
        (*info->err->format_message)(info, err->message);
}

// libjpeg would print to the standard error stream; the caller shows the text.
extern "C" void PrintNothing(j_common_ptr) {}

jpeg_error_mgr* InstallErrorManager(TErrorManager& err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = ReturnOnError;
    err.pub.emit_message = CountWarnings;
    err.pub.output_message = PrintNothing;
    err.warnings = 0;
    err.message[0] = '\0';
    return &err.pub;
}

void SetMessage(TErrorManager& err, const char* text)
{
    std::snprintf(err.message, sizeof err.message, "%s", text);
}

// True when the whole picture was decoded; otherwise err.message says why.
// The objects that live across setjmp belong to the caller, so returning
// here by longjmp leaves nothing of this frame to destroy.
bool Decode(jpeg_decompress_struct& info, TErrorManager& err, std::span<const std::uint8_t> bytes,
            TRgbPicture& picture)
{
    info.err = InstallErrorManager(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    const long long width = info.image_width, height = info.image_height;
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
        width * height > kMaxPicturePixels) {
        SetMessage(err, "The picture is larger than the program shows.");
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || info.output_width != info.image_width ||
        info.output_height != info.image_height) {
        SetMessage(err, "The picture's colours cannot be shown.");
        jpeg_destroy_decompress(&info);
        return false;
    }
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    try {
        picture.Pixels.assign(stride * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        SetMessage(err, "There is not enough memory for the picture.");
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.Pixels.data() + stride * info.output_scanline;
        if (jpeg_read_scanlines(&info, &row, 1) != 1) {
            SetMessage(err, "The picture ends too early.");
            jpeg_destroy_decompress(&info);
            return false;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    picture.Width = static_cast<int>(width);
    picture.Height = static_cast<int>(height);
    return err.warnings == 0;
}

bool Encode(jpeg_compress_struct& info, TErrorManager& err, const TRgbPicture& picture, int quality,
            unsigned char*& buffer, unsigned long& size)
{
    info.err = InstallErrorManager(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(picture.Width);
    info.image_height = static_cast<JDIMENSION>(picture.Height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(picture.Width) * 3;
    while (info.next_scanline < info.image_height) {
        // libjpeg takes rows as non-const pointers but only reads them.
        JSAMPROW row = const_cast<JSAMPLE*>(picture.Pixels.data() + stride * info.next_scanline);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

std::vector<std::uint8_t> EncodeJpeg(const TRgbPicture& picture, int quality)
{
    const long long pixels = static_cast<long long>(picture.Width) * picture.Height;
    if (picture.Width < 1 || picture.Height < 1 || picture.Width > kMaxPictureSide ||
        picture.Height > kMaxPictureSide || pixels > kMaxPicturePixels)
        throw EPictureError("The picture is larger than the program shows.");
    if (picture.Pixels.size() != static_cast<std::size_t>(pixels) * 3)
        throw EPictureError("The picture's pixels do not match its size.");
    jpeg_compress_struct info;
    TErrorManager err;
    std::memset(&info, 0, sizeof info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = Encode(info, err, picture, quality < 1 ? 1 : quality > 100 ? 100 : quality, buffer, size);
    // After a failure libjpeg may have moved the stream to a buffer it no
    // longer names: only a finished stream is ours to free.
    if (!ok)
        throw EPictureError(err.message[0] ? err.message : "The picture could not be encoded.");
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

TRgbPicture DecodeJpeg(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        throw EPictureError("The picture is empty.");
    // Even a picture of the largest size is far smaller compressed.
    if (bytes.size() > static_cast<std::size_t>(kMaxPicturePixels) * 3)
        throw EPictureError("The picture is larger than the program shows.");
    TRgbPicture picture;
    jpeg_decompress_struct info;
    TErrorManager err;
    std::memset(&info, 0, sizeof info);
    if (!Decode(info, err, bytes, picture))
        throw EPictureError(err.message[0] ? err.message : "The picture could not be decoded.");
    return picture;
}

} // namespace korva::app
