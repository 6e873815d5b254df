// A TViewEvents that records what the view forwards, one line per event, and
// lets a test act on timer ticks and button presses while the view runs.
#pragma once

#include "platform/ui/View.h"

#include <functional>
#include <string>
#include <vector>

class TRecordingViewEvents : public ui::TViewEvents {
public:
  std::vector<std::string> Log;
  bool IsClosed = false;
  std::function<void(int)> OnTimer;
  std::function<void(ui::TControl)> OnButton;

  void ButtonClicked(ui::TControl button) override {
    Log.push_back("button " + std::to_string(static_cast<int>(button)));
    if (OnButton)
      OnButton(button);
  }
  void CheckRowToggled(ui::TControl, int row) override {
    Log.push_back("toggle " + std::to_string(row));
  }
  void ListRowChosen(ui::TControl list, int row) override {
    Log.push_back("row " + std::to_string(static_cast<int>(list)) + " " + std::to_string(row));
  }
  void TimerFired(int id) override {
    if (OnTimer)
      OnTimer(id);
  }
  void ApplicationActivated(bool active) override { Log.push_back(active ? "active" : "inactive"); }
  void CloseRequested() override {
    Log.push_back("close");
    IsClosed = true;
  }
  bool Closed() const override { return IsClosed; }
  bool AllowSessionEnd = true;
  bool SessionEndAllowed(std::string& reason) override {
    Log.push_back("session end asked");
    if (!AllowSessionEnd)
      reason = "busy";
    return AllowSessionEnd;
  }
  void SessionEnding() override { Log.push_back("session ends"); }

  // The log without the activation events, which the window's own showing
  // and hiding also produce.
  std::vector<std::string> UserEvents() const {
    std::vector<std::string> events;
    for (const std::string& line : Log)
      if (line != "active" && line != "inactive")
        events.push_back(line);
    return events;
  }

  static std::string Button(ui::TControl button) {
    return "button " + std::to_string(static_cast<int>(button));
  }
};
