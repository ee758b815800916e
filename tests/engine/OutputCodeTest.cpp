// Every stored output type code against what it means. A code dropped from (or added to) any
// question fails its row.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "OutputCode.h"

using namespace zorvic;

namespace {

// Columns: kind (Z Zener, V regulator, S inductor, D plain, - none), then 0/1 for negative,
// main code, primary, secondary, second cell, carries the loop; the codes after choosing
// primary and secondary regulation; the chip picture step.
struct CodeRow {
    int16_t code;
    const char* answers;
    int16_t toPrimary;
    int16_t toSecondary;
    int16_t pictureStep;
};

constexpr CodeRow Rows[] = {
    {0, "-000000", 0, 0, 0},    {1, "Z001010", 1, 1, 0},    {2, "Z100110", 2, 2, 0},    {3, "V001010", 3, 3, 0},
    {4, "V100110", 4, 4, 0},    {5, "S001011", 5, 5, 0},    {6, "S100110", 6, 6, 0},    {7, "D001001", 7, 7, 0},
    {8, "D100100", 8, 8, 0},    {9, "S011011", 9, 10, 0},   {10, "S010111", 9, 10, 1},  {11, "D011001", 11, 12, 2},
    {12, "D010101", 11, 12, 3}, {13, "V011010", 13, 14, 4}, {14, "V010110", 13, 14, 5}, {15, "-000000", 15, 15, 5},
};

TEST(OutputCodeTest, EveryCodeAnswersItsQuestions) {
    for (const CodeRow& row : Rows) {
        SCOPED_TRACE(row.code);
        const OutputCode type(row.code);
        const auto bit = [](bool b) { return b ? '1' : '0'; };
        const char kind = type.Kind() ? "ZVSD"[static_cast<int>(*type.Kind())] : '-';
        const std::string answers{kind, bit(type.Negative()), bit(type.IsMainCode()),
                                  bit(type.PrimaryRegulated()), bit(type.SecondaryRegulated()),
                                  bit(type.HasSecondCell()), bit(type.CanCarryLoop())};
        EXPECT_EQ(answers, row.answers);
        // The kind questions, validity and the main/additional split agree with the kind column.
        EXPECT_EQ(type.Valid(), row.answers[0] != '-');
        EXPECT_EQ(type.IsZener(), row.answers[0] == 'Z');
        EXPECT_EQ(type.IsRegulator(), row.answers[0] == 'V');
        EXPECT_EQ(type.IsInductorFilter(), row.answers[0] == 'S');
        EXPECT_EQ(type.IsPlain(), row.answers[0] == 'D');
        EXPECT_EQ(type.IsAdditionalCode(), type.Valid() && !type.IsMainCode());
        EXPECT_EQ(type.WithPrimaryRegulation().Code(), row.toPrimary);
        EXPECT_EQ(type.WithSecondaryRegulation().Code(), row.toSecondary);
        EXPECT_EQ(type.MainPictureStep(), row.pictureStep);
    }
}

}  // namespace
