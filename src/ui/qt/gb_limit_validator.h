#pragma once
// Refuses an edit that would make the text longer than `limit` GB18030 bytes (0: no limit),
// so a Chinese character takes two bytes of the limit. Used by the edit boxes and combo boxes.
#include <QValidator>

namespace lumaro::ui::qt {

class GbLimitValidator : public QValidator {
public:
    GbLimitValidator(int limit, QObject* parent) : QValidator(parent), m_limit(limit) {}
    State validate(QString& input, int& pos) const override;
    int limit() const { return m_limit; }
    void setLimit(int limit) { m_limit = limit; }

private:
    int m_limit;
};

}  // namespace lumaro::ui::qt
