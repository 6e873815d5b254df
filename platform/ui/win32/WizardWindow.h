// The wizard window (class "TMainDlgForm"): the banner, the left panel, the
// framed page area with one sheet per page, the separator and the three
// buttons, with every control the wizard addresses. It renders what the
// wizard sets and forwards what the user does; it decides nothing itself.
#pragma once

#include "platform/ui/View.h"
#include "platform/ui/win32/Accessible.h"
#include "platform/ui/win32/Dpi.h"
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
  // The DPI the window is laid out for.
  int Dpi() const { return dpi_; }
  // Lays the whole window out again for another DPI (WM_DPICHANGED does it
  // when the window moves to a monitor of another scale), its client area
  // the layout's size whatever caption and frame the monitor gives it, and
  // repaints every control; suggested is the window rectangle the system
  // proposes (its top-left corner is taken), or null to keep the position.
  void ApplyDpi(int dpi, const RECT* suggested);
  // The banner's and logos' colours for the high-contrast setting (the
  // system's, read again on every change of colours, theme or settings);
  // everything is repainted.
  void ApplyColours(bool highContrast);

  // Enter and Esc for the window, before the dialog manager sees them;
  // true when taken. Used by the modal loop.
  bool TranslateKey(const MSG& message);

  // The accessible object of the folder list, the drive box or the check
  // list (what a screen reader's WM_GETOBJECT is answered with); null for
  // any other control.
  TAccessibleObject* Accessible(TControl control) const;

  void SetText(TControl control, const std::string& text) override;
  void SetAccessibleName(TControl control, const std::string& name) override;
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
  void OnActivate(WPARAM wParam, LPARAM lParam);
  // Before window (or a window holding the focus inside it) is disabled or
  // hidden, the focus moves to the next control that can take it.
  void MoveFocusOff(HWND window);
  // When no visible, enabled control of the window has the focus, the
  // default button gets it, else the first control that can take it.
  void KeepFocusUsable();
  bool Usable(HWND control) const;

  // WM_QUERYENDSESSION: the wizard's answer, with its reason given to the
  // system when it holds the session; WM_ENDSESSION: the end, or its cancel.
  bool OnQueryEndSession();
  void OnEndSession(bool ending);
  // A press of BackBtn, NextBtn or CancelBtn, forwarded only while the
  // button is visible and enabled.
  void Press(TControl button);
  TControl ControlOf(int id) const;
  // Focuses the control of the visible label whose accelerator is letter
  // (lower case); false when no label has it.
  bool FocusLabelTarget(wchar_t letter);
  int S(int value) const { return Scale(value, dpi_); }
  // The three fonts at the window's DPI, given to the controls that exist.
  void CreateFonts();
  // The program's icon in the caption and the task bar, at the window's DPI.
  void SetCaptionIcons();
  // Every window of the view at its 96-DPI rectangle scaled to the DPI.
  void PlaceControls();
  UINT RowHeight(TControl list) const;
  // The logo's PNG resampled to its control's size at the DPI.
  void ShowLogo(TControl control);

  // The three lists, subclassed: each answers WM_GETOBJECT with its own
  // accessible object; the check list also has its own mouse and keyboard
  // handling.
  bool SubclassLists();
  static LRESULT CALLBACK ListProcedure(HWND, UINT, WPARAM, LPARAM);
  LRESULT ListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
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
  HICON bigIcon_ = nullptr;
  // Per list of kAccessibleLists: its class's procedure and its object.
  std::array<WNDPROC, 3> listOriginals_{};
  std::array<TAccessibleObject*, 3> accessibles_{};
  std::unique_ptr<TRowPictures> pictures_;
  std::string logoResources_[2]; // LogoSmallImage, LogoImage
  int dpi_ = kBaseDpi;
  bool highContrast_ = false;
  std::vector<TListRow> folderRows_;
  std::vector<TListRow> driveRows_;
  std::vector<TCheckRow> checkRows_;
  HWND savedFocus_ = nullptr;
  bool waitCursor_ = false;
};

} // namespace ui::win32
