#pragma once

// What `kz7ctl show` prints of a config.bin image: every field in words, or
// every byte as JSON. Pure functions of the image, so that any 2022 bytes
// can be decoded without a file or a command line.

#include <cstdint>
#include <filesystem>
#include <iosfwd>

#include "config/config_file.h"

namespace kz7::cli {

// The image in words, DPI levels labelled for the sensor type `sensor`.
void ShowConfigText(std::ostream& out, const std::filesystem::path& path, const ConfigImage& image,
                    std::uint8_t sensor);
// Every field of the image as one JSON object.
void ShowConfigJson(std::ostream& out, const ConfigImage& image);

}  // namespace kz7::cli
