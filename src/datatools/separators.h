// The fixed-width separator control of the Text to Columns wizard: the source
// lines in a monospaced font under a character ruler, column breaks set with
// the mouse (a click adds one, a double click removes one) or, for keyboard
// users, with a cursor column moved by the arrows (Space or Insert adds a
// break there, Delete removes it).
#pragma once

#include "framework/gdi.h"
#include "framework/subclass.h"
#include "qvcore/fixedwidth.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qv::datatools {

// The window class the wizard's template names.
inline constexpr char kSeparatorsClass[] = "QVSeparatorsCtrl";

// Registers the class for the lifetime of the object (when it is not yet
// registered) and unregisters it at the end.
class SeparatorsClassRegistration {
  public:
    SeparatorsClassRegistration();
    ~SeparatorsClassRegistration();
    SeparatorsClassRegistration(const SeparatorsClassRegistration&) = delete;
    SeparatorsClassRegistration& operator=(const SeparatorsClassRegistration&) = delete;

  private:
    bool registered_ = false;
};

// A GDI font with its description and a text colour.
class CQVColorFont {
  public:
    CQVColorFont();
    explicit CQVColorFont(const char* face);

    void SetHeight(int height);
    int Height() const { return logFont_.lfHeight; }
    void SetPitchAndFamily(BYTE pitchAndFamily);
    void SetColour(COLORREF colour) { colour_ = colour; }
    COLORREF Colour() const { return colour_; }
    HFONT get() const { return font_.get(); }

  private:
    void Create();

    LOGFONTA logFont_{};
    COLORREF colour_ = RGB(0, 0, 0);
    fw::Font font_;
};

// The text area: lines, break lines with their markers, the keyboard cursor.
class CQVFlatDisplay : public fw::SubclassedWindow {
  public:
    bool Create(HWND parent, const RECT& rect);

    void SetText(const std::string& text);
    void SetOrigin(int column, int row);
    void SetMargin(int margin) { margin_ = core::NormaliseMargin(margin, margin_); }
    void SetFont(const CQVColorFont* font);
    void SetBackground(COLORREF colour) { background_ = colour; }
    void SetFrameColour(COLORREF colour) { frameColour_ = colour; }
    // The keyboard cursor's column, or -1 when the control has no focus.
    void SetCursorColumn(int column) { cursor_ = column; }

    int LineCount() const { return static_cast<int>(lines_.lines.size()); }
    int LongestLine() const { return lines_.longest; }
    int CharWidth() const { return charWidth_; }
    int CharHeight() const { return charHeight_; }
    int FirstColumn() const { return firstColumn_; }
    int FirstRow() const { return firstRow_; }
    std::vector<int32_t>& GetBreaks() { return breaks_; }
    const std::vector<int32_t>& GetBreaks() const { return breaks_; }
    void Repaint() const;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Measure();
    void Paint(HDC dc) const;

    COLORREF frameColour_ = RGB(0, 0, 0);
    COLORREF background_ = GetSysColor(COLOR_WINDOW);
    int margin_ = 0;
    std::vector<int32_t> breaks_;
    int charWidth_ = -1;
    int charHeight_ = -1;
    int firstColumn_ = 0;
    int firstRow_ = 0;
    core::DisplayLines lines_;
    const CQVColorFont* font_ = nullptr;
    int cursor_ = -1;
};

// The character ruler above the text area.
class CQVScaleLine : public fw::SubclassedWindow {
  public:
    CQVScaleLine();
    bool Create(HWND parent, const RECT& rect);

    void SetTickLengths(int major, int middle, int minor);
    void SetIntervals(int major, int middle);
    void SetUnitWidth(int width) { unitWidth_ = width; }
    void SetOffset(int offset) { offset_ = offset < 0 ? 0 : offset; }
    void SetLineColour(COLORREF colour) { lineColour_ = colour; }
    void SetFontColour(COLORREF colour) { font_.SetColour(colour); }
    void SetFontHeight(int height) { font_.SetHeight(height); }
    void Repaint() const;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint(HDC dc) const;

    int minorTick_ = 2;
    int middleTick_ = 4;
    int majorTick_ = 5;
    core::RulerIntervals intervals_;
    int unitWidth_ = 1;
    int offset_ = 0;
    COLORREF lineColour_ = RGB(0, 0, 0);
    CQVColorFont font_;
};

// The control: a window of class "QVSeparatorsCtrl" from the page's template,
// taken over with Attach; its children appear at its first paint.
//
// Keys: Left and Right move a cursor column (Page Up and Page Down by a
// page), Home and End to the first and last column; Space sets a break at
// the cursor or takes it away, Insert sets one, Delete takes one away; Up
// and Down scroll the lines. Screen readers hear the cursor column, whether
// a break stands there, and the breaks.
class CQVSeparatorsCtrl : public fw::SubclassedWindow, public fw::AccessibleSource {
  public:
    // The words screen readers hear ("%d" the column, "%s" the breaks).
    struct SpokenTexts {
        std::string name;
        std::string column = "Column %d";
        std::string breakHere = "break";
        std::string breaks = "Breaks: %s";
        std::string noBreaks = "No breaks";
    };

    CQVSeparatorsCtrl();
    ~CQVSeparatorsCtrl() override;

    bool Attach(HWND hwnd);
    void SetText(const std::string& text);
    void SetFontHeight(int height);
    std::vector<int32_t>& GetBreaks() { return display_.GetBreaks(); }
    const std::vector<int32_t>& GetBreaks() const { return display_.GetBreaks(); }
    void SetRulerIntervals(int major, int middle);
    void SetFrame(bool on) { frame_ = on; }
    bool ChildrenCreated() const { return childrenCreated_; }
    int CharWidth() const { return display_.CharWidth(); }

    // Hooks for controls that restrict where breaks may go.
    virtual bool CanRemoveBreak(int column);
    virtual bool CanAddBreak(int column);

    void SetSpokenTexts(SpokenTexts texts) { spoken_ = std::move(texts); }
    int CursorColumn() const { return cursor_; }
    std::string AccessibleName() const override { return spoken_.name; }
    std::string AccessibleValue() const override;
    long AccessibleRole() const override;
    bool AnswersValue() const override { return true; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateChildren();
    void UpdateScrollBars();
    void OnScroll(int bar, int code);
    void OnClick(int x, int y, bool doubleClick);
    void OnKey(UINT key);
    void ShowCursorColumn();
    void Paint();
    RECT DisplayRect() const;

    std::string text_;
    CQVColorFont font_;
    int firstColumn_ = 0;
    int firstRow_ = 0;
    HWND vertical_ = nullptr;
    HWND horizontal_ = nullptr;
    CQVFlatDisplay display_;
    CQVScaleLine ruler_;
    bool childrenCreated_ = false;
    bool frame_ = false;
    bool focused_ = false;
    // The cursor column shows once a key has been used, so that mouse users
    // see the control as it always was.
    bool keyboardCues_ = false;
    int cursor_ = 0;
    SpokenTexts spoken_;
};

} // namespace qv::datatools
