#pragma once
// Runs a refresh so that it is never entered again from inside itself (the event pump runs
// inside the computation): a request that arrives meanwhile is run once after the current run.

#include <utility>

namespace platform {

class ReentryGuard {
public:
    template <typename Work>
    void Run(Work&& work) {
        if (running_) {
            pending_ = true;
            return;
        }
        // Cleared however the work ends, so a failed run cannot silence every later refresh.
        struct Running {
            bool& flag;
            explicit Running(bool& f) : flag(f) { flag = true; }
            ~Running() { flag = false; }
        } running(running_);
        do {
            pending_ = false;
            work();
        } while (pending_);
    }

    bool Running() const { return running_; }

private:
    bool running_ = false;
    bool pending_ = false;
};

}  // namespace platform
