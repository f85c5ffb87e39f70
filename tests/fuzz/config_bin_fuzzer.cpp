// config.bin on any bytes: the window's load (and its save after it), the
// tools' read, and what `kz7ctl show` prints of it. A file of the right size
// loads byte for byte, any other leaves the record alone, and the JSON of
// any 2022 bytes is valid and gives every byte back.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "cli/config_show.h"
#include "config/config_file.h"
#include "fuzz_support.h"

namespace kz7 {
namespace {

using nlohmann::json;

template <std::size_t N>
void Take(const json& values, std::uint8_t (&into)[N]) {
    KZ7_FUZZ_REQUIRE(values.is_array() && values.size() == N);
    for (std::size_t i = 0; i < N; ++i) {
        KZ7_FUZZ_REQUIRE(values[i].is_number_integer());
        const int value = values[i].get<int>();
        KZ7_FUZZ_REQUIRE(value >= 0 && value <= 255);
        into[i] = static_cast<std::uint8_t>(value);
    }
}

std::uint8_t Byte(const json& value) {
    KZ7_FUZZ_REQUIRE(value.is_number_integer());
    const int number = value.get<int>();
    KZ7_FUZZ_REQUIRE(number >= 0 && number <= 255);
    return static_cast<std::uint8_t>(number);
}

// The image that the JSON describes, field by field.
ConfigImage ImageFromJson(const json& doc) {
    ConfigImage image;
    DeviceConfig& c = image.config;
    image.firstRunFlag = Byte(doc.at("firstRunFlag"));
    KZ7_FUZZ_REQUIRE(doc.at("buttons").size() == kButtonModes);
    for (int mode = 0; mode < kButtonModes; ++mode) {
        const json& set = doc["buttons"][static_cast<std::size_t>(mode)];
        ButtonSet& b = c.buttons[mode];
        Take(set.at("function"), b.function);
        Take(set.at("mediaIndex"), b.mediaIndex);
        Take(set.at("mediaCode"), b.mediaCode);
        Take(set.at("launchIndex"), b.launchIndex);
        Take(set.at("launchCode"), b.launchCode);
        Take(set.at("launchPage"), b.launchPage);
        Take(set.at("fireIndex"), b.fireIndex);
        Take(set.at("fireCode"), b.fireCode);
        Take(set.at("fireSpeed"), b.fireSpeed);
        Take(set.at("fireTimes"), b.fireTimes);
        Take(set.at("singleCode"), b.singleCode);
        Take(set.at("comboModifiers"), b.comboModifiers);
        Take(set.at("comboKey1"), b.comboKey1);
        Take(set.at("comboKey2"), b.comboKey2);
        Take(set.at("macroIndex"), b.macroIndex);
        Take(set.at("macroMode"), b.macroMode);
        KZ7_FUZZ_REQUIRE(set.at("functionNames").size() == kButtonSlots);
    }
    KZ7_FUZZ_REQUIRE(doc.at("macroImage").size() == kMacroCount);
    for (int i = 0; i < kMacroCount; ++i) Take(doc["macroImage"][static_cast<std::size_t>(i)], c.macroImage[i]);
    Take(doc.at("reserved1920"), c.reserved1920);
    c.reportRate = Byte(doc.at("reportRate"));
    KZ7_FUZZ_REQUIRE(doc.at("reportRateHz").is_number_integer());
    c.reserved1926 = Byte(doc.at("reserved1926"));
    Take(doc.at("dpiLevel"), c.dpiLevel);
    Take(doc.at("dpiStageOn"), c.dpiStageOn);
    Take(doc.at("reserved1939"), c.reserved1939);
    c.ledMode = Byte(doc.at("ledMode"));
    KZ7_FUZZ_REQUIRE(doc.at("ledModeName").is_string());
    Take(doc.at("ledModeParam"), c.ledModeParam);
    Take(doc.at("ledModeParam2"), c.ledModeParam2);
    c.reserved1954 = Byte(doc.at("reserved1954"));
    c.enhancePointerPrecision = Byte(doc.at("enhancePointerPrecision"));
    c.scrollOneScreen = Byte(doc.at("scrollOneScreen"));
    c.pointerSpeed = Byte(doc.at("pointerSpeed"));
    c.wheelScrollLines = Byte(doc.at("wheelScrollLines"));
    c.doubleClickSpeed = Byte(doc.at("doubleClickSpeed"));
    c.currentMode = Byte(doc.at("currentMode"));
    KZ7_FUZZ_REQUIRE(doc.at("dpiSwitchMode").size() == kButtonModes);
    for (int mode = 0; mode < kButtonModes; ++mode) {
        Take(doc["dpiSwitchMode"][static_cast<std::size_t>(mode)], c.dpiSwitchMode[mode]);
    }
    Take(doc.at("loopColorOn"), c.loopColorOn);
    KZ7_FUZZ_REQUIRE(doc.at("loopColor").size() == kLoopColours);
    for (int k = 0; k < kLoopColours; ++k) {
        const json& colour = doc["loopColor"][static_cast<std::size_t>(k)];
        KZ7_FUZZ_REQUIRE(colour.is_string());
        const std::string text = colour.get<std::string>();
        KZ7_FUZZ_REQUIRE(text.size() == 7 && text[0] == '#');
        for (int part = 0; part < 3; ++part) {
            c.loopColor[k][part] = static_cast<std::uint8_t>(std::stoul(text.substr(1 + 2 * part, 2), nullptr, 16));
        }
    }
    Take(doc.at("ledFlags"), c.ledFlags);
    Take(doc.at("ledExtra"), c.ledExtra);
    KZ7_FUZZ_REQUIRE(doc.size() == 26);  // no field more or less than the record has
    return image;
}

void CheckShow(const ConfigImage& image) {
    std::ostringstream text;
    cli::ShowConfigText(text, "config.bin", image, image.config.reserved1926 % 4);
    KZ7_FUZZ_REQUIRE(!text.str().empty());

    std::ostringstream out;
    cli::ShowConfigJson(out, image);
    KZ7_FUZZ_REQUIRE(json::accept(out.str()));
    const ConfigImage decoded = ImageFromJson(json::parse(out.str()));
    KZ7_FUZZ_REQUIRE(decoded.firstRunFlag == image.firstRunFlag);
    KZ7_FUZZ_REQUIRE(SameBytes(decoded.config, image.config));
}

}  // namespace
}  // namespace kz7

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kz7;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto path = fuzz::ScratchFile("config.bin", bytes);

    // The window's load: the record changes only with a whole image.
    ConfigModel model;
    std::memset(&model.config, 0xA5, sizeof model.config);
    const DeviceConfig untouched = model.config;
    RecordingPrompter prompter;
    const LoadResult loaded = LoadConfig(path, model, prompter);
    KZ7_FUZZ_REQUIRE(prompter.messages.empty());
    std::string why;
    const auto image = ReadConfigImage(path, &why);
    if (size == kConfigFileSize) {
        KZ7_FUZZ_REQUIRE(loaded == LoadResult::Loaded && image);
        KZ7_FUZZ_REQUIRE(model.firstRunFlag == data[0] && std::memcmp(&model.config, data + 1, kDeviceConfigSize) == 0);
        KZ7_FUZZ_REQUIRE(image->firstRunFlag == data[0] && SameBytes(image->config, model.config));
        // The save after it writes the same record with the flag set.
        KZ7_FUZZ_REQUIRE(SaveConfig(path, model, prompter) && prompter.messages.empty());
        const auto saved = ReadConfigImage(path, &why);
        KZ7_FUZZ_REQUIRE(saved && saved->firstRunFlag == 1 && SameBytes(saved->config, model.config));
    } else {
        KZ7_FUZZ_REQUIRE(loaded == LoadResult::WrongSize && !image && !why.empty());
        KZ7_FUZZ_REQUIRE(SameBytes(model.config, untouched));
    }

    // `kz7ctl show` of any 2022 bytes: the input, cut or padded with zeros.
    std::uint8_t raw[kConfigFileSize] = {};
    std::memcpy(raw, data, std::min(size, kConfigFileSize));
    ConfigImage shown;
    shown.firstRunFlag = raw[0];
    shown.config = ConfigFromBytes(raw + 1);
    CheckShow(shown);
    return 0;
}
