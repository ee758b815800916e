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

TEST(DiodePanelUiTest, PickMarksThatOutputAndClearingHandsTheChoiceBack) {
    // A 5 V, 2 A output rectified by RDKA19, 40 V in reverse (80 V reflected, 350 V bus).
    InputStage.ReflectedVoltage = 80;
    InputStage.VdcMax = 350;
    OutputWork.Voltage = 5;
    OutputWork.Current = 2;
    OutputWork.IrmsSecondary = 3;
    OutputWork.VoltageBeforeDiode = 8;
    OutputWork.Diode = DiodeTable[18];
    DiodePanel panel;
    int cleared = 0;
    panel.SetMarkClearedHandler([&cleared] { ++cleared; });
    Settings.UserDefinedDiode[2] = true;
    panel.RefreshDiodePanel(2);
    Settings.UserDefinedDiode[2] = false;
    panel.RefreshDiodePanel(2);
    panel.show();
    auto* list = panel.findChild<QComboBox*>("lstDiode");
    auto* mark = panel.findChild<QCheckBox*>("chkDiodeUserDefine");
    ASSERT_TRUE(list && mark);
    EXPECT_EQ(list->count(), 13);

    driving::Pick(list, list->findText("RD042"));
    EXPECT_EQ(Settings.UserDefinedDiode, (std::array<bool, 6>{false, false, true, false, false, false}));
    EXPECT_TRUE(mark->isChecked());
    EXPECT_EQ(list->currentText(), "RD042");
    QStringList texts;
    for (const char* name : {"lblVf", "lblIf", "lblVr", "lblIr", "lblVrmax", "lblVdrop", "lblPloss", "lblRunAway"})
        texts << panel.findChild<QLabel*>(name)->text();
    EXPECT_EQ(texts.join('|'), "Vf : 990mV|If : 3.0A|Vr : 100V|Ir : 50uA @ 25°C|Vrmax : 40V|Vdrop : 920mV|"
                               "Ploss : 2.2W|");
    EXPECT_EQ(cleared, 0);  // neither the refreshes nor the pick ran it

    driving::Click(mark);
    EXPECT_FALSE(Settings.UserDefinedDiode[2]);
    EXPECT_EQ(cleared, 1);
    panel.ClearDiodeList();  // emptied, the list still names the chosen diode
    EXPECT_EQ(QString::number(list->count()) + list->placeholderText(), "0RD042");
}
