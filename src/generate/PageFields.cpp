#include "generate/PageFields.h"

#include <cmath>
#include <limits>

#include "platform/CDialogModel.h"
#include "platform/StringTable.h"

namespace kv {

void FloatField(CDataExchange& dx, int id, float& value) {
    if (!dx.Saving()) {
        dx.Text(id, value);
        return;
    }
    float v = value;
    dx.Text(id, v);
    if (!std::isfinite(v)) dx.Fail(LoadString(IDS_ENTER_NUMBER), id);
    value = v;
}

void FloatRangeField(CDataExchange& dx, int id, float& value, float minimum, float maximum) {
    if (!dx.Saving()) {
        dx.Text(id, value);
        return;
    }
    float v = value;
    dx.Text(id, v);
    if (!(v >= minimum && v <= maximum))
        dx.Fail(FormatString(IDS_ENTER_NUMBER_BETWEEN, FormatFloatField(minimum), FormatFloatField(maximum)), id);
    value = v;
}

void UnsignedField(CDataExchange& dx, int id, uint32_t& value) {
    if (!dx.Saving()) {
        dx.Text(id, value);
        return;
    }
    int64_t v = 0;
    if (!ParseIntField(dx.Dialog().GetDlgItemText(id), v) || v < 0 || v > std::numeric_limits<uint32_t>::max())
        dx.Fail(LoadString(IDS_ENTER_POSITIVE_INTEGER), id);
    value = static_cast<uint32_t>(v);
}

void RadioField(CDataExchange& dx, int firstId, int32_t& value) {
    if (!dx.Saving()) {
        dx.Radio(firstId, value);
        return;
    }
    int32_t v = value;
    dx.Radio(firstId, v);
    if (v >= 0) value = v;
}

}  // namespace kv
