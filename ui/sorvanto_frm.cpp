#include "sorvanto_frm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "app_icon.h"
#include "controls.h"
#include "credits.h"
#include "engine_start.h"
#include "entropy_chain.h"
#include "fitting_font.h"
#include "frm_about.h"
#include "input_field.h"
#include "least_size.h"
#include "number_draw.h"
#include "owned_windows.h"
#include "result_edit.h"
#include "run_error.h"
#include "run_error_report.h"
#include "text_conversion.h"
#include "twips.h"
#include "warm_up_bar.h"

namespace sorvanto {
namespace {

// The smallest inner size the window may take; also its size when it first opens.
constexpr QSize kMinimumSize(Pixels(SORVANTO_INNER_WIDTH_TWIPS),
                             Pixels(SORVANTO_INNER_HEIGHT_TWIPS));
constexpr QRect kLabel1Geometry = TwipRect(120, 120, 3135, 1455);

const char kInstructions[] =
    "Instructions (do everything on yellow field):\n"
    "- click on the field\n"
    "- move your mouse as randomly as possible\n"
    "- move until the blue bar fills\n"
    "- continue to move to generate numbers\n"
    "- click (or stop moving) to stop generating\n"
    "- click Reset to reset everything";

QString CreditText() {
  return QStringLiteral(
             "Sorvanto, made by %1\nThis program is freeware.\n%2\n"
             "(resize to bring the yellow field back)")
      .arg(QString::fromLatin1(kMakerName), QString::fromLatin1(kWebAddress));
}

}  // namespace

SorvantoFrm::SorvantoFrm(EnginePlatform& platform, SysInfoPlatform& sysInfo)
    : platform_(platform), sysInfo_(sysInfo) {
  SetUpWindow();
  CreateControls();
  WireEvents();
  Form_Load();
}

SorvantoFrm::~SorvantoFrm() = default;

void SorvantoFrm::SetUpWindow() {
  setObjectName(QStringLiteral("SorvantoFrm"));
  setWindowTitle(QStringLiteral("Sorvanto"));
  setWindowIcon(SorvantoIcon());
  setAccessibleDescription(QStringLiteral("Turns your mouse movements into lottery combinations."));
  setFont(FontFitting(font(), QString::fromLatin1(kInstructions), kLabel1Geometry.size()));
  DeclareLeastSize(*this, kMinimumSize);
  resize(kMinimumSize);
}

void SorvantoFrm::CreateControls() {
  // Created bottom to top: the yellow field covers the credit text and the digest
  // label's lowest pixel row, so that every move over the field reaches it.
  AuthLbl = CreateLabel(this, "AuthLbl", TwipRect(3600, 2520, 5655, 855), Qt::AlignHCenter);
  AuthLbl->setText(CreditText());
  HashLbl = CreateLabel(this, "HashLbl", TwipRect(3480, 120, 5775, 255), Qt::AlignLeft);
  HashLbl->setAccessibleDescription(
      QStringLiteral("The digest of every movement so far; each movement changes it."));
  Label1 = CreateLabel(this, "Label1", kLabel1Geometry, Qt::AlignLeft);
  Label1->setText(QString::fromLatin1(kInstructions));

  Picture1 = new InputField(this);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setGeometry(TwipRect(3360, 360, 375, 375));

  idSlider = new WarmUpBar(this);
  idSlider->setObjectName(QStringLiteral("idSlider"));
  idSlider->setGeometry(TwipRect(120, 1680, 3135, 255));
  const QPoint barInner = idSlider->contentsRect().topLeft();
  PercLbl = CreateLabel(idSlider, "PercLbl", TwipRect(120, 0, 2895, 255).translated(barInner),
                        Qt::AlignHCenter);
  PercLbl->setText(QStringLiteral("0%"));
  QPalette red = PercLbl->palette();
  red.setColor(QPalette::WindowText, QColor(255, 0, 0));
  PercLbl->setPalette(red);

  ResultBox = new ResultEdit(this);
  ResultBox->setObjectName(QStringLiteral("ResultBox"));
  ResultBox->setGeometry(TwipRect(120, 2040, 3135, 3735));
  ResultBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  ResetBtn =
      CreateButton(this, "ResetBtn", TwipRect(120, 5880, 2055, 375), QStringLiteral("Reset"));
  Command1 =
      CreateButton(this, "Command1", TwipRect(2280, 5880, 975, 375), QStringLiteral("About"));
  ResetBtn->setAccessibleDescription(
      QStringLiteral("Empties the result box and the warm-up bar when the pointer next moves "
                     "over the yellow field; click the field to start again."));
  Command1->setAccessibleDescription(QStringLiteral("Shows the program's version and maker."));
  setTabOrder(Picture1, idSlider);
  setTabOrder(idSlider, ResultBox);
  setTabOrder(ResultBox, ResetBtn);
  setTabOrder(ResetBtn, Command1);

  Trigger = new QTimer(this);
  Trigger->setObjectName(QStringLiteral("Trigger"));
}

void SorvantoFrm::WireEvents() {
  connect(Picture1, &InputField::clicked, this, &SorvantoFrm::Picture1_Click);
  connect(Picture1, &InputField::pointerMoved, this, &SorvantoFrm::Picture1_MouseMove);
  connect(ResetBtn, &QPushButton::clicked, this, &SorvantoFrm::ResetBtn_Click);
  connect(Command1, &QPushButton::clicked, this, &SorvantoFrm::Command1_Click);
  connect(Trigger, &QTimer::timeout, this, &SorvantoFrm::Trigger_Timer);
}

void SorvantoFrm::Form_Load() { StartEngine(state_, *this, platform_); }

void SorvantoFrm::Form_Resize() {
  if (isMinimized()) return;
  const QSize inner = size().expandedTo(kMinimumSize);
  if (inner != size()) resize(inner);
  Picture1->resize(inner.width() - Pixels(3465), inner.height() - Pixels(450));
  ResetBtn->move(ResetBtn->x(), inner.height() - Pixels(465));
  Command1->move(Command1->x(), inner.height() - Pixels(465));
  ResultBox->resize(ResultBox->width(), inner.height() - Pixels(2610));
}

void SorvantoFrm::Form_MouseDown(QPointF position) {
  // The hidden way to the credit text underneath the field.
  if (position == QPointF(0, 0)) Picture1->resize(Picture1->width(), 0);
}

void SorvantoFrm::Picture1_Click() {
  RunEngine([this] { ToggleTicking(*this); });
}

void SorvantoFrm::Picture1_MouseMove(QPointF position) {
  const QPointF twips = ToTwips(position);
  RunEngine(
      [&] { RecordPointer(state_, static_cast<float>(twips.x()), static_cast<float>(twips.y())); });
}

void SorvantoFrm::ResetBtn_Click() {
  RunEngine([this] { RequestReset(state_, *this); });
}

void SorvantoFrm::Command1_Click() {
  if (!frmAbout_) frmAbout_ = std::make_unique<FrmAbout>(*this, sysInfo_);
  frmAbout_->show();
  frmAbout_->activateWindow();
  setEnabled(false);
}

void SorvantoFrm::Trigger_Timer() {
  RunEngine([this] { OnTick(state_, *this, platform_); });
}

template <typename Operation>
void SorvantoFrm::RunEngine(Operation operation) {
  // Exceptions must not unwind through Qt's event loop.
  try {
    operation();
  } catch (const std::exception& error) {
    EndWithError(AsRunError(error));
  }
}

void SorvantoFrm::EndWithError(const RunError& error) {
  // Nothing may reach the engine again while the message is up.
  Trigger->stop();
  setEnabled(false);
  ReportRunError(error);
  QCoreApplication::exit(error.Code());
}

void SorvantoFrm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

bool SorvantoFrm::AboutShows() const { return frmAbout_ && frmAbout_->isVisible(); }

// While the About window shows, it is the one window that takes input: whatever would
// bring this window forward brings the About window forward instead.
void SorvantoFrm::BringAboutForward() {
  ShowOwnedWindowsAgain(*this);
  frmAbout_->raise();
  frmAbout_->activateWindow();
}

void SorvantoFrm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) MatchNativeEnabled(*this);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && AboutShows()) {
    BringAboutForward();
  }
  if (event->type() != QEvent::WindowStateChange) return;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  // Neither maximised over the About window nor minimised away from it.
  const Qt::WindowStates hiding = Qt::WindowMinimized | Qt::WindowMaximized;
  if (AboutShows() && (windowState() & ~change->oldState() & hiding)) {
    setWindowState(change->oldState());
    BringAboutForward();
    return;
  }
  // Restoring from minimised brings the field back, even at an unchanged size.
  if (change->oldState().testFlag(Qt::WindowMinimized) && !isMinimized()) Form_Resize();
}

