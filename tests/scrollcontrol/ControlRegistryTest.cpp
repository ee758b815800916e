// The control registry: registering and unregistering control libraries, and creating a
// control by class identifier with clear refusals for what cannot be created.

#include <gtest/gtest.h>

#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include "ControlRegistry.h"

using platform::ControlRegistry::CreateControl;
using platform::ControlRegistry::Entries;
using platform::ControlRegistry::Register;
using platform::ControlRegistry::Unregister;

namespace {

// A registry of its own in a fresh folder for each test.
class ControlRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        registry = folder.filePath("controls.conf");
        platform::ControlRegistry::SetLocation(registry);
    }
    void TearDown() override { platform::ControlRegistry::SetLocation(QString()); }

    void WriteRegistry(const QByteArray& content) {
        QFile file(registry);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    static QString Library() { return QFileInfo(GLIDEBAR_LIBRARY).canonicalFilePath(); }

    QTemporaryDir folder;
    QString registry;
};

}  // namespace

TEST_F(ControlRegistryTest, RegisteringRecordsTheClassAndTheLibraryPath) {
    const platform::RegistryStatus status = Register(GLIDEBAR_LIBRARY);
    ASSERT_TRUE(status.ok) << status.error.toStdString();
    const auto entries = Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].classId, "Glidebar.Glidebar");
    EXPECT_EQ(entries[0].libraryPath, Library());
}

TEST_F(ControlRegistryTest, RegisteringTwiceKeepsOneEntry) {
    ASSERT_TRUE(Register(GLIDEBAR_LIBRARY).ok);
    ASSERT_TRUE(Register(GLIDEBAR_LIBRARY).ok);
    EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(ControlRegistryTest, RegisteringTakesOverAStaleEntryAndKeepsOthers) {
    WriteRegistry("Other.Control=/opt/other/libother.so\nGlidebar.Glidebar=/gone/libglidebar.so\n");
    ASSERT_TRUE(Register(GLIDEBAR_LIBRARY).ok);
    const auto entries = Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].classId, "Other.Control");
    EXPECT_EQ(entries[0].libraryPath, "/opt/other/libother.so");
    EXPECT_EQ(entries[1].libraryPath, Library());
}

TEST_F(ControlRegistryTest, UnregisteringRemovesOnlyTheLibrarysClasses) {
    WriteRegistry("Other.Control=/opt/other/libother.so\n");
    ASSERT_TRUE(Register(GLIDEBAR_LIBRARY).ok);
    const platform::RegistryStatus status = Unregister(GLIDEBAR_LIBRARY);
    ASSERT_TRUE(status.ok) << status.error.toStdString();
    const auto entries = Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].classId, "Other.Control");
}

TEST_F(ControlRegistryTest, UnregisteringLeavesTheClassWhenAnotherLibraryServesIt) {
    WriteRegistry("Glidebar.Glidebar=/opt/newer/libglidebar.so\n");
    ASSERT_TRUE(Unregister(GLIDEBAR_LIBRARY).ok);
    ASSERT_EQ(Entries().size(), 1u);
    EXPECT_EQ(Entries()[0].libraryPath, "/opt/newer/libglidebar.so");
}

TEST_F(ControlRegistryTest, UnregisteringADeletedLibraryRemovesItsEntries) {
    const QString gone = folder.filePath("libdeleted.so");
    WriteRegistry(("Glidebar.Glidebar=" + gone + "\nOther.Control=/opt/other/libother.so\n").toUtf8());
    ASSERT_TRUE(Unregister(gone).ok);
    ASSERT_EQ(Entries().size(), 1u);
    EXPECT_EQ(Entries()[0].classId, "Other.Control");
    EXPECT_FALSE(Unregister(gone).ok);  // nothing left that names it
}

TEST_F(ControlRegistryTest, RefusesToRegisterWhatIsNoControlLibrary) {
    const platform::RegistryStatus missing = Register(folder.filePath("libnothing.so"));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.error.contains("does not exist")) << missing.error.toStdString();
    const platform::RegistryStatus notControl = Register(NOT_A_CONTROL_LIBRARY);
    EXPECT_FALSE(notControl.ok);
    EXPECT_TRUE(notControl.error.contains("is not a control library")) << notControl.error.toStdString();
    EXPECT_FALSE(QFile::exists(registry));
}

TEST_F(ControlRegistryTest, MalformedLinesAreSkipped) {
    WriteRegistry("# comment\n\nno equals sign\n=/lib/without/class.so\nEmpty.Path=\nGood.One = /opt/x.so \n");
    const auto entries = Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].classId, "Good.One");
    EXPECT_EQ(entries[0].libraryPath, "/opt/x.so");
}

TEST_F(ControlRegistryTest, OversizedRegistryIsLeftAlone) {
    WriteRegistry(QByteArray(300 * 1024, 'x'));
    EXPECT_TRUE(Entries().empty());
    const platform::RegistryStatus status = Register(GLIDEBAR_LIBRARY);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(QFileInfo(registry).size(), 300 * 1024);
}

TEST_F(ControlRegistryTest, LocationComesFromTheEnvironmentUnlessSet) {
    platform::ControlRegistry::SetLocation(QString());
    const QByteArray saved = qgetenv("ZORVIC_CONTROL_REGISTRY");
    qputenv("ZORVIC_CONTROL_REGISTRY", registry.toUtf8());
    EXPECT_EQ(platform::ControlRegistry::Location(), registry);
    qputenv("ZORVIC_CONTROL_REGISTRY", saved);
}

