// The application object: title and taskbar entry, the forms, the run loop, termination and
// the standard error box.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "ui/form.h"

namespace tv {

class TApplication {
 public:
  // Creates the application's own window, which carries the taskbar entry.
  void Initialize();
  void SetTitle(std::wstring title);
  const std::wstring& Title() const { return title_; }
  HWND Handle() const;

  // Creates the form's window, hidden; the first form created becomes the main form.
  void CreateForm(TForm& form);
  TForm* MainForm() const { return mainForm_; }

  // Shows the main form (at once, or when the application is restored when the process was
  // started minimized and not activated) and dispatches messages until Terminate.
  void Run();
  // Dispatches every message already waiting, then returns; never waits for one.
  void ProcessMessages();
  // Ends the run loop after the current message.
  void Terminate();
  // Ends the process at once with exit code 0: the forms' windows are destroyed first, and no
  // further queued message is handled. Does not return.
  [[noreturn]] void Halt();
  bool Terminated() const { return terminated_; }
  // Key handling of the forms, then translation and dispatch.
  void Dispatch(const MSG& msg);

  // The standard error box: stop icon, OK, captioned with the title; a '.' is appended when
  // the message is not empty and its last character comes after '.'.
  void ShowErrorBox(std::wstring message);
  // Runs a handler; an error that escapes it goes to the error box and the program goes on.
  template <typename Handler>
  void Guard(Handler&& handler) {
    try {
      handler();
    } catch (const std::exception& error) {
      ReportException(error);
    }
  }

  // Called by the application window when the user restores a minimized start.
  void ShowPendingMainForm();

 private:
  void ReportException(const std::exception& error);
  std::wstring title_;
  std::vector<TForm*> forms_;
  TForm* mainForm_ = nullptr;
  bool mainFormPending_ = false;
  bool terminated_ = false;
};

extern TApplication Application;

}  // namespace tv
