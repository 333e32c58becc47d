#include "ui_robot.h"

#include <cstdio>
#include <deque>
#include <map>

namespace qx::test {
namespace {

constexpr UINT kStepMessage = WM_APP + 0x51;
constexpr WPARAM kSettle = 0;  // let the answer's own consequences run first
constexpr WPARAM kAct = 1;     // then look at the dialog and give the next answer

struct OpenDialog {
    size_t record;
    bool answered = false;  // an answer is out and its outcome not yet recorded
};

// The robot works on the thread that created it; one robot at a time.
struct RobotState {
    DWORD thread = 0;
    HHOOK hook = nullptr;
    HWND pump = nullptr;
    std::deque<Answer> script;
    std::vector<DialogRecord> records;
    std::map<HWND, OpenDialog> open;
    std::function<void(const DialogRecord&)> observer;
    // Watchdog: the time of the last step while a dialog is open.
    volatile LONG openCount = 0;
    volatile DWORD lastProgress = 0;
    HANDLE stop = nullptr;
    HANDLE watchdog = nullptr;
    DWORD limit = 0;
};
RobotState* g_robot = nullptr;

std::string WindowText(HWND window) {
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool IsDialogClass(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

BOOL CALLBACK FindIconChild(HWND child, LPARAM out) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        auto icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (icon != nullptr) {
            *reinterpret_cast<HICON*>(out) = icon;
            return FALSE;
        }
    }
    return TRUE;
}

BoxIcon SystemIconOf(HWND dialog) {
    HICON shown = nullptr;
    EnumChildWindows(dialog, FindIconChild, reinterpret_cast<LPARAM>(&shown));
    if (shown == nullptr) return BoxIcon::None;
    if (shown == LoadIconA(nullptr, IDI_WARNING)) return BoxIcon::Warning;
    if (shown == LoadIconA(nullptr, IDI_INFORMATION)) return BoxIcon::Information;
    if (shown == LoadIconA(nullptr, IDI_ERROR)) return BoxIcon::Error;
    if (shown == LoadIconA(nullptr, IDI_QUESTION)) return BoxIcon::Question;
    return BoxIcon::None;  // a module's own icon, as in an about box
}

void PostStep(HWND dialog, WPARAM phase) {
    PostMessageA(g_robot->pump, kStepMessage, phase, reinterpret_cast<LPARAM>(dialog));
}

// Keys go to the focused control, as typing would, so that the dialog
// manager of the modal loop turns them into commands.
void PostKey(HWND dialog, WPARAM key) {
    HWND target = GetFocus();
    if (target == nullptr || (target != dialog && !IsChild(dialog, target))) target = dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

void Perform(HWND dialog, Answer answer) {
    switch (answer) {
        case Answer::Ok:
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
            break;
        case Answer::Cancel:
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            break;
        case Answer::Enter:
            PostKey(dialog, VK_RETURN);
            break;
        case Answer::Escape:
            PostKey(dialog, VK_ESCAPE);
            break;
        case Answer::Close:
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
    }
}

void Step(HWND dialog, WPARAM phase) {
    RobotState& robot = *g_robot;
    robot.lastProgress = GetTickCount();
    auto found = robot.open.find(dialog);
    if (found == robot.open.end()) return;
    OpenDialog& state = found->second;
    DialogRecord& record = robot.records[state.record];
    if (!IsWindow(dialog)) {
        if (state.answered) record.openAfterAnswer.push_back(false);
        robot.open.erase(found);
        InterlockedDecrement(&robot.openCount);
        return;
    }
    if (phase == kSettle) {
        PostStep(dialog, kAct);
        return;
    }
    if (state.answered) record.openAfterAnswer.push_back(true);
    Answer answer = Answer::Ok;
    if (!robot.script.empty()) {
        answer = robot.script.front();
        robot.script.pop_front();
    }
    state.answered = true;
    Perform(dialog, answer);
    PostStep(dialog, kSettle);
}

void Record(HWND dialog) {
    RobotState& robot = *g_robot;
    if (robot.open.count(dialog) != 0) return;  // activated again, already known
    DialogRecord record;
    record.caption = WindowText(dialog);
    if (HWND text = GetDlgItem(dialog, 0xFFFF)) record.text = WindowText(text);
    record.style = GetWindowLongA(dialog, GWL_STYLE);
    record.icon = SystemIconOf(dialog);
    robot.records.push_back(record);
    robot.open[dialog] = OpenDialog{robot.records.size() - 1};
    InterlockedIncrement(&robot.openCount);
    robot.lastProgress = GetTickCount();
    if (robot.observer) robot.observer(robot.records.back());
}

LRESULT CALLBACK PumpProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kStepMessage && g_robot != nullptr) {
        HWND dialog = reinterpret_cast<HWND>(lParam);
        if (wParam == kAct && g_robot->open.count(dialog) == 0 && IsWindow(dialog)) {
            Record(dialog);
        }
        Step(dialog, wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Activation is only noted here; the dialog is read and answered from the
// pump, once its modal loop runs.
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_robot != nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (IsDialogClass(window) && g_robot->open.count(window) == 0) PostStep(window, kAct);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI Watchdog(LPVOID) {
    RobotState& robot = *g_robot;
    while (WaitForSingleObject(robot.stop, 100) == WAIT_TIMEOUT) {
        if (robot.openCount > 0 && GetTickCount() - robot.lastProgress > robot.limit) {
            std::fprintf(stderr, "UI robot: a dialog stayed open for %lu ms; failing the test\n",
                         static_cast<unsigned long>(robot.limit));
            std::fflush(stderr);
            ExitProcess(3);
        }
    }
    return 0;
}

const char* PumpClass() {
    static const char* name = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PumpProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QxUiRobotPump";
        RegisterClassA(&wc);
        return "QxUiRobotPump";
    }();
    return name;
}

}  // namespace

UiRobot::UiRobot(std::vector<Answer> script, DWORD watchdogMilliseconds) {
    auto* robot = new RobotState;
    robot->thread = GetCurrentThreadId();
    robot->script.assign(script.begin(), script.end());
    robot->limit = watchdogMilliseconds;
    robot->pump = CreateWindowExA(0, PumpClass(), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    g_robot = robot;
    robot->hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, robot->thread);
    robot->stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    robot->watchdog = CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
}

UiRobot::~UiRobot() {
    RobotState* robot = g_robot;
    SetEvent(robot->stop);
    WaitForSingleObject(robot->watchdog, INFINITE);
    CloseHandle(robot->watchdog);
    CloseHandle(robot->stop);
    UnhookWindowsHookEx(robot->hook);
    DestroyWindow(robot->pump);
    g_robot = nullptr;
    delete robot;
}

// Steps still queued once the last modal loop has ended (the outcome of the
// answer that closed a dialog) are run here, so the records are complete.
const std::vector<DialogRecord>& UiRobot::Dialogs() const {
    MSG message;
    while (PeekMessageA(&message, g_robot->pump, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return g_robot->records;
}

void UiRobot::OnDialog(std::function<void(const DialogRecord&)> observer) {
    g_robot->observer = std::move(observer);
}

}  // namespace qx::test
