// The host side shared by every host program (the demo, the benchmark and the
// end-to-end tests): the frame window that answers the dialog library's private
// messages, the two functions the host executable exports, and loading the
// dialog library from an application folder or from a scratch copy of it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qvrobot {
class Robot;
}

namespace qvhost {

// ---- what the host executable exports ---------------------------------------

// The menu language GetMenuLanguage answers: 1 = English, 2 = local (default 1).
void SetMenuLanguage(int32_t language);
int32_t MenuLanguage();

// The window GetFrameHandle answers. A FrameWindow registers itself when it is
// created (and unregisters when it ends); a test may set any handle, NULL included.
void SetFrameHandle(HWND frame);
HWND FrameHandle();

// ---- the frame window -------------------------------------------------------

// One private message as the frame received it. `text` holds a copy of the text
// behind the message's pointer at the moment of the message (the Go To record's
// reference, the checked reference, the imported range); `hasText` says whether
// the message carries one.
struct HostMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool hasText = false;
    std::string text;
};

// The frame window of the host, created on the calling thread (the thread that
// will call the exports). It answers every private message of qvssd/messages.h
// and logs each one. The log and the rules may be read and set from any thread.
class FrameWindow {
  public:
    explicit FrameWindow(bool visible = true);
    ~FrameWindow();
    FrameWindow(const FrameWindow&) = delete;
    FrameWindow& operator=(const FrameWindow&) = delete;

    HWND hwnd() const { return hwnd_; }

    std::vector<HostMessage> Log() const;
    std::vector<HostMessage> Log(UINT message) const; // only messages of one number
    void ClearLog();

    // WM_QV_GOTO: a fixed answer (default 0), or a rule over the reference text.
    void SetGotoResult(LRESULT result);
    void SetGotoRule(std::function<LRESULT(const std::string& reference)> rule);

    // WM_QV_CHECKREF: the host's own check (HostCheckReference) unless the
    // test sets a fixed answer or a rule over the text and whether it is the
    // goal cell (lParam 1).
    void SetCheckRefResult(LRESULT result);
    void SetCheckRefRule(std::function<LRESULT(const std::string& text, bool goalCell)> rule);

    // Range picking: when WM_QV_RANGEPICK 0 arrives the frame remembers the
    // window that was active then; if a range text is scripted, it sends that
    // text to the window picking the range (WM_QV_RANGETEXT) once the dialog
    // has set up its range bar.
    void SetRangeText(std::optional<std::string> text);
    HWND RangePickWindow() const;
    bool RangePickActive() const;

    // WM_QV_IMPORTLIST: the text written to "range.txt" in the temporary folder.
    void SetImportText(std::string text);

    // The 40 palette colours and names that WM_QV_FMTLISTS hands out.
    static const COLORREF* Palette();
    static const char* const* ColourNames();
    static constexpr int kPaletteSize = 40;

  private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Record(UINT message, WPARAM wParam, LPARAM lParam, const char* text);

    HWND hwnd_ = nullptr;
    mutable std::mutex mutex_;
    std::vector<HostMessage> log_;
    LRESULT gotoResult_ = 0;
    std::function<LRESULT(const std::string&)> gotoRule_;
    std::optional<LRESULT> checkRefResult_;
    std::function<LRESULT(const std::string&, bool)> checkRefRule_;
    std::optional<std::string> rangeText_;
    HWND rangePickWindow_ = nullptr;
    bool rangePickActive_ = false;
    std::string importText_;
};

// The host's answer to WM_QV_CHECKREF for a reference typed in Goal Seek:
// its sheet holds formulas in B4 and D10 and values everywhere else. The goal
// cell must hold a formula, the changing cell a value; a reference typed in
// the local script (menu language 2) is read with the local column letters.
enum CheckRefAnswer : LRESULT {
    kCheckAccepted = 0,
    kCheckNotSingleCell = 1, // a range
    kCheckNeedsFormula = 2,  // the goal cell holds a value
    kCheckNotValid = 3,      // not a cell reference
    kCheckNeedsValue = 4,    // the changing cell holds a formula
};
LRESULT HostCheckReference(const std::string& text, bool goalCell);

// Sends a range text to the window picking a range (WM_QV_RANGETEXT with a
// QVString*), from any thread. False when the window did not answer in time.
bool SendRangeText(HWND rangeBar, const std::string& text, DWORD timeoutMs = 5000);
// Reads the range bar's text (message 1035 with a buffer), from any thread.
std::string ReadRangeText(HWND rangeBar, DWORD timeoutMs = 5000);

// ---- folders ----------------------------------------------------------------

