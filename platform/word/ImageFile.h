// Pictures that a Word document can hold, recognised by their content (not
// their name), with the natural size they are shown at.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace word {

enum class ImageType { Png, Jpeg, Gif, Bmp, Emf };

struct Image {
    ImageType type = ImageType::Png;
    std::string bytes;
    double widthPoints = 0;   // natural size: pixels at the picture's
    double heightPoints = 0;  // resolution (96 dpi when it names none)
};

// nullopt when the bytes are not a picture of a known type or carry no usable size.
std::optional<Image> imageFromBytes(std::string bytes);
// nullopt also when the file is missing, unreadable or too large to embed.
std::optional<Image> loadImage(const std::filesystem::path& path);

const char* fileExtension(ImageType type);  // "png", without the dot
const char* contentType(ImageType type);    // "image/png"

}  // namespace word
