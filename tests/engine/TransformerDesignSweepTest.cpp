// The whole computation, transformer search included, over the engine's design sweep: every
// design ends with a finite transformer and no search's start values.

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>

#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "DefaultDesignTest.h"
#include "DesignSweep.h"
#include "DesignWarningHost.h"
#include "NumberText.h"
#include "Optimum.h"
#include "Variables.h"

using namespace zorvic;

class TransformerDesignSweepTest : public DefaultDesignTest<DesignWarningHost> {
protected:
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
    int designs = 0;
    for (const sweep::SweepDesign& design : sweep::DesignSweep()) {
        if (design.WindingKind) continue;
        SetUp();
        sweep::ApplySweepDesign(design);
        ComputeDesign();
        ExpectFiniteTransformer(design.Name);
        ++designs;
    }
    EXPECT_EQ(designs, 6 * 7 * 5 * 4);
}

TEST_F(TransformerDesignSweepTest, EveryWindingKindAndCriterionEndsWithAFiniteTransformer) {
    int designs = 0;
    for (const sweep::SweepDesign& design : sweep::DesignSweep()) {
        if (!design.WindingKind) continue;
        SetUp();
        sweep::ApplySweepDesign(design);
        ComputeDesign();
        ExpectFiniteTransformer(design.Name);
        EXPECT_TRUE(Transfo.DesignRecorded) << design.Name;
        ++designs;
    }
    EXPECT_EQ(designs, 3 * 2 * 2);
}
