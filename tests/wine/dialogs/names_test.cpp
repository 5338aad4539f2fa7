// The name dialogs driven through their exports as a user would: Define Name
// over the host's names and languages, Create, Apply and Paste Names, Label
// Ranges and Identify Label, in both languages and over bad records.
#include "harness.h"

#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

constexpr int kDefineListLabel = 256, kDefineName = 257, kDefineList = 258, kDefineRefers = 260,
              kDefineSheet = 264, kDefineSheetLabel = 263, kDefinePick = 243, kDefineAdd = 32994,
              kDefineDelete = 32995;
constexpr int kCreateGroup = 261, kTop = 262, kLeft = 263, kBottom = 264, kRight = 265;
constexpr int kApplyList = 1028, kIgnore = 1101, kRowColumnNames = 1102, kApplyOptions = 1026,
              kRowColumn = 1106, kColumnRow = 1107;
constexpr int kPasteLabel = 241, kPasteList = 242, kPasteListButton = 32993;
constexpr int kLabelRange = 267, kRowLabels = 268, kColumnLabels = 269, kLabelList = 271,
              kLabelAdd = 3, kLabelRemove = 4;
constexpr int kIdentifyLabel = 1037, kIdentifyCell = 1039, kIdentifyPick = 1040;
constexpr int kBarEdit = 1012;
// A name in the local script as the host stores it: ISCII's KA and RA, the
// same codes in every Indian script.
constexpr char kHostLocalName[] = "\xB3\xCF";

// The column letter a local reference shows before `row` ("घ" of "घ2:घ13").
std::string LetterBefore(const std::string& shown, const std::string& row) {
    return shown.substr(0, shown.find(row));
}

std::vector<std::string> Texts(const QVStringArray& array) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < array.size; ++i) {
        out.push_back(QVStringArrayGet(&array, i));
    }
    return out;
}

std::vector<uint32_t> Numbers(const QVUIntArray* array) {
    std::vector<uint32_t> out;
    for (int32_t i = 0; array != nullptr && i < array->size; ++i) {
        out.push_back(QVUIntArrayGet(array, i));
    }
    return out;
}

// The items of a long list, read on the dialog's thread (one cross-thread
// message per item would take seconds).
std::vector<std::string> LongListItems(Robot& robot, HWND list) {
    auto items = std::make_shared<std::vector<std::string>>();
    robot.Post([list, items] {
        const auto count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1,
                             '\0');
            text.resize(static_cast<size_t>(
                SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
            items->push_back(std::move(text));
        }
    });
    robot.WaitIdle();
    return *items;
}

// Memory of `size` writable bytes right before a page that cannot be touched:
// writing one byte more faults.
class GuardedBuffer {
  public:
    explicit GuardedBuffer(size_t size) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        const size_t page = info.dwPageSize;
        base_ = static_cast<char*>(
            VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(base_ + page, page, PAGE_NOACCESS, &old);
        data_ = base_ + page - size;
        std::memset(data_, 'x', size);
    }
    ~GuardedBuffer() { VirtualFree(base_, 0, MEM_RELEASE); }
    char* get() const { return data_; }

  private:
    char* base_ = nullptr;
    char* data_ = nullptr;
};

