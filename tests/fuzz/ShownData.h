#pragma once
#include <cstdint>

namespace kv {
class CKalvoraDoc;
}

namespace kv::fuzz {

class CFuzzPlatform;

// What the program builds from the data it shows, run on whatever a file
// put into a project.

// Paints every plot window of the platform as it opened, then as the plot
// type and in the style the variant picks (variant % 48), then in the view
// it picks (variant / 48 % 3): the histogram of that type zoomed into the
// middle, with the wheel and back out (a polar plot: on a printer page),
// the plot itself zoomed so, or a window too small for a plot.
void PaintEveryPlot(CFuzzPlatform& platform, uint32_t variant);

// The statistics of a project's data: the time statistics, the frequency
// statistics with the ranked list, the frequency-list window, the
// histograms of every value type and the data rows as clipboard text (data
// of up to 1024 points).
void GatherStatistics(CKalvoraDoc& doc);

}  // namespace kv::fuzz
