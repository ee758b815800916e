// Rectifier choice: the auxiliary winding's diode, each output's automatic rectifier and the
// check of a rectifier the user fixed.

#include <gtest/gtest.h>

#include <cmath>

#include "DefaultDesignTest.h"
#include "DesignHost.h"
#include "NumberText.h"
#include "RecordingHost.h"
#include "Rectifiers.h"
#include "Variables.h"

using namespace zorvic;

class RectifierSelectionTest : public DefaultDesignTest<RecordingHost> {
protected:
    void SetUp() override {
        DefaultDesignTest::SetUp();
        InputStage.ReflectedVoltage = 80;
    }

    static OutputRecord& Output(int i, float voltage, float current) {
        OutputRecord& o = Outputs[static_cast<std::size_t>(i)];
        o.Voltage = voltage;
        o.Current = current;
        return o;
    }
};

TEST_F(RectifierSelectionTest, AuxDiodeIsTheSchottkyOnlyBelowSeventyVolts) {
    InputStage.VdcMax = 349;
    Transfo.AuxTurnsRatio = 5;
    SelectAuxDiode();
    EXPECT_EQ(CurrentChip.AuxDiode.Name, "1NQ58");
    InputStage.VdcMax = 350;  // exactly 70 V
    SelectAuxDiode();
    EXPECT_EQ(CurrentChip.AuxDiode.Name, "RD059");
}

TEST_F(RectifierSelectionTest, AuxDiodeChangesOnlyItsName) {
    CurrentChip.AuxDiode.Vrrm = 123;
    Transfo.AuxTurnsRatio = 0;  // before the first transformer design
    SelectAuxDiode();
    EXPECT_EQ(CurrentChip.AuxDiode.Name, "RD059");
    EXPECT_EQ(CurrentChip.AuxDiode.Vrrm, 123);
}

struct RectifierCase {
    const char* name;
    float vr;
    float vdcMax;
    float vout;
    float iout;
    float drop;
    const char* diode;
    float ratio;
};

class AutomaticRectifierTest : public RectifierSelectionTest,
                               public ::testing::WithParamInterface<RectifierCase> {};

TEST_P(AutomaticRectifierTest, PicksTheRatingsClosestToTheMarginsAndSetsTheTurnsRatio) {
    const RectifierCase& c = GetParam();
    InputStage.ReflectedVoltage = c.vr;
    InputStage.VdcMax = c.vdcMax;
    OutputRecord& o = Output(2, c.vout, c.iout);
    SelectOutputDiodes(o, c.drop);

    EXPECT_EQ(o.Diode.Name, c.diode);
    EXPECT_FLOAT_EQ(o.CurrentRatio, c.ratio);
    EXPECT_EQ(Transfo.TurnsRatio[2], o.CurrentRatio);
    // The drop now is the chosen diode's at the output current.
    EXPECT_FLOAT_EQ(o.Diode.VfCopy, o.Diode.Vt0 + o.Diode.Rd * c.iout);
    EXPECT_FLOAT_EQ(o.VoltageBeforeDiode, c.drop + c.vout + o.Diode.VfCopy);
    EXPECT_TRUE(host.messages.empty());
}

const float MainsVdcMax = 373.35239f;  // 264 V x sqrt(2)

