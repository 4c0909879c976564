#pragma once
#include <cstdint>
#include <string>

#include "platform/CView.h"

namespace kv {

class CFreqStats;

// The frequency-list view: a text view that shows the frequency list of the
// project's frequency statistics. It attaches itself to the statistics the
// first time it is told that the list changed (a hint whose low four bits
// are 2, with the statistics as the object); from then on every update of
// the project rebuilds its text, so it always shows the current Frequency
// Data. The desktop program shows the text in a fixed-pitch editor: it
// derives from this class (or wraps it) and reacts to the two hooks.
class CStatView : public CView {
public:
    // The editor's initial text limit, raised as longer texts arrive.
    static constexpr int64_t kDefaultTextLimit = 30000;

    void OnUpdate(CView* sender, int hint, CObject* object) override;

    // The statistics the view shows; null until the first list hint.
    CFreqStats* GetFreqStats() const { return m_pFreqStats; }
    // The text as the list file holds it (lines end in CR LF).
    const std::string& GetText() const { return m_strText; }
    // The same text with line feeds alone, for editors that want them.
    std::string GetDisplayText() const;
    // True once the view shows a list: the text is then shown in the
    // platform's fixed-pitch font.
    bool UsesFixedFont() const { return m_bFixedFont; }
    // The editor's text limit: at least the text length plus 10000.
    int64_t GetTextLimit() const { return m_nTextLimit; }

protected:
    // The text was rebuilt (GetText).
    virtual void OnTextChanged() {}
    // The view switched to the fixed-pitch font (UsesFixedFont).
    virtual void OnFontChanged() {}

private:
    void RebuildText();

    CFreqStats* m_pFreqStats = nullptr;
    std::string m_strText;
    bool m_bFixedFont = false;
    int64_t m_nTextLimit = kDefaultTextLimit;
};

}  // namespace kv
