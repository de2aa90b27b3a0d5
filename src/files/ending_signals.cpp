#include "files/ending_signals.h"

#ifndef _WIN32
#include <limits.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <iterator>
#endif

namespace velunor {

#ifdef _WIN32

void RemoveTemporaryFilesOnEndingSignals() {}
TEndingSignalsHeld::TEndingSignalsHeld() = default;
TEndingSignalsHeld::~TEndingSignalsHeld() = default;
TRemovalAtEndingSignal::TRemovalAtEndingSignal(const std::string&) {}
TRemovalAtEndingSignal::~TRemovalAtEndingSignal() = default;

#else

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ};

// One registered file. The handler reads a slot only while it is armed; a
// slot is armed after its path is written and disarmed before it is freed.
struct RemovalSlot {
  enum State : int { kFree, kClaimed, kArmed };
  std::atomic<int> state{kFree};
  char path[PATH_MAX] = {};
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slots");

RemovalSlot removalSlots[4];

sigset_t EndingSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kEndingSignals)
    sigaddset(&set, signal);
  return set;
}

// Only async-signal-safe calls: unlink, sigaction, raise.
extern "C" void RemoveFilesAndEnd(int signal) {
  for (RemovalSlot& slot : removalSlots) {
    if (slot.state.load() == RemovalSlot::kArmed) ::unlink(slot.path);
  }
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  ::sigaction(signal, &byDefault, nullptr);
  // Delivered with the default action as soon as the handler returns.
  ::raise(signal);
}

}  // namespace

void RemoveTemporaryFilesOnEndingSignals() {
  struct sigaction removal {};
  removal.sa_handler = RemoveFilesAndEnd;
  removal.sa_mask = EndingSignalSet();
  for (const int signal : kEndingSignals) {
    struct sigaction previous {};
    ::sigaction(signal, nullptr, &previous);
    // An ignored signal stays ignored: a write beyond a file size limit
    // then fails with EFBIG, a write into a broken pipe with EPIPE.
    if (previous.sa_handler != SIG_IGN) ::sigaction(signal, &removal, nullptr);
  }
}

TEndingSignalsHeld::TEndingSignalsHeld() {
  const sigset_t set = EndingSignalSet();
  ::pthread_sigmask(SIG_BLOCK, &set, &previous_);
}

TEndingSignalsHeld::~TEndingSignalsHeld() {
  ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

TRemovalAtEndingSignal::TRemovalAtEndingSignal(const std::string& path) {
  if (path.size() >= PATH_MAX) return;
  for (std::size_t i = 0; i < std::size(removalSlots); ++i) {
    RemovalSlot& slot = removalSlots[i];
    int free = RemovalSlot::kFree;
    if (!slot.state.compare_exchange_strong(free, RemovalSlot::kClaimed)) continue;
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.state.store(RemovalSlot::kArmed);
    slot_ = static_cast<int>(i);
    return;
  }
}

TRemovalAtEndingSignal::~TRemovalAtEndingSignal() {
  if (slot_ >= 0) removalSlots[slot_].state.store(RemovalSlot::kFree);
}

#endif

}  // namespace velunor
