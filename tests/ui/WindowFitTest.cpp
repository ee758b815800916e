// The windows a user opens from the main window, on a 1366 x 768 laptop screen: each fits it and
// shows its content, editors return to the window that opened them, and the add buttons follow
// the output count.

#include <QAction>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>

#include "CommandFixture.h"
#include "EditorDriving.h"
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
    // Runs `look` on the modal window of type D that `open` shows, then cancels it.
    template <typename D>
    static void WhileModal(const std::function<void()>& open, const std::function<void(D*)>& look) {
        bool seen = false;
        driving::WhenModal<D>([&](D* dialog) {
            seen = true;
            look(dialog);
            dialog->reject();
        });
        open();
        EXPECT_TRUE(seen);
    }
    static bool Inside(const QWidget* widget, const QWidget* area) {
        return area->rect().contains(QRect(widget->mapTo(area, QPoint(0, 0)), widget->size()));
    }
};

}  // namespace

TEST_F(WindowFitTest, TransformerWindowScrollsItsFramesWithItsButtonsInView) {
    fmTransfo* window = OpenTransformer();
    ASSERT_NE(window, nullptr);
    EXPECT_LE(window->width() + platform::FrameAllowanceWidth, Laptop.width());
    EXPECT_LE(window->height() + platform::FrameAllowanceHeight, Laptop.height());
    EXPECT_TRUE(Laptop.contains(window->pos()));
    for (QWidget* button : {window->cmdApply, window->cmdOK, window->cmdCancel, window->cmdAddOutput})
        EXPECT_TRUE(Inside(button, window)) << button->objectName().toStdString();
    EXPECT_FALSE(Inside(window->lblPowerTotal, window->scrContent->viewport()));
    // Where the screen has room, every frame shows without scrolling.
    delete window;
    platform::SetAvailableScreenArea(QRect(0, 0, 1920, 1200));
    window = OpenTransformer();
    EXPECT_EQ(window->scrContent->verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(Inside(window->lblPowerTotal, window->scrContent->viewport()));
}

TEST_F(WindowFitTest, BillOfMaterialsAndAboutBoxOpenShowingTheirText) {
    WhileModal<fmBOM>([this] { Click(page->cmdBOM); }, [](fmBOM* bom) {
        EXPECT_LE(bom->width() + platform::FrameAllowanceWidth, Laptop.width());
        EXPECT_LE(bom->height() + platform::FrameAllowanceHeight, Laptop.height());
        EXPECT_EQ(bom->txtBOMList->horizontalScrollBar()->maximum(), 0);
        EXPECT_GE(bom->txtBOMList->viewport()->height(), 20 * bom->txtBOMList->fontMetrics().lineSpacing());
        EXPECT_NE(bom->minimumSize(), bom->maximumSize());
    });
    WhileModal<fmAboutSoft>([this] { page->findChild<QAction*>(QStringLiteral("mnuAboutSoft"))->trigger(); },
                            [](fmAboutSoft* about) {
                                EXPECT_GE(about->lblZorvic->width(), about->lblZorvic->fontMetrics().horizontalAdvance(
                                                                         fmAboutSoft::VersionLine()));
                            });
}

// The output editor returns to the transformer window; an add there also greys the main window's
// add button; the transformer button brings the window back from the task bar.
TEST_F(WindowFitTest, TransformerWindowOwnsItsOutputEditorAndFollowsTheMainWindow) {
    fmTransfo* window = OpenTransformer();
    ASSERT_NE(window, nullptr);
    WhileModal<QDialog>([window] { Click(window->cmdAddOutput); },
                        [window](QDialog* editor) { EXPECT_EQ(editor->parentWidget(), window); });
    SetOutputEditorStandIn([](int16_t) { return true; });
    for (int n = 1; n <= 4; ++n) Click(page->cmdOutputCreate);
    Click(window->cmdAddOutput);
    EXPECT_EQ(Settings.AdditionalOutputs, 5);
    EXPECT_FALSE(page->cmdOutputCreate->isEnabled());
    EXPECT_FALSE(window->cmdAddOutput->isEnabled());
    window->setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(OpenTransformer(), window);
    EXPECT_EQ(window->windowState(), Qt::WindowNoState);
}
