#include "ComputeDesign.h"

#include <cstddef>

#include "BulkCapacitor.h"
#include "ChipLoss.h"
#include "Compensation.h"
#include "ComputeTransfo.h"
#include "ControlNetwork.h"
#include "DesignHost.h"
#include "ErrorManagement.h"
#include "OperatingCurrents.h"
#include "OutputStage.h"
#include "PrimaryInductance.h"
#include "Variables.h"

namespace zorvic {

namespace {

void ComputeActiveOutputs() {
    for (int i = 0; i <= Settings.AdditionalOutputs && i < OutputCount; ++i)
        ComputeOutput(Outputs[static_cast<std::size_t>(i)]);
}

// The primary side from the output powers: inductance, operating point, current check, chip
// losses and clamp.
void ComputePrimarySide() {
    SumOutputPowers();
    ComputePrimaryInductance();
    ComputeOperatingPoint();
    CheckCurrentLimit(CurrentChip.Idlim);
    ComputeChipLoss();
}

void FirstPass() {
    Settings.RecomputeFlag = true;
    ComputeActiveOutputs();
    OperatingPoint.TransformerLoss = 0;
    ComputePrimarySide();
    Host().DoEvents();
    ComputeTransformer();
}

void RefiningPass() {
    Settings.RecomputeFlag = false;
    ComputeActiveOutputs();
    if (OperatingPoint.SecondaryRegulation) {
        const int16_t last = Settings.AdditionalOutputs < OutputCount ? Settings.AdditionalOutputs : OutputCount - 1;
        const OutputRecord& output = Outputs[static_cast<std::size_t>(last)];
        SelectReferenceIC(last, last, output.Regulated, output.Voltage);
    }
    ComputePrimarySide();
    ComputeTransformer();
    SizeBulkCapacitor();
    SizeControlNetwork();
    ComputeCompensation();

    OperatingRecord& op = OperatingPoint;
    op.TotalLoss = op.ChipLoss + op.OutputLoss + op.ClamperLoss + op.TransformerLoss;
    const float gross = op.OutputPower + op.TotalLoss;
    op.Efficiency = gross != 0 ? op.OutputPower / gross : 0;
}

}  // namespace

void ComputeDesign() {
    BeginDesignWarnings();
    FirstPass();
    // A design warning asks for another pass when the user changed the design in its editor. A
    // host that changes it at every warning without ever mending it would ask for ever: the
    // passes are bounded.
    int passes = 0;
    do {
        RefiningPass();
    } while (Settings.RecomputeFlag && ++passes < MaxRefiningPasses);
    EndDesignWarnings();
}

void UpdateDcBusVoltages() {
    if (Settings.ACInput) {
        SetAcBusVoltages();
    } else {
        InputStage.VdcMin = InputStage.DCInputMin;
        InputStage.VdcMax = InputStage.DCInputMax;
    }
}

void UpdateInputVoltages() {
    UpdateDcBusVoltages();
    ComputeActiveOutputs();
}

}  // namespace zorvic
