#pragma once
// What the window remembers between runs: the two search options a user sets once and
// expects to find again. Everything else starts afresh each time.

struct TWindowSettings {
  bool SearchAsYouType = false;
  bool Forgiving = false;
};

// Missing or unreadable values read as the defaults.
TWindowSettings ReadWindowSettings();
void WriteWindowSettings(const TWindowSettings& settings);
