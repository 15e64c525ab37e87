#include "png_encoder.h"

#include <png.h>

#include <stdexcept>
#include <string>

namespace vk::gen {

Bytes encodePng(const Canvas& canvas) {
    Bytes rgba;
    rgba.reserve(canvas.pixels().size() * 4);
    for (const Color c : canvas.pixels())
        for (const int channel : {redOf(c), greenOf(c), blueOf(c), alphaOf(c)})
            rgba.push_back(static_cast<std::uint8_t>(channel));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(canvas.width());
    image.height = static_cast<png_uint_32>(canvas.height());
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    Bytes out;
    // The first call only measures the file.
    if (png_image_write_get_memory_size(image, size, 0, rgba.data(), 0, nullptr)) {
        out.resize(size);
        if (png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr)) {
            out.resize(size);
            return out;
        }
    }
    throw std::runtime_error(std::string("libpng cannot write a picture: ") + image.message);
}

}  // namespace vk::gen
