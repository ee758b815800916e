// The design file commands clicked on the main window: the save prompt before New, Open and
// closing with each answer, failed Opens, where Save's dialog starts and what it writes, the
// project name, and files of the project corpus opened onto the schematic.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <thread>
#include <tuple>

#include "CommandFixture.h"
#include "FileManagement.h"
#include "Forms.h"
#include "SvgPicture.h"
#include "Variables.h"
#include "fmBOM.h"
#include "fmCurve.h"
#include "fmSummary.h"
#include "fmTransfo.h"

using namespace zorvic;
namespace FileDialogScript = platform::FileDialogScript;

namespace {

QString FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

enum class Command { New, Open, Close };

struct Reply {
    const char* name;
    int answer;          // to the save prompt; 0: the design is saved and nothing is asked
    const char* saveAs;  // the save dialog's answer: "written", "cancel" or "unwritable"
    bool goesOn;         // the command discards the design
};

const Reply Replies[] = {
    {"Saved", 0, nullptr, true},
    {"Yes", platform::AnswerYes, "written", true},
    {"YesThenCancelledDialog", platform::AnswerYes, "cancel", false},
    {"YesThenFailedSave", platform::AnswerYes, "unwritable", false},
    {"No", platform::AnswerNo, nullptr, true},
    {"Cancel", platform::AnswerCancel, nullptr, false},
};

void PrintTo(const Reply& r, std::ostream* os) { *os << r.name; }

class SavePromptTest : public CommandFixture, public ::testing::WithParamInterface<std::tuple<Command, Reply>> {};

std::string PromptCaseName(const ::testing::TestParamInfo<std::tuple<Command, Reply>>& info) {
    static const char* const commands[] = {"New", "Open", "Close"};
    return std::string(commands[static_cast<int>(std::get<0>(info.param))]) + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Answers, SavePromptTest,
                         ::testing::Combine(::testing::Values(Command::New, Command::Open, Command::Close),
                                            ::testing::ValuesIn(Replies)),
                         PromptCaseName);

class FileCommandsTest : public CommandFixture {};

}  // namespace

TEST_P(SavePromptTest, CommandGoesOnOnlyWhenTheDesignWasSavedOrLetGo) {
    const auto& [command, reply] = GetParam();
    const QString written = dir.filePath(QStringLiteral("kept.zpj"));
    // A folder that is a regular file: no one can write there, root included.
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    const QString unwritable = dir.filePath(QStringLiteral("plain/kept.zpj"));
    const QString saveAs = reply.saveAs ? reply.saveAs : "";
    if (reply.answer) {
        Click(page->cmdSnubber);
        platform::MessageScript::PushAnswer(reply.answer);
    }
    if (saveAs == "cancel") FileDialogScript::PushCancel();
    if (saveAs == "written" || saveAs == "unwritable") FileDialogScript::PushPath(saveAs == "written" ? written : unwritable);
    if (command == Command::Open) FileDialogScript::PushPath(Corpus("dc-input.zpj"));

    if (command == Command::New) Click(page->cmdFileNew);
    if (command == Command::Open) Click(page->cmdOpenFile);
    if (command == Command::Close) page->mnuClose->trigger();

    std::vector<QString> expected;
    if (reply.answer) expected.push_back("Save Design ?: Do You Want To Save Current Design");
    if (saveAs == "unwritable") expected.push_back("File Error: Cannot Save File : " + unwritable);
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(QFile::exists(written), saveAs == "written");
    const bool opened = command == Command::Open && reply.goesOn;
    EXPECT_EQ(FileDialogScript::Shown().size(), (reply.saveAs ? 1u : 0u) + (opened ? 1u : 0u));

    EXPECT_EQ(page->isVisible(), command != Command::Close || !reply.goesOn);
    // New and Open replace the changed design (its clamp); a close leaves it as it was.
    const bool replaced = reply.goesOn && command != Command::Close;
    EXPECT_EQ(Clamper.RCClamper, !reply.answer || replaced);
    EXPECT_EQ(Settings.DesignSaved, !reply.answer || replaced || saveAs == "written");
    const QString name = opened ? QStringLiteral("dc.zpj")  // the name the file holds
                         : command == Command::Close && saveAs == "written" ? written
                                                                             : QStringLiteral("Default.zpj");
    EXPECT_EQ(page->windowTitle(), Caption(name));
    EXPECT_EQ(QString::fromStdString(Settings.DesignFileName), name);
}

