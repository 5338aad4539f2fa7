// What every end-to-end dialog test needs: the host's frame window, the
// dialog library loaded from the application folder, and texts read straight
// from the string libraries to compare with what the dialogs show.
#pragma once

#include "qvhost/host.h"
#include "qvrobot/robot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qvtest {

// A string of one of the application folder's resource libraries, as UTF-8.
std::string LibraryString(const std::string& appFolder, const char* library, UINT id);

// Texts of common controls as UTF-8: a list view cell and column title, and
// the captions of a tab control.
std::string ListViewText(HWND list, int row, int column);
std::string ListViewColumnTitle(HWND list, int column);
std::vector<std::string> TabTexts(HWND tabs);

// The control of `dlg` that has the focus while the dialog is active, and its
// id. Another test program's window may take the activation (and with it the
// thread's focus) for a moment: the dialog is then activated again, which
// gives the focus back to the control it left.
HWND FocusedControl(qvrobot::Robot& robot, HWND dlg);
int FocusedId(qvrobot::Robot& robot, HWND dlg);

// A label as a screen reader says it: without its mnemonic marker and its
// trailing colon ("&Color:" is "Color").
std::string Spoken(std::string label);

// What breaks the Windows conventions for access keys among the visible
// controls of a dialog or page (children in tab order): a check box, radio
// button or push button with a text but no mnemonic (OK, Cancel and Help
// need none), a label before a box or list without one, and a letter used
// twice. Empty when there is nothing to report. `fixedTexts` lists the
// controls whose text the product gives without an access key.
std::vector<std::string> MnemonicProblems(HWND dialog, const std::vector<int>& fixedTexts = {});

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Loads the library from `folder` instead (a scratch copy).
    void LoadFrom(const std::string& folder);
    // Reads DialogString and Message from the libraries of `folder` (an
    // application folder with another local language).
    void UseStringsFrom(const std::string& folder) { stringsFolder_ = folder; }

    template <class F> F Export(const char* name) {
        F f = library_->Get<F>(name);
        EXPECT_NE(f, nullptr) << name;
        return f;
    }

    // The English or local message text of a message id, as a box shows it.
    std::string Message(UINT id, int language = 1) const;
    std::string DialogString(UINT id, int language = 1) const;

    std::unique_ptr<qvhost::FrameWindow> frame_;
    std::unique_ptr<qvhost::DialogLibrary> library_;
    std::string appFolder_;
    std::string stringsFolder_;
};

// Fails the test with the robot's report when the script did not run to its end.
#define EXPECT_SCRIPT_OK(outcome) EXPECT_TRUE((outcome).ok) << (outcome).failure

} // namespace qvtest
