#include "qvcore/database_tables.h"

#include <gtest/gtest.h>

using namespace qv::core;

TEST(DatabaseTables, TheExtensionChoosesTheDriver) {
    EXPECT_EQ(KindOfDatabase("C:\\Data\\Sales.MDB"), DatabaseKind::Desktop);
    EXPECT_EQ(KindOfDatabase("C:\\Data\\Sales.accdb"), DatabaseKind::Desktop);
    EXPECT_EQ(KindOfDatabase("C:\\Data\\Sales.db"), DatabaseKind::Sqlite);
    EXPECT_EQ(KindOfDatabase("/data/sales.Sqlite3"), DatabaseKind::Sqlite);
    EXPECT_EQ(KindOfDatabase("C:\\Data.db\\Sales"), DatabaseKind::Unknown);
    EXPECT_EQ(KindOfDatabase("C:\\Data\\Sales.xls"), DatabaseKind::Unknown);
    EXPECT_TRUE(ConnectionStrings(DatabaseKind::Unknown, "x").empty());

    const auto sqlite = ConnectionStrings(DatabaseKind::Sqlite, "/tmp/a.db");
    ASSERT_EQ(sqlite.size(), 1u);
    EXPECT_NE(sqlite[0].find("Database=/tmp/a.db;"), std::string::npos);
    EXPECT_NE(sqlite[0].find("NoCreat=1"), std::string::npos);
    const auto desktop = ConnectionStrings(DatabaseKind::Desktop, "C:\\a;b{c}.mdb");
    ASSERT_EQ(desktop.size(), 2u);
    EXPECT_NE(desktop[0].find("DBQ={C:\\a;b{c}}.mdb};"), std::string::npos) << desktop[0];
    EXPECT_NE(desktop[1].find("ReadOnly=1;Exclusive=0;"), std::string::npos);
}

TEST(DatabaseTables, ListedTablesPasswordErrorsAndTimes) {
    EXPECT_TRUE(IsListedTable("Orders"));
    EXPECT_TRUE(IsListedTable("msysNotes"));
    EXPECT_FALSE(IsListedTable("MSysObjects"));
    EXPECT_FALSE(IsListedTable(""));
    EXPECT_TRUE(IsPasswordError("[Microsoft][ODBC Microsoft Access Driver] Not a valid password."));
    EXPECT_FALSE(IsPasswordError("[SQLite]file is not a database (26)"));
    EXPECT_EQ(FormatTableTime(2024, 3, 7, 0, 5, 9), "03/07/24 12:05:09 AM");
    EXPECT_EQ(FormatTableTime(1999, 12, 31, 12, 0, 0), "12/31/99 12:00:00 PM");
    EXPECT_EQ(FormatTableTime(2000, 1, 1, 23, 59, 59), "01/01/00 11:59:59 PM");
}

TEST(DatabaseTables, NewTableNamesRefuseEveryListedCharacterAndEmptiness) {
    for (char c : kRefusedTableNameChars) {
        const std::string name = std::string("My") + c + "Table";
        EXPECT_EQ(CheckTableName(name), TableNameProblem::RefusedCharacter) << name;
    }
    EXPECT_EQ(kRefusedTableNameChars.size(), 28u);
    EXPECT_EQ(CheckTableName("My_Table 2"), TableNameProblem::None);
    EXPECT_EQ(CheckTableName("\xE0\xA4\x96\xE0\xA4\xBE"), TableNameProblem::None);
    EXPECT_EQ(CheckTableName(""), TableNameProblem::Empty);
    EXPECT_EQ(TrimTableName("  \tOrders 2024 \t"), "Orders 2024");
    EXPECT_EQ(TrimTableName("    "), "");
    EXPECT_EQ(CheckTableName(TrimTableName(" . ")), TableNameProblem::RefusedCharacter);
}
