#pragma once
// The real window over a directory the test wrote, and what a user would read off it.

#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "tests/ui/support/MessageBoxCatcher.h"
#include "tests/ui/window/support/DirectoryBuilder.h"
#include "ui/Main.h"

class TWindowFixture {
 public:
  // Writes the directory and reads its name lists for the window.
  explicit TWindowFixture(const TDirectoryWriter& directory);
  // A directory without "Phones.dbr", or with an empty one that the test holds under
  // a write lease, so that the loader's open waits until the test lets it go.
  enum class TPhones { Absent, Held };
  TWindowFixture(const TDirectoryWriter& directory, TPhones phones);
  ~TWindowFixture();

  std::string Directory() const;
  std::string PhonesPath() const;
  // Made on first use, its grid model watched by a model tester.
  TfrmMain& Window();
  // Shows the window and waits until the loader has loaded or failed.
  bool ShowAndWait();
  // The same, for a test that goes on only once it has: throws when that takes too long.
  TfrmMain& LoadedWindow();
  // Writes the bytes into the held phone file, then lets the loader's open go through.
  void ReleasePhonesWith(const std::string& phonesBytes);
  // Destroys the window without processing any event first.
  void DestroyWindow();

 private:
  void Prepare(const TDirectoryWriter& directory, bool phonesFile);
  void HoldPhones();
  void ReleasePhones();

  QTemporaryDir directory_;
  std::shared_ptr<TDirectory> nameLists_;
  std::unique_ptr<TfrmMain> window_;
  int heldPhones_ = -1;  // the leased descriptor while the loader is held
};

QString StatusOf(TfrmMain& window);
// The state of the window's load; false before the window has started it.
bool PhonesLoaded(const TfrmMain& window);
bool PhonesLoadFailed(const TfrmMain& window);
// The texts of one column, rows in the order the grid shows them.
QStringList ColumnTexts(TfrmMain& window, int column);
// Processes events until no search runs; false when one still runs after timeout.
bool WaitForSearch(TfrmMain& window, int timeoutMilliseconds = 20000);
// Clicks btnGo and waits for the search it started.
void ClickSearch(TfrmMain& window);
// Puts owner into teOwner, clicks btnGo and waits for the search.
void SearchOwner(TfrmMain& window, const QString& owner);
