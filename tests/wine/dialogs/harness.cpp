#include "harness.h"

namespace qvtest {

std::string LibraryString(const std::string& appFolder, const char* library, UINT id) {
    std::string path = appFolder + "\\" + library;
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return {};
    }
    char text[4096] = {};
    int n = LoadStringA(module, id, text, sizeof text);
    FreeLibrary(module);
    return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

void DialogTest::SetUp() {
    qvhost::SetMenuLanguage(1);
    frame_ = std::make_unique<qvhost::FrameWindow>();
    appFolder_ = qvhost::AppFolder();
    // The comparisons below mean something only when the libraries hold texts.
    ASSERT_FALSE(DialogString(1303).empty());
    ASSERT_FALSE(Message(1180).empty());
    LoadFrom(appFolder_);
}

void DialogTest::TearDown() {
    library_.reset();
    frame_.reset();
}

void DialogTest::LoadFrom(const std::string& folder) {
    library_.reset();
    library_ = std::make_unique<qvhost::DialogLibrary>(folder);
    ASSERT_TRUE(library_->loaded())
        << "QVSSD.dll from " << folder << " error " << library_->error();
}

std::string DialogTest::Message(UINT id, int language) const {
    return LibraryString(appFolder_, language == 2 ? "QVMSGSL.dll" : "QVMSGSE.dll", id);
}

std::string DialogTest::DialogString(UINT id, int language) const {
    return LibraryString(appFolder_, language == 2 ? "QVSSDSL.dll" : "QVSSDSE.dll", id);
}

} // namespace qvtest
