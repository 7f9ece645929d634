// The main window: the yellow field, the tick timer, the warm-up bar, the digest label,
// the result box and the buttons. It owns the generator's state, shows it as the
// engine's DrawView, and turns its events into calls of the engine's operations.
#pragma once

#include <QWidget>
#include <memory>

#include "draw_state.h"
#include "draw_view.h"
#include "engine_platform.h"
#include "sys_info_platform.h"

class QLabel;
class QPushButton;
class QTimer;

namespace sorvanto {

class FrmAbout;
class InputField;
class ResultEdit;
class RunError;
class WarmUpBar;

class SorvantoFrm final : public QWidget, public DrawView {
  Q_OBJECT

 public:
  // Starts the engine before the window is shown; throws RunError when it cannot start
  // (table.txt missing or unreadable).
  SorvantoFrm(EnginePlatform& platform, SysInfoPlatform& sysInfo);
  ~SorvantoFrm() override;

  void SetTimerEnabled(bool on) override;
  bool GetTimerEnabled() override;
  void SetTimerInterval(std::int32_t milliseconds) override;
  void SetDigestCaption(std::string_view text) override;
  void SetPercentCaption(std::string_view text) override;
  void ClearProgressBar() override;
  void DrawProgressBar(double fraction) override;
  std::string_view GetResultText() override;
  void SetResultText(std::string_view text) override;
  void SetResultCaret(std::int32_t position) override;
  void SetResetCaption(std::string_view text) override;
  void SetResetEnabled(bool on) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetUpWindow();
  void CreateControls();
  void WireEvents();
  bool AboutShows() const;
  void BringAboutForward();

  void Form_Load();
  void Form_Resize();
  void Form_MouseDown(QPointF position);
  void Picture1_Click();
  void Picture1_MouseMove(QPointF position);
  void ResetBtn_Click();
  void Command1_Click();
  void Trigger_Timer();

  // Runs an engine operation from an event handler; a RunError ends the program.
  template <typename Operation>
  void RunEngine(Operation operation);
  void EndWithError(const RunError& error);

  EnginePlatform& platform_;
  SysInfoPlatform& sysInfo_;
  DrawState state_;
  std::unique_ptr<FrmAbout> frmAbout_;

  QPushButton* Command1 = nullptr;
  QPushButton* ResetBtn = nullptr;
  ResultEdit* ResultBox = nullptr;
  WarmUpBar* idSlider = nullptr;
  QLabel* PercLbl = nullptr;
  InputField* Picture1 = nullptr;
  QTimer* Trigger = nullptr;
  QLabel* AuthLbl = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* HashLbl = nullptr;
};

}  // namespace sorvanto
