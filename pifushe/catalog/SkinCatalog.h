#pragma once
// The skins the changer offers: every "*.she" file of the skins folder beside the program,
// each read (never more than the largest skin allowed, plus one byte to tell a file that
// is too large) and checked with the guard's own skin reader, so a skin the guard would
// refuse is shown as damaged and cannot be applied.

#include <optional>
#include <string>
#include <vector>

#include "common/GuardRuntimeFiles.h"
#include "guard/platform/skin/SkinFile.h"
#include "pifushe/catalog/SkinFiles.h"

namespace qv::pifushe {

// The folder of skins beside the program, and the file the guard applies.
inline constexpr const char* kSkinsFolder = "skins";
inline constexpr const char* kGuardSkinFile = runtime_files::kChosenSkin;
// More files than this in the skins folder are left out of the list.
inline constexpr std::size_t kMaxListedSkins = 200;
// Longer skin names are cut to this many characters and "…" when shown.
inline constexpr std::size_t kMaxShownNameCharacters = 40;

struct SkinEntry {
    std::string file;                  // "青翠.she"
    std::string name;                  // the skin's own name, or the file's name without ".she"
    std::optional<skin::Theme> theme;  // nullopt: damaged (or unreadable)
    std::string problem;               // why it is damaged: "" when it is not
    bool damaged() const { return !theme.has_value(); }
};

struct Catalog {
    std::vector<SkinEntry> skins;  // in file-name order
    std::string error;             // set when the folder itself could not be listed
    bool truncated = false;        // more than kMaxListedSkins files were found
};

// Whether `file` names a skin: it ends in ".she" in any case and has a name before it.
bool isSkinFileName(const std::string& file);

Catalog listSkins(SkinFiles& files, const std::string& skinsFolder);

// The theme of a skin file read from its bytes (at most kMaxSkinBytes + 1 of them);
// nullopt when it is damaged.
std::optional<skin::Theme> themeOf(const std::string& bytes);

// What the preview says in the place of a skin it cannot show: why `entry` is damaged, or,
// with none chosen (nullptr), that one is to be chosen or that there is none.
std::string previewNotice(const Catalog& catalog, const SkinEntry* entry);

// The entry of `catalog` whose theme is the one `current` describes; -1 when none.
int indexOfTheme(const Catalog& catalog, const std::optional<skin::Theme>& current);

}  // namespace qv::pifushe
