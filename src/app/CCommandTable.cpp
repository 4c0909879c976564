#include "app/CCommandTable.h"

#include "app/AnalysisCommands.h"

#include "app/CKalvoraDoc.h"
#include "app/CModDoc.h"
#include "platform/CPlatform.h"

namespace kv {

namespace {

using Doc = CKalvoraDoc;

bool TimeNotEmpty(const Doc& d) { return !d.m_TimeData.IsEmpty(); }
bool FreqNotEmpty(const Doc& d) { return !d.m_FreqData.IsEmpty(); }

CCommand Make(int id, StringId menu, int subMenu, StringId text, std::function<void(Doc&)> handler,
              std::function<bool(const Doc&)> enabled = {}, std::function<bool(const Doc&)> checked = {}) {
    CCommand c;
    c.m_nId = id;
    c.m_nMenu = menu;
    c.m_nSubMenu = subMenu;
    c.m_nText = text;
    c.m_handler = std::move(handler);
    c.m_enabled = std::move(enabled);
    c.m_checked = std::move(checked);
    return c;
}

std::vector<CCommand> BuildTable() {
    using T = CCommandTable;
    std::vector<CCommand> t;
    // ---- File -------------------------------------------------------------------
    t.push_back(Make(T::ID_CLOSE_PROJECT, IDS_MENU_FILE, 0, IDS_CMD_CLOSE_PROJECT, [](Doc& d) { d.OnCloseProject(); }));
    t.push_back(Make(T::ID_SAVE_PROJECT, IDS_MENU_FILE, 0, IDS_CMD_SAVE_PROJECT, [](Doc& d) { d.OnSaveProject(); }));
    t.push_back(Make(T::ID_READ_TIME, IDS_MENU_FILE, 0, IDS_CMD_READ_TIME, [](Doc& d) { d.RunOperation(OP_READ_TIME); }));
    t.push_back(Make(T::ID_READ_FREQ, IDS_MENU_FILE, 0, IDS_CMD_READ_FREQ, [](Doc& d) { d.RunOperation(OP_READ_FREQ); }));
    t.push_back(Make(T::ID_WRITE_TIME, IDS_MENU_FILE, IDS_MENU_WRITE, IDS_CMD_WRITE_TIME,
                     [](Doc& d) { d.WriteTimeData(); }, TimeNotEmpty));
    t.push_back(Make(T::ID_WRITE_FREQ, IDS_MENU_FILE, IDS_MENU_WRITE, IDS_CMD_WRITE_FREQ,
                     [](Doc& d) { d.WriteFrequencyData(); }, FreqNotEmpty));
    t.push_back(Make(T::ID_WRITE_LIST, IDS_MENU_FILE, IDS_MENU_WRITE, IDS_CMD_WRITE_LIST,
                     [](Doc& d) { d.RunOperation(OP_WRITE_LIST); }, FreqNotEmpty));
    // The demodulation writers of the modulated-signal generator.
    t.push_back(Make(T::ID_WRITE_AM, IDS_MENU_FILE, IDS_MENU_WRITE, IDS_CMD_AM_DEMOD,
                     [](Doc& d) {
                         if (auto* m = dynamic_cast<CModDoc*>(&d)) m->WriteAmData();
                     },
                     TimeNotEmpty));
    t.push_back(Make(T::ID_WRITE_FM, IDS_MENU_FILE, IDS_MENU_WRITE, IDS_CMD_FM_DEMOD,
                     [](Doc& d) {
                         if (auto* m = dynamic_cast<CModDoc*>(&d)) m->WriteFmData();
                     },
                     TimeNotEmpty));
    t.push_back(Make(T::ID_CONVERT, IDS_MENU_FILE, 0, IDS_CMD_CONVERT, [](Doc& d) { d.OnConvert(); }));
    // ---- Signal -----------------------------------------------------------------
    t.push_back(Make(T::ID_UNDO, IDS_MENU_SIGNAL, 0, IDS_CMD_UNDO, [](Doc& d) { d.Undo(); },
                     [](const Doc& d) { return d.CanUndo(); }));
    t.push_back(Make(T::ID_REDO, IDS_MENU_SIGNAL, 0, IDS_CMD_REDO, [](Doc& d) { d.Redo(); },
                     [](const Doc& d) { return d.CanRedo(); }));
    t.push_back(Make(T::ID_SAMPLING_FREQ, IDS_MENU_SIGNAL, 0, IDS_CMD_SAMPLING_FREQ,
                     [](Doc& d) { d.OnSamplingFrequency(); }));
    t.push_back(Make(T::ID_TRANSFORM_OPTIONS, IDS_MENU_SIGNAL, 0, IDS_CMD_TRANSFORM_OPTIONS, [](Doc& d) {
        if (RunDialog(d.m_TransOpt)) d.SetModified(true);
    }));
    t.push_back(Make(T::ID_DECIBELS, IDS_MENU_SIGNAL, 0, IDS_CMD_DECIBELS, [](Doc& d) { d.OnDecibels(); }));
    t.push_back(Make(T::ID_PROCESS, IDS_MENU_SIGNAL, 0, IDS_CMD_PROCESS, [](Doc& d) { d.OnProcessOptions(); }));
    // ---- Time -------------------------------------------------------------------
    t.push_back(Make(T::ID_TIME_SET_RANGE, IDS_MENU_TIME, 0, IDS_CMD_SET_RANGE, [](Doc& d) { d.OnSetRange(true); },
                     TimeNotEmpty));
    t.push_back(Make(T::ID_TIME_REMOVE_DC, IDS_MENU_TIME, 0, IDS_CMD_REMOVE_DC,
                     [](Doc& d) { d.RunOperation(OP_REMOVE_DC); }, TimeNotEmpty));
    t.push_back(Make(T::ID_TIME_RECTIFY, IDS_MENU_TIME, 0, IDS_CMD_RECTIFY, [](Doc& d) { d.RunOperation(OP_RECTIFY); },
                     TimeNotEmpty));
    t.push_back(Make(T::ID_TIME_ZERO_PAD, IDS_MENU_TIME, 0, IDS_CMD_ZERO_PAD,
                     [](Doc& d) { d.RunOperation(OP_ZERO_PAD); }, TimeNotEmpty));
    t.push_back(Make(T::ID_TIME_CONJUGATE, IDS_MENU_TIME, 0, IDS_CMD_CONJUGATE,
                     [](Doc& d) { d.RunOperation(OP_CONJUGATE); },
                     [](const Doc& d) { return TimeNotEmpty(d) && !d.m_TimeData.IsReal(); }));
    t.push_back(Make(T::ID_TIME_SCALE, IDS_MENU_TIME, 0, IDS_CMD_SCALE, [](Doc& d) { d.RunOperation(OP_SCALE); },
                     TimeNotEmpty));
    t.push_back(Make(T::ID_TIME_MIX, IDS_MENU_TIME, 0, IDS_CMD_MIX, [](Doc& d) { d.RunOperation(OP_MIX); },
                     TimeNotEmpty));
    t.push_back(Make(T::ID_TIME_FILTER, IDS_MENU_TIME, 0, IDS_CMD_FILTER, [](Doc& d) { d.RunOperation(OP_FILTER); },
                     TimeNotEmpty));
    t.push_back(Make(T::ID_TIME_WINDOW, IDS_MENU_TIME, 0, IDS_CMD_WINDOW, [](Doc& d) { d.RunOperation(OP_WINDOW); },
                     TimeNotEmpty, [](const Doc& d) { return d.m_TimeData.m_nWindow != -1; }));
    t.push_back(Make(T::ID_TIME_TO_FREQ, IDS_MENU_TIME, 0, IDS_CMD_TO_FREQ,
                     [](Doc& d) {
                         if (d.CanTransformTime()) d.RunOperation(OP_TO_FREQ);
                     },
                     [](const Doc& d) { return d.CanTransformTime(); }));
    t.push_back(Make(T::ID_TIME_STATISTICS, IDS_MENU_TIME, 0, IDS_CMD_SHOW_STATS,
                     [](Doc& d) { ShowTimeStatistics(d.m_TimeData); }, TimeNotEmpty));
    t.push_back(Make(T::ID_GENERATE_WAVEFORM, IDS_MENU_TIME, 0, IDS_CMD_GENERATE,
                     [](Doc& d) { d.RunOperation(OP_GENERATE); }));
    // The modulated-signal generator: every project is a generator document.
    t.push_back(Make(T::ID_GENERATE_SIGNAL, IDS_MENU_TIME, 0, IDS_CMD_GENERATE_SIGNAL, [](Doc& d) {
        if (auto* m = dynamic_cast<CModDoc*>(&d)) m->SignalGeneratorCommand();
    }));
    t.push_back(Make(T::ID_TIME_COPY, IDS_MENU_TIME, 0, IDS_CMD_COPY, [](Doc& d) { d.CopyTimeData(); }, TimeNotEmpty));
    // ---- Frequency --------------------------------------------------------------
    t.push_back(Make(T::ID_FREQ_SET_RANGE, IDS_MENU_FREQUENCY, 0, IDS_CMD_SET_RANGE,
                     [](Doc& d) { d.OnSetRange(false); }, FreqNotEmpty));
    t.push_back(Make(T::ID_FREQ_TO_TIME, IDS_MENU_FREQUENCY, 0, IDS_CMD_TO_TIME,
                     [](Doc& d) {
                         if (d.CanTransformFrequency()) d.RunOperation(OP_TO_TIME);
                     },
                     [](const Doc& d) { return d.CanTransformFrequency(); }));
    t.push_back(Make(T::ID_FREQ_SQUARE_ROOT, IDS_MENU_FREQUENCY, 0, IDS_CMD_SQUARE_ROOT,
                     [](Doc& d) { d.OnSquareRoot(); }, FreqNotEmpty));
    t.push_back(Make(T::ID_FREQ_PAD, IDS_MENU_FREQUENCY, 0, IDS_CMD_PAD, [](Doc& d) { d.OnPad(); }, FreqNotEmpty));
    t.push_back(Make(T::ID_FREQ_STATISTICS, IDS_MENU_FREQUENCY, 0, IDS_CMD_SHOW_STATS,
                     [](Doc& d) { ShowFrequencyStatistics(d.m_FreqStats); }, FreqNotEmpty));
    t.push_back(Make(T::ID_FREQ_SHOW_LIST, IDS_MENU_FREQUENCY, 0, IDS_CMD_SHOW_LIST,
                     [](Doc& d) { d.RunOperation(OP_FREQ_LIST); }, FreqNotEmpty));
    t.push_back(Make(T::ID_FREQ_CONVERTER_METRICS, IDS_MENU_FREQUENCY, 0, IDS_CMD_CONVERTER_METRICS,
                     [](Doc& d) { ShowConverterMetrics(d); }, FreqNotEmpty));
    t.push_back(Make(T::ID_FREQ_COPY, IDS_MENU_FREQUENCY, 0, IDS_CMD_COPY, [](Doc& d) { d.CopyFrequencyData(); },
                     FreqNotEmpty));
    // ---- View -------------------------------------------------------------------
    t.push_back(Make(T::ID_VIEW_TIME_FRONT, IDS_MENU_VIEW, IDS_MENU_VIEW_TIME, IDS_CMD_BRING_TO_FRONT,
                     [](Doc& d) { d.OpenPlot(0, false, d.m_TimeData); }));
    t.push_back(Make(T::ID_VIEW_TIME_ADD, IDS_MENU_VIEW, IDS_MENU_VIEW_TIME, IDS_CMD_ADD_PLOT,
                     [](Doc& d) { d.OpenPlot(0, true, d.m_TimeData); }));
    t.push_back(Make(T::ID_VIEW_FREQ_FRONT, IDS_MENU_VIEW, IDS_MENU_VIEW_FREQ, IDS_CMD_BRING_TO_FRONT,
                     [](Doc& d) { d.OpenPlot(0, false, d.m_FreqData); }, FreqNotEmpty));
    t.push_back(Make(T::ID_VIEW_FREQ_ADD, IDS_MENU_VIEW, IDS_MENU_VIEW_FREQ, IDS_CMD_ADD_PLOT,
                     [](Doc& d) { d.OpenPlot(0, true, d.m_FreqData); }, FreqNotEmpty));
    // ---- List -------------------------------------------------------------------
    CCommand length = Make(T::ID_LIST_LENGTH, IDS_MENU_LIST, 0, IDS_CMD_LIST_LENGTH, [](Doc& d) { d.OnListLength(); });
    length.m_bListMenuOnly = true;
    t.push_back(length);
    return t;
}

}  // namespace

const std::vector<CCommand>& CCommandTable::Commands() {
    static const std::vector<CCommand> table = BuildTable();
    return table;
}

const CCommand* CCommandTable::Find(int id) {
    for (const CCommand& c : Commands())
        if (c.m_nId == id) return &c;
    return nullptr;
}

std::vector<StringId> CCommandTable::Menus(bool listWindow) {
    if (listWindow) return {IDS_MENU_FILE, IDS_MENU_SIGNAL, IDS_MENU_TIME, IDS_MENU_FREQUENCY, IDS_MENU_LIST};
    return {IDS_MENU_FILE, IDS_MENU_SIGNAL, IDS_MENU_TIME, IDS_MENU_FREQUENCY, IDS_MENU_VIEW};
}

const std::vector<int>& CCommandTable::ToolbarIds() {
    static const std::vector<int> ids = {
        ID_READ_TIME,      ID_WRITE_TIME,  ID_SEPARATOR,   ID_SAMPLING_FREQ,     ID_TRANSFORM_OPTIONS,
        ID_PROCESS,        ID_SEPARATOR,   ID_TIME_SET_RANGE, ID_TIME_TO_FREQ,   ID_TIME_SCALE,
        ID_TIME_WINDOW,    ID_GENERATE_WAVEFORM, ID_SEPARATOR, ID_FREQ_SET_RANGE, ID_FREQ_TO_TIME,
        ID_FREQ_SHOW_LIST,
    };
    return ids;
}

bool CCommandTable::IsAvailable(int id) {
    const CCommand* c = Find(id);
    return c && c->m_handler;
}

bool CCommandTable::IsEnabled(const CKalvoraDoc& doc, int id) {
    const CCommand* c = Find(id);
    if (!c || !c->m_handler) return false;
    return !c->m_enabled || c->m_enabled(doc);
}

bool CCommandTable::IsChecked(const CKalvoraDoc& doc, int id) {
    const CCommand* c = Find(id);
    return c && c->m_checked && c->m_checked(doc);
}

bool CCommandTable::Execute(CKalvoraDoc& doc, int id) {
    if (!IsEnabled(doc, id)) return false;
    const CCommand* c = Find(id);
    RunGuarded([&] { c->m_handler(doc); });
    return true;
}

}  // namespace kv
