#pragma once
#include <vector>

#include "plot/CLabel.h"

namespace kv {

// The labels of one axis, in order; the array owns them.
class CLabelArray {
public:
    void RemoveAll() { m_labels.clear(); }
    // Makes room for n labels at once (an axis has about ten).
    void Reserve(int n) { m_labels.reserve(static_cast<size_t>(n > 0 ? n : 0)); }
    void Add(std::string text, double value) {
        m_labels.push_back(CLabel{std::move(text), value});
    }
    int GetSize() const { return static_cast<int>(m_labels.size()); }
    bool IsEmpty() const { return m_labels.empty(); }
    CLabel& operator[](int i) { return m_labels[static_cast<size_t>(i)]; }
    const CLabel& operator[](int i) const { return m_labels[static_cast<size_t>(i)]; }

private:
    // Held by value: clearing keeps the room, so labels made again on
    // every paint need no new memory.
    std::vector<CLabel> m_labels;
};

}  // namespace kv
