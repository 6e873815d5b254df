// The wizard window (class "TMainDlgForm"): the banner, the left panel, the
// framed page area with one sheet per page, the separator and the three
// buttons, with every control the wizard addresses. It renders what the
// wizard sets and forwards what the user does; it decides nothing itself.
#pragma once

#include "platform/ui/View.h"
#include "platform/ui/win32/Panel.h"
#include "platform/ui/win32/RowDrawing.h"
#include "platform/ui/win32/Window.h"

#include <array>
#include <memory>
#include <vector>

namespace ui::win32 {

inline constexpr char kWizardWindowClass[] = "TMainDlgForm";

class TWizardWindow : public TWindow, public TView {
public:
  TWizardWindow();
  ~TWizardWindow() override;
  // False when the window or one of its controls could not be created.
  bool Created() const { return created_; }
  HWND Control(TControl control) const { return controls_[static_cast<size_t>(control)]; }

  // Enter and Esc for the window, before the dialog manager sees them;
  // true when taken. Used by the modal loop.
  bool TranslateKey(const MSG& message);

  void SetText(TControl control, const std::string& text) override;
  std::string Text(TControl control) const override;
  void SetLines(TControl control, const std::vector<std::string>& lines) override;
  void SetEnabled(TControl control, bool enabled) override;
  void SetVisible(TControl control, bool visible) override;
  void SetChecked(TControl control, bool checked) override;
  bool Checked(TControl control) const override;
  void SetFocus(TControl control) override;
  void ShowPage(int page) override;
  void SetImage(TControl control, const std::string& pngResource) override;
  void SetRows(TControl list, const std::vector<TListRow>& rows) override;
  void SetSelectedRow(TControl list, int row) override;
  void SetCheckRows(TControl list, const std::vector<TCheckRow>& rows) override;
  void SetCurrentRow(TControl list, int row) override;
  void SetProgressRange(TControl bar, int32_t max) override;
  void SetProgressPosition(TControl bar, int32_t position) override;
  void SetWaitCursor(bool wait) override;
  void StartTimer(int id, unsigned intervalMs) override;
  void StopTimer(int id) override;
  int ShowDialog(const TDialogSpec& dialog) override;
  void RunModal(TViewEvents& events) override;

protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  bool CreateWindows();
  bool CreateControls();
  void Paint();
  void OnCommand(WPARAM wParam);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnMeasureItem(MEASUREITEMSTRUCT& item) const;
  bool OnColourStatic(HDC dc, HWND control, LRESULT& result);
  void OnActivate(WPARAM wParam);
  // A press of BackBtn, NextBtn or CancelBtn, forwarded only while the
  // button is visible and enabled.
  void Press(TControl button);
  TControl ControlOf(int id) const;
  // Focuses the control of the visible label whose accelerator is letter
  // (lower case); false when no label has it.
  bool FocusLabelTarget(char letter);
  int TextHeight(HFONT font) const;

  // The check list's own mouse and keyboard handling, subclassed.
  static LRESULT CALLBACK CheckListProcedure(HWND, UINT, WPARAM, LPARAM);
  LRESULT CheckListMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool created_ = false;
  TViewEvents* events_ = nullptr;
  std::array<HWND, static_cast<size_t>(TControl::Count)> controls_{};
  std::unique_ptr<TPanel> pageArea_;
  std::vector<std::unique_ptr<TPanel>> sheets_;
  HFONT font_ = nullptr;
  HFONT titleFont_ = nullptr;
  HFONT boldFont_ = nullptr;
  HBRUSH bannerBrush_ = nullptr;
  HBITMAP logo_ = nullptr;
  HBITMAP logoSmall_ = nullptr;
  HICON smallIcon_ = nullptr;
  WNDPROC checkListOriginal_ = nullptr;
  TRowPictures pictures_;
  std::vector<TListRow> folderRows_;
  std::vector<TListRow> driveRows_;
  std::vector<TCheckRow> checkRows_;
  HWND savedFocus_ = nullptr;
  bool waitCursor_ = false;
};

} // namespace ui::win32
