// Sleeping on the C++ library's condition variable (a futex on Linux).

#include <condition_variable>
#include <mutex>

#include "common/removal/Rendezvous.h"

namespace qv::removal {

struct Rendezvous::Sleeping {
    std::mutex lock;
    std::condition_variable wakeUp;
};

Rendezvous::Rendezvous() : sleeping_(std::make_unique<Sleeping>()) {}
Rendezvous::~Rendezvous() = default;

void Rendezvous::sleepUntil(bool (*ready)(const void*), const void* context,
                            std::atomic<bool>& asleep) {
    std::unique_lock lock(sleeping_->lock);
    asleep = true;
    sleeping_->wakeUp.wait(lock, [&] { return ready(context); });
    asleep = false;
}

void Rendezvous::wake(const std::atomic<bool>& asleep) {
    if (!asleep) return;
    std::lock_guard lock(sleeping_->lock);
    sleeping_->wakeUp.notify_all();
}

}  // namespace qv::removal
