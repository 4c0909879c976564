#include "formats/DataFilesIO.h"

#include "data/CKalvoData.h"
#include "formats/CDataFiles.h"
#include "formats/FormatHelpers.h"
#include "formats/SignalFiles.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {


void Prepare(CDataFiles& files, const CKalvoData& data, const std::string& prefix, const std::string& suffix,
             bool read) {
    files.m_strCaptionPrefix = prefix;
    files.m_strCaptionSuffix = suffix;
    files.m_bReal = data.IsReal() ? 1 : 0;
    files.m_bRead = read;
    files.m_strTitle = prefix + " " + suffix;
    // The formats offer or state the data's own sampling frequency.
    double factor = 1.0;
    const double hz = data.GetFs(&factor) * factor;
    files.m_Format.SetDataRate(hz);
    files.m_QFormat.SetDataRate(hz);
}

// The message that refuses the write entries, or 0 when they pass.
StringId WriteCheck(const CDataFiles& files) {
    if (files.m_strPath.empty()) {
        if (files.m_bComplex) return IDS_SPECIFY_COMPLEX_FILE;
        if (files.m_bReal || !files.m_strQPath.empty()) return IDS_SPECIFY_INPHASE_FILE;
        return IDS_SPECIFY_BOTH_FILES;
    }
    if (!files.m_bComplex && !files.m_bReal && files.m_strQPath.empty()) return IDS_DATA_IS_COMPLEX;
    if (files.m_nInterleave != CDataFiles::INTERLEAVE_NONE && files.m_nFactor <= 1) return IDS_INTERLEAVE_FACTOR;
    return IDS_FORMATS_FIRST;
}

}  // namespace

bool ReadDataFiles(CDataFiles& files, CKalvoData& data, const std::string& captionPrefix,
                   const std::string& captionSuffix) {
    Prepare(files, data, captionPrefix, captionSuffix, true);
    if (!RunDialog(files)) return false;
    files.m_strName = TrimSpaces(files.m_strName);
    files.m_strQName = TrimSpaces(files.m_strQName);
    if (files.m_strName.empty() && files.m_strQName.empty()) {
        ErrorBox(LoadString(IDS_NO_INPUT_FILES));
        return false;
    }
    if (!files.m_strName.empty() && !CanOpenFile(files.m_strPath)) {
        ErrorBox(FormatString(IDS_FILE_NOT_AVAILABLE, files.m_strPath));
        return false;
    }
    if (!files.m_strQName.empty() && !CanOpenFile(files.m_strQPath)) {
        ErrorBox(FormatString(IDS_FILE_NOT_AVAILABLE, files.m_strQPath));
        return false;
    }
    data.Reset();
    files.m_dReadRate = 0.0;
    bool result;
    {
        CWaitCursor wait;
        if (files.m_bComplex) {
            result = ReadSignalFile(data, files.m_Format, files.m_strPath, 0, 1);
            if (result) files.m_dReadRate = files.m_Format.m_dFileRate;
        } else {
            result = true;
            if (!files.m_strName.empty() && CanOpenFile(files.m_strPath)) {
                result = ReadSignalFile(data, files.m_Format, files.m_strPath, 0, kNoColumn);
                if (result) files.m_dReadRate = files.m_Format.m_dFileRate;
            }
            if (!files.m_strQName.empty() && CanOpenFile(files.m_strQPath) && result) {
                result = ReadSignalFile(data, files.m_QFormat, files.m_strQPath, 1, kNoColumn);
                if (result && files.m_dReadRate == 0.0) files.m_dReadRate = files.m_QFormat.m_dFileRate;
            }
        }
        data.EqualizeColumns(0.0);
    }
    if (data.GetCount() == 0) {
        ErrorBox(LoadString(IDS_FILES_NOT_FORMATTED));
        return false;
    }
    return result;
}

bool WriteDataFiles(CDataFiles& files, CKalvoData& data, const std::string& captionPrefix,
                    const std::string& captionSuffix) {
    Prepare(files, data, captionPrefix, captionSuffix, false);
    for (;;) {
        if (!RunDialog(files)) return false;
        StringId refusal = WriteCheck(files);
        if (refusal == IDS_FORMATS_FIRST) break;
        Platform().Messages().ShowMessage(LoadString(refusal), MsgIcon::Question, MsgButtons::Ok);
    }
    CWaitCursor wait;
    int32_t step = 1;
    if (files.m_nInterleave == CDataFiles::INTERLEAVE_FORWARD) step = files.m_nFactor;
    if (files.m_nInterleave == CDataFiles::INTERLEAVE_REVERSE) step = -files.m_nFactor;
    bool result = false;
    if (!files.m_strPath.empty())
        result = WriteSignalFile(data, files.m_Format, files.m_strPath, 0, files.m_bComplex ? 1 : kNoColumn, step);
    // The Quadrature file is written only while its controls are in use; a
    // path left from an earlier use is not overwritten behind the user's back.
    if (!files.m_strQPath.empty() && files.QuadratureEnabled() &&
        WriteSignalFile(data, files.m_QFormat, files.m_strQPath, 1, kNoColumn, step))
        result = true;
    return result;
}

std::string DataFilesDescription(const CDataFiles& files) {
    std::string text = LoadString(IDS_DATA_FROM_FILE);
    // A complex read takes everything from the first file.
    const std::string quadrature = files.m_bComplex ? std::string() : files.m_strQName;
    if (!files.m_strName.empty() && !quadrature.empty())
        text += LoadString(IDS_DATA_FROM_FILES_SEPARATOR) + files.m_strName + LoadString(IDS_DATA_FROM_FILES_AND) +
                quadrature;
    else if (!quadrature.empty())
        text += LoadString(IDS_DATA_FROM_FILE_SEPARATOR) + quadrature;
    else
        text += LoadString(IDS_DATA_FROM_FILE_SEPARATOR) + files.m_strName;
    return text;
}

}  // namespace kv
