// Pictures: shared, immutable objects. Assigning one control's picture to another shares
// the same object, so "shows the picture of X" is an identity test.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "runtime/platform.h"

namespace vk {

class Picture {
  public:
    Picture(std::string source, std::filesystem::path file, std::shared_ptr<const PictureData> data)
        : source_(std::move(source)), file_(std::move(file)), data_(std::move(data)) {}

    // The name the picture was loaded by, as the game wrote it.
    const std::string& source() const { return source_; }
    const std::filesystem::path& file() const { return file_; }
    int width() const { return data_->width; }
    int height() const { return data_->height; }
    // Decoded pixels, shared between every picture loaded from the same file.
    const PictureData& data() const { return *data_; }
    // The same pixels as a shared object, for caches that must notice when they go.
    const std::shared_ptr<const PictureData>& sharedData() const { return data_; }

  private:
    std::string source_;
    std::filesystem::path file_;
    std::shared_ptr<const PictureData> data_;
};

using PictureRef = std::shared_ptr<const Picture>;

}  // namespace vk
