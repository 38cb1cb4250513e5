#pragma once
// What the tool writes beside a user's files goes again when SIGINT, SIGTERM or
// SIGHUP ends it first: a temporary file, or a generation folder with its data
// files. What a kill -9 leaves, the next import removes (GenerationWriter.h).

#include <signal.h>

#include <string>

class TTemporary {
 public:
  // name lies in the open folder; contents is name itself opened, for a generation
  // folder, or -1 for a file. Both descriptors must stay open while registered.
  TTemporary(int folder, const std::string& name, int contents = -1);
  ~TTemporary() { Forget(); }
  TTemporary(const TTemporary&) = delete;
  TTemporary& operator=(const TTemporary&) = delete;

  void Forget();  // it is the user's file now, or already gone

 private:
  int slot_;
};

// Installs the handlers; the signal then ends the tool as it would have.
void RemoveTemporariesOnSignals();

// Holds those signals back while it lives, so that a generation becomes current
// and stops being temporary in one step.
class TSignalsHeld {
 public:
  TSignalsHeld();
  ~TSignalsHeld();
  TSignalsHeld(const TSignalsHeld&) = delete;
  TSignalsHeld& operator=(const TSignalsHeld&) = delete;

 private:
  sigset_t before_;
};