void SorvantoFrm::mousePressEvent(QMouseEvent* event) { Form_MouseDown(event->position()); }

void SorvantoFrm::closeEvent(QCloseEvent* event) {
  // The user closes the About window first. A log-out ends the program all the same.
  if (AboutShows()) {
    event->ignore();
    BringAboutForward();
    return;
  }
  QWidget::closeEvent(event);
}

void SorvantoFrm::SetTimerEnabled(bool on) {
  if (on == Trigger->isActive()) return;
  if (on) {
    Trigger->start();
  } else {
    Trigger->stop();
  }
}

bool SorvantoFrm::GetTimerEnabled() { return Trigger->isActive(); }

void SorvantoFrm::SetTimerInterval(std::int32_t milliseconds) {
  Trigger->setInterval(std::max(milliseconds, 0));
}

void SorvantoFrm::SetDigestCaption(std::string_view text) { HashLbl->setText(ToQString(text)); }

void SorvantoFrm::SetPercentCaption(std::string_view text) {
  PercLbl->setText(ToQString(text));
  // The engine sets the percentage once per warm-up tick and once on a reset, each time
  // after drawing or clearing the bar.
  idSlider->AnnounceValue();
}

void SorvantoFrm::ClearProgressBar() { idSlider->Clear(); }

void SorvantoFrm::DrawProgressBar(double fraction) { idSlider->Fill(fraction); }

std::string_view SorvantoFrm::GetResultText() { return ResultBox->Text(); }

void SorvantoFrm::SetResultText(std::string_view text) { ResultBox->SetText(text); }

void SorvantoFrm::SetResultCaret(std::int32_t position) { ResultBox->SetCaret(position); }

void SorvantoFrm::SetResetCaption(std::string_view text) { ResetBtn->setText(ToQString(text)); }

void SorvantoFrm::SetResetEnabled(bool on) { ResetBtn->setEnabled(on); }

}  // namespace sorvanto
