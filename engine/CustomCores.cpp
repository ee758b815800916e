#include "CustomCores.h"

#include <utility>

#include "DesignHost.h"

namespace zorvic {

namespace {

// Each product is rounded to a single-precision value before it is compared.
float Single(double x) { return static_cast<float>(x); }

}  // namespace

CoreField CoreFieldToCorrect(const CoreGeometry& core) {
    if (core.Name.empty()) return CoreField::Name;
    for (auto [value, field] : {std::pair{core.Ae, CoreField::Ae}, {core.Le, CoreField::Le}, {core.Lm, CoreField::Lm},
                                {core.W, CoreField::W}, {core.Ve, CoreField::Ve}})
        if (value == 0) return field;
    const double ae = core.Ae;
    const double le = core.Le;
    const double lm = core.Lm;
    const double ve = core.Ve;
    const bool pathFits = core.Le <= Single(0.2 * lm) || Single(0.2 * le) <= core.Lm;
    if (!pathFits) return CoreField::Le;
    const bool volumeFits = Single(0.4 * ve) <= Single(ae * lm) || core.Ve <= Single(0.4 * ae * lm);
    if (!volumeFits) return CoreField::Ve;
    return CoreField::None;
}

bool ValidateCoreGeometry(const CoreGeometry& core) {
    return CustomCoreCount < MaxCustomCores && CoreFieldToCorrect(core) == CoreField::None;
}

bool ReplaceCustomByName(const CoreGeometry& core) {
    for (int i = 0; i < CustomCoreCount; ++i) {
        CoreGeometry& entry = CustomCoreList[static_cast<std::size_t>(i)];
        if (entry.Name == core.Name) {
            entry = core;
            return true;
        }
    }
    return false;
}

void SortCustomList() {
    // An exchange walk that steps back after each swap: stable, and the list is short.
    int i = 1;
    while (i < CustomCoreCount) {
        auto& here = CustomCoreList[static_cast<std::size_t>(i)];
        auto& before = CustomCoreList[static_cast<std::size_t>(i - 1)];
        if (here.Ve < before.Ve) {
            std::swap(here, before);
            if (i >= 2) --i;
        } else {
            ++i;
        }
    }
}

CustomListChange AddToCustomList(const CoreGeometry& core, bool fromCurrent) {
    if (!fromCurrent && !ValidateCoreGeometry(core)) {
        Host().ShowMessage("Uncorrect Core Values or Existing Name", MessageButtons::OK, "Core Wrong Datas");
        return CustomListChange::Refused;
    }
    CustomListChange change = CustomListChange::Replaced;
    if (!ReplaceCustomByName(core)) {
        // The loader's core skips the check, so the size is guarded here: the array has one
        // element more than the list may fill.
        if (CustomCoreCount >= MaxCustomCores) return CustomListChange::ListFull;
        CustomCoreList[static_cast<std::size_t>(CustomCoreCount)] = core;
        ++CustomCoreCount;
        change = CustomListChange::Added;
    }
    SortCustomList();
    return change;
}

}  // namespace zorvic
