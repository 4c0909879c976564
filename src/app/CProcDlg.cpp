#include "app/CProcDlg.h"

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CProcDlg::CProcDlg() : CDialogModel(LoadString(IDS_PROC_TITLE)) {}

void CProcDlg::CreateControls() {
    int time = AddGroup(LoadString(IDS_PROC_GROUP_TIME));
    const struct {
        int id;
        StringId text;
    } timeBoxes[] = {
        {IDC_PROC_REMOVE_DC, IDS_PROC_REMOVE_DC}, {IDC_PROC_RECTIFY, IDS_PROC_RECTIFY},
        {IDC_PROC_ZERO_PAD, IDS_PROC_ZERO_PAD},   {IDC_PROC_SCALE, IDS_PROC_SCALE},
        {IDC_PROC_MIX, IDS_PROC_MIX},             {IDC_PROC_FILTER, IDS_PROC_FILTER},
        {IDC_PROC_WINDOW, IDS_PROC_WINDOW},       {IDC_PROC_TO_FREQ, IDS_PROC_TO_FREQ},
        {IDC_WRITE_TIME_ON_CLOSE, IDS_PROC_WRITE_ON_CLOSE},
    };
    int row = 0;
    for (const auto& b : timeBoxes) AddControl(b.id, ControlKind::CheckBox, LoadString(b.text), time, row++);
    int freq = AddGroup(LoadString(IDS_PROC_GROUP_FREQ));
    AddControl(IDC_PROC_TO_TIME, ControlKind::CheckBox, LoadString(IDS_PROC_TO_TIME), freq, 0);
    AddControl(IDC_WRITE_FREQ_ON_CLOSE, ControlKind::CheckBox, LoadString(IDS_PROC_WRITE_ON_CLOSE), freq, 1);
    int list = AddGroup(LoadString(IDS_PROC_GROUP_LIST));
    AddControl(IDC_PROC_FREQ_STATS, ControlKind::CheckBox, LoadString(IDS_PROC_FREQ_STATS), list, 0);
    AddControl(IDC_PROC_FREQ_LIST, ControlKind::CheckBox, LoadString(IDS_PROC_FREQ_LIST), list, 1);
    AddControl(IDC_PROC_WRITE_LIST, ControlKind::CheckBox, LoadString(IDS_PROC_WRITE_LIST), list, 2);
}

void CProcDlg::DoDataExchange(CDataExchange& dx) {
    dx.Check(IDC_PROC_SCALE, m_bProcScale);
    dx.Check(IDC_PROC_ZERO_PAD, m_bProcZeroPad);
    dx.Check(IDC_PROC_FILTER, m_bProcFilter);
    dx.Check(IDC_PROC_WINDOW, m_bProcWindow);
    dx.Check(IDC_PROC_TO_FREQ, m_bProcToFreq);
    dx.Check(IDC_WRITE_TIME_ON_CLOSE, m_bWriteTimeOnClose);
    dx.Check(IDC_PROC_TO_TIME, m_bProcToTime);
    dx.Check(IDC_WRITE_FREQ_ON_CLOSE, m_bWriteFreqOnClose);
    dx.Check(IDC_PROC_FREQ_STATS, m_bProcFreqStats);
    dx.Check(IDC_PROC_FREQ_LIST, m_bProcFreqList);
    dx.Check(IDC_PROC_WRITE_LIST, m_bProcWriteList);
    dx.Check(IDC_PROC_MIX, m_bProcMix);
    dx.Check(IDC_PROC_RECTIFY, m_bProcRectify);
    dx.Check(IDC_PROC_REMOVE_DC, m_bProcRemoveDc);
}

void CProcDlg::Serialize(CArchive& ar, int version) {
    ar.SerializeAsU16(m_bProcScale);
    ar.SerializeAsU16(m_bProcZeroPad);
    ar.SerializeAsU16(m_bProcFilter);
    ar.SerializeAsU16(m_bProcWindow);
    ar.SerializeAsU16(m_bProcToFreq);
    ar.SerializeAsU16(m_bWriteTimeOnClose);
    ar.SerializeAsU16(m_bProcToTime);
    ar.SerializeAsU16(m_bWriteFreqOnClose);
    ar.SerializeAsU16(m_bProcFreqStats);
    ar.SerializeAsU16(m_bProcFreqList);
    ar.SerializeAsU16(m_bProcWriteList);
    if (version >= 1) {
        ar.SerializeAsU16(m_bProcMix);
        ar.SerializeAsU16(m_bProcRectify);
        ar.SerializeAsU16(m_bProcRemoveDc);
    }
}

}  // namespace kv
