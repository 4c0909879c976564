#include "data/CDataSet.h"

#include "platform/CArchive.h"

namespace kv {

CDataSet::~CDataSet() { DeleteColumns(); }

CDataSet::CDataSet(const CDataSet& other) : m_strName(other.m_strName) {
    for (const auto& c : other.m_columns) m_columns.push_back(std::make_unique<CDataColumn>(*c));
}

CDataSet& CDataSet::operator=(const CDataSet& other) {
    if (this == &other) return *this;
    DeleteColumns();
    m_strName = other.m_strName;
    for (const auto& c : other.m_columns) m_columns.push_back(std::make_unique<CDataColumn>(*c));
    return *this;
}

void CDataSet::DeleteColumns() {
    while (!m_columns.empty()) m_columns.pop_back();
}

CDataColumn& CDataSet::AddColumn() {
    m_columns.push_back(std::make_unique<CDataColumn>());
    return *m_columns.back();
}

CDataColumn& CDataSet::AddColumnFrom(int32_t count, const double* values) {
    CDataColumn& c = AddColumn();
    if (count > 0) {
        c.SetSize(count);
        double* p = c.GetWritableData();
        for (int32_t i = 0; i < count; ++i) p[i] = values[i];
    }
    return c;
}

int32_t CDataSet::GetCount() const {
    if (m_columns.empty()) return 0;
    int32_t n = m_columns.front()->GetSize();
    for (const auto& c : m_columns)
        if (c->GetSize() < n) n = c->GetSize();
    return n;
}

double CDataSet::GetMin() const {
    double v = m_columns.empty() ? 0.0 : m_columns.front()->GetMin();
    for (const auto& c : m_columns) {
        double m = c->GetMin();
        if (m < v) v = m;
    }
    return v;
}

double CDataSet::GetMax() const {
    double v = m_columns.empty() ? 0.0 : m_columns.front()->GetMax();
    for (const auto& c : m_columns) {
        double m = c->GetMax();
        if (m > v) v = m;
    }
    return v;
}

void CDataSet::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString(m_strName);
        ar.WriteI32(GetColumnCount());
        for (auto& c : m_columns) c->Serialize(ar);
    } else {
        m_strName = ar.ReadString();
        int32_t count = ar.ReadI32();
        // Each column record takes at least its 4-byte count.
        if (count < 0) throw CArchiveException{CArchiveException::badFormat};
        ar.CheckRemaining(static_cast<uint64_t>(count), 4);
        CDataSet::DeleteColumns();
        for (int32_t i = 0; i < count; ++i) AddColumn().Serialize(ar);
    }
}

}  // namespace kv
