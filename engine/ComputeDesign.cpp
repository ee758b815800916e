#include "ComputeDesign.h"

#include <cstddef>

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

#include <utility>

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

// Everything the program's start and its defaults set, the tables included, so that the
// default design can be computed aside and the state put back exactly.
struct EngineImage {
    OutputRecord outputWork = OutputWork;
    OutputRecord outputBlank = OutputBlank;
    int16_t curveWindowState = CurveWindowState;
    std::array<DiodeRecord, DiodeTableSize> diodes = DiodeTable;
    std::array<CapacitorRecord, CapacitorTableSize> capacitors = CapacitorTable;
    std::array<RegulatorRecord, RegulatorTableSize> regulators = RegulatorTable;
    std::array<ChipRecord, ChipTableSize> chips = ChipTable;
    std::array<PackageRecord, 5> packages = PackageTable;
    std::array<CoreMaterial, CoreMaterialTableSize> materials = CoreMaterialTable;
    std::array<std::string, 5> suppliers = SupplierNames;
    std::array<CoreGeometry, StandardCoreTableSize> standardCores = StandardCoreTable;
    std::array<CoreGeometry, CandidateCoresSize> candidates = CandidateCores;
    int16_t candidateLast = CandidateCoreLast;
    std::array<CoreGeometry, CustomCoreListSize> customCores = CustomCoreList;
    int16_t customCount = CustomCoreCount;
    std::array<WireRecord, WireTableSize> wires = WireTable;
    std::array<ClampRecord, ClampTableSize> clamps = ClampTable;
    ChipRecord chipWork = ChipWork;
    WireRecord workWire = WorkWire;
    ClampRecord currentClamp = CurrentClamp;
    DesignResults results = CaptureDesignResults();

    void Restore() {
        OutputWork = std::move(outputWork);
        OutputBlank = std::move(outputBlank);
        CurveWindowState = curveWindowState;
        DiodeTable = std::move(diodes);
        CapacitorTable = std::move(capacitors);
        RegulatorTable = std::move(regulators);
        ChipTable = std::move(chips);
        PackageTable = std::move(packages);
        CoreMaterialTable = std::move(materials);
        SupplierNames = std::move(suppliers);
        StandardCoreTable = std::move(standardCores);
        CandidateCores = std::move(candidates);
        CandidateCoreLast = candidateLast;
        CustomCoreList = std::move(customCores);
        CustomCoreCount = customCount;
        WireTable = std::move(wires);
        ClampTable = std::move(clamps);
        ChipWork = std::move(chipWork);
        WorkWire = std::move(workWire);
        CurrentClamp = std::move(currentClamp);
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
