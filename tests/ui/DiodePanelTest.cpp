// The output editor's diode panel driven as a user does: a diode picked from the suitable list
// marks that output's diode as the user's and the ratings follow it; clearing "User Defined"
// hands the choice back to the editor. Texts are worked from the diode table by hand.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "DiodePanel.h"
#include "EditorDriving.h"

using namespace zorvic;
using namespace driving;

namespace {

class DiodePanelUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        SetLocaleDecimalSeparator('.');
        ApplyDesignDefaults();
        // A 5 V, 2 A output rectified by RDKA19, 40 V in reverse (80 V reflected, 350 V bus).
        InputStage.ReflectedVoltage = 80;
        InputStage.VdcMax = 350;
        OutputWork.Voltage = 5;
        OutputWork.Current = 2;
        OutputWork.IrmsSecondary = 3;
        OutputWork.VoltageBeforeDiode = 8;
        for (const DiodeRecord& d : DiodeTable)
            if (d.Name == "RDKA19") OutputWork.Diode = d;
        panel.SetMarkClearedHandler([this] { ++cleared; });
        panel.RefreshDiodePanel(2);
        panel.show();
    }

    template <typename Control>
    Control* Find(const char* name) {
        auto* control = panel.findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Ratings() {
        QStringList texts;
        for (const char* name : {"lblVf", "lblIf", "lblVr", "lblIr", "lblVrmax", "lblVdrop", "lblPloss", "lblRunAway"})
            texts << Find<QLabel>(name)->text();
        return texts.join('|');
    }

    DiodePanel panel;
    int cleared = 0;
};

}  // namespace

TEST_F(DiodePanelUiTest, PickMarksThatOutputAndClearingHandsTheChoiceBack) {
    auto* list = Find<QComboBox>("lstDiode");
    auto* mark = Find<QCheckBox>("chkDiodeUserDefine");
    EXPECT_EQ(panel.title(), "Output Diode");
    EXPECT_EQ(list->count(), 13);
    EXPECT_EQ(list->currentText(), "RDKA19");
    EXPECT_EQ(Ratings(), "Vf : 570mV|If : 3.0A|Vr : 40V|Ir : 20uA @ 25°C|Vrmax : 40V|Vdrop : 520mV|Ploss : 1.3W|"
                         "Check Thermal Run Away Limit");

    Pick(list, list->findText("RD042"));
    EXPECT_EQ(Settings.UserDefinedDiode, (std::array<bool, 6>{false, false, true, false, false, false}));
    EXPECT_TRUE(mark->isChecked());
    EXPECT_EQ(OutputWork.Diode.Name, "RD042");
    EXPECT_EQ(list->currentText(), "RD042");
    EXPECT_EQ(Ratings(), "Vf : 990mV|If : 3.0A|Vr : 100V|Ir : 50uA @ 25°C|Vrmax : 40V|Vdrop : 920mV|Ploss : 2.2W|");
    EXPECT_EQ(cleared, 0);

    Click(mark);
    EXPECT_FALSE(mark->isChecked());
    EXPECT_FALSE(Settings.UserDefinedDiode[2]);
    EXPECT_EQ(cleared, 1);
}

TEST_F(DiodePanelUiTest, RefreshesShowTheMarkWithoutRunningTheHandlers) {
    auto* list = Find<QComboBox>("lstDiode");
    Settings.UserDefinedDiode[2] = true;
    panel.RefreshDiodePanel(2);
    EXPECT_TRUE(Find<QCheckBox>("chkDiodeUserDefine")->isChecked());
    Settings.UserDefinedDiode[2] = false;
    panel.RefreshDiodePanel(2);
    EXPECT_FALSE(Find<QCheckBox>("chkDiodeUserDefine")->isChecked());
    EXPECT_EQ(cleared, 0);

    // Emptied, the list still names the chosen diode.
    panel.ClearDiodeList();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->placeholderText(), "RDKA19");
    EXPECT_EQ(Settings.UserDefinedDiode, (std::array<bool, 6>{}));
}
