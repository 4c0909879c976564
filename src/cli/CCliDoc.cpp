#include "cli/CCliDoc.h"

#include "formats/DataFilesIO.h"
#include "platform/StringTable.h"

namespace kv {

void CCliDoc::WriteTimeData() {
    m_bWritten = kv::WriteDataFiles(m_TimeFiles, m_TimeData, LoadString(IDS_WRITE_TIME_TITLE), DisplayTitle());
}

void CCliDoc::WriteFrequencyData() {
    m_bWritten = kv::WriteDataFiles(m_FreqFiles, m_FreqData, LoadString(IDS_WRITE_FREQ_TITLE), DisplayTitle());
}

}  // namespace kv
