// A JSON profile on any bytes, read over a setup with macros: a document is
// either refused with its problems or gives a state, never both; and a state
// it gives exports to a document that reads back to that same state.

#include <cstdint>
#include <string_view>

#include "config/starter_config.h"
#include "fuzz_support.h"
#include "platform/json/profile_json.h"

namespace kz7 {
namespace {

const ProfileState& Current() {
    static const ProfileState state = [] {
        ProfileState made;
        made.config = StarterConfig();
        made.macros = {{"Spray", {"A   Dn", "50 ms", "A   Up", "50 ms"}, 2}, {"Grenade", {"G   Dn", "1500 ms", "G   Up"}, 1}};
        RebuildProfileBlocks(made, nullptr);
        return made;
    }();
    return state;
}

}  // namespace
}  // namespace kz7

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kz7;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ImportedProfile imported = ImportProfileJson(text, Current());
    KZ7_FUZZ_REQUIRE(imported.state.has_value() == imported.problems.empty());
    for (const ProfileProblem& problem : imported.problems) KZ7_FUZZ_REQUIRE(!problem.message.empty());
    if (!imported.state) return 0;

    const ImportedProfile back = ImportProfileJson(ExportProfileJson(*imported.state, 0), ProfileState{});
    KZ7_FUZZ_REQUIRE(back.state.has_value());
    KZ7_FUZZ_REQUIRE(SameBytes(back.state->config, imported.state->config));
    KZ7_FUZZ_REQUIRE(back.state->labels == imported.state->labels);
    KZ7_FUZZ_REQUIRE(back.state->macros == imported.state->macros);
    KZ7_FUZZ_REQUIRE(back.state->skin.skinName == imported.state->skin.skinName);
    return 0;
}
