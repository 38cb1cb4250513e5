#pragma once
// What the tool writes beside a user's files goes again when SIGINT, SIGTERM or
// SIGHUP ends it first.

#include <string>

class TTemporary {
 public:
  // name lies in the open folder, which must stay open while registered.
  TTemporary(int folder, const std::string& name);
  ~TTemporary() { Forget(); }
  TTemporary(const TTemporary&) = delete;
  TTemporary& operator=(const TTemporary&) = delete;

  void Forget();  // it is the user's file now, or already gone

 private:
  int slot_;
};

// Installs the handlers; the signal then ends the tool as it would have.
void RemoveTemporariesOnSignals();
