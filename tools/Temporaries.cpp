#include "tools/Temporaries.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <iterator>

#include "tools/DataFolder.h"

namespace {

constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};

// Only async-signal-safe calls touch a slot in the handler.
struct TSlot {
  int Folder;
  int Contents;
  char Name[NAME_MAX + 1];
  volatile sig_atomic_t Used;
};
TSlot slots[8];

void RemoveAndEnd(int signal) {
  for (TSlot& slot : slots) {
    if (!slot.Used) continue;
    if (slot.Contents < 0) {
      ::unlinkat(slot.Folder, slot.Name, 0);
      continue;
    }
    for (const char* file : DataFileNames) ::unlinkat(slot.Contents, file, 0);
    ::unlinkat(slot.Folder, slot.Name, AT_REMOVEDIR);
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

sigset_t SignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : Signals) sigaddset(&set, signal);
  return set;
}

}  // namespace

TTemporary::TTemporary(int folder, const std::string& name, int contents) : slot_(-1) {
  if (name.size() > NAME_MAX) return;
  for (int i = 0; i < static_cast<int>(std::size(slots)); ++i) {
    if (slots[i].Used) continue;
    slots[i].Folder = folder;
    slots[i].Contents = contents;
    std::memcpy(slots[i].Name, name.c_str(), name.size() + 1);
    slots[i].Used = 1;
    slot_ = i;
    return;
  }
}

void TTemporary::Forget() {
  if (slot_ >= 0) slots[slot_].Used = 0;
  slot_ = -1;
}

void RemoveTemporariesOnSignals() {
  for (int signal : Signals) std::signal(signal, RemoveAndEnd);
}

TSignalsHeld::TSignalsHeld() {
  const sigset_t set = SignalSet();
  ::pthread_sigmask(SIG_BLOCK, &set, &before_);
}

TSignalsHeld::~TSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
