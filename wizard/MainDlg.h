// The wizard form: eight pages and a closing step, Back, Next and Cancel,
// the guards of every step, the two timers and the closing protocol. It
// reaches its controls only through a ui::TView and receives the user's
// actions as ui::TViewEvents calls.
#pragma once

#include "engine/AttachFiles.h"
#include "engine/InstallThread.h"
#include "integration/SetupState.h"
#include "platform/ui/View.h"
#include "wizard/DestDirPage.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

constexpr int kNoPage = 255;
constexpr int kClosingStep = 8;

class TMainDlgForm : public ui::TViewEvents {
public:
  // Builds the form over view: texts, pictures, the saved settings and the
  // command line (args without the program name), the lists, the timers;
  // then shows page 0.
  TMainDlgForm(ui::TView& view, TAttachedFiles& files, const std::vector<std::string>& args);
  // Stops both timers; waits for the install thread if one is still running.
  ~TMainDlgForm() override;

  TMainDlgForm(const TMainDlgForm&) = delete;
  TMainDlgForm& operator=(const TMainDlgForm&) = delete;

  // ui::TViewEvents
  void ButtonClicked(ui::TControl button) override;
  void CheckRowToggled(ui::TControl list, int row) override;
  void ListRowChosen(ui::TControl list, int row) override;
  void TimerFired(int timerId) override;
  void ApplicationActivated(bool active) override;
  void CloseRequested() override;
  bool Closed() const override { return Closed_; }
  bool SessionEndAllowed(std::string& reason) override;
  void SessionEnding() override;
  // What must still run when the session ends under the open form (the
  // settings and the install log): called once, after the form has closed.
  void SetSessionEndAction(std::function<void()> action) { SessionEndAction_ = std::move(action); }

  // The only way pages change; guards may refuse, leaving everything as it was.
  void GoToPage(int from, int to);
  // Back or Next: from the page on show to the one before or after it.
  void BNClick(ui::TControl sender);
  void CancelBtnClick();
  // Decides a close request; may ask the cancel question.
  void FormCloseQuery(bool& canClose);
  // The sheet carrying a page index (0 to 7), or -1 for none.
  static int GetPageSheet(int page);
  void WMTimer(int timerId);
  void WMActivateApp(bool active);

  // Component page.
  void SelCompLstBxClickCheck();
  void UpdateDiskSpace();
  // The destination list's change: the text box follows it once built.
  void DestDirLstBxChange();

  int Page() const { return Page_; }
  int ModalResult() const { return ModalResult_; }
  bool CloseAllowed() const { return CloseAllowed_; }
  bool Initialized() const { return Initialized_; }
  TSetupState& State() { return State_; }
  TInstallThread* InstallThread() const { return InstallThread_.get(); }
  const std::vector<int>& CompIndexList() const { return CompIndexList_; }
  // The size of each row's component on the install folder's drive.
  const std::vector<int32_t>& CompSizes() const { return CompSizes_; }

private:
  // Runs one user or timer event; once the outermost one has returned, a
  // ModalResult set meanwhile is put to FormCloseQuery as a modal form does.
  template <class F> void Dispatch(F&& handler);
  void CheckModalResult();
  void SetModalResult(int result) { ModalResult_ = result; }

  // Construction steps.
  void SetStaticTexts();
  void ReadSettings(const std::vector<std::string>& args);
  void ShowSettings();
  void SetUpDestination();

  // GoToPage's steps: the entry step (false: stay), buttons, title and sheet.
  bool EnterPage(int from, int to);
  void SetButtons(int to);
  void ShowSheet(int to);
  bool LoadLicence();
  void AskLicenceRefusal();
  void ShowRunningCopyMessage();
  void ComputeComponentSizes();
  void ShowAssocBoxes();
  bool FinishClick();
  // The view's check boxes into the state the integration steps read.
  void ReadCheckBoxes();

  // Component page.
  void ShowComponentRows();

  // Installing page.
  void StartInstall();
  void InstallTimerTick();
  void ShowInstallProgress();

  ui::TView& View_;
  TAttachedFiles& Files_;
  TSetupState State_;
  TDirectoryListBox DestDirLstBx_;
  TDriveComboBox DestDirCmbBx_;
  std::unique_ptr<TInstallThread> InstallThread_;
  std::vector<int> CompIndexList_;
  std::vector<int32_t> CompSizes_;
  std::vector<std::string> LicenseLines_;
  std::string InstallingCaption_;
  int Page_ = kNoPage;
  int ModalResult_ = 0;
  int Depth_ = 0;
  bool CloseAllowed_ = false;
  bool Initialized_ = false;
  bool Closed_ = false;
  std::function<void()> SessionEndAction_;
};
