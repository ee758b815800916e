// The library's entry points called directly, as any container could: whatever arrives, the
// answer is a status, never a crash.

#include <gtest/gtest.h>

#include <QLibrary>
#include <QWidget>

#include "ControlServerAbi.h"

namespace {

class ControlServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        library.setFileName(GLIDEBAR_LIBRARY);
        ASSERT_TRUE(library.load()) << library.errorString().toStdString();
        getClassObject = reinterpret_cast<DllGetClassObjectFunction>(library.resolve("DllGetClassObject"));
        registerServer = reinterpret_cast<DllRegisterServerFunction>(library.resolve("DllRegisterServer"));
        ASSERT_NE(getClassObject, nullptr);
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(getClassObject("Glidebar.Glidebar", ZC_ABI_VERSION, &factory), ZcOk);
        ASSERT_NE(factory, nullptr);
    }

    QLibrary library;
    DllGetClassObjectFunction getClassObject = nullptr;
    DllRegisterServerFunction registerServer = nullptr;
    const ZcControlFactory* factory = nullptr;
};

}  // namespace

TEST_F(ControlServerTest, ClassObjectOnlyForItsClassAndInterfaceVersion) {
    const ZcControlFactory* other = factory;
    EXPECT_EQ(getClassObject("Other.Control", ZC_ABI_VERSION, &other), ZcClassNotAvailable);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(getClassObject(nullptr, ZC_ABI_VERSION, &other), ZcClassNotAvailable);
    EXPECT_EQ(getClassObject("Glidebar.Glidebar", ZC_ABI_VERSION + 1, &other), ZcVersionMismatch);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(getClassObject("Glidebar.Glidebar", ZC_ABI_VERSION, nullptr), ZcInvalidArgument);
}

TEST_F(ControlServerTest, RegistrationWithoutARegistrarIsRefused) {
    EXPECT_EQ(registerServer(nullptr), ZcInvalidArgument);
    const ZcRegistrar empty{nullptr, nullptr, nullptr};
    EXPECT_EQ(registerServer(&empty), ZcInvalidArgument);
}

TEST_F(ControlServerTest, CallsOnWhatIsNoLiveInstanceAreRefused) {
    QWidget stranger;
    QWidget* gone = static_cast<QWidget*>(factory->CreateInstance(nullptr));
    ASSERT_NE(gone, nullptr);
    delete gone;
    const ZcPropertyBag bag{nullptr, nullptr, nullptr};
    for (void* instance : {static_cast<void*>(&stranger), static_cast<void*>(gone), static_cast<void*>(nullptr)}) {
        EXPECT_EQ(factory->SetText(instance, "LeftLabel", "x"), ZcInvalidArgument);
        EXPECT_EQ(factory->SetNumber(instance, "ButtonLeft", 10), ZcInvalidArgument);
        EXPECT_EQ(factory->Invoke(instance, "UpdateScroll", 0.5), ZcInvalidArgument);
        EXPECT_EQ(factory->Advise(instance, nullptr), ZcInvalidArgument);
        EXPECT_EQ(factory->ReadProperties(instance, &bag), ZcInvalidArgument);
    }
}

TEST_F(ControlServerTest, NullTextsAndBagsAreRefused) {
    QWidget host;
    void* instance = factory->CreateInstance(&host);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(factory->SetText(instance, "LeftLabel", nullptr), ZcInvalidArgument);
    EXPECT_EQ(factory->SetText(instance, nullptr, "x"), ZcInvalidArgument);
    EXPECT_EQ(factory->Invoke(instance, nullptr, 0.5), ZcInvalidArgument);
    EXPECT_EQ(factory->ReadProperties(instance, nullptr), ZcInvalidArgument);
    const ZcPropertyBag noPut{nullptr, nullptr, nullptr};
    EXPECT_EQ(factory->WriteProperties(instance, &noPut), ZcInvalidArgument);
    EXPECT_EQ(factory->SetText(instance, "LeftLabel", "85 V"), ZcOk);
}
