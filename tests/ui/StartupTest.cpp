// Start-up and the refresh road: the splash timer, Initial_Setup's caption and defaults, and
// UpdateInstance refreshing only the loaded windows, in load order.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <utility>

#include "BoxAnswerer.h"
#include "DesignHost.h"
#include "DesignWindow.h"
#include "FileManagement.h"
#include "Forms.h"
#include "MainPage.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "ProgramStart.h"
#include "Variables.h"
#include "fmSplash.h"

using namespace zorvic;

namespace {

// A loaded window that follows the design; its refresh may close another window for good.
class RefreshProbe : public QWidget, public DesignWindow {
public:
    RefreshProbe(const QString& name, std::vector<QString>* log) : log_(log) {
        setObjectName(name);
        platform::Forms::Register(this);
    }
    void RefreshWithDesign() override {
        log_->push_back(objectName());
        delete std::exchange(closes, nullptr);
    }
    QWidget* closes = nullptr;

private:
    std::vector<QString>* log_;
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        SetLocaleDecimalSeparator('.');
        platform::MessageScript::Clear();
    }
};

}  // namespace

TEST_F(StartupTest, MainPageCaptionAndDefaultDesign) {
    InputStage.VacMin = 120;
    MainPage page(QString{});
    EXPECT_EQ(page.windowTitle(), "Zorvic Flyback Converter Design Help :  Default.zpj");
    EXPECT_FLOAT_EQ(InputStage.VacMin, 88.0f);
    EXPECT_EQ(Settings.AdditionalOutputs, 0);
    EXPECT_EQ(CurrentChip.Name, "ZorvicF1");
    EXPECT_TRUE(page.txtProject->text().isEmpty());
    EXPECT_EQ(page.picSchematic->palette().color(QPalette::Window), QColor(0xEB, 0xEB, 0xEB));
}

TEST_F(StartupTest, NewDesignEmptiesTheProjectBoxButKeepsTheProjectName) {
    MainPage page(QString{});
    page.txtProject->setText("Charger");
    Settings.ProjectName = "Charger";
    Settings.DesignFileName = "psu.zpj";
    page.setWindowTitle("x");
    page.Initial_Setup();
    EXPECT_TRUE(page.txtProject->text().isEmpty());
    EXPECT_EQ(Settings.ProjectName, "Charger");
    EXPECT_EQ(page.windowTitle(), "Zorvic Flyback Converter Design Help :  Default.zpj");
    EXPECT_FALSE(page.isVisible());  // File > New shows nothing of the splash road
}

TEST_F(StartupTest, SplashTimerFiresOnceAndShowsTheMaximisedMainWindow) {
    fmSplash& splash = fmSplash::Instance();
    splash.show();
    EXPECT_EQ(splash.Timer1.interval(), 1000);
    EXPECT_TRUE(splash.Timer1.isActive());
    EXPECT_FALSE(MainPageExists());
    splash.Timer1_Timer();
    ASSERT_TRUE(MainPageExists());
    MainPage& page = TheMainPage();
    EXPECT_TRUE(page.isVisible());
    EXPECT_TRUE(page.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(fmSplash::IsLoaded());
    EXPECT_FALSE(Settings.SplashDone);
    delete &page;
    EXPECT_FALSE(MainPageExists());
}

TEST_F(StartupTest, SplashTimerCannotFireAgainWhileTheMainWindowIsSetUp) {
    // The computation lets pending events through; a timer tick there must not reach the
    // splash again and show the main window before the design is computed.
    struct TickingHost : DesignHost {
        int ticksSeen = 0;
        void DoEvents() override {
            if (fmSplash::IsLoaded() && fmSplash::Instance().Timer1.isActive()) {
                ++ticksSeen;
                fmSplash::Instance().Timer1_Timer();
            }
        }
    } host;
    DesignHost& programHost = Host();
    InstallHost(&host);
    fmSplash& splash = fmSplash::Instance();
    splash.show();
    splash.Timer1_Timer();
    InstallHost(&programHost);
    EXPECT_EQ(host.ticksSeen, 0);
    ASSERT_TRUE(MainPageExists());
    EXPECT_TRUE(TheMainPage().isVisible());
    EXPECT_FALSE(fmSplash::IsLoaded());
    delete &TheMainPage();
}

TEST_F(StartupTest, CommandLinePathLosesItsQuotes) {
    EXPECT_EQ(MainPage::ProjectPathFromCommandLine("\"/home/ann/My Designs/psu.zpj\""),
              "/home/ann/My Designs/psu.zpj");
    EXPECT_EQ(MainPage::ProjectPathFromCommandLine("  /tmp/a.zpj "), "/tmp/a.zpj");
    EXPECT_EQ(MainPage::ProjectPathFromCommandLine(""), "");
    EXPECT_EQ(MainPage::ProjectPathFromCommandLine("\""), "\"");
}

TEST_F(StartupTest, UpdateInstanceRefreshesOnlyLoadedWindowsInLoadOrder) {
    MainPage page(QString{});
    std::vector<QString> log;
    auto second = std::make_unique<RefreshProbe>("second", &log);
    QWidget other;
    platform::Forms::Register(&other);
    auto third = std::make_unique<RefreshProbe>("third", &log);
    second->closes = third.release();
    auto first = std::make_unique<RefreshProbe>("first", &log);
    page.UpdateInstance();
    // Load order is registration order; the window closed during the refresh is skipped.
    EXPECT_EQ(log, (std::vector<QString>{"second", "first"}));
    EXPECT_EQ(platform::Forms::Find("fmSummary"), nullptr);
}

TEST_F(StartupTest, CommandLineProjectIsLoadedBeforeTheFirstComputation) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/My Charger.zpj";
    ApplyDesignDefaults();
    InputStage.VacMin = 120;
    Settings.ProjectName = "Charger";
    Settings.DesignFileName = path.toStdString();
    ASSERT_EQ(SaveProject(), FileStatus::Done);
    ResetDesignState();

    MainPage page("\"" + path + "\"");
    EXPECT_FLOAT_EQ(InputStage.VacMin, 120.0f);
    EXPECT_EQ(page.windowTitle(), MainPage::CaptionPrefix + path);
    EXPECT_EQ(page.txtProject->text(), "Charger");
    EXPECT_GT(OperatingPoint.OutputPower, 0.0f);  // computed after the load
    EXPECT_TRUE(platform::MessageScript::Shown().empty());
}

