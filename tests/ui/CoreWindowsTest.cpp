// The core material and core geometry windows driven as a user does: supplier and grade picks,
// family lists, and the custom core list entered, refused, replaced, sorted, saved and loaded.

#include <gtest/gtest.h>

#include <tuple>

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QFile>
#include <QTemporaryDir>

#include "CustomCores.h"
#include "EditorDriving.h"
#include "FileDialog.h"
#include "fmCore.h"
#include "fmCoreSizeEdit.h"
#include "fmTransfo.h"

using namespace zorvic;
using namespace driving;

namespace {

class CoreWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComputeDefaultDesign();
        platform::FileDialogScript::Clear();
    }
};

struct SupplierCase {
    int entry;
    const char* supplier;
    int grades;
    const char* first;
};

class SupplierPickTest : public CoreWindowTest, public ::testing::WithParamInterface<SupplierCase> {};

const SupplierCase SupplierCases[] = {
    {0, "PHILIPS", 3, "3C85"}, {1, "SIEMENS", 8, "N27"}, {2, "TDK", 1, "PC40"}, {3, "MCM", 4, "8"}, {4, "THOMSON", 1, "B2"}};

TEST_P(SupplierPickTest, ASupplierAloneFixesItsFirstGrade) {
    const SupplierCase& c = GetParam();
    fmCore window;
    window.show();
    Pick(window.lstSupplier, c.entry);
    EXPECT_EQ(CoreSupplier, c.supplier);
    EXPECT_EQ(CurrentMaterial.Name, c.first);
    EXPECT_EQ(window.lstCore->count(), c.grades);
    EXPECT_EQ(window.material.lblType->text(), QStringLiteral("Type :") + c.first);
    EXPECT_TRUE(Settings.UserCoreMaterial);
    EXPECT_FALSE(Settings.DesignSaved);
}

INSTANTIATE_TEST_SUITE_P(Suppliers, SupplierPickTest, ::testing::ValuesIn(SupplierCases));

TEST_F(CoreWindowTest, AGradePickBecomesTheWorkingGrade) {
    fmCore window;
    window.show();
    Pick(window.lstSupplier, 1);
    Pick(window.lstCore, 7);
    EXPECT_EQ(CurrentMaterial.Name, "N87");
    EXPECT_EQ(window.lstCore->currentText(), "N87");
    EXPECT_EQ(window.material.lblK->text(), "K : 1.31E-05 kW/m3");
}

// The ferrite constants read as the table writes them, not with the float's binary tail.
TEST_F(CoreWindowTest, FerriteConstantsShowTheTableDigits) {
    QPointer<fmTransfo> transformer(fmTransfo::ShowTransformer());
    fmCore window;
    window.show();
    Pick(window.lstSupplier, 1);  // SIEMENS: its first grade, N27, has K1 1.16 and K2 2.109
    Click(window.cmdOk);
    for (const MaterialLabels& shown : {window.material, transformer->material})
        EXPECT_EQ(shown.lblK1->text() + " " + shown.lblK2->text(), "K1 : 1.16 K2 : 2.109");
    delete transformer.data();
}

struct FamilyCase {
    int entry;
    const char* family;
    int cores;
    const char* first;
};

class FamilyListTest : public CoreWindowTest, public ::testing::WithParamInterface<FamilyCase> {};

const FamilyCase FamilyCases[] = {
    {0, "E", 24, "E63"}, {1, "RM", 6, "RM5"}, {2, "EFD", 3, "EFD1585"}, {3, "Other", 4, "EP7"}, {4, "Any", 37, "E63"}};

TEST_P(FamilyListTest, AFamilyListsItsCoresAndFreesTheGeometry) {
    const FamilyCase& c = GetParam();
    Settings.UserCoreGeometry = true;
    fmCoreSizeEdit window;
    window.show();
    Pick(window.lstType, c.entry);
    EXPECT_EQ(Settings.GeometryListType, c.family);
    EXPECT_EQ(window.lstGeometry->count(), c.cores);
    EXPECT_EQ(CandidateCoreLast, c.cores - 1);
    EXPECT_EQ(CurrentCore.Name, c.first);
    EXPECT_EQ(window.txtGeometry->text(), c.first);
    EXPECT_FALSE(Settings.UserCoreGeometry);

    Pick(window.lstGeometry, 1);
    EXPECT_EQ(CurrentCore.Name, CandidateCores[1].Name);
    EXPECT_TRUE(Settings.UserCoreGeometry);
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyListTest, ::testing::ValuesIn(FamilyCases));

class CustomListTest : public CoreWindowTest {
protected:
    void SetUp() override {
        CoreWindowTest::SetUp();
        window = std::make_unique<fmCoreSizeEdit>();
        window->show();
        Click(window->optCustom);
    }
    // Name, Ae, Le, Lm, W, Ve typed and entered.
    void Enter(const char* name, const char* ae, const char* le, const char* lm, const char* w, const char* ve) {
        for (auto [box, text] : {std::pair{window->txtGeometry, name}, {window->txtAe, ae}, {window->txtLe, le},
                                 {window->txtLm, lm}, {window->txtW, w}, {window->txtVe, ve}})
            box->setText(QString::fromLatin1(text));
        Click(window->cmdEnter);
    }
    QStringList Listed() const {
        QStringList names;
        for (int i = 0; i < window->lstGeometry->count(); ++i) names << window->lstGeometry->itemText(i);
        return names;
    }
    std::unique_ptr<fmCoreSizeEdit> window;
};

