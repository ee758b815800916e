#include "SideBySide.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace zorvic {

namespace {

// A waiting thread first watches its condition this long before it sleeps: waking a sleeping
// thread takes tens of microseconds, about what a piece takes, and a search hands pieces out in
// quick succession.
constexpr auto Watch = std::chrono::microseconds(500);

void Pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Watches until ready() or Watch has passed; whether it is ready.
template <class Ready>
bool WatchFor(Ready ready) {
    const auto end = std::chrono::steady_clock::now() + Watch;
    for (int i = 1;; ++i) {
        if (ready()) return true;
        Pause();
        if (i % 64 == 0 && std::chrono::steady_clock::now() > end) return ready();
    }
}

enum PieceState : int { Free, Started, Done, Withdrawn };

}  // namespace

// One offer's pieces. A worker may still hold the offer after its owner has gone: it then finds
// no free piece and never calls the function.
struct PiecesAhead::Offer {
    std::function<void(int)> piece;
    std::vector<std::atomic<int>> states;
    std::atomic<int> next{0};

    Offer(int count, std::function<void(int)> f) : piece(std::move(f)), states(static_cast<std::size_t>(count)) {
        for (auto& state : states) state.store(Free);
    }

    int Count() const { return static_cast<int>(states.size()); }

    // Runs piece i here if no thread has started it; whether it did.
    bool TryRun(int i) {
        auto& state = states[static_cast<std::size_t>(i)];
        int expected = Free;
        if (!state.compare_exchange_strong(expected, Started)) return false;
        piece(i);
        state.store(Done);
        return true;
    }

    // Runs free pieces in order until none is left.
    void TakeAll() {
        for (int i = next.fetch_add(1); i < Count(); i = next.fetch_add(1)) TryRun(i);
    }

    void WaitFor(int i) {
        auto& state = states[static_cast<std::size_t>(i)];
        while (state.load() == Started) Pause();
    }
};

namespace {

class Workers {
public:
    Workers() {
        const unsigned machine = std::thread::hardware_concurrency();
        const unsigned others = machine > 1 ? std::min(machine - 1, 15u) : 0u;
        for (unsigned i = 0; i < others; ++i) threads_.emplace_back([this] { Serve(); });
    }

    ~Workers() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::thread& thread : threads_) thread.join();
    }

    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

    int Threads() const { return static_cast<int>(threads_.size()) + 1; }
    bool Any() const { return !threads_.empty(); }

    void Add(const std::shared_ptr<PiecesAhead::Offer>& offer) {
        {
            const std::lock_guard lock(mutex_);
            offers_.push_back(offer);
            generation_.fetch_add(1);
        }
        wake_.notify_all();
    }

    void Remove(const std::shared_ptr<PiecesAhead::Offer>& offer) {
        const std::lock_guard lock(mutex_);
        std::erase(offers_, offer);
    }

private:
    void Serve() {
        uint64_t seen = 0;
        for (;;) {
            const auto news = [&] { return stopping_.load() || generation_.load() != seen; };
            WatchFor(news);
            std::vector<std::shared_ptr<PiecesAhead::Offer>> offers;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, news);
                if (stopping_) return;
                seen = generation_;
                offers = offers_;
            }
            // The newest first: an offer made while another is open is what its owner waits for.
            for (auto offer = offers.rbegin(); offer != offers.rend(); ++offer) (*offer)->TakeAll();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::shared_ptr<PiecesAhead::Offer>> offers_;
    std::atomic<uint64_t> generation_{0};
    std::atomic<bool> stopping_{false};
    std::vector<std::thread> threads_;
};

Workers& TheWorkers() {
    static Workers workers;
    return workers;
}

}  // namespace

int SideBySideThreads() {
    return TheWorkers().Threads();
}

PiecesAhead::PiecesAhead(int count, std::function<void(int)> piece)
    : offer_(std::make_shared<Offer>(std::max(count, 0), std::move(piece))) {
    if (TheWorkers().Any() && offer_->Count() > 1) TheWorkers().Add(offer_);
}

PiecesAhead::~PiecesAhead() {
    Withdraw();
    for (int i = 0; i < offer_->Count(); ++i) offer_->WaitFor(i);
}

void PiecesAhead::Withdraw() {
    TheWorkers().Remove(offer_);
    for (auto& state : offer_->states) {
        int expected = Free;
        state.compare_exchange_strong(expected, Withdrawn);
    }
}

bool PiecesAhead::Running() const {
    return std::ranges::any_of(offer_->states, [](const auto& state) { return state.load() == Started; });
}

void PiecesAhead::Finish(int i) {
    if (!offer_->TryRun(i)) offer_->WaitFor(i);
}

void RunSideBySide(int count, const std::function<void(int)>& piece) {
    if (count == 1 || !TheWorkers().Any()) {
        for (int i = 0; i < count; ++i) piece(i);
        return;
    }
    PiecesAhead pieces(count, [&piece](int i) { piece(i); });
    for (int i = 0; i < count; ++i) pieces.Finish(i);
}

}  // namespace zorvic
