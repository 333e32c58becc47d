// The UI robot: answers every dialog and message box that the test's own
// thread opens, so that no test waits on a window nobody closes.
//
// A WH_CBT hook on the installing thread sees each dialog (class "#32770") as
// it is activated, records its caption, its text (static control 0xFFFF), its
// window style and, for a message box, which system icon it shows; then it
// performs the next scripted answer. When the script is used up every further
// dialog gets OK. A watchdog thread fails the test (and ends the process) if a
// dialog is still open after the time limit.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qx::test {

enum class Answer {
    Ok,      // the OK button (WM_COMMAND IDOK)
    Enter,   // the Enter key, through the dialog manager
    Escape,  // the Esc key, through the dialog manager
    Close,   // the caption's close button (SC_CLOSE)
    Cancel,  // the Cancel command (WM_COMMAND IDCANCEL)
};

enum class BoxIcon { None, Warning, Information, Error, Question };

struct DialogRecord {
    std::string caption;
    std::string text;  // static control 0xFFFF; empty for dialogs without one
    LONG style = 0;
    BoxIcon icon = BoxIcon::None;
    // One entry per answer given to this dialog: whether the dialog was still
    // open once that answer had been fully handled.
    std::vector<bool> openAfterAnswer;
};

class UiRobot {
public:
    explicit UiRobot(std::vector<Answer> script = {}, DWORD watchdogMilliseconds = 20000);
    ~UiRobot();
    UiRobot(const UiRobot&) = delete;
    UiRobot& operator=(const UiRobot&) = delete;

    const std::vector<DialogRecord>& Dialogs() const;

    // Called once per dialog, as soon as it has been recorded (the host's batch
    // mode echoes message boxes to the console through it).
    void OnDialog(std::function<void(const DialogRecord&)> observer);
};

}  // namespace qx::test
