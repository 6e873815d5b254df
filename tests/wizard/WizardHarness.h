// The wizard on a fresh emulated machine, over the headless view: the form
// built as the program builds it, and the steps a user takes through it.
#pragma once

#include "integration/IntegrationHarness.h"
#include "platform/ui/headless/HeadlessView.h"
#include "wizard/MainDlg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

using ui::TControl;

// The wizard's French texts as the tests expect them, in cp1252 bytes.
extern const char* const kCancelQuestionText;
extern const std::string kDefaultDir;      // C:\Program Files\Brevanto, no trailing backslash
extern const std::string kDefaultDirSlash; // the same with its trailing backslash

// How long a wizard test waits for the worker or the installing page: long
// enough for any machine, reached only when the awaited state never comes.
inline constexpr auto kGiveUp = std::chrono::seconds(30);

class WizardTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the form with these command-line arguments.
  void Open(const std::vector<std::string>& args = {});
  // Presses Next until page is on show (from a lower page, no dialog due).
  void NextUntil(int page);
  // Fires timer 1 until the installing page is left or the wizard has
  // closed; fails the test after kGiveUp.
  void RunInstallTimer();
  // What the wizard closed with, after the steps that follow it (settings,
  // install log) have run as the program runs them.
  void AfterClose();

  const ui::THeadlessControl& C(TControl control) const { return view.Control(control); }
  // Captions of the dialogs shown so far.
  std::vector<std::string> DialogTexts() const;

  IntegrationMachine m;
  std::unique_ptr<TAttachedFiles> files;
  ui::THeadlessView view;
  std::unique_ptr<TMainDlgForm> form;
};
