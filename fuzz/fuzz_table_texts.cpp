// The texts of Select Table, Table Name and Insert Function on arbitrary
// input: a database file's name comes back whole out of the connection string
// the driver is given, whatever characters it holds; a trimmed table name has
// no blank at either end and is accepted only without a refused character;
// table times keep their shape for any clock the driver reports; a function's
// "syntax^^description" text splits into parts that make it again.
#include "qvcore/database_tables.h"
#include "qvcore/function_catalogue.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

using namespace qv::core;

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

// The value of attribute `key` in an ODBC connection string, as a driver
// manager reads it: "key=value;" or "key={value};" with "}}" for a brace.
bool AttributeValue(std::string_view connection, std::string_view key, std::string& value) {
    size_t at = 0;
    while (at < connection.size()) {
        const size_t equals = connection.find('=', at);
        if (equals == std::string_view::npos) {
            return false;
        }
        const std::string_view name = connection.substr(at, equals - at);
        size_t next = equals + 1;
        std::string read;
        if (next < connection.size() && connection[next] == '{') {
            ++next;
            for (;;) {
                if (next >= connection.size()) {
                    return false; // an unclosed brace
                }
                if (connection[next] == '}') {
                    if (next + 1 < connection.size() && connection[next + 1] == '}') {
                        read += '}';
                        next += 2;
                        continue;
                    }
                    ++next;
                    break;
                }
                read += connection[next++];
            }
            if (next < connection.size() && connection[next] != ';') {
                return false; // text after the closing brace
            }
        } else {
            const size_t end = connection.find(';', next);
            const size_t stop = end == std::string_view::npos ? connection.size() : end;
            read = std::string(connection.substr(next, stop - next));
            next = stop;
        }
        if (name == key) {
            value = read;
            return true;
        }
        at = next + 1;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Database files: the whole name reaches the driver, and only there.
    const DatabaseKind kind = KindOfDatabase(text);
    const auto connections = ConnectionStrings(kind, text);
    Check((kind == DatabaseKind::Unknown) == connections.empty());
    for (const std::string& connection : connections) {
        std::string path;
        Check(AttributeValue(connection, kind == DatabaseKind::Sqlite ? "Database" : "DBQ", path));
        Check(path == text);
        std::string readOnly;
        if (kind == DatabaseKind::Desktop) {
            Check(AttributeValue(connection, "ReadOnly", readOnly) && readOnly == "1");
        } else {
            Check(AttributeValue(connection, "NoCreat", readOnly) && readOnly == "1");
        }
    }
    IsPasswordError(text);
    Check(!IsListedTable(text) || (!text.empty() && text.rfind("MSys", 0) != 0));

    // Table names.
    const std::string trimmed = TrimTableName(text);
    Check(text.find(trimmed) != std::string_view::npos);
    if (!trimmed.empty()) {
        Check(trimmed.front() != ' ' && trimmed.front() != '\t');
        Check(trimmed.back() != ' ' && trimmed.back() != '\t');
    }
    const TableNameProblem problem = CheckTableName(trimmed);
    Check((problem == TableNameProblem::Empty) ==
          (trimmed.empty() && problem != TableNameProblem::RefusedCharacter));
    Check((problem == TableNameProblem::None) ==
          (!trimmed.empty() && trimmed.find_first_of(kRefusedTableNameChars) == std::string::npos));

    // Times as the driver reports them, in range or not.
    if (size >= 12) {
        int16_t clock[6];
        std::memcpy(clock, data, sizeof clock);
        const std::string time =
            FormatTableTime(clock[0], clock[1], clock[2], clock[3], clock[4], clock[5]);
        Check(time.size() >= 20 && time.size() <= 44);
        const bool inRange = clock[1] >= 1 && clock[1] <= 12 && clock[2] >= 1 && clock[2] <= 31 &&
                             clock[3] >= 0 && clock[3] <= 23 && clock[4] >= 0 && clock[4] <= 59 &&
                             clock[5] >= 0 && clock[5] <= 59;
        Check(!inRange || time.size() == 20);
    }

    // Insert Function: names, the search rule and the syntax texts.
    IsShownName(text);
    const size_t half = size / 2;
    const std::string_view name = text.substr(0, half);
    const std::string_view search = text.substr(half);
    Check(MatchesSearch(name, "") && MatchesSearch(name, name));
    MatchesSearch(name, search);
    if (const auto parts = SplitSyntax(text)) {
        Check(parts->first.find("^^") == std::string::npos);
        Check(parts->first + "^^" + parts->second == text);
    } else {
        Check(text.find("^^") == std::string_view::npos);
    }
    return 0;
}
