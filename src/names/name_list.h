// The bilingual names list: an owner-drawn, sorted list box whose items are
// stored as "name~digit" (1 English script, 2 local script). Each item is
// drawn without its last two characters in the font of its script, and
// reading an item's text (LB_GETTEXT, LB_GETTEXTLEN, from any caller, screen
// readers included) gives the name alone. The list box keeps its keyboard
// behaviour: arrows, paging and typing the first letters of a name. Screen
// readers hear the chosen names as the list's value.
#pragma once

#include "framework/accessible.h"
#include "framework/gdi.h"
#include "framework/subclass.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::names {

// The point fonts of the two scripts, made from the English and the local
// font face and size of the language settings.
class ScriptFonts {
  public:
    void Create();
    HFONT English() const { return english_.get(); }
    HFONT Local() const { return local_.get(); }
    // The English font for language 1, the local font for any other.
    HFONT For(uint32_t language) const;

  private:
    fw::Font english_;
    fw::Font local_;
};

class CQVNameList : public fw::SubclassedWindow, public fw::AccessibleSource {
  public:
    // Takes over list box `id` of a dialog (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS).
    bool Attach(HWND dialog, int id);
    // The owning dialog calls this when the selection changed (LBN_SELCHANGE,
    // or a selection it made itself): screen readers hear the new value.
    void SelectionChanged() const;

    // fw::AccessibleSource: the chosen names, ", " between them.
    std::string AccessibleValue() const override;
    // The fonts of the two scripts; the item height fits the taller.
    void SetFonts(HFONT english, HFONT local);

    // Replaces the items with `names` (languages parallel; missing ones are
    // English) in one batch: storage reserved, redraw off, the items sorted
    // here and appended in order.
    void Fill(const std::vector<std::string>& names, const std::vector<uint32_t>& languages);
    // Adds one item where the sort puts it; its index, or -1.
    int AddName(std::string_view name, uint32_t language);
    // The index of the item of exactly this name and language, or -1.
    int FindItem(std::string_view name, uint32_t language);
    void DeleteItem(int index);

    int Count() const;
    std::string Name(int index);
    uint32_t Language(int index);

    // For the owning dialog's WM_DRAWITEM; false when the message is about
    // another control.
    bool DrawItem(const DRAWITEMSTRUCT& item);

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // The stored item, "name~digit"; empty for an index out of range.
    std::wstring WideItem(int index);
    std::string RawItem(int index);
    int ItemHeight() const;

    HFONT english_ = nullptr;
    HFONT local_ = nullptr;
};

} // namespace qv::names