TEST_F(ControlRegistryTest, CreatesTheControlByClassIdentifier) {
    ASSERT_TRUE(Register(GLIDEBAR_LIBRARY).ok);
    QWidget host;
    platform::ControlCreation created = CreateControl("Glidebar.Glidebar", &host);
    ASSERT_TRUE(created.control) << created.error.toStdString();
    QWidget* widget = created.control->Widget();
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), &host);
    EXPECT_NE(widget->findChild<QWidget*>("cmdButton"), nullptr);
}

struct RefusalCase {
    const char* name;
    const char* registryLine;  // with $FOLDER, $GLIDEBAR and $NOTCONTROL filled in
    const char* classId;
    const char* errorPart;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class ControlRefusalTest : public ControlRegistryTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ControlRefusalTest, RefusedWithAClearError) {
    const RefusalCase c = GetParam();
    QString line = QString::fromUtf8(c.registryLine)
                       .replace("$FOLDER", folder.path())
                       .replace("$GLIDEBAR", Library())
                       .replace("$NOTCONTROL", NOT_A_CONTROL_LIBRARY);
    WriteRegistry(line.toUtf8());
    QFile text(folder.filePath("text.so"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a library");
    text.close();
    QWidget host;
    const platform::ControlCreation created = CreateControl(c.classId, &host);
    EXPECT_EQ(created.control, nullptr);
    EXPECT_TRUE(created.error.contains(c.errorPart)) << created.error.toStdString();
    EXPECT_TRUE(host.children().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ControlRefusalTest,
    ::testing::Values(RefusalCase{"Unregistered", "", "Glidebar.Glidebar", "is not registered"},
                      RefusalCase{"OtherClassOnly", "Other.Control=/opt/x.so\n", "Glidebar.Glidebar",
                                  "is not registered"},
                      RefusalCase{"LibraryGone", "Glidebar.Glidebar=$FOLDER/libgone.so\n", "Glidebar.Glidebar",
                                  "does not exist any more"},
                      RefusalCase{"NotALibrary", "Glidebar.Glidebar=$FOLDER/text.so\n", "Glidebar.Glidebar",
                                  "cannot be loaded"},
                      RefusalCase{"NotAControlLibrary", "Glidebar.Glidebar=$NOTCONTROL\n", "Glidebar.Glidebar",
                                  "is not a control library"},
                      RefusalCase{"ClassNotServed", "Other.Control=$GLIDEBAR\n", "Other.Control",
                                  "does not serve the class"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(ControlRegistryTest, LibraryCanUnloadOnlyWhenNoInstanceLives) {
    ASSERT_TRUE(Register(GLIDEBAR_LIBRARY).ok);
    QLibrary library(GLIDEBAR_LIBRARY);
    ASSERT_TRUE(library.load());
    auto canUnloadNow = reinterpret_cast<DllCanUnloadNowFunction>(library.resolve("DllCanUnloadNow"));
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(canUnloadNow(), ZcOk);
    {
        QWidget host;
        platform::ControlCreation first = CreateControl("Glidebar.Glidebar", &host);
        platform::ControlCreation second = CreateControl("Glidebar.Glidebar", &host);
        ASSERT_TRUE(first.control && second.control);
        EXPECT_EQ(canUnloadNow(), ZcFalse);
        delete first.control->Widget();
        EXPECT_EQ(canUnloadNow(), ZcFalse);
        EXPECT_EQ(first.control->Widget(), nullptr);
        EXPECT_FALSE(first.control->Invoke("UpdateScroll", 0.5));
    }
    EXPECT_EQ(canUnloadNow(), ZcOk);
}

TEST_F(ControlRegistryTest, RegistrationCommandRegistersAndUnregisters) {
    QProcess command;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ZORVIC_CONTROL_REGISTRY", registry);
    command.setProcessEnvironment(environment);
    auto run = [&](const QStringList& arguments) {
        command.start(REGCTL_PROGRAM, arguments);
        EXPECT_TRUE(command.waitForFinished(30000));
        return command.exitCode();
    };
    EXPECT_EQ(run({"register", GLIDEBAR_LIBRARY}), 0);
    EXPECT_EQ(run({"register", GLIDEBAR_LIBRARY}), 0);
    ASSERT_EQ(Entries().size(), 1u);
    EXPECT_EQ(run({"register", NOT_A_CONTROL_LIBRARY}), 1);
    EXPECT_TRUE(command.readAllStandardError().contains("is not a control library"));
    EXPECT_EQ(run({"unregister", GLIDEBAR_LIBRARY}), 0);
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(run({"bogus"}), 2);
}

TEST_F(ControlRegistryTest, BuildStepWarnsButSucceedsWhenTheRegistryCannotBeWritten) {
    QProcess step;
    auto run = [&](const QString& location) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ZORVIC_CONTROL_REGISTRY", location);
        step.setProcessEnvironment(environment);
        step.start(CMAKE_PROGRAM, {"-DREGCTL=" REGCTL_PROGRAM, "-DLIBRARY=" GLIDEBAR_LIBRARY, "-P", REGISTER_SCRIPT});
        EXPECT_TRUE(step.waitForFinished(30000));
        return step.exitCode();
    };
    // A registry whose folder would have to be made inside a plain file.
    QFile blocker(folder.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(run(folder.filePath("blocker/controls.conf")), 0);
    const QByteArray warning = step.readAllStandardError();
    EXPECT_TRUE(warning.contains("not registered")) << warning.toStdString();
    EXPECT_TRUE(warning.contains("cannot be made")) << warning.toStdString();

    EXPECT_EQ(run(registry), 0);
    ASSERT_EQ(Entries().size(), 1u);
    EXPECT_EQ(Entries()[0].libraryPath, Library());
}
