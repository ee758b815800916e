// The windows a user opens from the main window, on a 1366 x 768 laptop screen: each fits it and
// shows its content, editors return to the window that opened them, and the add buttons follow
// the output count.

#include <QAction>
#include <QDialog>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <functional>

#include "CommandFixture.h"
#include "Forms.h"
#include "Screen.h"
#include "fmAboutSoft.h"
#include "fmBOM.h"
#include "fmTransfo.h"

using namespace zorvic;

namespace {

const QRect Laptop(0, 0, 1366, 768);

class WindowFitTest : public CommandFixture {
protected:
    void SetUp() override {
        platform::SetAvailableScreenArea(Laptop);
        CommandFixture::SetUp();
    }
    void TearDown() override {
        delete platform::Forms::Find(QStringLiteral("fmTransfo"));
        CommandFixture::TearDown();
        platform::SetAvailableScreenArea(std::nullopt);
    }

    fmTransfo* OpenTransformer() {
        Click(page->cmdTransformer);
        return qobject_cast<fmTransfo*>(platform::Forms::Find(QStringLiteral("fmTransfo")));
    }
    // Runs `look` on the modal window that `open` shows, then cancels it.
    static void WhileModal(const std::function<void()>& open, const std::function<void(QDialog*)>& look) {
        QDialog* seen = nullptr;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || seen) return;
            seen = dialog;
            look(dialog);
            dialog->reject();
        });
        timer.start(10);
        open();
        EXPECT_NE(seen, nullptr);
    }
    // The window with its frame fits the screen.
    static void FitsTheScreen(const QWidget* window) {
        EXPECT_LE(window->width() + platform::FrameAllowanceWidth, Laptop.width());
        EXPECT_LE(window->height() + platform::FrameAllowanceHeight, Laptop.height());
    }
    static bool Inside(const QWidget* widget, const QWidget* area) {
        return area->rect().contains(QRect(widget->mapTo(area, QPoint(0, 0)), widget->size()));
    }
};

}  // namespace

TEST_F(WindowFitTest, TransformerWindowScrollsItsFramesWithItsButtonsInView) {
    fmTransfo* window = OpenTransformer();
    ASSERT_NE(window, nullptr);
    FitsTheScreen(window);
    EXPECT_TRUE(Laptop.contains(window->pos()));
    for (QWidget* button : {window->cmdApply, window->cmdOK, window->cmdCancel, window->cmdAddOutput})
        EXPECT_TRUE(Inside(button, window)) << button->objectName().toStdString();
    QWidget* viewport = window->scrContent->viewport();
    EXPECT_FALSE(Inside(window->lblPowerTotal, viewport));
    window->scrContent->ensureWidgetVisible(window->lblBmax);
    EXPECT_TRUE(Inside(window->lblBmax, viewport));
    // Where the screen has room, every frame shows without scrolling.
    delete window;
    platform::SetAvailableScreenArea(QRect(0, 0, 1920, 1200));
    window = OpenTransformer();
    EXPECT_EQ(window->scrContent->verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(Inside(window->lblPowerTotal, window->scrContent->viewport()));
}

TEST_F(WindowFitTest, BillOfMaterialsAndAboutBoxOpenShowingTheirText) {
    WhileModal([this] { Click(page->cmdBOM); }, [](QDialog* dialog) {
        auto* bom = qobject_cast<fmBOM*>(dialog);
        ASSERT_NE(bom, nullptr);
        FitsTheScreen(bom);
        EXPECT_EQ(bom->txtBOMList->horizontalScrollBar()->maximum(), 0);
        EXPECT_GE(bom->txtBOMList->viewport()->height(), 20 * bom->txtBOMList->fontMetrics().lineSpacing());
        EXPECT_NE(bom->minimumSize(), bom->maximumSize());
    });
    WhileModal([this] { page->findChild<QAction*>(QStringLiteral("mnuAboutSoft"))->trigger(); }, [](QDialog* dialog) {
        auto* about = qobject_cast<fmAboutSoft*>(dialog);
        ASSERT_NE(about, nullptr);
        EXPECT_GE(about->lblZorvic->width(), about->lblZorvic->fontMetrics().horizontalAdvance(fmAboutSoft::VersionLine()));
    });
}

TEST_F(WindowFitTest, OutputEditorOpenedFromTheTransformerWindowReturnsToIt) {
    fmTransfo* window = OpenTransformer();
    ASSERT_NE(window, nullptr);
    QWidget* owner = nullptr;
    WhileModal([window] { Click(window->cmdAddOutput); }, [&owner](QDialog* editor) { owner = editor->parentWidget(); });
    EXPECT_EQ(owner, window);
}

TEST_F(WindowFitTest, BothAddButtonsFollowAnAddFromTheTransformerWindow) {
    SetOutputEditorStandIn([](int16_t) { return true; });
    for (int n = 1; n <= 4; ++n) Click(page->cmdOutputCreate);
    fmTransfo* window = OpenTransformer();
    ASSERT_NE(window, nullptr);
    Click(window->cmdAddOutput);
    EXPECT_EQ(Settings.AdditionalOutputs, 5);
    EXPECT_FALSE(page->cmdOutputCreate->isEnabled());
    EXPECT_FALSE(window->cmdAddOutput->isEnabled());
}

TEST_F(WindowFitTest, TransformerButtonBringsBackAMinimisedWindow) {
    fmTransfo* window = OpenTransformer();
    ASSERT_NE(window, nullptr);
    window->setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(OpenTransformer(), window);
    EXPECT_EQ(window->windowState(), Qt::WindowNoState);
}
