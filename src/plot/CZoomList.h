#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "plot/CZoomData.h"

namespace kv {

// The zoom levels of a plot, top (widest) first, with a current level. When
// "current shown" is 0 the view on screen is one step deeper than the
// current level and is not stored.
class CZoomList {
public:
    bool IsEmpty() const { return m_levels.empty(); }
    int GetCount() const { return static_cast<int>(m_levels.size()); }
    CZoomData& At(int i) { return m_levels[static_cast<std::size_t>(i)]; }
    const CZoomData& At(int i) const { return m_levels[static_cast<std::size_t>(i)]; }
    int CurrentIndex() const { return m_nCurrent; }
    CZoomData& Current() { return At(m_nCurrent); }
    bool CurrentShown() const { return m_bCurrentShown != 0; }
    void SetCurrent(int index) { m_nCurrent = index; }
    void SetCurrentShown(bool shown) { m_bCurrentShown = shown ? 1 : 0; }

    // Position of the view on screen, 0 at the top.
    int Position() const;
    // Number of zoom levels shown to the user.
    int LevelsShown() const;
    bool ShowingTop() const;
    bool ShowingBottom() const;

    // Stores the view being left: the levels below the current one are
    // dropped, the new level becomes the current one and the deeper view on
    // screen is not stored.
    void AddLevel(const CZoomData& view);
    // Puts a new top level above the others.
    void InsertTop(const CZoomData& view);
    void RemoveAll();

private:
    std::vector<CZoomData> m_levels;
    int m_nCurrent = -1;
    int32_t m_bCurrentShown = 1;
};

}  // namespace kv