INSTANTIATE_TEST_SUITE_P(
    Outputs, AutomaticRectifierTest,
    ::testing::Values(RectifierCase{"FiveVoltsOneAmp", 80, MainsVdcMax, 5, 1, 0, "RDKA30", 13.961605f},
                      RectifierCase{"TwelveVoltsTwoAmps", 80, MainsVdcMax, 12, 2, 0, "RD033", 6.2015505f},
                      RectifierCase{"BehindARegulatorDrop", 80, MainsVdcMax, 12, 0.5f, 2.08f, "RDKA28", 5.3872051f},
                      RectifierCase{"HigherReflectedVoltage", 120, MainsVdcMax, 24, 1, 0, "RD048", 4.7524753f},
                      // 14 V needed; the 20 V floor widens the window to 30 V parts.
                      RectifierCase{"LowReverseVoltageRaisedToTwenty", 80, 100, 3.3f, 0.1f, 0, "RD055", 21.333334f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RectifierSelectionTest, EqualRowsKeepTheHigherRowScannedFirst) {
    DiodeTable[40] = DiodeTable[29];
    DiodeTable[40].Name = "TWIN";
    InputStage.VdcMax = MainsVdcMax;
    OutputRecord& o = Output(0, 5, 1);
    SelectOutputDiodes(o, 0);
    EXPECT_EQ(o.Diode.Name, "TWIN");
}

// The placeholder for an output that no row fits carries the forward-drop model of the row its
// index names, whatever model the record held: a reloaded file can only give it that row.
struct NoRefCase {
    const char* name;
    int16_t index;
    float vt0;  // of the named row
    float rd;
    float ir;
};

void PrintTo(const NoRefCase& c, std::ostream* out) { *out << c.name; }

class NoRefRectifierTest : public RectifierSelectionTest, public ::testing::WithParamInterface<NoRefCase> {};

TEST_P(NoRefRectifierTest, TakesTheModelOfTheRowItsIndexNames) {
    const NoRefCase& c = GetParam();
    InputStage.VdcMax = MainsVdcMax;
    OutputRecord& o = Output(1, 5, 50);  // no table diode carries 50 A
    o.Diode.Index = c.index;
    o.Diode.Vt0 = 0.5f;  // a model no row has
    o.Diode.Rd = 0.01f;
    o.Diode.Ir = 0.002f;
    SelectOutputDiodes(o, 0);
    EXPECT_EQ(o.Diode.Name, "No Ref");
    EXPECT_EQ(o.Diode.Index, c.index);
    EXPECT_EQ(o.Diode.If, 100);
    EXPECT_EQ(o.Diode.Vrrm, 1000);
    EXPECT_FLOAT_EQ(o.Diode.Vt0, c.vt0);
    EXPECT_FLOAT_EQ(o.Diode.Rd, c.rd);
    EXPECT_FLOAT_EQ(o.Diode.Ir, c.ir);
    EXPECT_FLOAT_EQ(o.Diode.VfCopy, c.vt0 + c.rd * 50);
    EXPECT_FLOAT_EQ(o.VoltageBeforeDiode, 5 + c.vt0 + c.rd * 50);
    EXPECT_FLOAT_EQ(o.CurrentRatio, 14.6789f);  // with the last row's drop, 80 / 5.45
    EXPECT_EQ(Transfo.TurnsRatio[1], o.CurrentRatio);
}

INSTANTIATE_TEST_SUITE_P(Outputs, NoRefRectifierTest,
                         ::testing::Values(NoRefCase{"NewOutputTakesRowZero", 0, 0.3f, 0.09f, 0.001f},
                                           NoRefCase{"OldRectifierKeepsItsRow", 32, 0.7f, 0.037f, 0.00001f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RectifierSelectionTest, ZeroOutputCurrentGivesNoRefAndFiniteValues) {
    InputStage.VdcMax = MainsVdcMax;
    OutputRecord& o = Output(0, 5, 0);
    SelectOutputDiodes(o, 0);
    EXPECT_EQ(o.Diode.Name, "No Ref");
    EXPECT_TRUE(std::isfinite(o.CurrentRatio));
    EXPECT_TRUE(std::isfinite(o.VoltageBeforeDiode));
    EXPECT_TRUE(std::isfinite(o.DiodeLoss));
}

TEST_F(RectifierSelectionTest, SignalDiodeServesAMilliampereOutputOnlyAtOneMilliampere) {
    InputStage.VdcMax = MainsVdcMax;
    OutputRecord& o = Output(0, 5, 0.0002f);
    DiodeTable[48].If = 0.001f;  // far above four times the current, but a signal diode
    SelectOutputDiodes(o, 0);
    EXPECT_EQ(o.Diode.Name, "1NQ49");

    DiodeTable[48].If = 0.0011f;
    SelectOutputDiodes(o, 0);
    EXPECT_EQ(o.Diode.Name, "No Ref");
}

class UserRectifierTest : public RectifierSelectionTest {
protected:
    // 80 V over 4 V + 1 V of drop is a ratio of 16; 320 V / 16 + 4 V = 24 V reverse.
    OutputRecord& FixedDiode(float vrrm) {
        InputStage.VdcMax = 320;
        OutputRecord& o = Output(2, 4, 1);
        o.Diode = DiodeTable[30];
        o.Diode.VfCopy = 1;
        o.Diode.Vt0 = 0.5f;
        o.Diode.Rd = 0.1f;
        o.Diode.Vrrm = vrrm;
        Settings.UserDefinedDiode[2] = true;
        return o;
    }
};

TEST_F(UserRectifierTest, KeepsAUserDiodeRatedExactlyAtTheReverseVoltage) {
    OutputRecord& o = FixedDiode(24);
    SelectOutputDiodes(o, 0);
    EXPECT_EQ(o.Diode.Name, "RD031");
    EXPECT_TRUE(Settings.UserDefinedDiode[2]);
    EXPECT_EQ(o.CurrentRatio, 16);
    EXPECT_EQ(Transfo.TurnsRatio[2], 16);
    EXPECT_FLOAT_EQ(o.Diode.VfCopy, 0.6f);
    EXPECT_FLOAT_EQ(o.VoltageBeforeDiode, 4.6f);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(UserRectifierTest, UserDiodeCheckHasNoTwentyVoltFloor) {
    // 160 V / 16 + 4 V = 14 V of reverse voltage: a 15 V diode stands it, although the
    // automatic choice would ask for at least 20 V.
    OutputRecord& o = FixedDiode(15);
    InputStage.VdcMax = 160;
    SelectOutputDiodes(o, 0);
    EXPECT_EQ(o.Diode.Name, "RD031");
    EXPECT_TRUE(Settings.UserDefinedDiode[2]);
    EXPECT_EQ(o.CurrentRatio, 16);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(UserRectifierTest, ReplacesATooLowUserDiodeOnceWithAMessage) {
    OutputRecord& o = FixedDiode(23.9f);
    SelectOutputDiodes(o, 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Too Low Reverse Voltage of RD031 On Output  2");
    EXPECT_EQ(host.messages[0].buttons, MessageButtons::OK);
    EXPECT_EQ(host.messages[0].title, "Diode Selection Updated");
    EXPECT_FALSE(Settings.UserDefinedDiode[2]);
    EXPECT_EQ(o.Diode.Name, "RDKA12");
    EXPECT_FLOAT_EQ(o.CurrentRatio, 17.97753f);

    SelectOutputDiodes(o, 0);
    EXPECT_EQ(host.messages.size(), 1u);
}
