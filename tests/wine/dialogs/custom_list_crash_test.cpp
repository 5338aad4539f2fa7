// A process that dies in the middle of saving a list leaves the store as it
// was before that change, or with the change whole.
#include "big_lists.h"
#include "custom_lists_harness.h"

#include "qvhost/host.h"

#include <windows.h>

#include <chrono>
#include <thread>

namespace {

DWORD64 FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<DWORD64>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Waits until `ready()` holds or `timeoutMs` passes; true when it held.
template <class Ready> bool WaitFor(Ready ready, unsigned timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace

TEST(CustomListStoreCrash, AWriterKilledDuringALargeSaveLeavesTheStoreWhole) {
    const std::string folder = qvhost::MakeScratchFolder("custom-lists-crash");
    const std::string store = folder + "\\Autofill.dll";
    ASSERT_TRUE(CopyFileA((qvhost::AppFolder() + "\\Autofill.dll").c_str(), store.c_str(), TRUE));
    const DWORD64 shipped = FileSize(store);

    std::string command = "\"";
    command += qvhost::ExecutableFolder();
    command += "\\custom_list_writer.exe\" \"";
    command += store;
    command += "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &child));
    // Killed while a change is under way: the journal exists, and the store
    // has grown past what the first save alone could have written... or at
    // least one list made it whole before.
    const std::string journal = store + "-journal";
    const bool midSave = WaitFor(
        [&] {
            return qvhost::FileExists(journal) && FileSize(store) > shipped + qvtest::kBigListBytes;
        },
        60000);
    TerminateProcess(child.hProcess, 9);
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    ASSERT_TRUE(midSave) << "the writer never got into its second save (exit " << exitCode << ")";
    const bool hotJournal = qvhost::FileExists(journal);

    // Reading again rolls back what was half done.
    const qv::store::CustomListStore lists(store);
    std::vector<qv::store::StoredList> english, local;
    ASSERT_TRUE(lists.ReadLists(qv::store::ListLanguage::English, english));
    ASSERT_TRUE(lists.ReadLists(qv::store::ListLanguage::Local, local));
    EXPECT_TRUE(lists.CheckIntegrity());
    EXPECT_FALSE(qvhost::FileExists(journal));
    EXPECT_EQ(local.size(), 3u);
    ASSERT_GE(english.size(), 5u); // the built-in lists and the first big one
    EXPECT_EQ(english[0].text, "Sun;Mon;Tue;Wed;Thu;Fri;Sat;");
    for (size_t i = 4; i < english.size(); ++i) {
        EXPECT_TRUE(english[i].text == qvtest::BigList(static_cast<int>(i - 3)))
            << "list " << i - 3 << " is not whole (" << english[i].text.size() << " bytes)";
    }
    RecordProperty("killed_with_hot_journal", hotJournal ? "yes" : "no");
    qvhost::RemoveFolder(folder);
}
