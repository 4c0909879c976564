#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/CDataColumn.h"
#include "platform/CObject.h"

namespace kv {

class CArchive;

// A named, ordered set of columns that it owns. Its count is the length of
// its shortest column.
class CDataSet : public CObject {
public:
    CDataSet() = default;
    ~CDataSet() override;
    CDataSet(const CDataSet& other);
    CDataSet& operator=(const CDataSet& other);

    // The name, a 32-bit column count, then each column.
    virtual void Serialize(CArchive& ar);
    virtual bool IsEmpty() const { return GetCount() == 0; }
    virtual void Reset() { DeleteColumns(); }

    CDataColumn& AddColumn();
    CDataColumn& AddColumnFrom(int32_t count, const double* values);
    void AppendValue(int32_t n, double x) { m_columns[static_cast<size_t>(n)]->Append(x); }
    double GetValue(int32_t n, int32_t i) const { return (*m_columns[static_cast<size_t>(n)])[i]; }
    CDataColumn& GetColumn(int32_t n) { return *m_columns[static_cast<size_t>(n)]; }
    const CDataColumn& GetColumn(int32_t n) const { return *m_columns[static_cast<size_t>(n)]; }
    int32_t GetColumnCount() const { return static_cast<int32_t>(m_columns.size()); }
    int32_t GetCount() const;
    double GetMin() const;
    double GetMax() const;

    std::string m_strName;

protected:
    // Deletes every column, last first.
    void DeleteColumns();

    std::vector<std::unique_ptr<CDataColumn>> m_columns;
};

}  // namespace kv