TEST_F(StartupTest, UnreadableCommandLineProjectIsReportedOnceAndTheDefaultsStand) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/absent.zpj";
    MainPage page(path);
    ASSERT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_EQ(platform::MessageScript::Shown()[0].title, "File Error");
    EXPECT_TRUE(platform::MessageScript::Shown()[0].text.endsWith(path));
    EXPECT_EQ(page.windowTitle(), "Zorvic Flyback Converter Design Help :  Default.zpj");
    EXPECT_FLOAT_EQ(InputStage.VacMin, 88.0f);
    page.Initial_Setup();  // File > New
    EXPECT_EQ(platform::MessageScript::Shown().size(), 1u);
}

TEST_F(StartupTest, MalformedCommandLineProjectShowsOnlyTheLoadersMessage) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/broken.zpj";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"Zorvic Soft Version  2. 2 1\"\r\n\"File Name :\"\r\n");
    file.close();
    MainPage page(path);
    ASSERT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_EQ(platform::MessageScript::Shown()[0].text, "Wrong File Format");
    EXPECT_EQ(platform::MessageScript::Shown()[0].title, "File Error");
    EXPECT_EQ(Settings.DesignFileName, "Default.zpj");
}

// The program started as main() starts it, with real message boxes that the user answers.
struct StartCase {
    const char* name;
    const char* file;   // a file of the project corpus, "garbage" or "absent"
    const char* title;  // of the first box
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class ProgramStartTest : public ::testing::TestWithParam<StartCase> {
protected:
    void SetUp() override {
        ResetDesignState();
        platform::MessageScript::Disable();
        platform::MessageScript::Clear();
    }
    void TearDown() override {
        if (MainPageExists()) delete &TheMainPage();
        fmSplash::Unload();
        SetMainPageCommandLine(QString());
        platform::MessageScript::Enable();
    }

    // Starts the program on the case's file and runs it until the main window, once shown, is
    // closed by the user (or for at most 30 s).
    void Run() {
        QString path = folder.filePath("design.zpj");
        const QString file = GetParam().file;
        if (file == "garbage") {
            QFile garbage(path);
            ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
            garbage.write("garbage\n");
        } else if (file != "absent") {
            path = QStringLiteral(ZORVIC_PROJECT_CORPUS "/") + file;
        }
        StartProgram({path});
        // Away from the middle of the screen, where a box with no window to go by comes up.
        fmSplash::Instance().move(24, 16);
        BoxAnswerer answerer([] { return fmSplash::IsLoaded() ? fmSplash::Instance().frameGeometry() : QRect(); });
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (mainWindowUp || !MainPageExists() || !TheMainPage().isVisible()) return;
            mainWindowUp = true;
            computed = OperatingPoint.OutputPower > 0 && OperatingPoint.Efficiency > 0;
            // Time for a quit that a closed box might have asked for; then the user closes it.
            QTimer::singleShot(300, [] { TheMainPage().close(); });
        });
        watch.start(20);
        QTimer::singleShot(30000, [] { QCoreApplication::exit(3); });
        result = QApplication::exec();
        boxes = answerer.seen;
    }

    QTemporaryDir folder;
    int result = -1;
    bool mainWindowUp = false;
    bool computed = false;
    std::vector<BoxAnswerer::Seen> boxes;
};

// No box ends the program: the main window comes up with the design computed and the program
// runs on until the main window is closed.
TEST_P(ProgramStartTest, AnsweredBoxLeavesTheProgramRunning) {
    Run();
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(mainWindowUp);
    EXPECT_TRUE(computed);
    EXPECT_FALSE(fmSplash::IsLoaded());
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.front().title, GetParam().title);
}

TEST_P(ProgramStartTest, BoxesOfTheStartUpComeUpOverTheSplash) {
    Run();
    ASSERT_FALSE(boxes.empty());
    const BoxAnswerer::Seen& first = boxes.front();
    ASSERT_FALSE(first.context.isEmpty());
    EXPECT_LE((first.frame.center() - first.context.center()).manhattanLength(), 2)
        << "box at " << first.frame.x() << "," << first.frame.y();
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProgramStartTest,
    ::testing::Values(StartCase{"Refused", "garbage", "File Error"}, StartCase{"Absent", "absent", "File Error"},
                      StartCase{"WarnsInItsComputation", "six-outputs.zpj", "Diode Selection Updated"}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

