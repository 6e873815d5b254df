// The message dialog as the view receives it, and the headless view's
// answering of dialogs and refusal of what a person could not press.
#include "engine/MessageKinds.h"
#include "platform/ui/headless/HeadlessView.h"
#include "wizard/DialogView.h"
#include "wizard/MessageDialog.h"

#include <gtest/gtest.h>

namespace {

using ui::TControl;

std::vector<std::string> Captions(const ui::TDialogSpec& spec) {
  std::vector<std::string> captions;
  for (const ui::TDialogButton& b : spec.Buttons)
    captions.push_back(b.Caption);
  return captions;
}

TEST(WizardDialogSpec, EachUseHasItsButtonsDefaultAndCancel) {
  const ui::TDialogSpec question = MessageDialogSpec("q", mkConfirmation, mbNo | mbAbort);
  EXPECT_EQ(question.Caption, "Confirmation");
  EXPECT_EQ(Captions(question), (std::vector<std::string>{"&Non", "A&bandonner"}));
  EXPECT_EQ(question.DefaultButton, -1);
  EXPECT_EQ(question.CancelButton, 0);
  EXPECT_EQ(question.Buttons[1].Result, 3);
  EXPECT_EQ(question.CloseBoxResult, 2);

  const ui::TDialogSpec error = MessageDialogSpec("e", mkError, mbIgnore | mbAbort | mbRetry);
  EXPECT_EQ(Captions(error), (std::vector<std::string>{"A&bandonner",
                                                       "&R\xE9"
                                                       "essayer",
                                                       "I&gnorer"}));
  EXPECT_EQ(error.DefaultButton, 1);
  EXPECT_EQ(error.CancelButton, -1);
  EXPECT_EQ(error.Icon, ui::TDialogIcon::Hand);

  const ui::TDialogSpec refusal = MessageDialogSpec("r", mkInformation, mbYes | mbNo);
  EXPECT_EQ(refusal.Buttons[refusal.DefaultButton].Result, 6);
  EXPECT_EQ(refusal.Buttons[refusal.CancelButton].Result, 7);

  const ui::TDialogSpec running = MessageDialogSpec("x\r\ry", mkInformation, mbOK);
  EXPECT_EQ(running.Text, "x\r\ry");
  EXPECT_EQ(running.DefaultButton, 0);
  EXPECT_EQ(running.CancelButton, 0);
  EXPECT_EQ(MessageDialogSpec("w", mkWarning, mbOK).Caption, "Avertissement");
}

TEST(WizardDialogSpec, ShowMessageDialogGoesThroughTheView) {
  ui::THeadlessView view;
  ShowMessageDialogsIn(view);
  view.AnswerEsc();
  EXPECT_EQ(ShowMessageDialog("q", mkConfirmation, mbNo | mbAbort), 7);
  // Enter presses nothing in the cancel question; the next answer closes it.
  view.AnswerEnter();
  view.AnswerCloseBox();
  EXPECT_EQ(ShowMessageDialog("q", mkConfirmation, mbNo | mbAbort), 2);
  SetMessageDialogHandler(nullptr);
  EXPECT_EQ(view.Dialogs().size(), 2u);
  EXPECT_EQ(view.UnexpectedDialogs(), 0u);
}

TEST(HeadlessView, AnUnexpectedDialogIsRecordedAndClosedByTheCloseBox) {
  ui::THeadlessView view;
  const ui::TDialogSpec spec = MessageDialogSpec("e", mkError, mbAbort | mbRetry | mbIgnore);
  EXPECT_EQ(view.ShowDialog(spec), 2);
  view.Answer("&Oui"); // a button this dialog does not have
  EXPECT_EQ(view.ShowDialog(spec), 2);
  view.Answer("I&gnorer");
  EXPECT_EQ(view.ShowDialog(spec), 5);
  EXPECT_EQ(view.UnexpectedDialogs(), 2u);
}

class CountingEvents : public ui::TViewEvents {
public:
  void ButtonClicked(TControl b) override { pressed.push_back(b); }
  void CheckRowToggled(TControl, int) override {}
  void ListRowChosen(TControl, int) override {}
  void TimerFired(int id) override { timers.push_back(id); }
  void ApplicationActivated(bool) override {}
  void CloseRequested() override {}
  bool Closed() const override { return false; }
  std::vector<TControl> pressed;
  std::vector<int> timers;
};

TEST(HeadlessView, RefusesWhatAPersonCouldNotDo) {
  ui::THeadlessView view;
  CountingEvents events;
  view.Attach(events);
  view.ShowPage(0);
  view.SetEnabled(TControl::NextBtn, false);
  view.SetVisible(TControl::BackBtn, false);
  EXPECT_FALSE(view.PressEnter());
  EXPECT_FALSE(view.Press(TControl::BackBtn));
  EXPECT_TRUE(view.PressEsc());
  EXPECT_FALSE(view.Tick(TControl::LicenseChkBx, false)); // on page 1
  EXPECT_FALSE(view.FireTimer(1));
  view.StartTimer(1, 100);
  EXPECT_TRUE(view.FireTimer(1));
  view.StopTimer(1);
  EXPECT_FALSE(view.FireTimer(1));
  EXPECT_EQ(events.pressed, std::vector<TControl>{TControl::CancelBtn});
  EXPECT_EQ(events.timers, std::vector<int>{1});
}

} // namespace
