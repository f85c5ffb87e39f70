#pragma once

// The choices of the skins dialog, without its window: one skin of the
// skins root and the colour of the texts on the skinned windows. What OK
// hands back replaces the skin settings in use; until then nothing in use
// changes.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "skins/skin_settings.h"

namespace kz7 {

// Whether a folder of that name can be offered as a skin: a skin name that
// str.ini keeps as it is. A name with a line break would be read back as
// another name (line breaks are written as blanks), so the choice would not
// survive the next start.
bool IsListableSkinName(std::string_view name);

// The skins of the root: the names of its folders (a link to a folder counts
// as one), sorted by their bytes so the list reads the same every time. Plain
// files, links to files, broken links, "." and ".." never appear; a missing,
// unreadable or empty root gives an empty list.
std::vector<std::string> ListSkinFolders(const std::filesystem::path& skinsRoot);

// What the user is told when the choice cannot be written to str.ini:
// "The skin choice could not be saved to PATH: REASON (error N)."
std::string SkinChoiceNotSavedMessage(const std::filesystem::path& strIni, int error);

class SkinsDialogModel {
public:
    SkinsDialogModel(std::filesystem::path skinsRoot, SkinSettings current)
        : skinsRoot_(std::move(skinsRoot)), chosen_(std::move(current)) {}

    const std::filesystem::path& SkinsRoot() const { return skinsRoot_; }
    // The root as it is now; the list reads it each time it opens.
    std::vector<std::string> SkinNames() const { return ListSkinFolders(skinsRoot_); }
    // Whether the root itself holds a skin (the default one, with an empty
    // name): its own main window background. The list offers it first, so
    // that a user who tried another skin can come back.
    bool OffersDefaultSkin() const;

    // Takes the folder of the root whose name is exactly `name` (letter case
    // counts), looked up anew. A name that is not (or no longer) there
    // changes nothing: false.
    bool ChooseSkin(std::string_view name);
    // Takes the root's own skin when it still holds one; false otherwise.
    bool ChooseDefaultSkin();
    const std::string& SkinName() const { return chosen_.skinName; }

    void SetColour(TextColour colour) { chosen_.textColour = colour; }
    TextColour Colour() const { return chosen_.textColour; }

    // What OK hands back: the chosen folder and name, or the ones in use when
    // no skin was picked, and the colour.
    const SkinSettings& Result() const { return chosen_; }

private:
    std::filesystem::path skinsRoot_;
    SkinSettings chosen_;
};

}  // namespace kz7
