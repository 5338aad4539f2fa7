#include "qvcore/database_tables.h"

#include "qvcore/text.h"

#include <algorithm>

namespace qv::core {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return out;
}

// A value of a connection string: braced when it holds a character that
// would end or open an attribute.
std::string Value(std::string_view value) {
    if (value.find_first_of(";{}") == std::string_view::npos) {
        return std::string(value);
    }
    std::string braced = "{";
    for (char c : value) {
        braced += c;
        if (c == '}') {
            braced += '}';
        }
    }
    return braced + "}";
}

} // namespace

DatabaseKind KindOfDatabase(std::string_view path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("\\/");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return DatabaseKind::Unknown;
    }
    const std::string extension = Lower(path.substr(dot + 1));
    if (extension == "mdb" || extension == "accdb") {
        return DatabaseKind::Desktop;
    }
    if (extension == "db" || extension == "sqlite" || extension == "sqlite3") {
        return DatabaseKind::Sqlite;
    }
    return DatabaseKind::Unknown;
}

std::vector<std::string> ConnectionStrings(DatabaseKind kind, std::string_view driverPath) {
    const std::string path = Value(driverPath);
    switch (kind) {
    case DatabaseKind::Desktop:
        // The current driver reads both formats; older systems have only the .mdb one.
        return {"Driver={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=" + path +
                    ";ReadOnly=1;Exclusive=0;",
                "Driver={Microsoft Access Driver (*.mdb)};DBQ=" + path +
                    ";ReadOnly=1;Exclusive=0;"};
    case DatabaseKind::Sqlite:
        // Never create a missing file; wait a moment for a writer's lock, no longer.
        return {"Driver={SQLite3 ODBC Driver};Database=" + path + ";NoCreat=1;Timeout=1000;"};
    case DatabaseKind::Unknown:
        break;
    }
    return {};
}

bool IsPasswordError(std::string_view message) {
    return Lower(message).find("not a valid password") != std::string::npos;
}

bool IsListedTable(std::string_view name) {
    return !name.empty() && name.substr(0, 4) != "MSys";
}

std::string FormatTableTime(int year, int month, int day, int hour, int minute, int second) {
    std::string out;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    AppendDecimal(out, month, 2);
    out += '/';
    AppendDecimal(out, day, 2);
    out += '/';
    AppendDecimal(out, ((year % 100) + 100) % 100, 2);
    out += ' ';
    AppendDecimal(out, hour12, 2);
    out += ':';
    AppendDecimal(out, minute, 2);
    out += ':';
    AppendDecimal(out, second, 2);
    out += hour < 12 ? " AM" : " PM";
    return out;
}

std::string TrimTableName(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

TableNameProblem CheckTableName(std::string_view trimmed) {
    if (trimmed.find_first_of(kRefusedTableNameChars) != std::string_view::npos) {
        return TableNameProblem::RefusedCharacter;
    }
    return trimmed.empty() ? TableNameProblem::Empty : TableNameProblem::None;
}

} // namespace qv::core
