// The orientation dial of the Alignment page: a trackbar of the template
// taken over and drawn as a round dial whose knob covers the right half of
// the circle. Mouse drags, arrow and page keys and the wheel move the knob;
// every change redraws the dial and notifies the parent with WM_HSCROLL.
#pragma once

#include "framework/gdi.h"
#include "framework/subclass.h"
#include "qvcore/dial.h"

#include <windows.h>

#include <string>

namespace qv::format {

// Screen readers hear it as a dial named by its page, whose value is the
// text in its centre.
class CRoundSliderCtrl : public fw::SubclassedWindow, public fw::AccessibleSource {
  public:
    CRoundSliderCtrl();

    // Takes over the trackbar `id` of a dialog.
    bool Attach(HWND dialog, int id);

    // The trackbar's own range and position (the trackbar keeps them).
    void SetRange(int minimum, int maximum);
    void SetPos(int position);
    int Pos() const;
    void SetZeroAngle(int degrees);
    void SetInverted(bool inverted);
    void SetInnerCircleOnly(bool on) { innerCircleOnly_ = on; }
    // The text in the dial's centre; "%ld" in it stands for the position.
    void SetText(std::string text);
    const std::string& Text() const { return text_; }
    // The text as drawn.
    std::string ShownText() const;

    // Geometry (client coordinates), for tests and drawing.
    core::DialGeometry Geometry() const;
    POINT Centre() const { return centre_; }
    int DialRadius() const { return dialRadius_; }
    bool Dragging() const { return dragging_; }
    // Where the knob of a position is drawn.
    POINT KnobPoint(int position) const;

    void SetAccessibleName(std::string name) { accessibleName_ = std::move(name); }
    std::string AccessibleName() const override { return accessibleName_; }
    std::string AccessibleValue() const override { return ShownText(); }
    long AccessibleRole() const override;
    bool AnswersValue() const override { return true; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Layout();
    void Paint(HDC dc);
    void MoveTo(int position, int code);
    void Step(int delta, int code);
    void Notify(int code, int position);

    POINT centre_{0, 0};
    int knobRadius_ = core::kDialKnobRadius;
    int dialRadius_ = 0;
    int zeroAngle_ = 0;
    bool inverted_ = false;
    bool dragging_ = false;
    bool innerCircleOnly_ = false;
    std::string text_;
    HFONT font_;
    COLORREF textColour_;
    fw::Brush faceBrush_;
    fw::Brush backBrush_;
    std::string accessibleName_;
};

} // namespace qv::format
