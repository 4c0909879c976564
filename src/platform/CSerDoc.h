#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

class CArchive;
class CObject;
class CView;

// A document of the desktop framework: title, path, views and the modified
// flag, plus the version word of the project file last read.
class CSerDoc {
public:
    CSerDoc() = default;
    virtual ~CSerDoc();
    CSerDoc(const CSerDoc&) = delete;
    CSerDoc& operator=(const CSerDoc&) = delete;

    virtual void Serialize(CArchive& ar) = 0;

    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title) { m_strTitle = title; }
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path) { m_strPathName = path; }
    virtual void SetModified(bool modified) { m_bModified = modified; }
    bool IsModified() const { return m_bModified; }

    // Views attach themselves; the document does not own them.
    void AddView(CView& view);
    void RemoveView(CView& view);
    const std::vector<CView*>& GetViews() const { return m_views; }
    void UpdateAllViews(CView* sender, int hint, CObject* object);

    int16_t m_nVersion = 0;
    uint16_t m_nVersionHigh = 0;

private:
    std::string m_strTitle;
    std::string m_strPathName;
    bool m_bModified = false;
    std::vector<CView*> m_views;
};

}  // namespace kv
