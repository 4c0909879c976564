#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/CView.h"

namespace kv {

class CFreqStats;

// The frequency-list view: a text view that shows the frequency list of the
// project's frequency statistics. It attaches itself to the statistics the
// first time it is told that the list changed (a hint whose low four bits
// are 2, with the statistics as the object); from then on every update of
// the project shows the list of the current Frequency Data. The list is
// written again only when what it is made of changed since it was last
// written (the statistics' data, its values, working range, scale and units,
// and the list length); otherwise the text it has is shown again. The
// desktop program shows the text in a fixed-pitch editor: it derives from
// this class (or wraps it) and reacts to the two hooks.
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
    // The text is to be shown (again) after an update (GetText).
    virtual void OnTextChanged() {}
    // The view switched to the fixed-pitch font (UsesFixedFont).
    virtual void OnFontChanged() {}

private:
    // What the list is made of, as it was when the text was written. The
    // values are kept for data of up to kKeptPoints points; longer data is
    // written again on every update (its ranking outweighs an update).
    struct CListInputs {
        bool valid = false;
        const void* data = nullptr;
        int32_t listLength = 0;
        int32_t count = 0;
        std::array<uint64_t, 12> settings{};
        std::vector<double> inphase;
        std::vector<double> quadrature;
    };
    static constexpr int32_t kKeptPoints = 65536;

    // Whether the list's inputs are those it was last written from.
    bool SameInputs() const;
    void KeepInputs();
    void RebuildText();

    CFreqStats* m_pFreqStats = nullptr;
    CListInputs m_Inputs;
    std::string m_strText;
    bool m_bFixedFont = false;
    int64_t m_nTextLimit = kDefaultTextLimit;
};

}  // namespace kv
