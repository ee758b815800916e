#pragma once
// The user's custom core list: `CustomCoreList` entries 0 to `CustomCoreCount` - 1, every one of
// the series "Custom", kept in ascending order of effective volume. The core geometry window
// enters cores into it and the project loader puts the custom core of a file into it.

#include <cstdint>

#include "Components.h"

namespace zorvic {

// Most cores the list holds (the array keeps one element more, past the last core).
inline constexpr int16_t MaxCustomCores = 300;

enum class CustomListChange {
    Added,     // stored after the last core, then sorted into place
    Replaced,  // a core of the same name was overwritten, then the list sorted
    Refused,   // the values failed the check; the user was told
    ListFull,  // a new name with the list full (project loader only); nothing changed
};

// True when the list has room and the core is plausible: a name, non-zero dimensions, Le not
// above 5 x Lm and Ve not above 2.5 x Ae x Lm.
bool ValidateCoreGeometry(const CoreGeometry& core);

// The field of a core that makes it implausible, the first in the order the core geometry
// window shows them (name, Ae, Le, Lm, W, Ve): the missing name or zero dimension, Le for a path
// too long for the turn, Ve for a volume too large for Ae x Lm. None for a plausible core.
enum class CoreField { None, Name, Ae, Le, Lm, W, Ve };
CoreField CoreFieldToCorrect(const CoreGeometry& core);

// Overwrites the first core of the same name; false when no core has that name.
bool ReplaceCustomByName(const CoreGeometry& core);

// Ascending order of Ve; cores of equal volume keep their order.
void SortCustomList();

// Puts `core` into the list: replaces the core of the same name, or adds it. With fromCurrent
// (the project loader's core, already in use by the design) the check is skipped, and a full
// list only takes a replacement. A refused core is reported with "Uncorrect Core Values or
// Existing Name".
CustomListChange AddToCustomList(const CoreGeometry& core, bool fromCurrent);

}  // namespace zorvic
