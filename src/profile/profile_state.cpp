#include "profile/profile_state.h"

#include <cerrno>
#include <cstring>

#include "config/atomic_file.h"
#include "macros/macro_blocks.h"
#include "macros/macro_store.h"

namespace kz7 {

namespace {

// A file's content before it is replaced, to put back when a later file fails.
struct Previous {
    std::filesystem::path path;
    bool existed = false;
    std::string content;
};

std::string Failure(const std::filesystem::path& path, int error) {
    return path.string() + " could not be written: " + std::strerror(error) + " (error " + std::to_string(error) + ")";
}

}  // namespace

std::vector<ProfileMacro> ReadProfileMacros(const IniFile& recordIni, const DeviceConfig& config) {
    std::vector<ProfileMacro> macros;
    const auto names = recordIni.SectionNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const MacroSection section(recordIni, names[i]);
        macros.push_back({names[i], section.Lines(), MacroLoopCount(config, static_cast<int>(i))});
    }
    return macros;
}

std::optional<ProfileState> ReadProfileState(const DataPaths& paths, std::string& problem) {
    std::string why;
    const auto image = ReadConfigImage(paths.config, &why);
    if (!image) {
        problem = paths.config.string() + ": " + why;
        return std::nullopt;
    }
    ProfileState state;
    state.config = image->config;
    for (std::size_t i = 0; i < kProfileLanguages.size(); ++i) {
        state.labels[i] = LoadButtonLabels(paths.settings, kProfileLanguages[i]);
    }
    state.macros = ReadProfileMacros(IniFile::Load(paths.record), state.config);
    // Only the choice is kept; where the images come from is the window's business.
    const SkinSettings skin = LoadSkinSettings(paths.settings, {});
    state.skin.skinName = skin.skinName;
    state.skin.textColour = skin.textColour;
    return state;
}

void RebuildProfileBlocks(ProfileState& state, std::vector<MacroCut>* cut) {
    IniFile recordIni = IniFile::Parse("");
    for (const ProfileMacro& macro : state.macros) PutMacro(recordIni, macro.name, macro.lines);
    const MacroRebuild rebuilt = RebuildMacroBlocks(recordIni, state.config);
    for (std::size_t i = 0; i < state.macros.size() && i < static_cast<std::size_t>(kMacroCount); ++i) {
        // An empty macro's block is cleared whole, its loop count with it.
        if (!state.macros[i].lines.empty()) SetMacroLoopCount(state.config, static_cast<int>(i), state.macros[i].loops);
    }
    if (cut) *cut = rebuilt.cut;
}

std::string WriteProfileState(const DataPaths& paths, const ProfileState& state, ProfileFiles files) {
    IniFile recordIni = IniFile::Parse("");
    for (const ProfileMacro& macro : state.macros) PutMacro(recordIni, macro.name, macro.lines);

    int error = 0;
    std::optional<IniFile> strIni = IniFile::LoadForUpdate(paths.settings, &error);
    if (!strIni) return Failure(paths.settings, error != 0 ? error : EIO);
    for (std::size_t i = 0; i < kProfileLanguages.size(); ++i) PutButtonLabels(*strIni, kProfileLanguages[i], state.labels[i]);
    PutSkinChoice(*strIni, state.skin);

    const auto image = ConfigFileImage(1, state.config);
    const std::pair<std::filesystem::path, std::string> contents[] = {
        {paths.record, recordIni.Serialize()},
        {paths.settings, strIni->Serialize()},
        {paths.config, std::string(image.begin(), image.end())},
    };
    std::vector<Previous> written;
    std::error_code ignored;
    for (const auto& [path, content] : contents) {
        if (files == ProfileFiles::BesideTheRecord && path == paths.config) continue;
        Previous previous{path, std::filesystem::exists(path), {}};
        if (previous.existed && !ReadWholeFile(path, previous.content)) return Failure(path, EIO);
        if (const int failed = WriteFileAtomically(path, content); failed != 0) {
            for (const Previous& old : written) {
                if (old.existed) WriteFileAtomically(old.path, old.content);
                else std::filesystem::remove(old.path, ignored);
            }
            return Failure(path, failed);
        }
        written.push_back(std::move(previous));
    }
    return {};
}

}  // namespace kz7