TEST_F(FileCommandsTest, ClosingUnloadsTheResultWindowsOnly) {
    QString error;
    std::unique_ptr<fmCurve> curve = fmCurve::Create(error);
    ASSERT_TRUE(curve) << error.toStdString();
    const std::vector<QPointer<QWidget>> windows{curve.release(), new fmSummary, new fmTransfo, new fmBOM, new QWidget};
    for (QWidget* window : windows) platform::Forms::Register(window);
    page->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (std::size_t k = 0; k < 4; ++k) EXPECT_TRUE(windows[k].isNull()) << k;
    ASSERT_FALSE(windows[4].isNull());
    delete windows[4].data();
}

TEST_F(FileCommandsTest, FailedOpenSaysWhatFailedAndKeepsTheDesign) {
    const QString missing = dir.filePath(QStringLiteral("missing.zpj"));
    const QString garbage = dir.filePath(QStringLiteral("garbage.zpj"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"Zorvic Soft Version  2. 2 1\"\r\n\"File Name :\"\r\n\"x.zpj\"\r\n");
    file.close();
    InputStage.VacMin = 100;
    struct Case {
        QString path;  // empty: the dialog is cancelled
        std::vector<QString> messages;
    };
    for (const Case& c : {Case{missing, {"File Error: Cannot Open File : " + missing}},
                          Case{garbage, {"File Error: Wrong File Format"}}, Case{{}, {}}}) {
        platform::MessageScript::Clear();
        if (c.path.isEmpty()) FileDialogScript::PushCancel();
        else FileDialogScript::PushPath(c.path);
        Click(page->cmdOpenFile);
        EXPECT_EQ(Messages(), c.messages);
        EXPECT_FLOAT_EQ(InputStage.VacMin, 100.0f);
        EXPECT_EQ(page->windowTitle(), Caption("Default.zpj"));
    }
}

TEST_F(FileCommandsTest, SaveAfterOpenOffersTheStoredNameAndWritesThePathChosen) {
    FileDialogScript::PushPath(Corpus("six-outputs.zpj"));
    Click(page->cmdOpenFile);
    const QString path = dir.filePath(QStringLiteral("bench.zpj"));
    FileDialogScript::PushPath(path);
    page->mnuSave->trigger();
    ASSERT_EQ(FileDialogScript::Shown().size(), 2u);
    EXPECT_EQ(FileDialogScript::Shown()[1].kind, platform::FileDialogKind::Save);
    EXPECT_EQ(FileDialogScript::Shown()[1].nameFilters, (QStringList{"Zorvic design (*.zpj)", "All Files (*)"}));
    // The name the file holds, in the folder it was opened from.
    EXPECT_EQ(FileDialogScript::Shown()[1].startName, Corpus("six outputs.zpj"));
    EXPECT_TRUE(FileText(path).contains("\"File Name :\"\r\n\"" + path + "\"\r\n"));
    EXPECT_EQ(page->windowTitle(), Caption(path));
}

TEST_F(FileCommandsTest, SaveOntoAReadOnlyFileIsRefusedAndKeepsIt) {
    const QString path = dir.filePath(QStringLiteral("x.zpj"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    Click(page->cmdSnubber);
    FileDialogScript::PushPath(path);
    Click(page->cmdFileSave);
    EXPECT_EQ(Messages(), std::vector<QString>{"File Error: Cannot Save File : " + path});
    EXPECT_EQ(FileText(path), "old");
    EXPECT_FALSE(Settings.DesignSaved);
}

// A named pipe is no design file: Open refuses it at once instead of waiting for a writer.
TEST_F(FileCommandsTest, OpenRefusesANamedPipeWithoutWaiting) {
    const QString pipe = dir.filePath(QStringLiteral("pipe.zpj"));
    const QByteArray local = QFile::encodeName(pipe);
    ASSERT_EQ(::mkfifo(local.constData(), 0600), 0);
    QFile design(Corpus("six-outputs.zpj"));
    ASSERT_TRUE(design.open(QIODevice::ReadOnly));
    const QByteArray content = design.readAll();
    // A writer that hands a whole design to whoever opens the pipe.
    std::thread writer([&] {
        const int fd = ::open(local.constData(), O_WRONLY);
        if (fd < 0) return;
        [[maybe_unused]] const ssize_t written = ::write(fd, content.constData(), static_cast<size_t>(content.size()));
        ::close(fd);
    });
    FileDialogScript::PushPath(pipe);
    Click(page->cmdOpenFile);
    // The writer goes on when the program did not open the pipe.
    const int reader = ::open(local.constData(), O_RDONLY | O_NONBLOCK);
    writer.join();
    if (reader >= 0) ::close(reader);
    EXPECT_EQ(Messages(), std::vector<QString>{"File Error: Cannot Open File : " + pipe});
    EXPECT_EQ(page->windowTitle(), Caption("Default.zpj"));
}

// A typed name is a change of the design: closing asks before it is lost.
TEST_F(FileCommandsTest, ProjectNameIsTakenAsTypedAndNewClearsIt) {
    QTest::keyClicks(page->txtProject, "Charger");
    EXPECT_EQ(Settings.ProjectName, "Charger");  // before the box loses the focus
    EXPECT_FALSE(Settings.DesignSaved);
    platform::MessageScript::PushAnswer(platform::AnswerCancel);
    page->mnuClose->trigger();
    EXPECT_EQ(Messages(), std::vector<QString>{"Save Design ?: Do You Want To Save Current Design"});
    EXPECT_TRUE(page->isVisible());
    const QString path = dir.filePath(QStringLiteral("charger.zpj"));
    FileDialogScript::PushPath(path);
    Click(page->cmdFileSave);
    EXPECT_TRUE(FileText(path).contains("\"Project Name\"\r\n\"Charger\"\r\n"));
    Click(page->cmdFileNew);
    EXPECT_TRUE(page->txtProject->text().isEmpty());
    EXPECT_TRUE(Settings.ProjectName.empty());
}

TEST_F(FileCommandsTest, OpenedSixOutputDesignIsDrawnAndNewReturnsTheDefault) {
    FileDialogScript::PushPath(Corpus("six-outputs.zpj"));
    Click(page->cmdOpenFile);
    EXPECT_EQ(page->windowTitle(), Caption("six outputs.zpj"));
    EXPECT_EQ(page->txtProject->text(), "Bench supply, rev. B");
    EXPECT_EQ(page->RegulationType->currentText(), "Secondary Regulation");
    // Main output code 12 with the family-3 chip: 3 + 6, whatever the file stored (13).
    EXPECT_EQ(page->ZorvicHost->Picture(), "Zorvic09");
    EXPECT_EQ(page->cmdSnubber->text(), "RC Clamper");
    EXPECT_FALSE(page->cmdOutputCreate->isEnabled());
    const char* blocks[] = {"", "Schema3", "Schema5", "Schema7", "", ""};  // codes 9 and 11 have no block
    for (std::size_t i = 1; i <= 5; ++i) EXPECT_EQ(Shown(page->Output[i]) ? page->Output[i]->Picture() : "-", blocks[i]);
    EXPECT_EQ(page->lblSerial[2]->toolTip(), "Output2 Filtering Inductor");
    EXPECT_TRUE(Shown(page->Terminator[2]));
    EXPECT_EQ(page->lblTerm[4]->text(), "Out1");

    Click(page->cmdFileNew);
    EXPECT_EQ(page->windowTitle(), Caption("Default.zpj"));
    EXPECT_EQ(page->RegulationType->currentText(), "Primary Regulation");
    EXPECT_EQ(page->ZorvicHost->Picture(), "Zorvic18");
    EXPECT_EQ(page->cmdSnubber->text(), "Dravex Clamper");
    EXPECT_TRUE(page->cmdOutputCreate->isEnabled());
    for (std::size_t i = 1; i <= 5; ++i) EXPECT_FALSE(Shown(page->Output[i])) << i;
    EXPECT_FALSE(Shown(page->Terminator[2]));
}

TEST_F(FileCommandsTest, OpenedSecondaryDesignWithoutLoopFallsBackToPrimary) {
    const QString path = dir.filePath(QStringLiteral("loopless.zpj"));
    OperatingPoint.SecondaryRegulation = true;
    Outputs[0].OutputType = 10;
    Settings.DesignFileName = path.toStdString();
    ASSERT_EQ(SaveProject(), FileStatus::Done);
    Click(page->cmdFileNew);
    FileDialogScript::PushPath(path);
    Click(page->cmdOpenFile);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].startsWith("Secondary Regulation Error: "));
    EXPECT_EQ(page->RegulationType->currentText(), "Primary Regulation");
    EXPECT_EQ(Outputs[0].OutputType, 9);
    // Not secondary before the user's next choice, which looks for an output again.
    platform::MessageScript::Clear();
    QTest::keyClick(page->RegulationType, Qt::Key_Up);
    EXPECT_TRUE(platform::MessageScript::Shown().empty());
    EXPECT_TRUE(Outputs[0].Regulated);
}
