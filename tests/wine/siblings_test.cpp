// The sibling libraries, loaded by full path from the application folder and
// called through the pointer types the dialog library uses.
#include "qvssd/siblings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace {

const std::string kAppDir = QVSSD_APP_DIR; // "Z:\...\app", no trailing backslash

class Dll {
  public:
    explicit Dll(const std::string& path) : module_(LoadLibraryA(path.c_str())) {}
    ~Dll() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    Dll(const Dll&) = delete;
    Dll& operator=(const Dll&) = delete;
    HMODULE get() const { return module_; }
    template <class F> F Proc(const char* name) const {
        F f = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
        EXPECT_NE(f, nullptr) << name;
        return f;
    }

  private:
    HMODULE module_;
};

std::string App(const char* file) {
    return kAppDir + "\\" + file;
}

bool EndsWithBackslash(const char* s) {
    size_t n = s != nullptr ? strlen(s) : 0;
    return n > 0 && s[n - 1] == '\\';
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// The scratch folders of this process, removed when the tests end.
class ScratchFolders : public ::testing::Environment {
  public:
    void TearDown() override { RemoveTree(Root()); }
    static std::string Root() {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        return std::string(temp) + "qvssd-siblings-" + std::to_string(GetCurrentProcessId());
    }
};
const auto* const g_scratch = ::testing::AddGlobalTestEnvironment(new ScratchFolders);

// A fresh folder under the temporary folder.
std::string Scratch(const char* name) {
    std::string folder = ScratchFolders::Root();
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += std::string("\\") + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string WindowText(HWND window) {
    char buffer[4096] = "";
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return buffer;
}

struct WindowSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    if (IsWindowVisible(window) && strcmp(text, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Waits for a visible top-level window of `thread` whose caption is `caption`.
HWND WaitForWindow(DWORD thread, const char* caption) {
    for (int i = 0; i < 500; ++i) {
        WindowSearch search{caption, nullptr};
        EnumThreadWindows(thread, MatchCaption, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        Sleep(20);
    }
    return nullptr;
}

// Runs `show` on this thread while `drive` works on the window it opens from
// a second thread; returns what `show` returned.
int WhileShowing(const char* caption, const std::function<int()>& show,
                 const std::function<void(HWND)>& drive) {
    DWORD self = GetCurrentThreadId();
    std::thread robot([&] {
        HWND window = WaitForWindow(self, caption);
        if (window == nullptr) {
            ADD_FAILURE() << "no window \"" << caption << "\"";
            return;
        }
        drive(window);
    });
    int result = show();
    robot.join();
    return result;
}

RECT ChildRect(HWND dialog, int id) {
    RECT r = {};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

TEST(Siblings, FoldersEndWithBackslashAndTheApplicationFolderHoldsTheLibrary) {
    Dll common(App("qvcomlib.dll"));
    Dll profile(App("QVComLib.dll"));
    ASSERT_NE(common.get(), nullptr);
    EXPECT_EQ(common.get(), profile.get()); // one file serves both spellings

    const char* app = common.Proc<GetAppPathFn>("GetAppPath")(QVCOM_APPPATH_APPLICATION);
    EXPECT_EQ(_stricmp(app, (kAppDir + "\\").c_str()), 0) << app;
    for (const char* name : {"GetSysDirectory", "GetQVTempPath", "GetAppDataPath"}) {
        const char* path = common.Proc<GetSysDirectoryFn>(name)();
        EXPECT_TRUE(EndsWithBackslash(path)) << name << ": " << path;
    }

    std::string scratch = Scratch("userdata") + "\\nested\\TWcalc";
    SetEnvironmentVariableA(QVCOM_USERDATA_ENV, scratch.c_str());
    const char* user = common.Proc<GetAppUserDataPathFn>("GetAppUserDataPath")();
    EXPECT_EQ(std::string(user), scratch + "\\");
    DWORD attributes = GetFileAttributesA(scratch.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        << "the user-data folder is created";
    SetEnvironmentVariableA(QVCOM_USERDATA_ENV, nullptr);
    EXPECT_TRUE(EndsWithBackslash(common.Proc<GetAppUserDataPathFn>("GetAppUserDataPath")()));
}

TEST(Siblings, ResourceLibraryImages) {
    Dll common(App("qvcomlib.dll"));
    auto load = common.Proc<QVLoadFn>("QVLoad");
    auto image = common.Proc<QVLoadImageIntFn>("QVLoadImageInt");
    auto unload = common.Proc<QVUnLoadFn>("QVUnLoad");

    EXPECT_EQ(load(App("NoSuchLibrary.dll").c_str(), QVCOM_LOAD_RESOURCES), 0);
    EXPECT_EQ(image(120, IMAGE_BITMAP, 18, 18, 0), nullptr);
    EXPECT_EQ(load(nullptr, QVCOM_LOAD_RESOURCES), 0);

    // The common controls library carries its toolbar bitmaps (id 120).
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    ASSERT_NE(load((std::string(system) + "\\comctl32.dll").c_str(), QVCOM_LOAD_RESOURCES), 0);
    HANDLE bitmap = image(120, IMAGE_BITMAP, 18, 18, 0);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 18);
    EXPECT_EQ(info.bmHeight, 18);
    EXPECT_EQ(image(120, 7, 18, 18, 0), nullptr) << "unknown image type";
    unload();
    EXPECT_EQ(image(120, IMAGE_BITMAP, 18, 18, 0), nullptr);
    EXPECT_NE(GetObjectA(bitmap, sizeof info, &info), 0) << "the bitmap outlives the library";
    DeleteObject(bitmap);
}

TEST(Siblings, ProfileStoreRoundTripIsAtomicAndKeepsForeignLines) {
    std::string folder = Scratch("profile");
    SetEnvironmentVariableA(QVCOM_USERDATA_ENV, folder.c_str());
    const std::string store = folder + "\\" QVCOM_PROFILE_FILE;
    DeleteFileA(store.c_str());
    // What a crash in the middle of an earlier write leaves behind.
    const std::string stale = store + ".1f-7.tmp";
    WriteFile(stale, "[Delimiter]\r\n0=9\r\n6=x");

    Dll lib(App("QVComLib.dll"));
    auto loadIni = lib.Proc<LoadINIFn>("LoadINI");
    auto unloadIni = lib.Proc<UnloadRegINIFn>("UnloadRegINI");
    auto setName = lib.Proc<QVSetINIFileNameFn>("QVSetINIFileName");
    auto getInt = lib.Proc<QVGetProfileIntFn>("QVGetProfileInt");
    auto writeInt = lib.Proc<QVWriteProfileIntFn>("QVWriteProfileInt");
    auto getString = lib.Proc<QVGetProfileStringFn>("QVGetProfileString");
    auto writeString = lib.Proc<QVWriteProfileStringFn>("QVWriteProfileString");
    auto section = lib.Proc<QVGetSectionDataFn>("QVGetSectionData");

    EXPECT_EQ(loadIni(reinterpret_cast<const char*>(HKEY_CURRENT_USER)), 0);
    EXPECT_EQ(writeInt("Delimiter", "0", 1), 0) << "no store selected";
    ASSERT_EQ(loadIni("\\" QVCOM_PROFILE_FILE), 1);

    // Missing store: defaults, and the stale temporary file is not read.
    EXPECT_EQ(getInt("Delimiter", "0", 7), 7);
    EXPECT_STREQ(getString("Delimiter", "6", "dflt"), "dflt");
    EXPECT_EQ(section("Delimiter"), nullptr);

    WriteFile(store, "; written by hand\r\n[Function]\r\n0=3\r\nnot a key line\r\n");
    EXPECT_EQ(writeInt("Delimiter", "0", 1), 1);
    EXPECT_EQ(writeInt("Delimiter", "5", -4), 1);
    EXPECT_EQ(writeString("Delimiter", "6", " "), 1);
    EXPECT_EQ(writeString("Delimiter", "7", "\""), 1);
    EXPECT_EQ(writeString("Delimiter", "bad=key", "x"), 0);

    EXPECT_EQ(getInt("DELIMITER", "0", 7), 1);
    EXPECT_EQ(getInt("delimiter", "5", 7), -4);
    EXPECT_EQ(getInt("Function", "0", 7), 3);
    EXPECT_STREQ(getString("Delimiter", "6", "dflt"), " ");
    const char* quote = getString("Delimiter", "7", "dflt");
    EXPECT_STREQ(getString("Delimiter", "missing", quote), "\"") << "default aliasing the result";
    EXPECT_EQ(
        ReadFile(store).rfind("; written by hand\r\n[Function]\r\n0=3\r\nnot a key line\r\n", 0),
        0u)
        << ReadFile(store);
    EXPECT_EQ(ReadFile(stale), "[Delimiter]\r\n0=9\r\n6=x") << "others' files are left alone";

    const QVProfileSection* data = section("delimiter");
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(data->count, 4);
    EXPECT_STREQ(data->entries[0].key, "0");
    EXPECT_STREQ(data->entries[2].value, " ");
    EXPECT_STREQ(data->entries[3].value, "\"");

    // No temporary file of ours stays behind.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((store + ".*.tmp").c_str(), &found);
    int temporaries = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ++temporaries;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(temporaries, 1);

    // Removing a key, then the section; a full path selects the same store.
    setName(store.c_str());
    EXPECT_EQ(writeString("Delimiter", "5", nullptr), 1);
    EXPECT_EQ(getInt("Delimiter", "5", 7), 7);
    EXPECT_EQ(writeString("Delimiter", nullptr, nullptr), 1);
    EXPECT_EQ(section("Delimiter"), nullptr);
    EXPECT_EQ(getInt("Function", "0", 7), 3);

    unloadIni();
    EXPECT_EQ(getInt("Function", "0", 7), 7);
    SetEnvironmentVariableA(QVCOM_USERDATA_ENV, nullptr);
}

TEST(Siblings, TwoButtonWarningBoxDisablesItsOwnerAndAnswersTheSecondButton) {
    Dll lib(App("QVMessageBox.dll"));
    auto setTable = lib.Proc<SetCommStringTableFileFn>("SetCommStringTableFile");
    auto box3 = lib.Proc<QVMessageBox3Fn>("QVMessageBox3");
    setTable(App("NoSuchMessages.dll").c_str()); // missing table: built-in labels

    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    SetActiveWindow(owner);

    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += "Delete the custom list " + std::to_string(i) + "? ";
    }
    std::string shown, yes, no;
    bool ownerDisabled = false, ownedByOwner = false, hasIcon = false, fits = false;
    RECT textRect = {}, buttonRect = {};
    int result = WhileShowing(
        "TWcalc", [&] { return box3(text.c_str(), "TWcalc", nullptr, 2, 4); },
        [&](HWND box) {
            shown = WindowText(GetDlgItem(box, QVMB_ID_TEXT));
            yes = WindowText(GetDlgItem(box, 1));
            no = WindowText(GetDlgItem(box, 2));
            ownerDisabled = !IsWindowEnabled(owner);
            ownedByOwner = GetWindow(box, GW_OWNER) == owner;
            DWORD_PTR icon = 0;
            SendMessageTimeoutA(GetDlgItem(box, QVMB_ID_ICON), STM_GETICON, 0, 0, SMTO_ABORTIFHUNG,
                                5000, &icon);
            hasIcon = icon != 0;
            textRect = ChildRect(box, QVMB_ID_TEXT);
            buttonRect = ChildRect(box, 2);
            RECT client;
            GetClientRect(box, &client);
            fits = textRect.right <= client.right && buttonRect.bottom <= client.bottom;
            SendNotifyMessageA(GetDlgItem(box, 2), BM_CLICK, 0, 0);
        });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(shown, text);
    EXPECT_EQ(yes, "&Yes");
    EXPECT_EQ(no, "&No");
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(ownedByOwner);
    EXPECT_TRUE(hasIcon);
    EXPECT_TRUE(fits);
    // The long text wraps into several lines above the buttons.
    EXPECT_GT(textRect.bottom - textRect.top, 2 * (buttonRect.bottom - buttonRect.top));
    EXPECT_LE(textRect.bottom, buttonRect.top);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST(Siblings, OneButtonBoxTakesItsLabelFromTheStringTableAndEscapeAnswersOne) {
    Dll lib(App("QVMessageBox.dll"));
    auto setTable = lib.Proc<SetCommStringTableFileFn>("SetCommStringTableFile");
    auto box2 = lib.Proc<QVMessageBox2Fn>("QVMessageBox2");
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    setTable(self); // this program's string table labels the buttons

    std::string label;
    bool second = true, icon = true;
    int result = WhileShowing(
        "TWcalc", [&] { return box2("Done.", "TWcalc", nullptr, 1); },
        [&](HWND box) {
            label = WindowText(GetDlgItem(box, 1));
            second = GetDlgItem(box, 2) != nullptr;
            icon = GetDlgItem(box, QVMB_ID_ICON) != nullptr;
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0); // Escape
        });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(label, "Fine");
    EXPECT_FALSE(second);
    EXPECT_FALSE(icon);

    // Two buttons from the same table; closing the box answers 2.
    std::string first;
    result = WhileShowing(
        "Question", [&] { return box2(nullptr, "Question", nullptr, 2); },
        [&](HWND box) {
            first = WindowText(GetDlgItem(box, 1));
            PostMessageA(box, WM_CLOSE, 0, 0);
        });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(first, "&Ja");

    // The English box keeps its built-in label whatever table is named.
    auto english = lib.Proc<QVEngMsgBoxFn>("QVEngMsgBox");
    result = WhileShowing(
        "English", [&] { return english("Done.", "English"); },
        [&](HWND box) {
            first = WindowText(GetDlgItem(box, 1));
            SendNotifyMessageA(GetDlgItem(box, 1), BM_CLICK, 0, 0);
        });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(first, "OK");
    setTable(nullptr);
}

TEST(Siblings, DialogLanguageInfoFromTheHostConfiguration) {
    QVDlgLanguageInfo info = {};
    info.selector = 255;
    info.reserved = 0xFFFF;
    auto query = [&info](const std::string& folder) {
        std::string copy = folder + "\\" QVSSD_DLL_HOSTAPI;
        EXPECT_TRUE(CopyFileA(App(QVSSD_DLL_HOSTAPI).c_str(), copy.c_str(), FALSE));
        Dll api(copy);
        EXPECT_EQ(api.Proc<QVGetDlgLanguageInfoFn>("QVGetDlgLanguageInfo")(&info), 1);
        EXPECT_EQ(api.Proc<QVGetDlgLanguageInfoFn>("QVGetDlgLanguageInfo")(nullptr), 0);
        EXPECT_EQ(api.Proc<QVGetAppLanguageInfoFn>("QVGetAppLanguageInfo")(1), 0);
        EXPECT_EQ(api.Proc<QVCheckBilingualFn>("QVCheckBilingual")("x"), 0);
    };

    query(Scratch("api-default"));
    EXPECT_EQ(info.selector, 0);
    EXPECT_EQ(info.fontSize, 9);
    EXPECT_STREQ(QVStringGet(&info.fontFace), "HIN Sans");
    EXPECT_STREQ(QVStringGet(&info.languageName), "Hindi");
    EXPECT_EQ(info.reserved, 0xFFFF);

    // Without a configuration the host reports the local language installed
    // beside it: the face its local dialog strings name.
    std::string tamil = Scratch("api-tamil");
    EXPECT_TRUE(CopyFileA(App("..\\lang\\ta\\QVSSDSL.dll").c_str(),
                          (tamil + "\\QVSSDSL.dll").c_str(), FALSE));
    query(tamil);
    EXPECT_STREQ(QVStringGet(&info.fontFace), "TAM Sans");
    EXPECT_STREQ(QVStringGet(&info.languageName), "Tamil");

    std::string configured = Scratch("api-ini");
    WriteFile(configured + "\\" QVSSAPI_INI_FILE,
              "[Language]\r\nSelector=1\r\nFontFace=Tam_Kavya\r\nFontSize=12\r\n"
              "LanguageName=Tamil\r\n");
    query(configured);
    EXPECT_EQ(info.selector, 1);
    EXPECT_EQ(info.fontSize, 12);
    EXPECT_STREQ(QVStringGet(&info.fontFace), "Tam_Kavya");
    EXPECT_STREQ(QVStringGet(&info.languageName), "Tamil");
    QVStringClear(&info.fontFace);
    QVStringClear(&info.languageName);
}

TEST(Siblings, FileDialogAndConversionEngine) {
    Dll files(App(QVSSD_DLL_FILEDIALOG));
    auto browse = files.Proc<LoadFileDialogFn>("LoadFileDialog");
    EXPECT_EQ(browse(nullptr, nullptr, 3, nullptr, nullptr, nullptr, 260), 0);

    char result[MAX_PATH] = "unchanged";
    int chosen = WhileShowing(
        "Link to File",
        [&] {
            return browse(nullptr, "All Files (*.*)|*.*||", QVFD_MODE_LINK_NEW, nullptr,
                          "http://example.org/", result, sizeof result);
        },
        [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(chosen, 0);
    EXPECT_STREQ(result, QVFD_CANCEL);

    // Editing a link to an existing file and confirming returns its full path.
    std::string folder = Scratch("browse");
    std::string target = folder + "\\Budget.xls";
    WriteFile(target, "x");
    chosen = WhileShowing(
        "Link to File",
        [&] {
            return browse(nullptr, "All Files (*.*)|*.*||", QVFD_MODE_LINK_EDIT, nullptr,
                          target.c_str(), result, sizeof result);
        },
        [](HWND dialog) {
            Sleep(200); // let the dialog finish filling its folder view
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(_stricmp(result, target.c_str()), 0) << result;

    Dll engine(App(QVSSD_DLL_ENGINE));
    auto convert = engine.Proc<ConvertEngToLangFn>("ConvertEngToLang");
    auto iscii = engine.Proc<ConvertFontToIsciiFn>("ConvertFontToIscii");
    EXPECT_EQ(engine.Proc<LoadConvertEngineFn>("LoadConvertEngine")("Hindi", "Hin Tahoma"), 1);
    char out[5];
    // "REPORT" in Devanagari starts with RA (three bytes of UTF-8); a cut keeps
    // whole characters.
    EXPECT_EQ(convert("Hindi", "Hin Tahoma", "REPORT", out, sizeof out), 3);
    EXPECT_STREQ(out, "\xE0\xA4\xB0");
    EXPECT_EQ(convert("Tamil", nullptr, "A1", out, sizeof out), 4);
    EXPECT_STREQ(out, "\xE0\xAE\x86"
                      "1"); // a final A is long
    EXPECT_EQ(convert("Hindi", "Hin Tahoma", nullptr, out, sizeof out), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(iscii("Hin Tahoma", "AB", out, sizeof out), 2);
    EXPECT_EQ(iscii("Hin Tahoma", "AB", nullptr, 4), -1);
    EXPECT_EQ(convert(nullptr, nullptr, "AB", out, 0), -1);
    engine.Proc<UnLoadConvertEngineFn>("UnLoadConvertEngine")();
}
