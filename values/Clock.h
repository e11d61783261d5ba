#pragma once
// The interpreter's own clock. DATE$ = and TIME$ = move it away from the
// host clock by an offset; the host clock itself is never changed.

#include <QDateTime>
#include <string_view>

namespace korvelin {

class Clock {
  public:
    QDateTime now() const { return QDateTime::currentDateTime().addSecs(offsetSeconds_); }
    // Both throw HostFailure(TypeMismatch) for a text they cannot read.
    // Dates: yy/mm/dd, yyyy/mm/dd, mm/dd/yyyy ("-" may stand for "/").
    void setDate(std::u16string_view text);
    // Times: hh:mm or hh:mm:ss, 24-hour clock.
    void setTime(std::u16string_view text);
    void reset() { offsetSeconds_ = 0; }

  private:
    qint64 offsetSeconds_ = 0;
};

} // namespace korvelin
