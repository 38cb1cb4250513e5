#include "ui/Main.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

#include "data/LoadDataThread.h"
#include "data/TextServices.h"
#include "ui/AccessibleRoles.h"
#include "ui/AnchorLayout.h"
#include "ui/FillCombo.h"
#include "ui/SearchRunner.h"
#include "ui/WindowFont.h"
#include "ui/WindowSettings.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/LookupComboBox.h"
#include "ui/inputs/MaskEdit.h"
#include "ui/inputs/StatusText.h"
#include "ui/report/ApplicationTitle.h"
#include "ui/report/ErrorReport.h"
#include "ui/text/Text1251.h"

namespace {

// Client area 752 x 457 less the 20 px status bar; the outer minimum 760 x 210 less a
// 4 px border on each side and a 19 px caption.
const QSize kDesignSize(752, 437);
const QSize kClientSize(752, 457);
const QSize kMinimumClientSize(752, 183);
constexpr int kLabelTop = 4;
constexpr int kLabelHeight = 13;
constexpr int kFieldTop = 20;
constexpr int kFieldHeight = 21;
constexpr int kStatusBarHeight = 20;
constexpr int kProgressPanelWidth = 100;
const QString kPhoneMask = QStringLiteral("\\d{1,10}");
// A number as people write it, "+7 (912) 345-67-89"; the search keeps its digits.
const QString kForgivingPhoneMask = QStringLiteral("[-+() \\d]{1,24}");
const QString kNumberMask = QStringLiteral("\\d{1,5}");

TMaskEdit* NewMaskEdit(const QString& name, const QString& mask) {
  auto* edit = new TMaskEdit;
  edit->setObjectName(name);
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit->SetEditMask(mask);
  return edit;
}

QLineEdit* NewTextEdit(const QString& name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  return edit;
}

TLookupComboBox* NewComboBox(const QString& name) {
  auto* combo = new TLookupComboBox;
  combo->setObjectName(name);
  return combo;
}

// In the order of TPhoneColumn.
std::vector<TGridColumn> PhoneColumns() {
  const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
  return {
      {QStringLiteral("Телефон"), 89, Qt::AlignRight | Qt::AlignVCenter},
      {QStringLiteral("Абонент"), 212, left},
      {QStringLiteral("Город"), 139, left},
      {QStringLiteral("Улица"), 118, left},
      {QStringLiteral("Дом"), 54, left},
      {QStringLiteral("Корпус"), 59, left},
      {QStringLiteral("Квартира"), 74, left},
  };
}

bool IsEnterKey(QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  int key = static_cast<QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

TfrmMain::TfrmMain(std::shared_ptr<TDirectory> directory, std::string dataFolder,
                   std::shared_ptr<TDirectoryFiles> dataFiles, QWidget* parent)
    : QMainWindow(parent),
      directory_(std::move(directory)),
      dataFolder_(std::move(dataFolder)),
      dataFiles_(std::move(dataFiles)),
      cellSource_(directory_),
      directoryWatch_(dataFolder_, dataFiles_ ? dataFiles_->Stamp() : ReadDirectoryStamp(dataFolder_)) {
  InstallAccessibleRoles();
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(ApplicationTitle());
  setFont(WindowFont());
  auto* client = new QWidget;
  auto* layout = new TAnchorLayout(kDesignSize, client);
  CreateSearchRow(*layout);
  CreateResultGrid(*layout);
  setCentralWidget(client);
  CreateStatusBar();
  CreateListActions();
  CreateHelpShortcut();
  CreateDirectoryWatch();
  SetTabOrder();
  searchRunner_ = std::make_unique<TSearchRunner>();
  loadPoll_ = new QTimer(this);
  cancelShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  cancelShortcut_->setEnabled(false);
  resize(kClientSize);
  setMinimumSize(kMinimumClientSize);
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
  ReadSettings();
  FormCreate();
  BindEvents();
}

TfrmMain::~TfrmMain() {
  // A search's thread reads the directory and posts to the runner: both end here,
  // before anything of the window goes.
  searchRunner_.reset();
  // The loader may be waiting for a hand-over to this window; release it before the
  // join, and let it finish at full speed rather than at idle priority.
  mainThreadCalls_.Cancel();
  if (loader_ && !loader_->Finished()) loader_->RaiseToHighestPriority();
  loader_.reset();
  reload_.reset();
}

void TfrmMain::AddLabeledField(TAnchorLayout& layout, const QString& caption, int labelLeft, QWidget* field,
                               QRect fieldRect, int anchors) {
  auto* label = new QLabel(caption);
  label->setBuddy(field);
  layout.AddWidget(label, QRect(labelLeft, kLabelTop, label->sizeHint().width(), kLabelHeight),
                   anchors & akRight && !(anchors & akLeft) ? akTop | akRight : akTop | akLeft);
  layout.AddWidget(field, fieldRect, anchors);
}

void TfrmMain::CreateSearchRow(TAnchorLayout& layout) {
  mePhone = NewMaskEdit(QStringLiteral("mePhone"), kPhoneMask);
  teOwner = NewTextEdit(QStringLiteral("teOwner"));
  cbCity = NewComboBox(QStringLiteral("cbCity"));
  cbStreet = NewComboBox(QStringLiteral("cbStreet"));
  meHouse = NewMaskEdit(QStringLiteral("meHouse"), kNumberMask);
  teCorpus = NewTextEdit(QStringLiteral("teCorpus"));
  meFlat = NewMaskEdit(QStringLiteral("meFlat"), kNumberMask);

  const int right = akTop | akRight;
  AddLabeledField(layout, QStringLiteral("№ &телефона"), 4, mePhone, QRect(4, kFieldTop, 81, kFieldHeight),
                  akTop | akLeft);
  AddLabeledField(layout, QStringLiteral("Часть &ФИО или названия организации"), 85, teOwner,
                  QRect(85, kFieldTop, 209, kFieldHeight), akTop | akLeft | akRight);
  AddLabeledField(layout, QStringLiteral("&Город"), 294, cbCity, QRect(294, kFieldTop, 114, kFieldHeight), right);
  AddLabeledField(layout, QStringLiteral("&Улица"), 408, cbStreet, QRect(408, kFieldTop, 126, kFieldHeight), right);
  AddLabeledField(layout, QStringLiteral("&Дом"), 534, meHouse, QRect(534, kFieldTop, 45, kFieldHeight), right);
  AddLabeledField(layout, QStringLiteral("&Корпус"), 577, teCorpus, QRect(579, kFieldTop, 47, kFieldHeight), right);
  AddLabeledField(layout, QStringLiteral("Кв&артира"), 625, meFlat, QRect(626, kFieldTop, 60, kFieldHeight), right);

  btnGo = new QPushButton(QStringLiteral("&Поиск"));
  btnGo->setObjectName(QStringLiteral("btnGo"));
  btnGo->setDefault(true);
  btnGo->setEnabled(false);
  layout.AddWidget(btnGo, QRect(692, 8, 56, 33), right);

  chkRegExpr = new QCheckBox(QStringLiteral("Поддержка &регулярных выражений"));
  chkRegExpr->setObjectName(QStringLiteral("chkRegExpr"));
  layout.AddWidget(chkRegExpr, QRect(4, 41, 237, 17), akTop | akLeft);

  chkSearchAsYouType = new QCheckBox(QStringLiteral("Искать при &вводе"));
  chkSearchAsYouType->setObjectName(QStringLiteral("chkSearchAsYouType"));
  layout.AddWidget(chkSearchAsYouType, QRect(249, 41, 130, 17), akTop | akLeft);
  chkForgiving = new QCheckBox(QStringLiteral("Ги&бкий поиск"));
  chkForgiving->setObjectName(QStringLiteral("chkForgiving"));
  layout.AddWidget(chkForgiving, QRect(387, 41, 110, 17), akTop | akLeft);
}

void TfrmMain::CreateResultGrid(TAnchorLayout& layout) {
  gPhones = new TResultGrid(PhoneColumns(), cellSource_);
  gPhones->setObjectName(QStringLiteral("gPhones"));
  gPhones->setAccessibleName(QStringLiteral("Результаты поиска"));
  gPhones->View()->setAccessibleName(QStringLiteral("Результаты поиска"));
  layout.AddWidget(gPhones, QRect(4, 64, 744, 369), akLeft | akTop | akRight | akBottom);
}

void TfrmMain::CreateStatusBar() {
  StatusBar = new QStatusBar;
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setFixedHeight(kStatusBarHeight);
  StatusBar->setSizeGripEnabled(false);
  StatusText = new TStatusText;
  StatusText->setObjectName(QStringLiteral("StatusText"));
  ShowStatus(QStringLiteral("Загрузка базы данных..."));
  StatusBar->addWidget(StatusText, 1);
  ProgressBar = new QProgressBar;
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->setTextVisible(false);
  // No frame: the bar fills its panel edge to edge.
  ProgressBar->setStyleSheet(
      QStringLiteral("QProgressBar { border: none; background: transparent; }"
                     "QProgressBar::chunk { background-color: palette(highlight); }"));
  ProgressBar->setFixedWidth(kProgressPanelWidth);
  ProgressBar->setRange(0, 100);
  ProgressBar->setValue(0);
  ProgressBar->setAccessibleName(QStringLiteral("Ход поиска"));
  StatusBar->addPermanentWidget(ProgressBar);
  setStatusBar(StatusBar);
}

// The panel paints its text itself; screen readers learn it as the panel's name.
void TfrmMain::ShowStatus(const QString& text) {
  StatusText->SetText(text);
  StatusText->setAccessibleName(text);
}

void TfrmMain::SetTabOrder() {
  const QList<QWidget*> order = {mePhone, teOwner, cbCity,     cbStreet,           meHouse,      teCorpus,
                                 meFlat,  btnGo,   chkRegExpr, chkSearchAsYouType, chkForgiving, gPhones->View()};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TfrmMain::BindEvents() {
  auto changed = [this] { mePhonePropertiesChange(); };
  for (TMaskEdit* edit : {mePhone, meHouse, meFlat}) {
    connect(edit, &QLineEdit::textChanged, this, changed);
    connect(edit, &TMaskEdit::invalidValue, this, [](const QString& message) { ShowErrorReport(ToCp1251(message)); });
  }
  for (QLineEdit* edit : {teOwner, teCorpus}) connect(edit, &QLineEdit::textChanged, this, changed);
  for (TLookupComboBox* combo : {cbCity, cbStreet}) connect(combo, &QComboBox::currentIndexChanged, this, changed);
  connect(chkRegExpr, &QCheckBox::toggled, this, [this] { chkRegExprPropertiesChange(); });
  connect(chkSearchAsYouType, &QCheckBox::toggled, this, [this] { chkSearchAsYouTypePropertiesChange(); });
  connect(chkForgiving, &QCheckBox::toggled, this, [this] { chkForgivingPropertiesChange(); });
  connect(btnGo, &QPushButton::clicked, this, [this] { btnGoClick(); });
  connect(cancelShortcut_, &QShortcut::activated, this, [this] { CancelSearch(); });
  connect(loadPoll_, &QTimer::timeout, this, [this] { PollLoad(); });
  connect(searchRunner_.get(), &TSearchRunner::progressed, this, [this](int32_t position) { ShowProgress(position); });
  connect(searchRunner_.get(), &TSearchRunner::finished, this,
          [this](const TSearchResult& result) { ShowOutcome(result); });
  for (QWidget* w : std::initializer_list<QWidget*>{mePhone, teOwner, cbCity, cbStreet, meHouse, teCorpus, meFlat,
                                                    btnGo, chkRegExpr, chkSearchAsYouType, chkForgiving})
    w->installEventFilter(this);
}

// Outside a dialog Qt has no default button: Enter in a field reaches btnGo here,
// before the field sees it; an open drop-down list keeps its keys in its own popup.
bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (IsEnterKey(event) && btnGo->isEnabled()) {
    btnGo->click();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::FormCreate() {
  RunGuarded([this] {
    FillCombo(*cbCity, directory_->Cities);
    FillCombo(*cbStreet, directory_->Streets);
  });
}

void TfrmMain::mePhonePropertiesChange() {
  RunGuarded([this] {
    UpdateSearchState();
    SearchAsTyped();
  });
}

// An expression typed into the phone field may hold any character; the text stays when
// the digits mask returns.
void TfrmMain::chkRegExprPropertiesChange() {
  RunGuarded([this] {
    WriteSettings();
    UpdateSearchState();
    SetPhoneMask();
    SearchAsTyped();
  });
}

// The box only decides what later changes do: checking it searches nothing yet.
void TfrmMain::chkSearchAsYouTypePropertiesChange() {
  RunGuarded([this] { WriteSettings(); });
}

// The inputs read otherwise from now on, so a search as typed runs again.
void TfrmMain::chkForgivingPropertiesChange() {
  RunGuarded([this] {
    WriteSettings();
    SetPhoneMask();
    SearchAsTyped();
  });
}

// Forgiving reading is a plain-mode reading; an expression is taken as written.
void TfrmMain::SetPhoneMask() {
  const bool regExpr = chkRegExpr->isChecked();
  chkForgiving->setEnabled(!regExpr);
  mePhone->SetEditMask(regExpr ? QString() : chkForgiving->isChecked() ? kForgivingPhoneMask : kPhoneMask);
}

// Before the events are bound: setting the boxes runs no handler.
void TfrmMain::ReadSettings() {
  const TWindowSettings settings = ReadWindowSettings(gPhones->ColumnCount(), gPhones->MinimumColumnWidth());
  // A place on a screen that is no longer there is refused, keeping the centred one.
  if (!settings.Geometry.isEmpty()) restoreGeometry(settings.Geometry);
  if (settings.Grid) gPhones->RestoreLayout(*settings.Grid);
  chkRegExpr->setChecked(settings.RegExpr);
  chkSearchAsYouType->setChecked(settings.SearchAsYouType);
  chkForgiving->setChecked(settings.Forgiving);
  SetPhoneMask();
}

void TfrmMain::WriteSettings() const {
  WriteWindowSettings({.RegExpr = chkRegExpr->isChecked(),
                       .SearchAsYouType = chkSearchAsYouType->isChecked(),
                       .Forgiving = chkForgiving->isChecked(),
                       .Geometry = saveGeometry(),
                       .Grid = gPhones->Layout()});
}

bool TfrmMain::AnyFieldFilled() const {
  const QString texts[] = {mePhone->text(), teOwner->text(),  cbCity->currentText(), cbStreet->currentText(),
                           meHouse->text(), teCorpus->text(), meFlat->text()};
  for (const QString& text : texts)
    if (!TrimText(ToCp1251(text)).empty()) return true;
  return false;
}
