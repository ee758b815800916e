#pragma once
// The rules of the transformer window's number boxes: each box shows a design value in its own
// unit (percent, millihenries, picofarads) or a count.

#include "BoxRules.h"

namespace zorvic {

enum class TransfoBox { BsatMargin, Leakage, Lprimary, Cpri, Nmax, PdissCore, TempCore, WindowFactor, Npri };
const BoxRule& RuleOf(TransfoBox box);

}  // namespace zorvic
