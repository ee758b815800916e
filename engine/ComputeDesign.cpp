#include "ComputeDesign.h"

#include <cstddef>
#include <tuple>
#include <utility>

#include "BulkCapacitor.h"
#include "ChipLoss.h"
#include "Compensation.h"
#include "ComputeTransfo.h"
#include "ControlNetwork.h"
#include "DesignHost.h"
#include "DesignResults.h"
#include "ErrorManagement.h"
#include "OperatingCurrents.h"
#include "OutputStage.h"
#include "PrimaryInductance.h"
#include "Variables.h"

namespace zorvic {

namespace {

void ComputeActiveOutputs() {
    for (int i = 0; i <= LastActiveOutput(); ++i)
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
        const auto last = static_cast<int16_t>(LastActiveOutput());
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

void RunPasses() {
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

// Everything the program's start and its defaults set besides the design's records and results,
// the tables included: the one list of what the default design's computation aside puts back.
auto EngineTables() {
    return std::tie(OutputWork, OutputBlank, CurveWindowState, DiodeTable, CapacitorTable, RegulatorTable, ChipTable,
                    PackageTable, CoreMaterialTable, SupplierNames, StandardCoreTable, CandidateCores,
                    CandidateCoreLast, CustomCoreList, CustomCoreCount, WireTable, ClampTable, ChipWork, WorkWire,
                    CurrentClamp);
}

// The values a tuple of references refers to.
template <class... T>
std::tuple<T...> ValuesOf(const std::tuple<T&...>& references) {
    return references;
}

// The engine's state as it stands, so that the default design can be computed aside and the
// state put back exactly.
struct EngineImage {
    decltype(ValuesOf(EngineTables())) tables = ValuesOf(EngineTables());
    DesignResults results = CaptureDesignResults();

    void Restore() {
        EngineTables() = std::move(tables);
        results.records.Restore();
        CoreSupplier = results.coreSupplier;
        StartFromDesignResults(results);
    }
};

// The default design computed from the program's start, with no window told of it.
DesignResults DefaultDesignResults() {
    EngineImage saved;
    DesignHost& host = Host();
    InstallHost(nullptr);
    ResetDesignState();
    ApplyDesignDefaults();
    RunPasses();
    DesignResults results = CaptureDesignResults();
    InstallHost(&host);
    saved.Restore();
    return results;
}

}  // namespace

void ComputeDesign() {
    if (!StartingResults()) SetStartingResults(DefaultDesignResults());
    StartFromDesignResults(*StartingResults());
    RunPasses();
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
