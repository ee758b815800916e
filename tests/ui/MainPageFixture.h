#pragma once
// A main window made fresh for each test, from a reset design state, with helpers to draw it at
// a window size and to find its widgets.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <memory>

#include "MainPage.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "Twips.h"
#include "Variables.h"

class MainPageFixture : public ::testing::Test {
protected:
    void SetUp() override {
        platform::MessageScript::Clear();
        page = std::make_unique<MainPage>(QString{});
    }
    void TearDown() override { page.reset(); }

    // Shows the window at a size in pixels; showing and resizing draw it.
    void ShowAt(int width, int height) {
        page->resize(width, height);
        page->show();
        QApplication::processEvents();
    }
    // Shows the window so that the schematic's drawing area, below the tool row, has a size in
    // pixels.
    void ShowDrawingAt(int width, int height) {
        ShowAt(width, height);
        const int rows = page->height() - page->picSchematic->height();
        page->resize(width, height + rows);
        QApplication::processEvents();
    }

    // Where a label's horizontal centre lies in its container, in twips.
    static double CentreTwips(const QWidget* w) { return platform::PixelsToTwips(w->x() + w->width() / 2.0); }
    static double TopTwips(const QWidget* w) { return platform::PixelsToTwips(w->y()); }
    bool Shown(const QWidget* w) const { return w->isVisibleTo(page.get()); }
    // One pixel in twips: the rounding of a place on the screen.
    static double Pixel() { return platform::PixelsToTwips(1); }

    std::unique_ptr<MainPage> page;
};
