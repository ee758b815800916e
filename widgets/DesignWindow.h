#pragma once
// A window that shows the design and follows it: the main window's refresh road walks the loaded
// windows and refreshes every one that implements this, in load order.

class DesignWindow {
public:
    // Fills the window from the design state; changes nothing in it.
    virtual void RefreshWithDesign() = 0;

protected:
    ~DesignWindow() = default;
};