TEST_F(CustomListTest, EntriesAreRefusedReplacedByNameAndSortedByVolume) {
    EXPECT_EQ(Settings.GeometryListType, "Custom");
    EXPECT_TRUE(window->cmdEnter->isEnabled());
    Enter("Big", "50", "60", "40", "80", "3000");
    Enter("Small", "10", "20", "20", "30", "200");
    EXPECT_EQ(Listed(), QStringList({"Small", "Big"}));
    EXPECT_EQ(CurrentCore.Name, "Small");

    // Le = 6 x Lm: refused, told, and the working core stays the last one taken.
    Enter("Long", "10", "120", "20", "30", "200");
    ASSERT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_EQ(platform::MessageScript::Shown()[0].title, "Core Wrong Datas");
    EXPECT_EQ(CustomCoreCount, 2);
    EXPECT_EQ(CurrentCore.Name, "Small");
    // Dimensions take only numbers; a blank one is refused too.
    window->txtLe->clear();
    window->txtLe->setFocus();
    QTest::keyClicks(window->txtLe, "a-2");
    EXPECT_EQ(window->txtLe->text(), "2");
    Enter("Blank", "10", "", "20", "30", "200");
    EXPECT_EQ(CustomCoreCount, 2);
    EXPECT_EQ(CurrentCore.Name, "Small");

    // The same name with a larger volume replaces the core and moves it past "Big".
    Enter("Small", "100", "20", "20", "30", "5000");
    EXPECT_EQ(CustomCoreCount, 2);
    EXPECT_EQ(Listed(), QStringList({"Big", "Small"}));
    EXPECT_FLOAT_EQ(CustomCoreList[1].Ve, 5000);
    EXPECT_EQ(CandidateCores[1].Name, "Small");
}

// A refused core keeps what was typed, and the focus waits in the first box to correct.
TEST_F(CustomListTest, ARefusedCoreKeepsTheTypedValuesAndPointsAtTheFault) {
    QApplication::setActiveWindow(window.get());
    using F = fmCoreSizeEdit;
    for (auto [name, ae, le, ve, fault] : {std::tuple{"", "10", "20", "200", &F::txtGeometry},
                                           {"Long", "10", "120", "200", &F::txtLe},  // Le = 6 x Lm
                                           {"Bulky", "10", "20", "600", &F::txtVe},  // Ve = 3 x Ae x Lm
                                           {"Flat", "", "20", "200", &F::txtAe}}) {
        Enter(name, ae, le, "20", "30", ve);
        EXPECT_EQ(QStringList({window->txtGeometry->text(), window->txtAe->text(), window->txtLe->text(),
                               window->txtVe->text()}), QStringList({name, ae, le, ve}));
        EXPECT_EQ(QApplication::focusWidget(), (*window).*fault) << name;
    }
    EXPECT_EQ(platform::MessageScript::Shown().size(), 4u);
    EXPECT_EQ(CustomCoreCount, 0);
}

TEST_F(CustomListTest, SavedAndLoadedListsKeepTheProjectNameAndAFailedSaveIsReported) {
    Enter("Alpha", "10", "20", "20", "30", "200");
    Enter("Beta", "20", "30", "25", "40", "600");
    const std::string project = Settings.DesignFileName;
    QTemporaryDir dir;
    // A folder that is a regular file: no one can write there, root included.
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    platform::MessageScript::Clear();
    platform::FileDialogScript::PushPath(dir.filePath("plain/mine.zcl"));
    Click(window->cmdSave);
    ASSERT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_EQ(platform::MessageScript::Shown()[0].title + ": " + platform::MessageScript::Shown()[0].text,
              "File Error: Cannot Save File : " + dir.filePath("plain/mine.zcl"));
    // A name typed without extension gets the one of the dialog's filter.
    platform::FileDialogScript::PushPath(dir.filePath("mine"));
    Click(window->cmdSave);
    const QString path = dir.filePath("mine.zcl");
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(Settings.DesignFileName, project);

    window->txtGeometry->setText("Alpha");
    Click(window->cmdDelete);
    EXPECT_EQ(Listed(), QStringList({"Beta"}));
    EXPECT_EQ(CurrentCore.Name, "Beta");

    platform::FileDialogScript::PushPath(path);
    Click(window->cmdLoad);
    EXPECT_EQ(Listed(), QStringList({"Alpha", "Beta"}));
    EXPECT_EQ(CurrentCore.Name, "Alpha");
    EXPECT_EQ(Settings.DesignFileName, project);

    // A cancelled dialog changes nothing.
    window->txtGeometry->setText("Alpha");
    Click(window->cmdDelete);
    Click(window->cmdLoad);
    EXPECT_EQ(Listed(), QStringList({"Beta"}));
}

TEST_F(CustomListTest, OkWithAnEmptyListReturnsToTheInternalFamily) {
    Enter("Only", "10", "20", "20", "30", "200");
    window->txtGeometry->setText("Only");
    Click(window->cmdDelete);
    EXPECT_EQ(CustomCoreCount, 0);
    // The deleted core's blanks are shown, never made the working core.
    EXPECT_EQ(window->txtGeometry->text(), "");
    EXPECT_EQ(CurrentCore.Name, "Only");
    Click(window->cmdOk);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(Settings.CustomCoreMode);
    EXPECT_EQ(Settings.GeometryListType, "E");
    EXPECT_EQ(CurrentCore.Name, "E13/7/4");
    EXPECT_TRUE(window->optInternal->isChecked());
    Click(window->cmdOk);
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
