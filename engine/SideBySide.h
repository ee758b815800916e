#pragma once
// Independent pieces of one computation run side by side on worker threads. The program itself
// stays on one thread: it hands pieces out and waits for those it needs. A piece may read the
// design state, which nothing changes while it may run, and write only its own result and the
// thread-local state of the thread that runs it.

#include <functional>
#include <memory>

namespace zorvic {

// Threads that take pieces, the caller's included: 1 where the machine offers no other.
int SideBySideThreads();

// Pieces offered to the worker threads while the caller goes on: piece(0) to piece(count - 1),
// taken in that order by whichever thread comes first. The function and what it reads must
// outlive the offer.
class PiecesAhead {
public:
    PiecesAhead(int count, std::function<void(int)> piece);
    // Withdraws the pieces no thread has started, and waits for those started.
    ~PiecesAhead();
    PiecesAhead(const PiecesAhead&) = delete;
    PiecesAhead& operator=(const PiecesAhead&) = delete;

    // Piece i has run when this returns: on the calling thread when no worker had started it.
    void Finish(int i);
    // Withdraws the pieces no thread has started, without waiting for the others.
    void Withdraw();
    // Whether a thread is running one of the pieces.
    bool Running() const;

    struct Offer;

private:
    std::shared_ptr<Offer> offer_;
};

// Runs piece(0) to piece(count - 1) on the worker threads and the calling thread, and returns
// once every piece has finished.
void RunSideBySide(int count, const std::function<void(int)>& piece);

}  // namespace zorvic
