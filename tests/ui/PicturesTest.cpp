// The schematic pictures are compiled in, parse as SVG and carry the design sizes the window
// measures its layout from.

#include <gtest/gtest.h>

#include <QString>
#include <QSvgRenderer>

#include <vector>

namespace {

struct PictureCase {
    QString name;
    int width;
    int height;
};

std::vector<PictureCase> AllPictures() {
    std::vector<PictureCase> cases = {
        {"Filter0", 7500, 6300},    {"Filter1", 7500, 6300},    {"Terminator1", 1300, 1800},
        {"Terminator2", 1900, 1800}, {"Terminator3", 2500, 1800}, {"Transfo", 360, 3000},
        {"Warning", 4800, 1200},    {"Logo", 3000, 1000},       {"Cover", 1200, 800},
    };
    for (int i = 0; i < 24; ++i) {
        cases.push_back({QString("Zorvic%1").arg(i, 2, 10, QChar('0')), 13000, 3600});
    }
    for (int i = 1; i <= 8; ++i) {
        cases.push_back({QString("Schema%1").arg(i), 5500, 1260});
    }
    return cases;
}

class PicturesTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PicturesTest, LoadsWithItsDesignSize) {
    const PictureCase& c = GetParam();
    QSvgRenderer renderer(":/pictures/" + c.name + ".svg");
    ASSERT_TRUE(renderer.isValid()) << c.name.toStdString();
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, c.width, c.height)) << c.name.toStdString();
    EXPECT_EQ(renderer.defaultSize(), QSize(c.width, c.height)) << c.name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pictures, PicturesTest, ::testing::ValuesIn(AllPictures()),
                         [](const ::testing::TestParamInfo<PictureCase>& info) {
                             return info.param.name.toStdString();
                         });

}  // namespace
