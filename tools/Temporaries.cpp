#include "tools/Temporaries.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <iterator>

namespace {

constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};

// Only async-signal-safe calls touch a slot in the handler.
struct TSlot {
  int Folder;
  char Name[NAME_MAX + 1];
  volatile sig_atomic_t Used;
};
TSlot slots[8];

void RemoveAndEnd(int signal) {
  for (TSlot& slot : slots) {
    if (slot.Used) ::unlinkat(slot.Folder, slot.Name, 0);
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

TTemporary::TTemporary(int folder, const std::string& name) : slot_(-1) {
  if (name.size() > NAME_MAX) return;
  for (int i = 0; i < static_cast<int>(std::size(slots)); ++i) {
    if (slots[i].Used) continue;
    slots[i].Folder = folder;
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
