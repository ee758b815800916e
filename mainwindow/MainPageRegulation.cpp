// The regulation list: primary or secondary regulation, with the check that some output can
// carry the secondary feedback loop.

#include <QComboBox>
#include <QSignalBlocker>

#include "ComputeDesign.h"
#include "DesignCommands.h"
#include "MainPage.h"
#include "MessageBox.h"
#include "Variables.h"

using namespace zorvic;

namespace {

int DesignEntry() {
    return OperatingPoint.SecondaryRegulation ? MainPageCommandBar::SecondaryEntry : MainPageCommandBar::PrimaryEntry;
}

}  // namespace

void MainPage::RegulationType_Click() {
    if (Settings.SplashDone) ShowRegulationEntry(DesignEntry());
    ApplyRegulationChoice();
    // During start-up the first layout draws the primary design itself.
    if (RegulationType->currentIndex() == PrimaryEntry && Settings.StartupPending) return;
    UpdateInstance();
}

void MainPage::ApplyRegulationChoice() {
    if (RegulationType->currentIndex() == SecondaryEntry) {
        if (OperatingPoint.SecondaryRegulation) Settings.RegulationWasSecondary = true;
        if (CheckSecondaryRegulation()) {
            SelectSecondaryRegulation();
            return;
        }
        ShowRegulationEntry(PrimaryEntry);
    }
    SelectPrimaryRegulation();
}

bool MainPage::CheckSecondaryRegulation() {
    if (FindSecondaryLoopOutput()) return true;
    platform::ShowMessage(
        QStringLiteral("Secondary Regulation Not Possible With Post Regulation or Negative Voltage On All Outputs"),
        platform::Buttons::OK, QStringLiteral("Secondary Regulation Error"), this);
    return false;
}

void MainPage::ShowRegulationEntry(int entry) {
    const QSignalBlocker quiet(RegulationType);
    RegulationType->setCurrentIndex(entry);
}

void MainPage::SelectDesignRegulation() {
    ShowRegulationEntry(DesignEntry());
    ApplyRegulationChoice();
    // A design that fell back to primary regulation was not secondary before the next choice.
    Settings.RegulationWasSecondary = OperatingPoint.SecondaryRegulation;
}

void MainPage::SelectFirstRegulation() {
    const bool computedSecondary = OperatingPoint.SecondaryRegulation;
    SelectDesignRegulation();
    // A design computed for a secondary loop that no output can carry is computed again, as
    // primary-regulated, before it is drawn.
    if (computedSecondary && !OperatingPoint.SecondaryRegulation) ComputeDesign();
}
