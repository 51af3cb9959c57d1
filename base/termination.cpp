#include "base/termination.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "base/errors.h"

namespace tarvek {

namespace {

constexpr int kSlots = 8;
constexpr std::size_t kPathBytes = 4096;

// A slot is claimed, then its path written, then marked ready: the handler
// reads only complete paths.
struct Slot {
    std::atomic<bool> claimed{false};
    std::atomic<bool> ready{false};
    char path[kPathBytes] = {};
};
Slot slots[kSlots];

extern "C" void on_termination_signal(int signal_number) {
    // Only async-signal-safe calls from here on.
    for (Slot& slot : slots) {
        if (slot.ready.load(std::memory_order_acquire)) ::unlink(slot.path);
    }
    ::_exit(128 + signal_number);
}

}  // namespace

void install_termination_handlers() {
    struct sigaction action {};
    action.sa_handler = on_termination_signal;
    sigemptyset(&action.sa_mask);
    for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
        sigaddset(&action.sa_mask, signal_number);
    }
    for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal_number, &action, nullptr);
    }
    // A mask inherited blocked (some launchers block them for their
    // children) would hold a stop request until the job is done and let it
    // write its document after all.
    sigprocmask(SIG_UNBLOCK, &action.sa_mask, nullptr);
}

RemoveOnSignal::RemoveOnSignal(const std::string& path) : slot_(-1) {
    if (path.size() >= kPathBytes) {
        throw Error("Path too long to be written safely: " + path);
    }
    for (int i = 0; i < kSlots; ++i) {
        Slot& slot = slots[i];
        if (slot.claimed.exchange(true, std::memory_order_acq_rel)) continue;
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        slot.ready.store(true, std::memory_order_release);
        slot_ = i;
        return;
    }
    throw Error("Too many files are being written at once");
}

RemoveOnSignal::~RemoveOnSignal() {
    Slot& slot = slots[slot_];
    slot.ready.store(false, std::memory_order_release);
    slot.claimed.store(false, std::memory_order_release);
}

}  // namespace tarvek
