// twhost.exe: plays the spreadsheet host for the dialog library.
//
//   twhost --list                         the dialogs this host can open
//   twhost --demo --out <folder> [--only <name>]
//       opens every dialog the library exports, in English and then in the
//       local language, renders it to <folder>\<name>-en.png / -local.png,
//       cancels it and prints the export's result and the record as JSON
//   twhost --dialog <name> [--lang 1|2]
//       opens one dialog for a person to use and prints the record it returns
#include "qvhost/chart_host.h"
#include "qvhost/host.h"
#include "qvrobot/robot.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void Usage() {
    std::printf("usage: twhost --list\n"
                "       twhost --demo --out <folder> [--only <name>]\n"
                "       twhost --dialog <name> [--lang 1|2]\n");
}

const char* Suffix(int language) {
    return language == 1 ? "en" : "local";
}

int List() {
    qvhost::DialogLibrary library(qvhost::AppFolder());
    for (const auto& d : qvhost::Dialogs()) {
        const bool present = library.Find(d.exportName) != nullptr;
        std::printf("%-12s %-22s %s%s\n", d.name, d.exportName, d.title,
                    present ? "" : "  (not in this QVSSD.dll)");
    }
    if (!library.loaded()) {
        std::printf("QVSSD.dll could not be loaded from %s (error %lu)\n", library.path().c_str(),
                    library.error());
        return 1;
    }
    return 0;
}

int Demo(const std::string& out, const std::string& only) {
    CreateDirectoryA(out.c_str(), nullptr);
    const std::string userData = qvhost::MakeScratchFolder("twcalc-userdata");
    qvhost::SetUserDataFolder(userData);
    qvhost::FrameWindow frame;
    int failures = 0;

    for (int language : {1, 2}) {
        // The library reads the menu language once, when it is loaded.
        qvhost::SetMenuLanguage(language);
        qvhost::DialogLibrary library(qvhost::AppFolder());
        if (!library.loaded()) {
            std::fprintf(stderr, "QVSSD.dll could not be loaded from %s (error %lu)\n",
                         library.path().c_str(), library.error());
            qvhost::RemoveFolder(userData);
            return 1;
        }
        for (const auto& entry : qvhost::Dialogs()) {
            if (!only.empty() && only != entry.name) {
                continue;
            }
            FARPROC fn = library.Find(entry.exportName);
            if (fn == nullptr) {
                std::printf("{\"dialog\":%s,\"language\":%d,\"skipped\":\"%s is not exported\"}\n",
                            qvhost::JsonString(entry.name).c_str(), language, entry.exportName);
                continue;
            }
            auto call = entry.makeSample();
            frame.ClearLog();
            const std::string png = out + "\\" + entry.name + "-" + Suffix(language) + ".png";
            std::string caption;
            const auto outcome = qvrobot::RunModal(
                [&] { return call->Invoke(fn); },
                [&](qvrobot::Robot& robot) {
                    HWND dialog = robot.WaitForDialog();
                    HWND shown = qvhost::OpenDemoWindow(entry, *call, robot, dialog);
                    caption = robot.Caption(shown);
                    robot.SavePng(shown, png);
                    for (int view = 1; view < call->DemoViews(); ++view) {
                        robot.Post([shown, view] { PropSheet_SetCurSel(shown, nullptr, view); });
                        robot.WaitIdle();
                        robot.SavePng(shown, out + "\\" + entry.name + "-" +
                                                 std::to_string(view + 1) + "-" + Suffix(language) +
                                                 ".png");
                    }
                    qvhost::CloseDemoWindows(robot, dialog, shown);
                });
            std::printf("{\"dialog\":%s,\"language\":%d,\"caption\":%s,\"result\":%d,"
                        "\"record\":%s,\"png\":%s,\"ok\":%s",
                        qvhost::JsonString(entry.name).c_str(), language,
                        qvhost::JsonString(caption).c_str(), outcome.result,
                        call->RecordJson(&frame).c_str(), qvhost::JsonString(png).c_str(),
                        outcome.ok ? "true" : "false");
            if (!outcome.ok) {
                std::printf(",\"failure\":%s", qvhost::JsonString(outcome.failure).c_str());
                ++failures;
            }
            std::printf("}\n");
            std::fflush(stdout);
        }
    }
    qvhost::RemoveFolder(userData);
    if (only.empty() || only == "charts-gallery") {
        // One chart of each main type, drawn by the chart component.
        const std::string gallery = out + "\\charts-gallery.png";
        const bool drawn = qvhost::WriteChartGallery(qvhost::AppFolder(), gallery);
        std::printf("{\"gallery\":%s,\"ok\":%s}\n", qvhost::JsonString(gallery).c_str(),
                    drawn ? "true" : "false");
        failures += drawn ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}

int OpenOne(const std::string& name, int language) {
    const qvhost::DialogEntry* entry = qvhost::FindDialog(name);
    if (entry == nullptr) {
        std::fprintf(stderr, "no dialog \"%s\" (see --list)\n", name.c_str());
        return 2;
    }
    qvhost::SetMenuLanguage(language);
    qvhost::FrameWindow frame;
    qvhost::DialogLibrary library(qvhost::AppFolder());
    FARPROC fn = library.Find(entry->exportName);
    if (fn == nullptr) {
        std::fprintf(stderr, "%s not found in %s\n", entry->exportName, library.path().c_str());
        return 1;
    }
    auto call = entry->makeSample();
    const int32_t result = call->Invoke(fn);
    std::printf("{\"dialog\":%s,\"language\":%d,\"result\":%d,\"record\":%s}\n",
                qvhost::JsonString(entry->name).c_str(), language, result,
                call->RecordJson(&frame).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string mode, out, only, dialog;
    int language = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--list" || arg == "--demo") {
            mode = arg;
        } else if (arg == "--out" && hasValue) {
            out = argv[++i];
        } else if (arg == "--only" && hasValue) {
            only = argv[++i];
        } else if (arg == "--dialog" && hasValue) {
            mode = arg;
            dialog = argv[++i];
        } else if (arg == "--lang" && hasValue) {
            language = std::atoi(argv[++i]) == 2 ? 2 : 1;
        } else {
            Usage();
            return 2;
        }
    }
    if (mode == "--list") {
        return List();
    }
    if (mode == "--demo") {
        return Demo(out.empty() ? "." : out, only);
    }
    if (mode == "--dialog") {
        return OpenOne(dialog, language);
    }
    Usage();
    return 2;
}
