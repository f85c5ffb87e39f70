#include "macros/macro_blocks.h"

#include <algorithm>

#include "device/hex_format.h"
#include "keys/key_codes.h"
#include "macros/macro_messages.h"

namespace kz7 {

namespace {

constexpr std::uint8_t kKeyUpBit = 0x80;

std::string WithoutEvery(std::string_view text, std::string_view mark) {
    std::string result(text);
    for (auto at = result.find(mark); at != std::string::npos; at = result.find(mark, at)) result.erase(at, mark.size());
    return result;
}

}  // namespace

int PauseOfLine(std::string_view line) {
    return std::clamp(LeadingInteger(WithoutEvery(line, kDelayMark)), 0, kLongestPause);
}

std::vector<std::uint8_t> EncodeMacroEvent(bool keyUp, std::uint8_t keyCode, int pause) {
    pause = std::clamp(pause, 0, kLongestPause);
    const std::uint8_t direction = keyUp ? kKeyUpBit : 0;
    if (pause <= kLongestShortPause) {
        return {static_cast<std::uint8_t>(direction | (pause / 10)), keyCode};
    }
    return {static_cast<std::uint8_t>(direction | (pause % 100)), keyCode, static_cast<std::uint8_t>(pause / 100),
            kLongEventMarker};
}

std::optional<std::size_t> EncodeMacroBlock(const MacroSection& macro, MacroBlockBytes block) {
    if (macro.itemCount() == 0) {
        std::fill(block.begin(), block.end(), std::uint8_t{0});
        return std::nullopt;
    }
    std::fill(block.begin() + kMacroEventStart, block.end(), std::uint8_t{0});
    std::size_t position = kMacroEventStart;
    for (std::size_t j = 0; j < macro.lineCount(); ++j) {
        const std::string line = macro.Line(j);
        const MacroLineKind kind = ClassifyMacroLine(line);
        if (kind == MacroLineKind::Other) continue;
        const bool keyUp = kind == MacroLineKind::KeyUp;
        const std::string keyName = WithoutEvery(line, keyUp ? kKeyUpMark : kKeyDownMark);
        // The line after an event is its pause, whatever ItemCount says.
        const auto record = EncodeMacroEvent(keyUp, KeyCodeFromName(keyName), PauseOfLine(macro.Line(j + 1)));
        if (position + record.size() > block.size()) return j;  // never into the next block
        std::copy(record.begin(), record.end(), block.begin() + static_cast<std::ptrdiff_t>(position));
        position += record.size();
    }
    return std::nullopt;
}

MacroRebuild RebuildMacroBlocks(const IniFile& recordIni, DeviceConfig& config) {
    MacroRebuild result;
    const auto names = recordIni.SectionNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i >= static_cast<std::size_t>(kMacroCount)) {
            result.withoutBlock.push_back(names[i]);
            continue;
        }
        const MacroSection macro(recordIni, names[i]);
        if (const auto cut = EncodeMacroBlock(macro, MacroBlockBytes(config.macroImage[i]))) {
            result.cut.push_back({names[i], *cut});
        }
    }
    return result;
}

bool RebuildMacroBlocks(const MacroStore& store, DeviceConfig& config, Prompter& prompter) {
    if (!store.Exists()) return false;
    const MacroRebuild result = RebuildMacroBlocks(store.Read(), config);
    for (const MacroCut& cut : result.cut) {
        prompter.ShowMessage(MacroCutMessage(cut.name, cut.firstLineLeftOut), kWarningCaption);
    }
    if (!result.withoutBlock.empty()) {
        prompter.ShowMessage(MacrosWithoutBlockMessage(result.withoutBlock), kWarningCaption);
    }
    return true;
}

unsigned MacroLoopCount(const DeviceConfig& config, int block) {
    if (block < 0 || block >= kMacroCount) return 0;
    return config.macroImage[block][0] * 256u + config.macroImage[block][1];
}

void SetMacroLoopCount(DeviceConfig& config, int block, unsigned count) {
    if (block < 0 || block >= kMacroCount) return;
    config.macroImage[block][0] = static_cast<std::uint8_t>((count >> 8) & 0xFF);
    config.macroImage[block][1] = static_cast<std::uint8_t>(count & 0xFF);
}

std::string MacroBlocksText(const DeviceConfig& config) {
    std::string text;
    for (int i = 0; i < kMacroCount; ++i) {
        text += "block " + std::to_string(i + 1) + ": " + HexBytes(config.macroImage[i]) + "\n";
    }
    return text;
}

}  // namespace kz7
