#pragma once
// The behaviour of the Glidebar scroll control, free of any widget: positions in twips, the two
// repeat timers driven by AdvanceTime, events through GlidebarEvents. The widget forwards its
// elements' mouse events here and places the elements where the model says.

#include <cstdint>
#include <string>

namespace glidebar {

// Track colours, &HBBGGRR system colours: the scroll-bar colour, and the window-frame colour of
// the track part being pressed.
inline constexpr uint32_t TrackColour = 0x80000000u;
inline constexpr uint32_t PressedTrackColour = 0x80000006u;

// Twips of one arrow step, and the repeat timing in milliseconds.
inline constexpr int32_t DefaultSmallStep = 150;
inline constexpr int32_t DefaultRepeatDelay = 300;
inline constexpr int32_t DefaultRepeatInterval = 30;

struct Element {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

class GlidebarEvents {
public:
    virtual ~GlidebarEvents() = default;
    virtual void Click() = 0;
    virtual void Scroll(float x) = 0;
    virtual void Change(float x) = 0;
    // A property the container may persist has changed ("Caption", "Left").
    virtual void PropertyChanged(const char* property) = 0;
};

class GlidebarModel {
public:
    // A new instance of the given size, the thumb centred. Nothing is raised until the first
    // Resize.
    GlidebarModel(int32_t scaleWidth, int32_t scaleHeight);

    void SetEvents(GlidebarEvents* events) { events_ = events; }

    // The container's interface.
    void SetRightLabel(const std::string& newCaption);
    void SetLeftLabel(const std::string& newCaption);
    void SetButtonLabel(const std::string& newCaption);
    void SetButtonLeft(int32_t newPosition);
    void UpdateScroll(float x);
    void SetMasked(bool masked) { masked_ = masked; }
    bool Masked() const { return masked_; }

    void UserControl_Resize(int32_t scaleWidth, int32_t scaleHeight);

    // Mouse events of the elements; x is the mouse position in twips inside the element.
    void cmdLeft_MouseDown();
    void cmdLeft_MouseUp();
    void cmdRight_MouseDown();
    void cmdRight_MouseUp();
    void picBackLeft_MouseDown(double x);
    void picBackLeft_DblClick();
    void picBackLeft_MouseUp();
    void picBackRight_MouseDown(double x);
    void picBackRight_DblClick();
    void picBackRight_MouseUp();
    void cmdButton_MouseDown(double x);
    void cmdButton_MouseMove(double x);
    void cmdButton_MouseUp();
    // A click (press and release) on any element or on the control's background.
    void Clicked();

    // Lets ms milliseconds pass, firing the repeat timers on their due times in order.
    void AdvanceTime(int64_t ms);
    // Lets ms milliseconds pass as timer messages do on a busy thread: each due timer fires once,
    // at the end, and the ticks missed meanwhile are dropped, not fired in a burst. A timer
    // armed by another's firing counts from the end.
    void AdvanceTimeCoalesced(int64_t ms);
    // Milliseconds until the next timer fires; -1 when none runs.
    int64_t NextTimerIn() const;
    bool Timer1Enabled() const { return timer1_.enabled; }
    bool Timer2Enabled() const { return timer2_.enabled; }

    const Element& cmdLeft() const { return cmdLeft_; }
    const Element& cmdRight() const { return cmdRight_; }
    const Element& cmdButton() const { return cmdButton_; }
    const Element& picBackLeft() const { return picBackLeft_; }
    const Element& picBackRight() const { return picBackRight_; }
    uint32_t picBackLeftColour() const { return picBackLeftColour_; }
    uint32_t picBackRightColour() const { return picBackRightColour_; }
    const std::string& LeftLabel() const { return leftLabel_; }
    const std::string& RightLabel() const { return rightLabel_; }
    const std::string& ButtonLabel() const { return buttonLabel_; }

    int32_t ScaleWidth() const { return scaleWidth_; }
    int32_t ThumbLeft() const { return thumbLeft_; }
    int32_t TravelRange() const { return travelRange_; }
    int32_t PageTarget() const { return pageTarget_; }
    int32_t PageStep() const { return pageStep_; }
    bool Dragging() const { return dragging_; }
    bool Repeating() const { return repeating_; }
    char RepeatDir() const { return repeatDir_; }
    float ScrollValue() const { return scrollValue_; }

private:
    struct Timer {
        bool enabled = false;
        int32_t interval = 0;
        int64_t due = 0;
    };

    void SetWidths();
    void PlaceThumb(int32_t left);
    void LayoutTrack();
    void RefreshTrack();
    float Fraction();
    void RaiseChange();
    void StepLeft(int32_t from);
    void StepRight(int32_t from);
    void PageLeft(int32_t from);
    void PageRight();
    void Enable(Timer& timer);
    void Timer1_Timer();
    void Timer2_Timer();

    GlidebarEvents* events_ = nullptr;
    int32_t scaleWidth_ = 0;
    int32_t scaleHeight_ = 0;
    Element cmdLeft_, cmdRight_, cmdButton_, picBackLeft_, picBackRight_;
    uint32_t picBackLeftColour_ = TrackColour;
    uint32_t picBackRightColour_ = TrackColour;
    std::string leftLabel_, rightLabel_, buttonLabel_;

    int32_t thumbLeft_ = 0;
    int32_t travelRange_ = 0;
    int32_t grabX_ = 0;
    bool dragging_ = false;
    bool repeating_ = false;
    char repeatDir_ = ' ';
    int32_t pageTarget_ = 0;
    int32_t smallStep_ = DefaultSmallStep;
    int32_t pageStep_ = 0;
    bool masked_ = false;
    float scrollValue_ = 0;
    // Where the thumb stood, as a fraction, when the track last shrank to nothing; a control that
    // gets its width back takes it up again. A control never alive is centred.
    double restFraction_ = 0.5;

    int64_t now_ = 0;
    Timer timer1_{false, DefaultRepeatDelay, 0};
    Timer timer2_{false, DefaultRepeatInterval, 0};
};

}  // namespace glidebar
