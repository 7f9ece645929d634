#include "frm_about.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVersionNumber>
#include <QWindow>

#include "app_icon.h"
#include "controls.h"
#include "credits.h"
#include "fitting_font.h"
#include "sys_info.h"
#include "twips.h"

namespace sorvanto {
namespace {

// Where the window's inner area lies on the screen whenever it opens.
constexpr QRect kClientGeometry = TwipRect(2340, 1935, 5730, 3555);
constexpr QRect kDescriptionGeometry = TwipRect(1050, 1125, 3885, 1170);

QString DescriptionText() {
  return QStringLiteral(
             "This program generates Lotto combinations based on user's movement of the "
             "mouse.\n\nFreeware, \u00a9 %1 %2.\n%3")
      .arg(kCopyrightYear)
      .arg(QString::fromLatin1(kMakerName), QString::fromLatin1(kWebAddress));
}

// The title, description and notice are black, as designed for a light window; on a
// dark one, as a dark desktop theme gives, black would hardly show, and they take the
// theme's own text colour instead, as the version line does.
QColor TextColour(const QPalette& palette) {
  constexpr int kMidGrey = 128;
  return qGray(palette.color(QPalette::Window).rgb()) < kMidGrey
             ? palette.color(QPalette::WindowText)
             : QColor(Qt::black);
}

}  // namespace

FrmAbout::FrmAbout(QWidget& mainWindow, SysInfoPlatform& sysInfo)
    : mainWindow_(mainWindow), sysInfo_(sysInfo) {
  SetUpWindow();
  CreateControls();
  WireEvents();
}

void FrmAbout::SetUpWindow() {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About MyApp"));
  setFont(FontFitting(font(), DescriptionText(), kDescriptionGeometry.size()));
  // A fixed dialog frame with a title and the close box only; with no system menu of its
  // own the title bar shows no icon either.
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientGeometry.size());
}

void FrmAbout::CreateControls() {
  picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setGeometry(TwipRect(240, 240, 540, 540));
  picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picIcon->setLineWidth(2);
  picIcon->setAccessibleName(QStringLiteral("Program icon"));

  cmdOK = CreateButton(this, "cmdOK", TwipRect(4245, 2625, 1260, 345), QStringLiteral("OK"));
  cmdOK->setDefault(true);
  cmdOK->setAccessibleDescription(QStringLiteral("Closes this window."));

  cmdSysInfo = CreateButton(this, "cmdSysInfo", TwipRect(4260, 3075, 1245, 345),
                            QStringLiteral("&System Info..."));
  cmdSysInfo->setAccessibleDescription(
      QStringLiteral("Starts the system information tool, where this computer has one."));

  lblDescription =
      CreateLabel(this, "lblDescription", kDescriptionGeometry, Qt::AlignRight, DescriptionText());

  lblTitle = CreateLabel(this, "lblTitle", TwipRect(1050, 240, 3885, 480), Qt::AlignLeft,
                         QStringLiteral("Application Title"));
  QFont titleFont(QStringLiteral("MS Sans Serif"));
  titleFont.setPointSizeF(17.25);
  lblTitle->setFont(titleFont);

  lblVersion = CreateLabel(this, "lblVersion", TwipRect(1050, 780, 3885, 225), Qt::AlignLeft,
                           QStringLiteral("Version"));

  lblDisclaimer = CreateLabel(this, "lblDisclaimer", TwipRect(255, 2625, 3870, 825), Qt::AlignLeft);
  ColourTexts();

  setTabOrder(cmdOK, cmdSysInfo);
}

void FrmAbout::ColourTexts() {
  QPalette texts;
  texts.setColor(QPalette::WindowText, TextColour(palette()));
  for (QLabel* label : {lblTitle, lblDescription, lblDisclaimer}) label->setPalette(texts);
}

// A theme switched while the window shows reaches it as a change of its palette.
void FrmAbout::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) ColourTexts();
}

void FrmAbout::WireEvents() {
  // OK, Enter on OK, Esc and the close box all end in done.
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdSysInfo, &QPushButton::clicked, this, &FrmAbout::cmdSysInfo_Click);
}

void FrmAbout::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    // Owned by the main window itself, not by a widget parent, whose disabling would
    // disable this window too: the window system keeps it above the main window and
    // gives it no taskbar entry.
    windowHandle()->setTransientParent(mainWindow_.windowHandle());
    Form_Load();
  }
  QDialog::showEvent(event);
}

void FrmAbout::Form_Load() {
  setGeometry(kClientGeometry);
  const QString title = QApplication::applicationName();
  const QVersionNumber version = QVersionNumber::fromString(QApplication::applicationVersion());
  setWindowTitle(QStringLiteral("About ") + title);
  lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                          .arg(version.majorVersion())
                          .arg(version.minorVersion())
                          .arg(version.microVersion()));
  lblTitle->setText(title);
  picIcon->setPixmap(mainWindow_.windowIcon().pixmap(kIconSize));
  picIcon->adjustSize();
  cmdOK->setFocus();
}

void FrmAbout::Form_Unload() { mainWindow_.setEnabled(true); }

// The main window takes input again before this window goes: the window system passes
// the activation on to another window as this one hides, and on Windows, where the main
// window is disabled by the system too, it would pass it to another program's window.
void FrmAbout::done(int result) {
  Form_Unload();
  QDialog::done(result);
}

void FrmAbout::cmdSysInfo_Click() { StartSysInfo(sysInfo_); }

void FrmAbout::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  // The etched rule between the description and the buttons: a grey line over a
  // two-pixel white one.
  QPainter painter(this);
  painter.fillRect(QRect(QPoint(Pixels(90), Pixels(2445)), QPoint(Pixels(5654), Pixels(2445))),
                   QColor(128, 128, 128));
  painter.fillRect(QRect(QPoint(Pixels(105), Pixels(2460)), QPoint(Pixels(5654), Pixels(2460) + 1)),
                   Qt::white);
}

}  // namespace sorvanto
