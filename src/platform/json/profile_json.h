#pragma once

// A whole setup as one JSON document: every setting in readable form, the
// labels, the macros, the skin choice and the record's raw bytes. The
// readable fields win over the raw bytes where the two differ, so a document
// edited by hand gives what the edit says, and an untouched one restores the
// record byte for byte.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/profile_state.h"

namespace kz7 {

inline constexpr int kProfileFormatVersion = 1;

// The document, two-space indented, ending in a newline. `sensorType`
// chooses the DPI table the stages' labels come from.
std::string ExportProfileJson(const ProfileState& state, std::uint8_t sensorType);

struct ProfileProblem {
    std::string path;     // a JSON pointer: "/buttons/A/2/key"; "" for the document itself
    std::string message;
    bool operator==(const ProfileProblem&) const = default;
};

struct ImportedProfile {
    std::optional<ProfileState> state;  // set only when there is no problem
    std::vector<ProfileProblem> problems;
    std::vector<MacroCut> cutMacros;  // macros whose lines did not all fit their block
};

// Reads a document over `current` (what a field the document leaves out
// keeps): the raw bytes, when present, replace the current record first,
// then every readable field that differs from what those bytes say is
// applied. Every problem is reported, each with its path; nothing is
// returned then.
ImportedProfile ImportProfileJson(std::string_view text, const ProfileState& current);

}  // namespace kz7