// Define Name's record over names and languages of the shared heap.
struct Workbook {
    explicit Workbook(const std::vector<std::pair<std::string, uint32_t>>& entries,
                      bool withLanguages = true) {
        for (const auto& [entry, language] : entries) {
            QVStringArrayAdd(&names, entry.c_str());
            QVUIntArrayAdd(&ownLanguages, language);
        }
        record.names = &names;
        record.nameLanguages = withLanguages ? &ownLanguages : nullptr;
        std::strcpy(record.reference, "Sheet1!$D$2:$D$13");
        std::strcpy(record.proposedName, "Net Sales/2");
        record.nameLanguage = -1;
    }
    ~Workbook() {
        QVStringArrayRemoveAll(&names);
        if (record.nameLanguages != &ownLanguages && record.nameLanguages != nullptr) {
            QVUIntArrayRemoveAll(record.nameLanguages);
            QVFree(record.nameLanguages);
        }
        QVUIntArrayRemoveAll(&ownLanguages);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    QVStringArray names{};
    QVUIntArray ownLanguages{};
    NameDefineRecord record{};
};

class Names : public qvtest::DialogTest {
  protected:
    int32_t Define(Workbook& book, const std::function<void(Robot&)>& script) {
        return Run([&] { return Export<QVShowNameDefineFn>("QVShowNameDefine")(&book.record); },
                   script);
    }
    int32_t Run(const std::function<int32_t()>& call, const std::function<void(Robot&)>& script) {
        auto outcome = RunModal(call, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
    // The local script's face, which the local dialog strings name.
    std::string LocalFace() { return DialogString(20000, 2); }
    // kHostLocalName as the dialogs show it.
    std::string LocalName() {
        return LocalFace().rfind("TAM", 0) == 0 ? "\u0B95\u0BB0" : "\u0915\u0930";
    }
    void UseLocalMenu() {
        qvhost::SetMenuLanguage(2);
        LoadFrom(appFolder_);
    }
    // Answers the message box that must come up with `message`.
    void ExpectMessage(Robot& robot, UINT message, int language = 1) {
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists);
        EXPECT_EQ(box.text, Message(message, language));
        robot.AnswerMessageBox(1);
    }
};

// ---- Define Name -------------------------------------------------------------------

TEST_F(Names, DefineNameOpensWithTheProposalTheNamesAndTheSelection) {
    Workbook book({{"Sheet1!Sales;$B$2:$B$13", 1},
                   {"Rate;0.05", 1},
                   {"Sheet2!Kara;$A$1:$A$5", 2},
                   {"Sheet1!List;{1;2};x", 1},
                   {"Sheet1!A1;$C$3", 1}});
    int32_t result = Define(book, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Define Name");
        EXPECT_EQ(robot.Text(dlg, kDefineListLabel), DialogString(1360));
        EXPECT_EQ(robot.Text(dlg, kDefineSheetLabel), DialogString(1337));
        EXPECT_EQ(robot.Text(dlg, IDCANCEL), DialogString(1328));
        // The list reads as names alone, sorted; the boxes hold the proposal
        // and the selection split at its "!".
        EXPECT_EQ(robot.Items(dlg, kDefineList),
                  (std::vector<std::string>{"A1", "Kara", "List", "Rate", "Sales"}));
        EXPECT_EQ(robot.Text(dlg, kDefineName), "Net_Sales_2");
        // The proposal's language is -1: not English script, so the local font.
        EXPECT_EQ(robot.FontFace(dlg, kDefineName), LocalFace());
        EXPECT_EQ(robot.Text(dlg, kDefineSheet), "Sheet1");
        EXPECT_EQ(robot.Text(dlg, kDefineRefers), "$D$2:$D$13");
        EXPECT_FALSE(robot.IsEnabled(dlg, kDefineSheet));

        robot.Select(dlg, kDefineList, "Kara");
        // A screen reader hears the chosen name, not its stored form.
        const qvrobot::AccessibleInfo heard = robot.Accessible(dlg, kDefineList);
        EXPECT_TRUE(heard.exists);
        EXPECT_EQ(heard.value, "Kara");
        EXPECT_EQ(robot.Text(dlg, kDefineName), "Kara");
        EXPECT_EQ(robot.Text(dlg, kDefineSheet), "Sheet2");
        EXPECT_EQ(robot.Text(dlg, kDefineRefers), "$A$1:$A$5");
        EXPECT_EQ(robot.FontFace(dlg, kDefineName), LocalFace());
        EXPECT_EQ(book.record.nameLanguage, 2);
        // Without a sheet prefix the sheet box keeps its text.
        robot.Select(dlg, kDefineList, "Rate");
        EXPECT_EQ(robot.Text(dlg, kDefineSheet), "Sheet2");
        EXPECT_EQ(robot.Text(dlg, kDefineRefers), "0.05");
        EXPECT_EQ(robot.FontFace(dlg, kDefineName), robot.FontFace(dlg, kDefineRefers));
        EXPECT_NE(robot.FontFace(dlg, kDefineName), LocalFace());
        EXPECT_EQ(book.record.nameLanguage, 1);
        robot.Select(dlg, kDefineList, "List");
        EXPECT_EQ(robot.Text(dlg, kDefineRefers), "{1;2};x");
        robot.Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(book.names.size, 5);
}

TEST_F(Names, DefineNameAddReplacesRefusesAndDeletesInPlace) {
    Workbook book({{"Sheet1!Sales;$B$2:$B$13", 1}, {"Rate;0.05", 2}, {"Sheet1!Cost;$C$1", 1}});
    int32_t result = Define(book, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Define Name");
        // A name that differs only in case replaces the old one.
        robot.SetText(dlg, kDefineName, "sales");
        robot.Click(dlg, kDefineAdd);
        EXPECT_EQ(robot.Items(dlg, kDefineList),
                  (std::vector<std::string>{"Cost", "Rate", "sales"}));
        EXPECT_EQ(robot.SelectedText(dlg, kDefineList), "sales");
        EXPECT_EQ(Texts(book.names), (std::vector<std::string>{"Rate;0.05", "Sheet1!Cost;$C$1",
                                                               "Sheet1!sales;$D$2:$D$13"}));
        EXPECT_EQ(Numbers(book.record.nameLanguages), (std::vector<uint32_t>{2, 1, 1}));

        // A blank is allowed; "-" and a leading digit are not.
        for (const char* refused : {"Q-1", "1stQuarter"}) {
            robot.SetText(dlg, kDefineName, refused);
            robot.Click(dlg, kDefineAdd);
            ExpectMessage(robot, 1183);
            EXPECT_EQ(robot.FocusedId(), kDefineName);
        }
        // After a refusal OK stays open even with an empty name box.
        robot.SetText(dlg, kDefineName, "");
        robot.Click(dlg, IDOK);
        EXPECT_TRUE(IsWindowVisible(dlg));

        // An empty sheet: the prefix is "!" and every "!" leaves the reference.
        robot.SetText(dlg, kDefineSheet, "");
        robot.SetText(dlg, kDefineRefers, "Sheet2!A1");
        robot.SetText(dlg, kDefineName, "Net Sales");
        robot.Click(dlg, kDefineAdd);
        EXPECT_EQ(Texts(book.names).back(), "!Net Sales;Sheet2A1");

        // Delete with nothing selected only clears the boxes.
        robot.Post([list = robot.Control(dlg, kDefineList)] {
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        });
        robot.Click(dlg, kDefineDelete);
        EXPECT_EQ(robot.Text(dlg, kDefineName), "");
        EXPECT_EQ(robot.Text(dlg, kDefineRefers), "");
        EXPECT_EQ(book.names.size, 4);
        robot.Select(dlg, kDefineList, "Rate");
        robot.Click(dlg, kDefineDelete);
        EXPECT_EQ(robot.FocusedId(), kDefineList);
        EXPECT_EQ(Texts(book.names),
                  (std::vector<std::string>{"Sheet1!Cost;$C$1", "Sheet1!sales;$D$2:$D$13",
                                            "!Net Sales;Sheet2A1"}));
        EXPECT_EQ(Numbers(book.record.nameLanguages), (std::vector<uint32_t>{1, 1, 1}));

        robot.SetText(dlg, kDefineSheet, "Sheet3");
        robot.SetText(dlg, kDefineRefers, "$E$5");
        robot.SetText(dlg, kDefineName, "TaxRate");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Texts(book.names).back(), "Sheet3!TaxRate;$E$5");
    EXPECT_EQ(book.names.size, 4);
}

// A host without a language array gets one after the first change, as long
// as its names; an array of names with a count but no block starts empty.
TEST_F(Names, DefineNameCreatesTheLanguageArrayAndRepairsAnEmptyNamesArray) {
    Workbook book({{"Sheet1!A;$A$1", 1}, {"B;2", 1}}, false);
    int32_t result = Define(book, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Define Name");
        robot.SetText(dlg, kDefineName, "C");
        robot.Click(dlg, kDefineAdd);
        ASSERT_NE(book.record.nameLanguages, nullptr);
        EXPECT_EQ(Numbers(book.record.nameLanguages), (std::vector<uint32_t>{1, 1, 1}));
        robot.Select(dlg, kDefineList, "A");
        robot.Click(dlg, kDefineDelete);
        EXPECT_EQ(Numbers(book.record.nameLanguages), (std::vector<uint32_t>{1, 1}));
        robot.Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Texts(book.names), (std::vector<std::string>{"B;2", "Sheet1!C;$D$2:$D$13"}));

    Workbook hollow(std::vector<std::pair<std::string, uint32_t>>{});
    hollow.names.size = 5; // a count without a block
    result = Define(hollow, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Define Name");
        EXPECT_TRUE(robot.Items(dlg, kDefineList).empty());
        robot.SetText(dlg, kDefineName, "Only");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Texts(hollow.names), (std::vector<std::string>{"Sheet1!Only;$D$2:$D$13"}));
}

TEST_F(Names, DefineNameInTheLocalMenuShowsLocalReferencesAndPicksInTheSheet) {
    UseLocalMenu();
    Workbook book(
        {{"Sheet1!Sales;$B$2:$B$13", 1}, {std::string("Sheet1!") + kHostLocalName + ";$C$1", 2}});
    int32_t result = Define(book, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Define Name");
        EXPECT_EQ(robot.Text(dlg, kDefineListLabel), DialogString(1360, 2));
        // The host's local name reads in its script; the selection in local letters.
        EXPECT_EQ(robot.Items(dlg, kDefineList), (std::vector<std::string>{"Sales", LocalName()}));
        const std::string selection = robot.Text(dlg, kDefineRefers);
        const std::string d = LetterBefore(selection, "2");
        EXPECT_NE(d, "D");
        EXPECT_EQ(selection, d + "2:" + d + "13");
        EXPECT_EQ(robot.FontFace(dlg, kDefineRefers), LocalFace());

        // The range bar stands in for the dialog; the host's pick comes back.
        frame_->ClearLog();
        robot.Click(dlg, kDefinePick);
        EXPECT_FALSE(IsWindowVisible(dlg));
        HWND bar = robot.WaitForWindow("Define Name");
        ASSERT_NE(bar, dlg);
        EXPECT_EQ(robot.Text(bar, kBarEdit), selection);
        ASSERT_TRUE(qvhost::SendRangeText(bar, "D1:D4"));
        robot.PressKey(bar, kBarEdit, VK_RETURN);
        EXPECT_TRUE(robot.WaitClosed(bar));
        EXPECT_TRUE(IsWindowVisible(dlg));
        EXPECT_EQ(robot.Text(dlg, kDefineRefers), "D1:D4"); // as the host gave it
        auto picks = frame_->Log(WM_QV_RANGEPICK);
        ASSERT_FALSE(picks.empty());
        EXPECT_EQ(picks.front().wParam, 0u);
        EXPECT_EQ(picks.back().wParam, 1u);

        // A new name in the local script takes the menu's language and reaches
        // the host as the host stores it; its reference goes back in A1 form.
        robot.SetText(dlg, kDefineName, LocalName() + "2");
        robot.Click(dlg, kDefineAdd);
        EXPECT_EQ(Texts(book.names).back(), std::string("Sheet1!") + kHostLocalName + "2;D1:D4");
        EXPECT_EQ(Numbers(book.record.nameLanguages), (std::vector<uint32_t>{1, 2, 2}));

        // Showing a name converts its reference; adding it again keeps its language.
        robot.Select(dlg, kDefineList, "Sales");
        const std::string b = LetterBefore(robot.Text(dlg, kDefineRefers), "2");
        EXPECT_NE(b, d);
        EXPECT_EQ(robot.Text(dlg, kDefineRefers), b + "2:" + b + "13");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Texts(book.names),
              (std::vector<std::string>{std::string("Sheet1!") + kHostLocalName + ";$C$1",
                                        std::string("Sheet1!") + kHostLocalName + "2;D1:D4",
                                        "Sheet1!Sales;B2:B13"}));
    EXPECT_EQ(Numbers(book.record.nameLanguages), (std::vector<uint32_t>{2, 2, 1}));
    auto switches = frame_->Log(WM_QV_SETINPUTLANG);
    ASSERT_FALSE(switches.empty());
    EXPECT_EQ(switches.back().wParam, 0u); // back to English when the dialog ends
}

TEST_F(Names, DefineNameWithTenThousandNames) {
    std::vector<std::pair<std::string, uint32_t>> entries;
    for (int i = 9999; i >= 0; --i) {
        entries.push_back({"Sheet1!N" + std::to_string(i) + ";$A$" + std::to_string(i + 1),
                           static_cast<uint32_t>(1 + i % 2)});
    }
    Workbook book(entries);
    int32_t result = Define(book, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Define Name");
        HWND list = robot.Control(dlg, kDefineList);
        const auto items = LongListItems(robot, list);
        ASSERT_EQ(items.size(), 10000u);
        for (size_t i = 1; i < items.size(); ++i) {
            ASSERT_LE(lstrcmpiA(items[i - 1].c_str(), items[i].c_str()), 0) << i;
        }
        robot.SetText(dlg, kDefineName, "n5000");
        robot.Click(dlg, kDefineAdd);
        robot.SetText(dlg, kDefineName, "M");
        robot.Click(dlg, kDefineAdd);
        const auto after = LongListItems(robot, list);
        ASSERT_EQ(after.size(), 10001u);
        EXPECT_EQ(after.front(), "M");
        EXPECT_EQ(robot.SelectedIndex(dlg, kDefineList), 0);
        EXPECT_NE(std::find(after.begin(), after.end(), "n5000"), after.end());
        EXPECT_EQ(std::find(after.begin(), after.end(), "N5000"), after.end());
        robot.Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(book.names.size, 10001);
    EXPECT_EQ(Numbers(book.record.nameLanguages).size(), 10001u);
    EXPECT_EQ(Texts(book.names)[9999], "Sheet1!n5000;$D$2:$D$13");
    EXPECT_EQ(Texts(book.names)[10000], "Sheet1!M;$D$2:$D$13");
}

// ---- Create, Apply and Paste Names ------------------------------------------------

TEST_F(Names, CreateNamesKeepsItsFlagsAndDropsTheOppositeEdges) {
    auto show = Export<QVShowNameCreateFn>("QVShowNameCreate");
    NameCreateRecord flags = 15;
    EXPECT_EQ(Run([&] { return show(&flags); },
                  [&](Robot& robot) {
                      HWND dlg = robot.WaitForWindow("Create Names");
                      EXPECT_EQ(robot.Text(dlg, kCreateGroup), DialogString(1355));
                      EXPECT_TRUE(robot.IsChecked(dlg, kTop));
                      EXPECT_TRUE(robot.IsChecked(dlg, kLeft));
                      EXPECT_FALSE(robot.IsChecked(dlg, kBottom));
                      EXPECT_FALSE(robot.IsChecked(dlg, kRight));
                      robot.Click(dlg, IDOK);
                  }),
              1);
    EXPECT_EQ(flags, 3);

    flags = 5 | 0x40;
    EXPECT_EQ(Run([&] { return show(&flags); },
                  [&](Robot& robot) {
                      HWND dlg = robot.WaitForWindow("Create Names");
                      EXPECT_TRUE(robot.IsChecked(dlg, kTop));
                      EXPECT_TRUE(robot.IsChecked(dlg, kBottom));
                      EXPECT_FALSE(robot.IsChecked(dlg, kLeft));
                      robot.Click(dlg, kRight);
                      robot.Click(dlg, kTop);
                      robot.Click(dlg, IDOK);
                  }),
              1);
    EXPECT_EQ(flags, 4 | 8 | 0x40);
    EXPECT_EQ(Run([&] { return show(&flags); },
                  [&](Robot& robot) {
                      HWND dlg = robot.WaitForWindow("Create Names");
                      robot.Click(dlg, kLeft);
                      robot.Click(dlg, IDCANCEL);
                  }),
              0);
    EXPECT_EQ(flags, 4 | 8 | 0x40);
}

TEST_F(Names, ApplyNamesAppendsTheChosenIndexesAndFollowsItsBoxes) {
    QVStringArray names{};
    for (const char* name : {"Sales", "Costs", "Rate", "Kara", "Region"}) {
        QVStringArrayAdd(&names, name);
    }
    NameApplyRecord record{};
    record.names = &names;
    record.options = 0x80;
    QVUIntArrayAdd(&record.chosen, 7); // the dialog only appends
    int32_t result =
        Run([&] { return Export<QVShowNameApplyFn>("QVShowNameApply")(&record); },
            [&](Robot& robot) {
                HWND dlg = robot.WaitForWindow("Apply Names");
                EXPECT_EQ(robot.Items(dlg, kApplyList),
                          (std::vector<std::string>{"Costs", "Kara", "Rate", "Region", "Sales"}));
                EXPECT_TRUE(robot.IsChecked(dlg, kIgnore));
                EXPECT_TRUE(robot.IsChecked(dlg, kRowColumn));
                EXPECT_FALSE(robot.IsEnabled(dlg, kRowColumnNames));
                EXPECT_FALSE(robot.IsEnabled(dlg, kColumnRow));
                EXPECT_FALSE(robot.IsVisible(dlg, kApplyOptions));
                EXPECT_EQ(robot.Text(dlg, IDOK), DialogString(20002));
                EXPECT_EQ(record.options, 0x80);         // unchanged until clicked
                EXPECT_TRUE(robot.IsEnabled(dlg, IDOK)); // the list has a current item
                robot.Click(dlg, kIgnore);
                EXPECT_EQ(record.options, 0x80);
                robot.Click(dlg, kIgnore);
                EXPECT_EQ(record.options, 0x82);
                HWND list = robot.Control(dlg, kApplyList);
                robot.Post([list] {
                    for (int index : {4, 0, 2}) {
                        SendMessageA(list, LB_SETSEL, TRUE, index);
                    }
                    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(kApplyList, LBN_SELCHANGE),
                                 reinterpret_cast<LPARAM>(list));
                });
                robot.WaitIdle();
                EXPECT_EQ(robot.Accessible(dlg, kApplyList).value, "Costs, Rate, Sales");
                robot.Click(dlg, IDOK);
            });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Numbers(&record.chosen), (std::vector<uint32_t>{7, 0, 2, 4}));

    // OK with nothing chosen closes and appends nothing; with no names
    // there is no current item, and OK stays disabled.
    result = Run([&] { return Export<QVShowNameApplyFn>("QVShowNameApply")(&record); },
                 [&](Robot& robot) { robot.Click(robot.WaitForWindow("Apply Names"), IDOK); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Numbers(&record.chosen), (std::vector<uint32_t>{7, 0, 2, 4}));
    QVStringArrayRemoveAll(&names);
    result = Run([&] { return Export<QVShowNameApplyFn>("QVShowNameApply")(&record); },
                 [&](Robot& robot) {
                     HWND dlg = robot.WaitForWindow("Apply Names");
                     EXPECT_FALSE(robot.IsEnabled(dlg, IDOK));
                     robot.Cancel(dlg);
                 });
    EXPECT_EQ(result, 0);
    QVUIntArrayRemoveAll(&record.chosen);
}

TEST_F(Names, PasteNamePastesOneNameOrAsksForTheList) {
    QVStringArray names{};
    QVUIntArray languages{};
    for (const char* name : {"Sales", kHostLocalName, "Rate"}) {
        QVStringArrayAdd(&names, name);
    }
    for (uint32_t language : {1u, 2u, 1u}) {
        QVUIntArrayAdd(&languages, language);
    }
    NamePasteRecord record{};
    std::strcpy(record.chosenName, "before");
    record.chosenLanguage = 9;
    record.names = &names;
    record.nameLanguages = &languages;
    auto show = Export<QVShowNamePasteFn>("QVShowNamePaste");

    EXPECT_EQ(Run([&] { return show(&record); },
                  [&](Robot& robot) {
                      HWND dlg = robot.WaitForWindow("Paste Name");
                      EXPECT_EQ(robot.Text(dlg, kPasteLabel), DialogString(1183));
                      EXPECT_FALSE(robot.IsEnabled(dlg, IDOK));
                      robot.Select(dlg, kPasteList, "Rate");
                      robot.Click(dlg, kPasteListButton);
                  }),
              2);
    EXPECT_STREQ(record.chosenName, "before");
    EXPECT_EQ(record.chosenLanguage, 9u);
    EXPECT_EQ(record.flags, 16);

    EXPECT_EQ(Run([&] { return show(&record); },
                  [&](Robot& robot) {
                      HWND dlg = robot.WaitForWindow("Paste Name");
                      robot.Select(dlg, kPasteList, LocalName());
                      EXPECT_TRUE(robot.IsEnabled(dlg, IDOK));
                      robot.Click(dlg, IDOK);
                  }),
              1);
    // The local name reaches the host as the host stores it.
    EXPECT_STREQ(record.chosenName, kHostLocalName);
    EXPECT_EQ(record.chosenLanguage, 2u);
    EXPECT_EQ(record.flags, 0);

    // Without languages the language is left alone; a double click pastes.
    record.nameLanguages = nullptr;
    EXPECT_EQ(Run([&] { return show(&record); },
                  [&](Robot& robot) {
                      HWND dlg = robot.WaitForWindow("Paste Name");
                      robot.DoubleClick(dlg, kPasteList, 1);
                  }),
              1);
    EXPECT_STREQ(record.chosenName, "Sales");
    EXPECT_EQ(record.chosenLanguage, 2u);
    QVStringArrayRemoveAll(&names);
    QVUIntArrayRemoveAll(&languages);
}

// ---- Label Ranges and Identify Label -------------------------------------------------

TEST_F(Names, LabelRangesAddsRemovesAndRefusesRanges) {
    LabelRangesRecord record{};
    std::strcpy(record.selection, "b1:f1");
    QVStringArrayAdd(&record.labelRanges, "A2:A13");
    QVUIntArrayAdd(&record.rangeKinds, 32);
    record.kindChoice = 0;
    int32_t result =
        Run([&] { return Export<QVShowNameLabelFn>("QVShowNameLabel")(&record); },
            [&](Robot& robot) {
                HWND dlg = robot.WaitForWindow("Label Ranges");
                EXPECT_EQ(robot.Text(dlg, kLabelAdd), DialogString(1477));
                EXPECT_FALSE(robot.IsChecked(dlg, kRowLabels));
                EXPECT_FALSE(robot.IsChecked(dlg, kColumnLabels));
                EXPECT_EQ(robot.Items(dlg, kLabelList), (std::vector<std::string>{"A2:A13"}));
                // Typing upper-cases; a listed range cannot be added again.
                robot.SetText(dlg, kLabelRange, "a2:a13");
                EXPECT_EQ(robot.Text(dlg, kLabelRange), "A2:A13");
                EXPECT_FALSE(robot.IsEnabled(dlg, kLabelAdd));
                robot.SetText(dlg, kLabelRange, "$b$1:$f$1");
                EXPECT_TRUE(robot.IsEnabled(dlg, kLabelAdd));
                robot.Click(dlg, kColumnLabels);
                EXPECT_EQ(record.kindChoice, 64);
                robot.Click(dlg, kLabelAdd);
                EXPECT_EQ(robot.Text(dlg, kLabelRange), "");
                EXPECT_EQ(Texts(record.labelRanges), (std::vector<std::string>{"A2:A13", "B1:F1"}));
                EXPECT_EQ(Numbers(&record.rangeKinds), (std::vector<uint32_t>{32, 64}));

                robot.SetText(dlg, kLabelRange, "A1:B");
                robot.Click(dlg, kLabelAdd);
                ExpectMessage(robot, 1235);
                EXPECT_EQ(record.labelRanges.size, 2);

                robot.Select(dlg, kLabelList, 0);
                EXPECT_EQ(robot.Text(dlg, kLabelRange), "A2:A13");
                EXPECT_TRUE(robot.IsChecked(dlg, kRowLabels));
                robot.Click(dlg, kLabelRemove);
                EXPECT_EQ(robot.FocusedId(), kLabelList);
                EXPECT_EQ(Texts(record.labelRanges), (std::vector<std::string>{"B1:F1"}));
                EXPECT_EQ(Numbers(&record.rangeKinds), (std::vector<uint32_t>{64}));

                // OK adds what is pending, then closes.
                robot.Click(dlg, kRowLabels);
                robot.SetText(dlg, kLabelRange, "c2:c9");
                robot.Click(dlg, IDOK);
            });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Texts(record.labelRanges), (std::vector<std::string>{"B1:F1", "C2:C9"}));
    EXPECT_EQ(Numbers(&record.rangeKinds), (std::vector<uint32_t>{64, 32}));
    EXPECT_EQ(record.kindChoice, 32);

    // A pending text that is no range: OK says so, adds nothing and closes.
    result = Run([&] { return Export<QVShowNameLabelFn>("QVShowNameLabel")(&record); },
                 [&](Robot& robot) {
                     HWND dlg = robot.WaitForWindow("Label Ranges");
                     robot.SetText(dlg, kLabelRange, "A1:B");
                     robot.Click(dlg, IDOK);
                     ExpectMessage(robot, 1235);
                     robot.WaitClosed(dlg);
                 });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Texts(record.labelRanges), (std::vector<std::string>{"B1:F1", "C2:C9"}));
    QVStringArrayRemoveAll(&record.labelRanges);
    QVUIntArrayRemoveAll(&record.rangeKinds);
}

TEST_F(Names, LabelRangesInTheLocalMenuAndWithBrokenArrays) {
    UseLocalMenu();
    LabelRangesRecord record{};
    std::strcpy(record.selection, "A1:A3");
    record.labelRanges.data = reinterpret_cast<QVString*>(static_cast<uintptr_t>(0x10));
    record.labelRanges.size = 40; // nothing readable behind it
    record.kindChoice = 64;
    int32_t result =
        Run([&] { return Export<QVShowNameLabelFn>("QVShowNameLabel")(&record); },
            [&](Robot& robot) {
                HWND dlg = robot.WaitForWindow("Label Ranges");
                EXPECT_EQ(robot.Text(dlg, kLabelAdd), DialogString(1477, 2));
                const std::string shown = robot.Text(dlg, kLabelRange);
                const std::string a = LetterBefore(shown, "1");
                EXPECT_NE(a, "A");
                EXPECT_EQ(shown, a + "1:" + a + "3");
                EXPECT_TRUE(robot.IsChecked(dlg, kColumnLabels));
                EXPECT_TRUE(robot.Items(dlg, kLabelList).empty());
                robot.Click(dlg, kLabelAdd);
                EXPECT_EQ(robot.Items(dlg, kLabelList), (std::vector<std::string>{shown}));
                robot.Click(dlg, IDOK);
            });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Texts(record.labelRanges), (std::vector<std::string>{"A1:A3"}));
    EXPECT_EQ(Numbers(&record.rangeKinds), (std::vector<uint32_t>{64}));
    QVStringArrayRemoveAll(&record.labelRanges);
    QVUIntArrayRemoveAll(&record.rangeKinds);
}

