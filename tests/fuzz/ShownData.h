#pragma once
#include <cstdint>

namespace kv {
class CKalvoraDoc;
}

namespace kv::fuzz {

class CFuzzPlatform;

// What the program builds from the data it shows, run on whatever a file
// put into a project.

// Paints every plot window of the platform, then shows each as every plot
// type and as a histogram, in the style the variant picks, on the screen and
// on a printer page, zoomed into the middle, with the wheel, and back out.
void PaintEveryPlot(CFuzzPlatform& platform, uint32_t variant);

// The statistics of a project's data: the time statistics, the frequency
// statistics with the ranked list, the frequency-list window, the
// histograms of every value type and the data rows as clipboard text.
void GatherStatistics(CKalvoraDoc& doc);

}  // namespace kv::fuzz
