#include "PngCodec.h"

#include <png.h>

#include <cstring>
#include <utility>

namespace diglux {
namespace {

struct ReadCursor {
    std::span<const std::uint8_t> bytes;
    std::size_t pos = 0;
};

void ReadFromSpan(png_structp png, png_bytep out, png_size_t length) {
    auto* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (cursor->pos + length > cursor->bytes.size()) {
        png_error(png, "PNG data ends early");
    }
    std::memcpy(out, cursor->bytes.data() + cursor->pos, length);
    cursor->pos += length;
}

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// libpng reports errors through longjmp; this keeps the message for the caller.
void OnPngError(png_structp png, png_const_charp message) {
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    if (error != nullptr) {
        *error = message;
    }
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// The largest picture decoded, in pixels each way: far above the art's, and small enough
// that a damaged size in a file's header cannot ask for gigabytes.
constexpr png_uint_32 kMaxSide = 4096;

struct PngFormat {
    int colorType = PNG_COLOR_TYPE_GRAY;
    int channels = 1;
    std::span<const Rgb> palette;
    int filters = -1; // libpng's choice when negative
};

std::vector<std::uint8_t> Encode(int width, int height, const PngFormat& format,
                                 std::span<const std::uint8_t> pixels) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * format.channels;
    if (width <= 0 || height <= 0 || pixels.size() != rowBytes * static_cast<std::size_t>(height)) {
        return {};
    }
    std::string error;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
    if (png == nullptr) {
        return {};
    }
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint8_t> out;
    std::vector<png_color> colors;
    for (const Rgb& c : format.palette) {
        colors.push_back({c.r, c.g, c.b});
    }
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendToVector, NoFlush);
    png_set_compression_level(png, 9);
    if (format.filters >= 0) {
        png_set_filter(png, PNG_FILTER_TYPE_BASE, format.filters);
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 format.colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!colors.empty()) {
        png_set_PLTE(png, info, colors.data(), static_cast<int>(colors.size()));
    }
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, const_cast<png_bytep>(pixels.data() + rowBytes * y));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

} // namespace

RgbImage LibPngDecoder::DecodePng(std::span<const std::uint8_t> bytes, std::string& error) const {
    error.clear();
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
        error = "not a PNG file";
        return {};
    }
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
    if (png == nullptr) {
        error = "out of memory";
        return {};
    }
    png_infop info = png_create_info_struct(png);
    ReadCursor cursor{bytes, 0};
    // Everything with a destructor lives outside the part that libpng may longjmp out of.
    RgbImage image;
    std::vector<png_bytep> rows;
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_read_struct(&png, &info, nullptr);
        if (error.empty()) {
            error = "unreadable PNG data";
        }
        return {};
    }
    png_set_read_fn(png, &cursor, ReadFromSpan);
    // The pixels need no chunk beyond IHDR, PLTE, tRNS and IDAT; the others (texts, colour
    // profiles) are passed over without being kept, so their stated length is never allocated.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);
    // Whatever the stored form, ask libpng for 8-bit RGB without alpha.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    if (png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * 3) {
        png_error(png, "unexpected pixel layout");
    }
    image = RgbImage(width, height);
    rows.resize(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        rows[static_cast<std::size_t>(y)] = image.Row(y);
    }
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return image;
}

std::vector<std::uint8_t> EncodeGreyPng(int width, int height, std::span<const std::uint8_t> grey) {
    return Encode(width, height, {PNG_COLOR_TYPE_GRAY, 1, {}, -1}, grey);
}

std::vector<std::uint8_t> EncodeRgbPng(const RgbImage& image) {
    return Encode(image.Width(), image.Height(), {PNG_COLOR_TYPE_RGB, 3, {}, -1},
                  {image.Data(), image.ByteSize()});
}

std::vector<std::uint8_t> EncodeRgbaPng(int width, int height, std::span<const std::uint8_t> rgba) {
    return Encode(width, height, {PNG_COLOR_TYPE_RGB_ALPHA, 4, {}, -1}, rgba);
}

std::vector<std::uint8_t> EncodePalettePng(int width, int height,
                                           std::span<const std::uint8_t> indices,
                                           std::span<const Rgb> palette) {
    if (palette.empty() || palette.size() > 256) {
        return {};
    }
    for (const std::uint8_t index : indices) {
        if (index >= palette.size()) {
            return {};
        }
    }
    std::vector<std::uint8_t> best;
    for (const int filters : {PNG_FILTER_NONE, PNG_ALL_FILTERS}) {
        std::vector<std::uint8_t> encoded =
            Encode(width, height, {PNG_COLOR_TYPE_PALETTE, 1, palette, filters}, indices);
        if (encoded.empty()) {
            return {};
        }
        if (best.empty() || encoded.size() < best.size()) {
            best = std::move(encoded);
        }
    }
    return best;
}

} // namespace diglux
