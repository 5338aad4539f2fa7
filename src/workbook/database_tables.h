// Select Table (pick a table of a database file) and Table Name (type the
// name of a new table).
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "workbook/database_reader.h"

#include <string>

namespace qv::workbook {

class CQVSelectTableDlg : public fw::Dialog {
  public:
    explicit CQVSelectTableDlg(std::string path);
    // The chosen table, empty when none was chosen.
    const std::string& TableName() const { return tableName_; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

  private:
    void AddColumns();
    void LoadTables();

    fw::Font font_;
    std::string path_;
    std::string tableName_;
    DatabaseListing listing_;
};

class CQVDatabaseTableDlg : public fw::Dialog {
  public:
    CQVDatabaseTableDlg();
    // The accepted name, empty unless the dialog was accepted.
    const std::string& TableName() const { return tableName_; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    fw::Font font_;
    std::string tableName_;
};

} // namespace qv::workbook
