// Go To, Zoom, row height / column width, and insert / delete cells.
#pragma once

#include "frame/host_link.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvssd/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::workbook {

// Jumps to a named place or a typed reference; the host performs the jump.
class CQVGotoDlg : public fw::Dialog {
  public:
    explicit CQVGotoDlg(QVGotoRecord* record);
    ~CQVGotoDlg() override;

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void TakeSelectedName();

    fw::Font font_;
    std::vector<std::string> names_;     // the entries the list shows
    std::vector<std::string> spareList_; // kept for the host's later use
    // What the record's reference points at while the host jumps.
    frame::HostParcel<std::string> reference_;
    QVGotoRecord* record_;
    bool keyboardSwitched_ = false;
};

// The view magnification.
class CQVZoomDlg : public fw::Dialog {
  public:
    CQVZoomDlg(int16_t zoom, int16_t fitSelection);
    int16_t Zoom() const { return zoom_; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void OnPreset(int id);
    void Accept();
    void ShowZoom(int value);

    fw::Font font_;
    int16_t zoom_;
    int16_t fitSelection_;
};

// Row height (mode 1), column width (mode 2) or standard column width (mode 3).
class CQVFormatHtWdDlg : public fw::Dialog {
  public:
    CQVFormatHtWdDlg(double size, uint8_t mode);
    double Size() const { return size_; }
    static bool IsKnownMode(uint8_t mode) { return mode >= 1 && mode <= 3; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    void Refuse(UINT message);

    fw::Font font_;
    uint8_t mode_;
    double size_;
};

// How cells move when cells are inserted or deleted.
class CQVInsertDelCellsDlg : public fw::Dialog {
  public:
    explicit CQVInsertDelCellsDlg(uint8_t flags);
    uint8_t Flags() const { return flags_; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    fw::Font font_;
    uint8_t flags_;
};

} // namespace qv::workbook
