// Sort and Sort Options: up to three keys by position in the host's block,
// their directions, the header row, and the orientation and custom order of
// the sort. The dialogs edit the host's record; the host sorts.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvcore/cellref.h"
#include "qvssd/records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::datatools {

class CQVDataSortDlg : public fw::Dialog {
  public:
    explicit CQVDataSortDlg(DataSortRecord* record);

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    // Refills the three key lists from the orientation in the record.
    void FillKeys();
    void EnableHeaderChoice(bool enable);
    void RunOptions();
    void OnHeaderChoice(bool header);

    DataSortRecord* record_;
    fw::Font font_;
    std::string noKey_;
    std::string columnPrefix_;
    std::optional<core::LocalAlphabet> keyAlphabet_; // the local menu's, read once
    std::string rowPrefix_;
    bool headerAnnounced_ = false; // what the host was last told
};

class CQVSortOptionsDlg : public fw::Dialog {
  public:
    CQVSortOptionsDlg(uint8_t caseSensitive, uint8_t topToBottom, uint16_t customOrder);

    uint8_t CaseSensitive() const { return caseSensitive_; }
    uint8_t TopToBottom() const { return topToBottom_; }
    uint16_t CustomOrder() const { return customOrder_; }

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    uint8_t caseSensitive_;
    uint8_t topToBottom_;
    uint16_t customOrder_;
    std::vector<std::string> orders_; // order list entry i + 1
    fw::Font font_;
};

} // namespace qv::datatools