TEST_F(Names, IdentifyLabelWritesOnlyWhatTheBufferHolds) {
    auto show = Export<QVShowNameRepetitionLabelFn>("QVShowNameRepetitionLabel");
    const auto typeAndAccept = [&](const char* cell) {
        return [&, cell](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Identify Label");
            EXPECT_EQ(robot.Text(dlg, kIdentifyLabel), "Sales");
            EXPECT_EQ(robot.Text(dlg, IDOK), DialogString(20002));
            robot.SetText(dlg, kIdentifyCell, cell);
            robot.Click(dlg, IDOK);
        };
    };
    GuardedBuffer exact(3);
    EXPECT_EQ(Run([&] { return show("Sales", exact.get()); }, typeAndAccept("B7")), 1);
    EXPECT_STREQ(exact.get(), "B7");
    GuardedBuffer tiny(1);
    EXPECT_EQ(Run([&] { return show("Sales", tiny.get()); }, typeAndAccept("B7")), 1);
    EXPECT_EQ(tiny.get()[0], '\0');

    // The picker hands the host's cell to the box; Cancel leaves the buffer.
    char cell[32] = "untouched";
    EXPECT_EQ(Run([&] { return show("Sales", cell); },
                  [&](Robot& robot) {
                      HWND dlg = robot.WaitForWindow("Identify Label");
                      frame_->SetRangeText("C4");
                      robot.Click(dlg, kIdentifyPick);
                      HWND bar = robot.WaitForWindow("Identify Label");
                      ASSERT_NE(bar, dlg);
                      robot.WaitIdle();
                      robot.PressKey(bar, kBarEdit, VK_ESCAPE);
                      EXPECT_TRUE(robot.WaitClosed(bar));
                      frame_->SetRangeText(std::nullopt);
                      EXPECT_EQ(robot.Text(dlg, kIdentifyCell), "C4");
                      robot.Click(dlg, IDCANCEL);
                  }),
              0);
    EXPECT_STREQ(cell, "untouched");
}