// The Windows temporary folder, without a trailing backslash.
std::string TempFolder();
// The folder of the running executable, without a trailing backslash.
std::string ExecutableFolder();
// The application folder that holds QVSSD.dll and its siblings: the
// QVSSD_APP_DIR environment variable if set, else the executable's folder when
// QVSSD.dll is there, else the build's application folder.
std::string AppFolder();
// A fresh empty folder under the temporary folder; the caller removes it.
std::string MakeScratchFolder(const std::string& prefix);
// Deletes a folder and everything in it. False if something stayed.
bool RemoveFolder(const std::string& path);
bool WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
bool FileExists(const std::string& path);

// Points the product's user data folder (TWCALC_USERDATA) at `path`.
void SetUserDataFolder(const std::string& path);

// ---- the dialog library -----------------------------------------------------

// QVSSD.dll loaded with LoadLibraryA from <folder>\QVSSD.dll; unloaded when the
// object ends or on Unload().
class DialogLibrary {
  public:
    DialogLibrary() = default;
    explicit DialogLibrary(const std::string& appFolder) { Load(appFolder); }
    ~DialogLibrary() { Unload(); }
    DialogLibrary(const DialogLibrary&) = delete;
    DialogLibrary& operator=(const DialogLibrary&) = delete;

    bool Load(const std::string& appFolder);
    void Unload();
    bool loaded() const { return module_ != nullptr; }
    HMODULE module() const { return module_; }
    DWORD error() const { return error_; }
    const std::string& path() const { return path_; }

    FARPROC Find(const char* name) const {
        return module_ != nullptr ? GetProcAddress(module_, name) : nullptr;
    }
    template <class F> F Get(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void (*)()>(Find(name)));
    }

  private:
    HMODULE module_ = nullptr;
    DWORD error_ = 0;
    std::string path_;
};

// A scratch copy of an application folder (sub-folders included) under the
// temporary folder, with some files left out and optional extra files such as
// QVSSAPI.ini. Removed when the object ends (unload the library first).
class ScratchAppFolder {
  public:
    explicit ScratchAppFolder(const std::string& source = AppFolder(),
                              const std::vector<std::string>& leaveOut = {},
                              const std::vector<std::pair<std::string, std::string>>& files = {});
    ~ScratchAppFolder();
    ScratchAppFolder(const ScratchAppFolder&) = delete;
    ScratchAppFolder& operator=(const ScratchAppFolder&) = delete;

    bool ok() const { return ok_; }
    const std::string& path() const { return path_; }
    // Writes (or replaces) a file in the copy, e.g. WriteFile("QVSSAPI.ini", "...").
    bool WriteFile(const std::string& name, const std::string& text);
    bool Remove(const std::string& name);

  private:
    std::string path_;
    bool ok_ = false;
};

// ---- the dialogs the host knows how to open ---------------------------------

// One call of an export over a freshly made sample record.
class DialogCall {
  public:
    virtual ~DialogCall() = default;
    // Calls the export `fn` (found by the entry's export name) over the record.
    virtual int32_t Invoke(FARPROC fn) = 0;
    // The record as JSON after the call. The frame's log supplies what was only
    // valid during the call (the Go To reference); may be NULL.
    virtual std::string RecordJson(const FrameWindow* frame) const = 0;
    // Tabs of a sheet the demo renders: the one shown at opening, then the
    // next ones up to this count.
    virtual int DemoViews() const { return 1; }
    // The window the demo renders once `dialog` is up, for entries without a
    // demo button: the dialog itself, or one the call opens from it with more
    // than one action of the robot. The demo then cancels whatever is open.
    virtual HWND DemoWindow(qvrobot::Robot& robot, HWND dialog);
};

struct DialogEntry {
    const char* name;       // short name used on the command line and for PNG files
    const char* exportName; // the export of QVSSD.dll
    const char* title;      // what the dialog is, for --list
    std::function<std::unique_ptr<DialogCall>()> makeSample;
    // A button the demo presses first: it shows the dialog that opens.
    int demoButton = 0;
};

// The window the demo shows for `entry` once its first `dialog` is up: the
// dialog its demo button opens, the one the call opens from it, or `dialog`.
HWND OpenDemoWindow(const DialogEntry& entry, DialogCall& call, qvrobot::Robot& robot, HWND dialog);
// Cancels the window OpenDemoWindow showed and then `dialog`, unless that
// ended with it.
void CloseDemoWindows(qvrobot::Robot& robot, HWND dialog, HWND shown);

// Every dialog the host can open, in menu order.
const std::vector<DialogEntry>& Dialogs();
const DialogEntry* FindDialog(const std::string& name);

// A JSON string literal of `text` (quotes, escapes; other bytes are kept).
std::string JsonString(const std::string& text);

} // namespace qvhost
