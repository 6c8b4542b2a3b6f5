#include "MessageBoxAnswerer.h"

#include "DialogDriver.h"

namespace dialogtest {
namespace {

constexpr DWORD kPollMs = 20;

struct IconSearch {
    HICON icon = nullptr;
};

BOOL CALLBACK FindIcon(HWND child, LPARAM param) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0 || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
    reinterpret_cast<IconSearch*>(param)->icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    return FALSE;
}

UINT IconKind(HWND box) {
    IconSearch search;
    EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&search));
    std::vector<BYTE> shown = IconPixels(search.icon);
    if (shown.empty()) return 0;
    const std::pair<LPCSTR, UINT> kinds[] = {
        {IDI_HAND, MB_ICONSTOP}, {IDI_QUESTION, MB_ICONQUESTION}, {IDI_ASTERISK, MB_ICONINFORMATION}};
    for (const auto& [id, kind] : kinds)
        if (IconPixels(LoadIconA(nullptr, id)) == shown) return kind;
    return 0;
}

// The text as the string table holds it: message boxes show its line breaks as CR LF.
std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

// The button drawn as the default one.
int DefaultButton(HWND box) {
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (button && (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return id;
    }
    return 0;
}

HWND FindBox(const std::string& caption) {
    HWND box = FindWindowA("#32770", caption.c_str());
    DWORD process = 0;
    if (box) GetWindowThreadProcessId(box, &process);
    return box && process == GetCurrentProcessId() && IsWindowVisible(box) ? box : nullptr;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(std::vector<std::string> captions, int yesNoAnswer)
    : m_captions(std::move(captions)), m_yesNoAnswer(yesNoAnswer), m_thread([this] { Watch(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    m_stop = true;
    m_thread.join();
}

std::vector<MessageBoxSeen> MessageBoxAnswerer::Seen() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_seen;
}

void MessageBoxAnswerer::Watch() {
    while (!m_stop) {
        bool answered = false;
        for (const std::string& caption : m_captions) answered = AnswerOne(caption) || answered;
        if (!answered) Sleep(kPollMs);
    }
}

bool MessageBoxAnswerer::AnswerOne(const std::string& caption) {
    HWND box = FindBox(caption);
    if (!box) return false;
    MessageBoxSeen seen;
    seen.caption = caption;
    seen.text = WithoutCarriageReturns(LongestStaticText(box));
    seen.icon = IconKind(box);
    seen.defaultButton = DefaultButton(box);
    seen.yesNo = GetDlgItem(box, IDYES) != nullptr;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_seen.push_back(seen);
    }
    ClickButton(box, seen.yesNo ? m_yesNoAnswer : IDOK);
    WaitUntilGone(box);
    return true;
}

}  // namespace dialogtest
