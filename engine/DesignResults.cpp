#include "DesignResults.h"

#include <cstddef>
#include <utility>

#include "ComputeTransfo.h"
#include "OutputStage.h"

namespace zorvic {

namespace {

std::optional<DesignResults> Starting;

// A record taken whole from `from`, then the fields named by `keep` put back from `to`.
template <class Record, class Keep>
void TakeComputed(Record& to, const Record& from, Keep keep) {
    Record inputs = std::move(to);
    to = from;
    keep(to, inputs);
}

void StartOutputsFrom(const DesignResults& r) {
    for (std::size_t i = 0; i < Outputs.size(); ++i) {
        const bool userDiode = Settings.UserDefinedDiode[i];
        TakeComputed(Outputs[i], r.records.outputs[i], [userDiode](OutputRecord& o, OutputRecord& in) {
            o.Voltage = in.Voltage;
            o.Current = in.Current;
            o.MinimumCurrent = in.MinimumCurrent;
            o.OutputType = in.OutputType;
            o.Polarity = in.Polarity;
            o.RippleFirstCell = in.RippleFirstCell;
            o.RippleSecondCell = in.RippleSecondCell;
            o.Regulated = in.Regulated;
            o.CapacitorDerating = in.CapacitorDerating;
            o.Index = in.Index;
            o.Regulator.Family = std::move(in.Regulator.Family);
            if (userDiode) o.Diode = std::move(in.Diode);
        });
    }
}

void StartChipFrom(const ChipRecord& from) {
    ChipRecord& chip = CurrentChip;
    chip.SupplyCurrent = from.SupplyCurrent;
    chip.LossConduction = from.LossConduction;
    chip.LossBias = from.LossBias;
    chip.LossSwitching = from.LossSwitching;
    chip.OscResistor.Value = from.OscResistor.Value;
    chip.OscCapacitor.Value = from.OscCapacitor.Value;
    chip.SupplyCapacitor.Value = from.SupplyCapacitor.Value;
    chip.SupplyCapacitor2.Value = from.SupplyCapacitor2.Value;
    chip.AuxDiode.Name = from.AuxDiode.Name;
    chip.Tj = from.Tj;
    chip.OverTemperature = from.OverTemperature;
}

}  // namespace

DesignResults CaptureDesignResults() {
    DesignResults r;
    r.records = DesignRecords::Now();
    r.coreSupplier = CoreSupplier;
    r.bestPrimaryTurns = BestPrimaryTurns;
    r.bestAuxTurns = BestAuxTurns;
    r.bestOutputTurns = BestOutputTurns;
    r.bestPrimaryWire = BestPrimaryWire;
    r.bestAuxWire = BestAuxWire;
    r.bestOutputWires = BestOutputWires;
    r.bestCoreLoss = BestCoreLoss;
    r.bestWindingLoss = BestWindingLoss;
    r.bestTotalLoss = BestTotalLoss;
    r.bestFlux = BestFlux;
    r.lowestFlux = LowestFlux;
    r.skinDepth = SkinDepth;
    r.syntheticWireUsed = SyntheticWireUsed;
    r.workAuxTurns = WorkAuxTurns;
    r.workOutputTurns = WorkOutputTurns;
    r.designEvaluations = DesignEvaluations;
    r.lastSearchRecorded = LastSearchRecorded;
    r.optimiser = OptimiserState::Now();
    r.dutyMax = DutyMax;
    return r;
}

void StartFromDesignResults(const DesignResults& r) {
    Settings.PowerTooHigh = r.records.settings.PowerTooHigh;
    Settings.DesignFound = r.records.settings.DesignFound;
    Settings.DesignWithinLoss = r.records.settings.DesignWithinLoss;

    TakeComputed(OperatingPoint, r.records.operating, [](OperatingRecord& op, OperatingRecord& in) {
        op.MaxRegulatedOutputs = in.MaxRegulatedOutputs;
        op.RegulatedOutputCount = in.RegulatedOutputCount;
        op.SecondaryRegulation = in.SecondaryRegulation;
        op.AmbientTemperature = in.AmbientTemperature;
        op.DiodeCurrentMargin = in.DiodeCurrentMargin;
        op.DiodeVoltageMargin = in.DiodeVoltageMargin;
        op.ChipPackageType = in.ChipPackageType;
        op.RthJunctionPin = in.RthJunctionPin;
        op.RthPinAmbient = in.RthPinAmbient;
    });
    Regulation = r.records.regulation;
    const bool userInductance = Settings.UserPrimaryInductance;
    const bool userTurns = Settings.UserPrimaryTurns;
    TakeComputed(Transfo, r.records.transfo, [userInductance, userTurns](TransfoRecord& t, TransfoRecord& in) {
        t.ParallelWireMax = in.ParallelWireMax;
        t.Cpri = std::move(in.Cpri);
        t.LeakageRatio = in.LeakageRatio;
        t.CoreLossShare = in.CoreLossShare;
        t.MaxDeltaT = in.MaxDeltaT;
        t.WindowFactor = in.WindowFactor;
        if (userInductance) t.Lprimary = std::move(in.Lprimary);
        if (userTurns) t.PrimaryTurns = in.PrimaryTurns;
    });
    TakeComputed(Clamper, r.records.clamper, [](ClamperRecord& c, ClamperRecord& in) {
        c.Diode = std::move(in.Diode);
        c.RCClamper = in.RCClamper;
    });
    InputStage.C2 = r.records.input.C2;
    InputStage.C7 = r.records.input.C7;
    TakeComputed(Control, r.records.control, [](ControlRecord& c, ControlRecord& in) {
        c.SoftStartTime = in.SoftStartTime;
        c.OptoGain = in.OptoGain;
    });
    StartOutputsFrom(r);
    StartChipFrom(r.records.chip);
    if (!Settings.UserCoreGeometry) CurrentCore = r.records.core;
    if (!Settings.UserCoreMaterial) {
        CurrentMaterial = r.records.material;
        CoreSupplier = r.coreSupplier;
    }

    BestPrimaryTurns = r.bestPrimaryTurns;
    BestAuxTurns = r.bestAuxTurns;
    BestOutputTurns = r.bestOutputTurns;
    BestPrimaryWire = r.bestPrimaryWire;
    BestAuxWire = r.bestAuxWire;
    BestOutputWires = r.bestOutputWires;
    BestCoreLoss = r.bestCoreLoss;
    BestWindingLoss = r.bestWindingLoss;
    BestTotalLoss = r.bestTotalLoss;
    BestFlux = r.bestFlux;
    LowestFlux = r.lowestFlux;
    SkinDepth = r.skinDepth;
    SyntheticWireUsed = r.syntheticWireUsed;
    WorkAuxTurns = r.workAuxTurns;
    WorkOutputTurns = r.workOutputTurns;
    DesignEvaluations = r.designEvaluations;
    LastSearchRecorded = r.lastSearchRecorded;
    r.optimiser.Restore();
    DutyMax = r.dutyMax;
}

const std::optional<DesignResults>& StartingResults() { return Starting; }

void SetStartingResults(std::optional<DesignResults> results) { Starting = std::move(results); }

}  // namespace zorvic
