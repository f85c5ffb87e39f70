// record.ini on any bytes into the twelve macro blocks of the record, as an
// apply rebuilds them, and one macro saved back. Nothing outside the blocks
// of the file's first twelve sections changes; each block holds its events
// in order up to the first that does not fit (the cut), which is reported;
// and a save of one macro keeps every other macro's lines.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "config/device_config.h"
#include "config/prompter.h"
#include "fuzz_support.h"
#include "keys/key_codes.h"
#include "macros/macro_blocks.h"
#include "macros/macro_messages.h"
#include "macros/macro_store.h"

namespace kz7 {
namespace {

struct Expected {
    std::vector<std::uint8_t> events;   // the event area as it must be
    std::optional<std::size_t> cutAt;   // the line of the first event left out
};

// The events of a section in order, each two or four bytes, kept while they
// fit the 126 bytes of the event area; from the first that does not fit,
// none.
Expected ExpectedBlock(const MacroSection& macro) {
    Expected expected;
    const std::size_t area = kMacroImageSize - kMacroEventStart;
    for (std::size_t j = 0; j < macro.lineCount(); ++j) {
        const std::string line = macro.Line(j);
        const MacroLineKind kind = ClassifyMacroLine(line);
        if (kind == MacroLineKind::Other) continue;
        const bool up = kind == MacroLineKind::KeyUp;
        std::string key = line;
        const std::string_view mark = up ? kKeyUpMark : kKeyDownMark;
        for (auto at = key.find(mark); at != std::string::npos; at = key.find(mark, at)) key.erase(at, mark.size());
        const auto record = EncodeMacroEvent(up, KeyCodeFromName(key), PauseOfLine(macro.Line(j + 1)));
        KZ7_FUZZ_REQUIRE(record.size() == 2 || record.size() == 4);
        if (expected.events.size() + record.size() > area) {
            expected.cutAt = j;
            break;
        }
        expected.events.insert(expected.events.end(), record.begin(), record.end());
    }
    return expected;
}

void CheckRebuild(const std::string& bytes, const MacroStore& store, std::uint8_t fill) {
    DeviceConfig config;
    auto* raw = reinterpret_cast<std::uint8_t*>(&config);
    for (std::size_t i = 0; i < sizeof config; ++i) raw[i] = static_cast<std::uint8_t>(fill + 7 * i);
    const DeviceConfig before = config;

    RecordingPrompter prompter;
    KZ7_FUZZ_REQUIRE(RebuildMacroBlocks(store, config, prompter));

    const IniFile file = IniFile::Parse(bytes);
    const auto names = file.SectionNames();
    const std::size_t rebuilt = std::min<std::size_t>(names.size(), kMacroCount);
    std::size_t cuts = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(kMacroCount); ++i) {
        const std::uint8_t* block = config.macroImage[i];
        const std::uint8_t* old = before.macroImage[i];
        if (i >= rebuilt) {  // no section: the block is kept
            KZ7_FUZZ_REQUIRE(std::memcmp(block, old, kMacroImageSize) == 0);
            continue;
        }
        const MacroSection macro(file, names[i]);
        if (macro.itemCount() == 0) {
            KZ7_FUZZ_REQUIRE(std::all_of(block, block + kMacroImageSize, [](std::uint8_t b) { return b == 0; }));
            continue;
        }
        const Expected expected = ExpectedBlock(macro);
        KZ7_FUZZ_REQUIRE(block[0] == old[0] && block[1] == old[1]);  // the loop count stays
        KZ7_FUZZ_REQUIRE(std::equal(expected.events.begin(), expected.events.end(), block + kMacroEventStart));
        KZ7_FUZZ_REQUIRE(std::all_of(block + kMacroEventStart + expected.events.size(), block + kMacroImageSize,
                                     [](std::uint8_t b) { return b == 0; }));
        if (expected.cutAt) {
            ++cuts;
            const RecordingPrompter::Message message{MacroCutMessage(names[i], *expected.cutAt),
                                                     std::string(kWarningCaption)};
            KZ7_FUZZ_REQUIRE(std::find(prompter.messages.begin(), prompter.messages.end(), message) !=
                             prompter.messages.end());
        }
    }
    // Everything around the blocks is the record as it was.
    const std::size_t blocksFrom = offsetof(DeviceConfig, macroImage);
    const std::size_t blocksTo = blocksFrom + sizeof config.macroImage;
    KZ7_FUZZ_REQUIRE(std::memcmp(raw, &before, blocksFrom) == 0);
    KZ7_FUZZ_REQUIRE(std::memcmp(raw + blocksTo, reinterpret_cast<const std::uint8_t*>(&before) + blocksTo,
                                 sizeof config - blocksTo) == 0);
    // One warning per cut macro, and one for the sections without a block.
    KZ7_FUZZ_REQUIRE(prompter.messages.size() == cuts + (names.size() > rebuilt ? 1 : 0));
}

std::string WrittenAs(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

// The line editor's save of one macro, with the lines it read: every other
// macro reads as before, and the saved one reads back its lines.
void CheckSave(const MacroStore& store, std::uint8_t choice) {
    const auto names = store.Names();
    if (names.empty()) return;
    std::vector<std::vector<std::string>> before;
    for (const auto& name : names) before.push_back(store.Section(name).Lines());
    const std::size_t saved = choice % names.size();
    std::vector<std::string> lines = before[saved];
    if (lines.size() > 200) lines.resize(200);
    lines.push_back(std::string(kDefaultDelayLine));
    KZ7_FUZZ_REQUIRE(store.Save(names[saved], lines) == 0);

    // A carriage return inside a line is written as a blank, as every line
    // break in a value is; the macro keeps its name, damaged or not.
    for (auto& line : lines) line = WrittenAs(line);
    KZ7_FUZZ_REQUIRE(store.Section(names[saved]).Lines() == lines);
    KZ7_FUZZ_REQUIRE(store.Names().size() == names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i == saved) continue;
        KZ7_FUZZ_REQUIRE(store.Section(names[i]).Lines() == before[i]);
    }
}

}  // namespace
}  // namespace kz7

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kz7;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const MacroStore store(fuzz::ScratchFile("record.ini", bytes));
    const std::uint8_t choice = size ? data[size - 1] : 0;
    CheckRebuild(bytes, store, choice);
    // Saves cost a rewrite of the file: one input in four.
    if ((choice & 3) == 0) CheckSave(store, static_cast<std::uint8_t>(choice >> 2));
    return 0;
}
