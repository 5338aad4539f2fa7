// The dialogs the host can open: for each, a sample record, how to call its
// export and how to print the record. Each subsystem lists its own dialogs in
// dialogs_<area>.cpp; adding a dialog is one entry there.
#include "dialog_tables.h"

#include "qvrobot/robot.h"

namespace qvhost {

const std::vector<DialogEntry>& Dialogs() {
    static const std::vector<DialogEntry> dialogs = [] {
        std::vector<DialogEntry> all;
        for (auto part :
             {tables::WorkbookDialogs, tables::FormatDialogs, tables::DataToolsDialogs,
              tables::NameDialogs, tables::ChartDialogs, tables::DataListDialogs,
              tables::AnalysisDialogs, tables::FunctionDialogs, tables::PageSetupDialogs}) {
            auto entries = part();
            all.insert(all.end(), entries.begin(), entries.end());
        }
        return all;
    }();
    return dialogs;
}

HWND DialogCall::DemoWindow(qvrobot::Robot&, HWND dialog) {
    return dialog;
}

HWND OpenDemoWindow(const DialogEntry& entry, DialogCall& call, qvrobot::Robot& robot,
                    HWND dialog) {
    if (entry.demoButton == 0) {
        return call.DemoWindow(robot, dialog);
    }
    robot.Click(dialog, entry.demoButton);
    return robot.WaitForDialog();
}

void CloseDemoWindows(qvrobot::Robot& robot, HWND dialog, HWND shown) {
    if (shown != dialog && IsWindow(shown)) {
        robot.Cancel(shown);
    }
    if (IsWindow(dialog)) {
        robot.Cancel(dialog);
    }
}

const DialogEntry* FindDialog(const std::string& name) {
    for (const auto& d : Dialogs()) {
        if (lstrcmpiA(d.name, name.c_str()) == 0) {
            return &d;
        }
    }
    return nullptr;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof(escape), "\\u%04x", c);
                out += escape;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

} // namespace qvhost
