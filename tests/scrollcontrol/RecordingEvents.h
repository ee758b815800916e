#pragma once
// Records the events a Glidebar model raises, in order, and the fixture shared by the model
// tests: a control 960 twips wide, the size whose layout is worked out by hand in the tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GlidebarModel.h"

struct RecordedEvent {
    std::string name;
    float value = 0;
};

class RecordingEvents : public glidebar::GlidebarEvents {
public:
    void Click() override { events.push_back({"Click", 0}); }
    void Scroll(float x) override { events.push_back({"Scroll", x}); }
    void Change(float x) override { events.push_back({"Change", x}); }
    void PropertyChanged(const char* property) override { properties.emplace_back(property); }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : events) names.push_back(e.name);
        return names;
    }
    // Takes what was recorded so far, leaving nothing.
    std::vector<RecordedEvent> Take() {
        std::vector<RecordedEvent> taken;
        taken.swap(events);
        return taken;
    }

    std::vector<RecordedEvent> events;
    std::vector<std::string> properties;
};

// Widths of a 960-twip control: thumb 960/10, arrows 960/12, travel 960 - 2*80 - 96.
inline constexpr int32_t Width960 = 960;
inline constexpr int32_t Arrow960 = 80;
inline constexpr int32_t Thumb960 = 96;
inline constexpr int32_t Travel960 = 704;
inline constexpr int32_t Centre960 = 432;  // 480 - 48
inline constexpr int32_t RightStop960 = 784;  // 880 - 96

class GlidebarModelTest : public ::testing::Test {
protected:
    GlidebarModelTest() : model(Width960, 300) {}
    void SetUp() override {
        model.SetEvents(&recorded);
        model.UserControl_Resize(Width960, 300);  // the container's first placement
        recorded.Take();
    }
    // The fraction a thumb at left reports, worked out from the layout above.
    static float At(int32_t left) { return static_cast<float>(static_cast<double>(left - Arrow960) / Travel960); }

    glidebar::GlidebarModel model;
    RecordingEvents recorded;
};
