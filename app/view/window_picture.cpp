#include "app/view/window_picture.h"

#include <FL/Fl_Image_Surface.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <vector>

namespace view {

namespace {

void PutBigEndian(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(v >> shift));
}

void PutChunk(std::vector<unsigned char>& out, const char* type,
              const std::vector<unsigned char>& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
    PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const unsigned char* rgb) {
    if (width <= 0 || height <= 0) return false;
    // Every row starts with filter 0: the bytes as they are.
    std::size_t row = static_cast<std::size_t>(width) * 3;
    std::vector<unsigned char> raw;
    raw.reserve((row + 1) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        const unsigned char* line = rgb + row * static_cast<std::size_t>(y);
        raw.insert(raw.end(), line, line + row);
    }
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK)
        return false;
    packed.resize(packed_size);

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<unsigned char> header;
    PutBigEndian(header, static_cast<std::uint32_t>(width));
    PutBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filter 0, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out);
}

bool WriteWindowPicture(Fl_Window& window, const std::string& path) {
    if (!window.shown() || window.w() <= 0 || window.h() <= 0) return false;
    Fl_RGB_Image* image = nullptr;
    {
        Fl_Image_Surface surface(window.w(), window.h());
        surface.set_current();
        surface.draw(&window, 0, 0);
        image = surface.image();
        Fl_Display_Device::display_device()->set_current();
    }
    if (!image) return false;
    bool written = false;
    if (image->d() == 3 && image->ld() == 0 && image->data() && image->data()[0])
        written = WritePng(path, image->w(), image->h(),
                           reinterpret_cast<const unsigned char*>(image->data()[0]));
    delete image;
    return written;
}

bool WriteIconPicture(const Fl_RGB_Image& icon, const std::string& path) {
    const int width = icon.w(), height = icon.h(), depth = icon.d();
    if (width <= 0 || height <= 0 || depth < 3 || icon.count() < 1 || !icon.data()[0]) return false;
    const auto* pixels = reinterpret_cast<const unsigned char*>(icon.data()[0]);
    const std::size_t line =
        icon.ld() ? static_cast<std::size_t>(icon.ld()) : static_cast<std::size_t>(width * depth);
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p =
                pixels + line * static_cast<std::size_t>(y) + static_cast<std::size_t>(x * depth);
            rgb.insert(rgb.end(), p, p + 3);
        }
    return WritePng(path, width, height, rgb.data());
}

}  // namespace view
