#include "ui/qt/gb_limit_validator.h"

#include "ui/qt/text_bridge.h"

namespace lumaro::ui::qt {

QValidator::State GbLimitValidator::validate(QString& input, int& /*pos*/) const {
    if (m_limit <= 0 || gbLength(input) <= m_limit) {
        return Acceptable;
    }
    return Invalid;
}

}  // namespace lumaro::ui::qt
