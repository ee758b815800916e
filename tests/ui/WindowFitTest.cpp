// The windows a user opens from the main window, on a 1366 x 768 laptop screen: each fits it and
// shows its content (the transformer window scrolls its frames, its buttons always in view),
// editors return to the window that opened them, and the add buttons follow the output count.

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
    // Runs `look` on the modal window that `open` shows, then closes it as a user who cancels.
    static void WhileModal(const std::function<void()>& open, const std::function<void(QDialog*)>& look) {
        bool seen = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || seen) return;
            seen = true;
            QApplication::processEvents();
            look(dialog);
            dialog->reject();
        });
        timer.start(10);
        open();
        EXPECT_TRUE(seen);
    }
    // A window of that client size with its frame fits the screen, and lies on it.
    static void FitsTheScreen(const QWidget* window) {
        EXPECT_LE(window->width() + platform::FrameAllowanceWidth, Laptop.width());
        EXPECT_LE(window->height() + platform::FrameAllowanceHeight, Laptop.height());
        if (window->isVisible()) {
            EXPECT_TRUE(Laptop.contains(window->pos()));
        }
    }
    // Whether a widget lies wholly inside `area`, a widget that holds it.
    static bool Inside(const QWidget* widget, const QWidget* area) {
        return area->rect().contains(QRect(widget->mapTo(area, QPoint(0, 0)), widget->size()));
    }
};

}  // namespace

TEST_F(WindowFitTest, TransformerWindowFitsTheLaptopScreenWithItsButtonsInView) {
    fmTransfo* window = OpenTransformer();
    ASSERT_NE(window, nullptr);
    FitsTheScreen(window);
    for (QWidget* button : {window->cmdApply, window->cmdOK, window->cmdCancel, window->cmdAddOutput})
        EXPECT_TRUE(Inside(button, window)) << button->objectName().toStdString();
    // The lowest frames are there to scroll to.
    QWidget* viewport = window->scrContent->viewport();
    EXPECT_FALSE(Inside(window->lblPowerTotal, viewport));
    window->scrContent->ensureWidgetVisible(window->lblBmax);
    EXPECT_TRUE(Inside(window->lblBmax, viewport));
}

TEST_F(WindowFitTest, TransformerWindowKeepsItsWholeLayoutOnALargeScreen) {
    platform::SetAvailableScreenArea(QRect(0, 0, 1920, 1200));
    fmTransfo* window = OpenTransformer();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->scrContent->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(window->scrContent->horizontalScrollBar()->maximum(), 0);
    EXPECT_TRUE(Inside(window->lblPowerTotal, window->scrContent->viewport()));
}

TEST_F(WindowFitTest, BillOfMaterialsShowsWholeLinesAndTwentyOfThem) {
    WhileModal([this] { Click(page->cmdBOM); }, [](QDialog* dialog) {
        auto* bom = qobject_cast<fmBOM*>(dialog);
        ASSERT_NE(bom, nullptr);
        FitsTheScreen(bom);
        EXPECT_EQ(bom->txtBOMList->horizontalScrollBar()->maximum(), 0);
        EXPECT_GE(bom->txtBOMList->viewport()->height(), 20 * bom->txtBOMList->fontMetrics().lineSpacing());
        EXPECT_NE(bom->minimumSize(), bom->maximumSize());  // the user can resize it
    });
}

TEST_F(WindowFitTest, AboutBoxShowsTheWholeVersionLine) {
    auto* item = page->findChild<QAction*>(QStringLiteral("mnuAboutSoft"));
    ASSERT_NE(item, nullptr);
    WhileModal([item] { item->trigger(); }, [](QDialog* dialog) {
        auto* about = qobject_cast<fmAboutSoft*>(dialog);
        ASSERT_NE(about, nullptr);
        FitsTheScreen(about);
        EXPECT_GE(about->lblZorvic->width(), about->lblZorvic->fontMetrics().horizontalAdvance(fmAboutSoft::VersionLine()));
        EXPECT_TRUE(Inside(about->lblZorvic, about));
    });
}

TEST_F(WindowFitTest, OutputEditorOpenedFromTheTransformerWindowReturnsToIt) {
    fmTransfo* window = OpenTransformer();
    ASSERT_NE(window, nullptr);
    QWidget* owner = nullptr;
    WhileModal([window] { Click(window->cmdAddOutput); }, [&owner](QDialog* editor) { owner = editor->parentWidget(); });
    EXPECT_EQ(owner, window);
    EXPECT_EQ(Settings.AdditionalOutputs, 0);  // cancelled
}

TEST_F(WindowFitTest, BothAddButtonsFollowAnAddFromTheTransformerWindow) {
    SetOutputEditorStandIn([](int16_t) {
        OutputWork.Voltage = 12;
        OutputWork.Current = 0.1f;
        return true;
    });
    for (int n = 1; n <= 4; ++n) Click(page->cmdOutputCreate);
    fmTransfo* window = OpenTransformer();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->cmdAddOutput->isEnabled());
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
    EXPECT_TRUE(window->isVisible());
}
