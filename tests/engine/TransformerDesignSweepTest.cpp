// The whole computation, transformer search included, over a grid of designs that spans the
// editors' ranges: every design ends with a finite transformer and no search's start values.

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>

#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "DesignWarningHost.h"
#include "NumberText.h"
#include "Optimum.h"
#include "Variables.h"

using namespace zorvic;

namespace {

struct InputRange {
    bool ac;
    float min;
    float max;
};

}  // namespace

class TransformerDesignSweepTest : public ::testing::Test {
protected:
    DesignWarningHost host;

    void SetUp() override {
        ResetDesignState();
        SetLocaleDecimalSeparator('.');
        ApplyDesignDefaults();
        InstallHost(&host);
    }
    void TearDown() override { InstallHost(nullptr); }

    // Outputs 0 to last of the kinds the output editor offers, sharing `watts` between them.
    static void SetOutputs(int last, float watts) {
        const int16_t types[] = {9, 7, 1, 3, 13, 5};
        const float volts[] = {5, 12, 3.3f, 15, 24, 48};
        Settings.AdditionalOutputs = static_cast<int16_t>(last);
        for (int i = 0; i <= last; ++i) {
            OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
            output.OutputType = types[i];
            output.Voltage = volts[i];
            output.Current = watts / static_cast<float>(last + 1) / volts[i];
            output.Regulator.Family = "VRA";
        }
    }

    static void ExpectFiniteTransformer(const std::string& name) {
        for (float x : {Transfo.CoreLoss, Transfo.WindingLoss, Transfo.Bmax, Transfo.AirGap,
                        Transfo.PrimaryWire.Rlin, Transfo.AuxWire.Rlin, Transfo.AuxTurnsRatio,
                        OperatingPoint.TransformerLoss, OperatingPoint.ReflectedVoltageActual,
                        OperatingPoint.TotalLoss, OperatingPoint.Efficiency, InputStage.C2.Value})
            ASSERT_TRUE(std::isfinite(x)) << name << ": " << x;
        // Never the search's "nothing recorded" value.
        ASSERT_LT(OperatingPoint.TransformerLoss, 1e9f) << name;
        ASSERT_GE(OperatingPoint.TransformerLoss, 0.0f) << name;
        ASSERT_LE(OptimiseIterations, MaxOptimiseIterations) << name;
        for (int i = 0; i <= Settings.AdditionalOutputs; ++i) {
            const auto k = static_cast<std::size_t>(i);
            ASSERT_TRUE(std::isfinite(Outputs[k].ActualVoltage)) << name << " output " << i;
            ASSERT_TRUE(std::isfinite(Transfo.OutputWire[k].Rlin)) << name << " output " << i;
        }
    }
};

TEST_F(TransformerDesignSweepTest, EveryDesignOfTheGridEndsWithAFiniteTransformer) {
    const InputRange inputs[] = {{true, 85, 130}, {true, 85, 264}, {true, 195, 300},
                                 {false, 35, 50}, {false, 36, 72}, {false, 305, 400}};
    const int32_t frequencies[] = {10000, 20000, 50000, 100000, 150000, 200000, 300000};
    const float powers[] = {0.3f, 10, 30, 60, 200};
    const int lastOutputs[] = {0, 1, 3, 5};
    int designs = 0;
    for (const InputRange& input : inputs) {
        for (int32_t fsw : frequencies) {
            for (float watts : powers) {
                for (int last : lastOutputs) {
                    SetUp();
                    Settings.ACInput = input.ac;
                    if (input.ac) {
                        InputStage.VacMin = input.min;
                        InputStage.VacMax = input.max;
                    } else {
                        InputStage.DCInputMin = input.min;
                        InputStage.DCInputMax = input.max;
                    }
                    UpdateDcBusVoltages();
                    InputStage.SwitchingFrequency = fsw;
                    SetOutputs(last, watts);
                    ComputeDesign();
                    const std::string name = (input.ac ? "AC " : "DC ") + std::to_string(input.min) + "-" +
                                             std::to_string(input.max) + " V, " + std::to_string(fsw) + " Hz, " +
                                             std::to_string(watts) + " W, " + std::to_string(last + 1) + " outputs";
                    ExpectFiniteTransformer(name);
                    ++designs;
                }
            }
        }
    }
    EXPECT_EQ(designs, 6 * 7 * 5 * 4);
}

TEST_F(TransformerDesignSweepTest, EveryWindingKindAndCriterionEndsWithAFiniteTransformer) {
    for (int16_t kind : {SingleWire, ParallelEqualWires, ParallelFreeWires}) {
        for (bool temperature : {true, false}) {
            for (int last : {0, 5}) {
                SetUp();
                Settings.WindingOptimisationType = kind;
                Settings.CoreCriterionTemp = temperature;
                Settings.GeometryListType = "Any";
                FilterGeometryList();
                SetOutputs(last, 20);
                ComputeDesign();
                ExpectFiniteTransformer("kind " + std::to_string(kind) + (temperature ? " temperature" : " loss") +
                                        ", " + std::to_string(last + 1) + " outputs");
                EXPECT_TRUE(Transfo.DesignRecorded);
            }
        }
    }
}
