#pragma once
// How the removal's threads wait for each other: a side that waits spins a moment, then
// sleeps until the other side wakes it. Spinning suits a wait of microseconds (the other
// side hashing or copying the next piece); sleeping at once suits a wait of milliseconds
// (a flush to the disk), where spinning only takes the processor from the threads that
// have work. The sleeping is the system's own (RendezvousWin32.cpp, RendezvousStd.cpp).

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace qv::removal {

class Rendezvous {
public:
    Rendezvous();
    ~Rendezvous();
    Rendezvous(const Rendezvous&) = delete;
    Rendezvous& operator=(const Rendezvous&) = delete;

    // Returns once `ready()` holds, spinning for at most `spinning` first. `asleep` is the
    // waiting side's own flag, by which the other side knows to wake it.
    template <typename Ready>
    void waitUntil(Ready ready, std::atomic<bool>& asleep, std::chrono::microseconds spinning) {
        const auto spinUntil = std::chrono::steady_clock::now() + spinning;
        while (!ready()) {
            if (std::chrono::steady_clock::now() >= spinUntil) {
                sleepUntil([](const void* r) { return (*static_cast<const Ready*>(r))(); }, &ready,
                           asleep);
                return;
            }
            std::this_thread::yield();
        }
    }
    // Wakes the side that sleeps on `asleep`; called after changing what it waits for.
    void wake(const std::atomic<bool>& asleep);

private:
    // Sleeps until woken with `ready(context)` true. The side that sleeps says so before
    // it looks at `ready` a last time, and the other side changes what `ready` reads
    // before it looks whether to wake it (both sequentially consistent): so either the
    // sleeper sees the change or the other side sees the sleeper.
    void sleepUntil(bool (*ready)(const void* context), const void* context,
                    std::atomic<bool>& asleep);

    struct Sleeping;  // the system's lock and condition variable
    std::unique_ptr<Sleeping> sleeping_;
};

}  // namespace qv::removal
