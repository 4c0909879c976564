#pragma once
#include <string>
#include <vector>

namespace kv {

// One entry of a menu: a command (id and text), a popup (text and items) or
// a separator (no id, no text, no items). Menus are described in the core
// and shown by the platform. A command may name the keys its view handles
// for it ("Ctrl+=", "Shift+Left"): they are shown beside the text, and the
// view, not the window, reacts to them.
struct CMenuItem {
    int m_nId = 0;
    std::string m_strText;
    std::vector<CMenuItem> m_items;
    std::string m_strKeys;

    static CMenuItem Command(int id, std::string text) { return CMenuItem{id, std::move(text), {}, {}}; }
    static CMenuItem Command(int id, std::string text, std::string keys) {
        return CMenuItem{id, std::move(text), {}, std::move(keys)};
    }
    static CMenuItem Popup(std::string text, std::vector<CMenuItem> items) {
        return CMenuItem{0, std::move(text), std::move(items), {}};
    }
    static CMenuItem Separator() { return CMenuItem{}; }

    bool IsPopup() const { return m_nId == 0 && !m_items.empty(); }
    bool IsSeparator() const { return m_nId == 0 && m_items.empty() && m_strText.empty(); }
};

}  // namespace kv
