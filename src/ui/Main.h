#pragma once
// The directory's one window: the search fields, the result grid and the status bar,
// the start of the background load and the search command.

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>

#include "data/DirectoryFiles.h"
#include "data/DirectoryWatch.h"
#include "ui/MainThreadCalls.h"
#include "ui/PhoneCellSource.h"
#include "ui/ScreenCursor.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QShortcut;
class QStatusBar;
class QTimer;
class TAnchorLayout;
class TLoadDataThread;
class TLookupComboBox;
class TMaskEdit;
class TResultGrid;
class TSearchRunner;
class TStatusText;
struct TSearchInputs;
struct TSearchResult;
enum class TListFormat;
struct TPrintedList;

class TfrmMain : public QMainWindow {
  Q_OBJECT
 public:
  // Shows directory, whose name lists are read. Its phone table is loaded from
  // dataFolder when the window is first shown, by the loader alone, and read here only
  // once that load has handed it over; nothing writes the directory after that.
  // dataFiles: the files of dataFolder that start-up opened together and read the
  // name lists from; without them the loader opens the folder's Phones.dbr itself.
  TfrmMain(std::shared_ptr<TDirectory> directory, std::string dataFolder,
           std::shared_ptr<TDirectoryFiles> dataFiles = nullptr, QWidget* parent = nullptr);
  ~TfrmMain() override;

  TMaskEdit* mePhone;
  QLineEdit* teOwner;
  TLookupComboBox* cbCity;
  TLookupComboBox* cbStreet;
  TMaskEdit* meHouse;
  QLineEdit* teCorpus;
  TMaskEdit* meFlat;
  QPushButton* btnGo;
  QCheckBox* chkRegExpr;
  QCheckBox* chkSearchAsYouType;
  QCheckBox* chkForgiving;
  TResultGrid* gPhones;
  QStatusBar* StatusBar;
  TStatusText* StatusText;
  QProgressBar* ProgressBar;
  QAction* actSaveList;  // Ctrl+S and the grid's context menu
  QAction* actPrint;     // Ctrl+P and the grid's context menu
  QAction* actSavePdf;

  void FormCreate();
  void FormShow();
  void ShowLoadedStatus();
  void mePhonePropertiesChange();
  void chkRegExprPropertiesChange();
  void chkSearchAsYouTypePropertiesChange();
  void chkForgivingPropertiesChange();
  void UpdateSearchState();
  void btnGoClick();
  void SaveListClick();
  void ShowHelp();  // F1
  // F5: reads the directory's files anew. The rows on show stay until the new phones
  // are loaded; then the window turns to the new directory and searches again.
  void ReloadDirectory();
  void PrintClick();
  void SavePdfClick();
  // The printed pages into path, as SavePdfClick does once a file is chosen.
  void SavePdfTo(const QString& path);
  // The grid's rows into path, as SaveListClick does once a file is chosen.
  void SaveListTo(const QString& path, TListFormat format);
  // Esc: the running search, or one waiting for the phone data, ends without rows.
  void CancelSearch();

  // A search was started and has not yet ended, been cancelled or superseded.
  bool Searching() const;

  // The load of the directory searched, once it has started.
  const TLoadDataThread* Loader() const { return loader_.get(); }
  // A reload started by F5 whose phones are not yet loaded.
  bool Reloading() const { return reload_ != nullptr; }
  // The searches behind the window, superseded ones included until their threads end.
  const TSearchRunner& SearchRunner() const { return *searchRunner_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateSearchRow(TAnchorLayout& layout);
  void CreateResultGrid(TAnchorLayout& layout);
  void CreateStatusBar();
  void CreateListActions();
  QAction* AddListAction(const QString& text, const QString& name, void (TfrmMain::*handler)());
  TPrintedList ListToPrint() const;
  void CreateHelpShortcut();
  void CreateDirectoryWatch();
  void SetTabOrder();
  void BindEvents();
  void AddLabeledField(TAnchorLayout& layout, const QString& caption, int labelLeft, QWidget* field, QRect fieldRect,
                       int anchors);

  void ReadSettings();
  void WriteSettings() const;
  void SetPhoneMask();
  bool AnyFieldFilled() const;
  TSearchInputs ReadSearchInputs() const;
  void Search(bool hourglass);
  void SearchAsTyped();
  void WaitForPhones();
  void PollLoad();
  void StartScan();
  void ShowProgress(int32_t position);
  void ShowOutcome(const TSearchResult& result);
  void FillGrid(const TSearchResult& result);
  void EndSearch();
  void ShowStatus(const QString& text);
  void SetStatusNow(const QString& text);
  // Until loader ends; onFailed runs if it fails while still the window's.
  void WatchForFailedLoad(const TLoadDataThread* loader, void (TfrmMain::*onFailed)());
  void ReportFailedLoad();
  void ReportFailedReload();
  void LookForReplacedFiles();
  void SwapInReloadedDirectory();
  void SwapDirectory();
  void ShowRowsOf(std::shared_ptr<const TDirectory> directory);

  bool DataLoaded() const;

  // A directory read anew, its phones still loading.
  struct TReload {
    std::shared_ptr<TDirectory> Directory;
    TDirectoryStamp Stamp;
    std::unique_ptr<TLoadDataThread> Loader;  // after Directory: ends before it goes
  };

  std::shared_ptr<TDirectory> directory_;  // the one searched
  const std::string dataFolder_;
  std::shared_ptr<TDirectoryFiles> dataFiles_;
  TPhoneCellSource cellSource_;  // reads the directory the grid's rows index
  bool searchShown_ = false;     // the rows come from a search
  TMainThreadCalls mainThreadCalls_;
  std::unique_ptr<TLoadDataThread> loader_;
  std::unique_ptr<TReload> reload_;
  TDirectoryWatch directoryWatch_;
  std::unique_ptr<TSearchRunner> searchRunner_;
  QShortcut* cancelShortcut_ = nullptr;
  QTimer* loadPoll_ = nullptr;  // runs while a search waits for the phone data
  std::optional<TScreenCursor> hourglass_;
};
