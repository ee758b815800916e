#pragma once
// The bulk capacitor C2 after the mains rectifier, and the input stage's fixed capacitor C7.

namespace zorvic {

// C2 holds the bus above VdcMin while the rectifier does not conduct; rounded up to the E6 series.
void SizeBulkCapacitor();

}  // namespace zorvic
