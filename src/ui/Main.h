#pragma once
// The directory's one window: the search fields, the result grid and the status bar,
// the start of the background load and the search command.

#include <QMainWindow>
#include <memory>
#include <string>

#include "data/DirectoryFiles.h"
#include "ui/MainThreadCalls.h"
#include "ui/PhoneCellSource.h"

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class TAnchorLayout;
class TLoadDataThread;
class TLookupComboBox;
class TMaskEdit;
class TResultGrid;
class TStatusText;
struct SearchCriteria;
struct TSearchInputs;

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
  TResultGrid* gPhones;
  QStatusBar* StatusBar;
  TStatusText* StatusText;
  QProgressBar* ProgressBar;

  void FormCreate();
  void FormShow();
  void ShowLoadedStatus();
  void mePhonePropertiesChange();
  void chkRegExprPropertiesChange();
  void UpdateSearchState();
  void btnGoClick();

  // The window's one load, once it has started.
  const TLoadDataThread* Loader() const { return loader_.get(); }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateSearchRow(TAnchorLayout& layout);
  void CreateResultGrid(TAnchorLayout& layout);
  void CreateStatusBar();
  void SetTabOrder();
  void BindEvents();
  void AddLabeledField(TAnchorLayout& layout, const QString& caption, int labelLeft, QWidget* field, QRect fieldRect,
                       int anchors);

  bool AnyFieldFilled() const;
  TSearchInputs ReadSearchInputs() const;
  void Search();
  bool WaitForPhones();
  void WaitUntilLoadEnds();
  void FillGrid(const SearchCriteria& criteria);
  void ShowStatus(const QString& text);
  void SetStatusNow(const QString& text);
  void ShowFoundStatus();
  void WatchForFailedLoad();

  bool DataLoaded() const;

  const std::shared_ptr<TDirectory> directory_;
  const std::string dataFolder_;
  std::shared_ptr<TDirectoryFiles> dataFiles_;
  TPhoneCellSource cellSource_;
  TMainThreadCalls mainThreadCalls_;
  std::unique_ptr<TLoadDataThread> loader_;
  bool searching_ = false;
};
