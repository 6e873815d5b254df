// A view that keeps only what the destination page's lists show: the last
// rows and selected row of each list and how many times its rows were set.
// Everything else the form would show is ignored.
#pragma once

#include "platform/ui/View.h"

#include <map>

class RecordingListView : public ui::TView {
public:
  struct List {
    std::vector<ui::TListRow> rows;
    int selected = -1;
    int builds = 0; // SetRows calls
  };

  const List& Of(ui::TControl list) { return lists_[list]; }
  // The selected row's text; "" when none is selected.
  std::string SelectedText(ui::TControl list) {
    const List& l = lists_[list];
    return l.selected >= 0 && l.selected < int(l.rows.size()) ? l.rows[size_t(l.selected)].Text
                                                              : "";
  }

  void SetRows(ui::TControl list, const std::vector<ui::TListRow>& rows) override {
    lists_[list].rows = rows;
    ++lists_[list].builds;
  }
  void SetSelectedRow(ui::TControl list, int row) override { lists_[list].selected = row; }

  void SetText(ui::TControl, const std::string&) override {}
  std::string Text(ui::TControl) const override { return ""; }
  void SetLines(ui::TControl, const std::vector<std::string>&) override {}
  void SetEnabled(ui::TControl, bool) override {}
  void SetVisible(ui::TControl, bool) override {}
  void SetChecked(ui::TControl, bool) override {}
  bool Checked(ui::TControl) const override { return false; }
  void SetFocus(ui::TControl) override {}
  void ShowPage(int) override {}
  void SetImage(ui::TControl, const std::string&) override {}
  void SetCheckRows(ui::TControl, const std::vector<ui::TCheckRow>&) override {}
  void SetCurrentRow(ui::TControl, int) override {}
  void SetProgressRange(ui::TControl, int32_t) override {}
  void SetProgressPosition(ui::TControl, int32_t) override {}
  void SetWaitCursor(bool) override {}
  void StartTimer(int, unsigned) override {}
  void StopTimer(int) override {}
  int ShowDialog(const ui::TDialogSpec&) override { return 0; }
  void RunModal(ui::TViewEvents&) override {}

private:
  std::map<ui::TControl, List> lists_;
};