// ---- bad records ----------------------------------------------------------------------

TEST_F(Names, NullAndGarbageRecordsShowNothingOrAnEmptyDialog) {
    EXPECT_EQ(Export<QVShowNameDefineFn>("QVShowNameDefine")(nullptr), 0);
    EXPECT_EQ(Export<QVShowNameApplyFn>("QVShowNameApply")(nullptr), 0);
    EXPECT_EQ(Export<QVShowNamePasteFn>("QVShowNamePaste")(nullptr), 0);
    EXPECT_EQ(Export<QVShowNameCreateFn>("QVShowNameCreate")(nullptr), 0);
    EXPECT_EQ(Export<QVShowNameLabelFn>("QVShowNameLabel")(nullptr), 0);
    EXPECT_EQ(Export<QVShowNameRepetitionLabelFn>("QVShowNameRepetitionLabel")("x", nullptr), 0);
    NameDefineRecord noNames{};
    EXPECT_EQ(Export<QVShowNameDefineFn>("QVShowNameDefine")(&noNames), 0);

    // Names whose block and texts point at nothing, languages likewise, and
    // fixed texts without a terminator: the dialog opens over what it can read.
    QVString texts[2] = {{reinterpret_cast<char*>(static_cast<uintptr_t>(0x20))}, {nullptr}};
    QVStringArray names{nullptr, texts, 2, 1, 0};
    QVUIntArray languages{nullptr, reinterpret_cast<uint32_t*>(static_cast<uintptr_t>(0x30)), 9, 9,
                          0};
    NameDefineRecord record{};
    record.names = &names;
    record.nameLanguages = &languages;
    std::memset(record.reference, 'R', sizeof record.reference);
    std::memset(record.proposedName, 'P', sizeof record.proposedName);
    record.nameLanguage = 7;
    int32_t result = Run(
        [&] { return Export<QVShowNameDefineFn>("QVShowNameDefine")(&record); },
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Define Name");
            EXPECT_EQ(robot.Items(dlg, kDefineList), (std::vector<std::string>{"", ""}));
            EXPECT_EQ(robot.Text(dlg, kDefineName), std::string(sizeof record.proposedName, 'P'));
            robot.SetText(dlg, kDefineName, "Fresh");
            robot.Click(dlg, kDefineAdd);
            robot.Click(dlg, IDCANCEL);
        });
    EXPECT_EQ(result, 0);
    // The broken blocks were left alone and replaced.
    EXPECT_NE(names.data, texts);
    EXPECT_EQ(names.size, 3);
    EXPECT_EQ(Texts(names).back(), "!Fresh;" + std::string(sizeof record.reference, 'R'));
    EXPECT_EQ(Numbers(&languages), (std::vector<uint32_t>{1, 1, 7}));
    QVStringArrayRemoveAll(&names);
    QVUIntArrayRemoveAll(&languages);
}

} // namespace
