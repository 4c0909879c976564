#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

// The options of Text:CSV and the "CSV Options" dialog that edits them: the
// columns that a read takes its Inphase and Quadrature values from, as the
// user types them ("2,3", counted from 1). Empty: the first one or two.
class CCsvOpts : public CDialogModel {
public:
    enum ControlId { IDC_COLUMNS = 1801 };

    CCsvOpts();

    void DoDataExchange(CDataExchange& dx) override;

    // Parses a column list: empty, or one or two numbers from 1 up separated
    // by a comma (spaces allowed). The numbers are returned counted from 0,
    // with the count given (0 for the defaults: columns 0 and 1; second is
    // -1 when one column is given); false for any other text.
    static bool ParseColumns(const std::string& text, int32_t& first, int32_t& second, int& count);

    std::string m_strColumns;

protected:
    void CreateControls() override;
};

}  // namespace kv
