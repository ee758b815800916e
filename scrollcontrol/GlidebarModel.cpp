#include "GlidebarModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace glidebar {

namespace {

// Nearest 32-bit integer, halves to even, saturating. The library links no part of the program,
// so it cannot share the program's CLng; this is the same rule.
int32_t Round32(double x) {
    if (std::isnan(x)) return 0;
    const double r = std::nearbyint(x);
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

// Sums of positions are formed in 64 bits: a thumb placed far beyond the track by the container
// must not overflow the arithmetic that follows it.
int32_t Saturate(int64_t x) {
    return static_cast<int32_t>(std::clamp<int64_t>(x, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

GlidebarModel::GlidebarModel(int32_t scaleWidth, int32_t scaleHeight)
    : scaleWidth_(std::max(scaleWidth, 0)), scaleHeight_(std::max(scaleHeight, 0)) {
    SetWidths();
    thumbLeft_ = Round32(scaleWidth_ / 2.0 - cmdButton_.width / 2.0);
    pageStep_ = cmdButton_.width;
    travelRange_ = Saturate(int64_t{scaleWidth_} - cmdLeft_.width - cmdRight_.width - cmdButton_.width);
    cmdButton_.left = thumbLeft_;
    LayoutTrack();
}

void GlidebarModel::SetWidths() {
    cmdButton_.width = Round32(scaleWidth_ / 10.0);
    cmdLeft_.width = Round32(scaleWidth_ / 12.0);
    cmdRight_.width = cmdLeft_.width;
    cmdLeft_.left = 0;
    cmdRight_.left = scaleWidth_ - cmdRight_.width;
    for (Element* element : {&cmdLeft_, &cmdRight_, &cmdButton_, &picBackLeft_, &picBackRight_}) {
        element->top = 0;
        element->height = scaleHeight_;
    }
}

void GlidebarModel::PlaceThumb(int32_t left) {
    thumbLeft_ = left;
    cmdButton_.left = left;
}

float GlidebarModel::Fraction() {
    double x = (static_cast<double>(thumbLeft_) - cmdLeft_.width) / travelRange_;
    x = std::clamp(x, 0.0, 1.0);
    scrollValue_ = static_cast<float>(x);
    return scrollValue_;
}

void GlidebarModel::LayoutTrack() {
    const int64_t thumbRight = int64_t{cmdButton_.left} + cmdButton_.width;
    picBackLeft_.left = cmdLeft_.width;
    picBackRight_.left = Saturate(thumbRight);
    picBackLeft_.width = Saturate(std::max<int64_t>(int64_t{cmdButton_.left} - cmdLeft_.width, 0));
    picBackRight_.width = Saturate(std::max<int64_t>(cmdRight_.left - thumbRight, 0));
}

void GlidebarModel::RefreshTrack() {
    LayoutTrack();
    if (travelRange_ >= 1) {
        const float x = Fraction();
        if (events_) events_->Scroll(x);
    }
}

void GlidebarModel::RaiseChange() {
    const float x = Fraction();
    if (events_) events_->Change(x);
}

void GlidebarModel::SetRightLabel(const std::string& newCaption) {
    rightLabel_ = newCaption;
    if (events_) events_->PropertyChanged("Caption");
}

void GlidebarModel::SetLeftLabel(const std::string& newCaption) {
    leftLabel_ = newCaption;
    if (events_) events_->PropertyChanged("Caption");
}

void GlidebarModel::SetButtonLabel(const std::string& newCaption) {
    buttonLabel_ = newCaption;
    if (events_) events_->PropertyChanged("Caption");
}

// Moves the thumb element only: ThumbLeft, the track parts and the reported fraction stay.
void GlidebarModel::SetButtonLeft(int32_t newPosition) {
    cmdButton_.left = newPosition;
    if (events_) events_->PropertyChanged("Left");
}

// The fraction is not clamped here: the container may place the thumb beyond the track, and
// the reported fraction is clamped instead.
void GlidebarModel::UpdateScroll(float x) {
    if (!std::isfinite(x)) return;
    PlaceThumb(Round32(static_cast<double>(x) * travelRange_ + cmdLeft_.width));
    RefreshTrack();
}

void GlidebarModel::UserControl_Resize(int32_t scaleWidth, int32_t scaleHeight) {
    const int32_t oldRange = travelRange_;
    const int32_t oldArrow = cmdLeft_.width;
    scaleWidth_ = std::max(scaleWidth, 0);
    scaleHeight_ = std::max(scaleHeight, 0);
    SetWidths();
    // Recomputed on every resize, so that a control first laid out with no width comes alive
    // once it gets one.
    travelRange_ = Saturate(int64_t{scaleWidth_} - cmdLeft_.width - cmdRight_.width - cmdButton_.width);
    if (oldRange > 0 && travelRange_ > 0) {
        PlaceThumb(Round32(static_cast<double>(int64_t{thumbLeft_} * travelRange_) / oldRange));
    } else if (oldRange > 0) {
        restFraction_ = std::clamp((static_cast<double>(thumbLeft_) - oldArrow) / oldRange, 0.0, 1.0);
    } else if (travelRange_ > 0) {
        // 0.5 gives ScaleWidth / 2 - thumb width / 2, the new instance's centred thumb.
        PlaceThumb(Round32(restFraction_ * travelRange_ + cmdLeft_.width));
        if (pageStep_ <= 0) pageStep_ = cmdButton_.width;
    }
    RefreshTrack();
}

void GlidebarModel::Enable(Timer& timer) {
    timer.enabled = true;
    timer.due = now_ + timer.interval;
}

void GlidebarModel::StepLeft(int32_t from) {
    const int64_t target = int64_t{from} - smallStep_;
    PlaceThumb(target > cmdLeft_.width ? Saturate(target) : cmdLeft_.width);
}

void GlidebarModel::StepRight(int32_t from) {
    if (int64_t{from} + cmdButton_.width + smallStep_ >= cmdRight_.left) {
        PlaceThumb(cmdRight_.left - cmdButton_.width);
    } else {
        PlaceThumb(Saturate(int64_t{from} + smallStep_));
    }
}

void GlidebarModel::PageLeft(int32_t from) {
    const int64_t target = int64_t{from} - pageStep_;
    PlaceThumb(target > cmdLeft_.width ? Saturate(target) : cmdLeft_.width);
}

// The end test looks at the thumb element, the step starts from ThumbLeft.
void GlidebarModel::PageRight() {
    if (int64_t{cmdButton_.left} + cmdButton_.width + pageStep_ >= cmdRight_.left) {
        PlaceThumb(cmdRight_.left - cmdButton_.width);
    } else {
        PlaceThumb(Saturate(int64_t{thumbLeft_} + pageStep_));
    }
}

void GlidebarModel::cmdLeft_MouseDown() {
    StepLeft(cmdButton_.left);
    RefreshTrack();
    Enable(timer1_);
    repeatDir_ = 'L';
}

void GlidebarModel::cmdRight_MouseDown() {
    StepRight(cmdButton_.left);
    RefreshTrack();
    Enable(timer1_);
    repeatDir_ = 'R';
}

void GlidebarModel::cmdLeft_MouseUp() {
    repeating_ = false;
    timer1_.enabled = false;
    timer2_.enabled = false;
    if (travelRange_ > 0) RaiseChange();
}

void GlidebarModel::cmdRight_MouseUp() { cmdLeft_MouseUp(); }

void GlidebarModel::picBackLeft_MouseDown(double x) {
    pageTarget_ = Round32(picBackLeft_.left + x);
    picBackLeft_DblClick();
}

// The press before a double-click has set the page target; the double-click pages once more.
void GlidebarModel::picBackLeft_DblClick() {
    PageLeft(cmdButton_.left);
    Enable(timer1_);
    repeatDir_ = 'G';
    RefreshTrack();
    picBackLeftColour_ = PressedTrackColour;
}

void GlidebarModel::picBackLeft_MouseUp() {
    picBackLeftColour_ = TrackColour;
    timer1_.enabled = false;
    timer2_.enabled = false;
    if (travelRange_ > 0) RaiseChange();
}

// The target is taken before the track parts follow the thumb.
void GlidebarModel::picBackRight_MouseDown(double x) {
    pageTarget_ = Round32(picBackRight_.left + x);
    picBackRight_DblClick();
}

void GlidebarModel::picBackRight_DblClick() {
    PageRight();
    Enable(timer1_);
    repeatDir_ = 'D';
    RefreshTrack();
    picBackRightColour_ = PressedTrackColour;
}

void GlidebarModel::picBackRight_MouseUp() {
    picBackRightColour_ = TrackColour;
    timer1_.enabled = false;
    timer2_.enabled = false;
    if (travelRange_ > 0) RaiseChange();
}

void GlidebarModel::cmdButton_MouseDown(double x) {
    grabX_ = Round32(x);
    dragging_ = true;
}

void GlidebarModel::cmdButton_MouseMove(double x) {
    picBackLeftColour_ = TrackColour;
    picBackRightColour_ = TrackColour;
    if (!dragging_) return;
    int32_t left = Round32(thumbLeft_ + x - grabX_);
    if (left < cmdLeft_.width) left = cmdLeft_.width;
    if (cmdRight_.left - cmdButton_.width < left) left = cmdRight_.left - cmdButton_.width;
    PlaceThumb(left);
    RefreshTrack();
}

void GlidebarModel::cmdButton_MouseUp() {
    dragging_ = false;
    if (travelRange_ >= 1) RaiseChange();
}

void GlidebarModel::Clicked() {
    if (events_) events_->Click();
}

void GlidebarModel::Timer1_Timer() {
    repeating_ = true;
    timer1_.enabled = false;
    Enable(timer2_);
}

// Paging stops once the thumb covers the pressed point; the timer runs on idle until release.
void GlidebarModel::Timer2_Timer() {
    if (!repeating_) return;
    switch (repeatDir_) {
    case 'R':
        StepRight(thumbLeft_);
        RefreshTrack();
        break;
    case 'L':
        StepLeft(thumbLeft_);
        RefreshTrack();
        break;
    case 'D':
        if (int64_t{thumbLeft_} + cmdButton_.width > pageTarget_) {
            repeating_ = false;
        } else {
            PageRight();
            RefreshTrack();
        }
        break;
    case 'G':
        if (thumbLeft_ < pageTarget_) {
            repeating_ = false;
        } else {
            PageLeft(thumbLeft_);
            RefreshTrack();
        }
        break;
    default: break;
    }
}

void GlidebarModel::AdvanceTime(int64_t ms) {
    const int64_t end = now_ + std::max<int64_t>(ms, 0);
    for (;;) {
        // On a tie the start delay fires first, as it was armed first.
        Timer* next = nullptr;
        for (Timer* timer : {&timer1_, &timer2_}) {
            if (timer->enabled && timer->due <= end && (!next || timer->due < next->due)) next = timer;
        }
        if (!next) break;
        now_ = next->due;
        next->due += next->interval;
        if (next == &timer1_) {
            Timer1_Timer();
        } else {
            Timer2_Timer();
        }
    }
    now_ = end;
}

void GlidebarModel::AdvanceTimeCoalesced(int64_t ms) {
    now_ += std::max<int64_t>(ms, 0);
    // The start delay first, as it was armed first.
    for (Timer* timer : {&timer1_, &timer2_}) {
        if (!timer->enabled || timer->due > now_) continue;
        timer->due += timer->interval;
        if (timer->due <= now_) timer->due = now_ + timer->interval;
        if (timer == &timer1_) {
            Timer1_Timer();
        } else {
            Timer2_Timer();
        }
    }
}

int64_t GlidebarModel::NextTimerIn() const {
    int64_t next = -1;
    for (const Timer* timer : {&timer1_, &timer2_}) {
        if (timer->enabled && (next < 0 || timer->due - now_ < next)) next = timer->due - now_;
    }
    return next;
}

}  // namespace glidebar
