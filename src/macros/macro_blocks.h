#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/device_config.h"
#include "config/prompter.h"
#include "ini/ini_file.h"
#include "macros/macro_store.h"

namespace kz7 {

// A macro block: loop count (big-endian) in bytes 0 and 1, then the event
// area. An event is two bytes (direction bit and pause in 10 ms units, key
// code) while its pause fits, else four (direction bit and pause modulo 100,
// key code, pause in hundreds of ms, extension marker 0x03).
using MacroBlockBytes = std::span<std::uint8_t, kMacroImageSize>;

inline constexpr std::size_t kMacroEventStart = 2;
inline constexpr int kLongestShortPause = 1270;
inline constexpr std::uint8_t kLongEventMarker = 0x03;
// The largest pause a four-byte record can hold (255 hundreds and 99 ms).
inline constexpr int kLongestPause = 25599;

// The pause a line stands for: every " ms" removed, then the leading integer;
// a negative pause is 0 and a longer one than a record can hold is held at
// kLongestPause.
int PauseOfLine(std::string_view line);

// The record of one event, two or four bytes.
std::vector<std::uint8_t> EncodeMacroEvent(bool keyUp, std::uint8_t keyCode, int pause);

// Fills a block from a macro's section. ItemCount 0 clears all 128 bytes;
// otherwise the loop count stays and the event area is rewritten. Records
// that do not fit are left out, from the first that does not fit on: the
// result is then the (0-based) line of that event.
std::optional<std::size_t> EncodeMacroBlock(const MacroSection& macro, MacroBlockBytes block);

struct MacroCut {
    std::string name;
    std::size_t firstLineLeftOut = 0;  // 0-based
};

struct MacroRebuild {
    std::vector<MacroCut> cut;                 // macros that did not fit their block
    std::vector<std::string> withoutBlock;     // sections after the twelfth
};

// Rebuilds the blocks of the first twelve sections, in file order. Blocks
// with no section keep their content.
MacroRebuild RebuildMacroBlocks(const IniFile& recordIni, DeviceConfig& config);

// The same from record.ini on disk, when it exists, telling the user of each
// macro that was cut or has no block. Returns whether the file existed.
bool RebuildMacroBlocks(const MacroStore& store, DeviceConfig& config, Prompter& prompter);

unsigned MacroLoopCount(const DeviceConfig& config, int block);
void SetMacroLoopCount(DeviceConfig& config, int block, unsigned count);

// The blocks as kz7ctl prints them: "block N: " and 128 hex pairs, N from 1.
std::string MacroBlocksText(const DeviceConfig& config);

}  // namespace kz7
