#include "values/Clock.h"

#include "values/HostFailure.h"

#include <QString>
#include <QStringList>

namespace korvelin {

namespace {

QStringList fieldsOf(std::u16string_view text, QChar separatorA, QChar separatorB) {
    QString s = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).trimmed();
    s.replace(separatorB, separatorA);
    return s.split(separatorA);
}

int numberField(const QString& field) {
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    if (!ok || field.trimmed().isEmpty()) failHost(HostFailureKind::TypeMismatch);
    return value;
}

int fullYear(const QString& field) {
    const int year = numberField(field);
    if (field.trimmed().size() > 2) return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

} // namespace

void Clock::setDate(std::u16string_view text) {
    const QStringList f = fieldsOf(text, u'/', u'-');
    if (f.size() != 3) failHost(HostFailureKind::TypeMismatch);
    QDate date;
    if (f[2].trimmed().size() == 4 && f[0].trimmed().size() <= 2)
        date = QDate(numberField(f[2]), numberField(f[0]), numberField(f[1]));
    else
        date = QDate(fullYear(f[0]), numberField(f[1]), numberField(f[2]));
    if (!date.isValid()) failHost(HostFailureKind::TypeMismatch);
    const QDateTime current = now();
    offsetSeconds_ += current.secsTo(QDateTime(date, current.time()));
}

void Clock::setTime(std::u16string_view text) {
    const QStringList f = fieldsOf(text, u':', u':');
    if (f.size() < 2 || f.size() > 3) failHost(HostFailureKind::TypeMismatch);
    const QTime time(numberField(f[0]), numberField(f[1]), f.size() == 3 ? numberField(f[2]) : 0);
    if (!time.isValid()) failHost(HostFailureKind::TypeMismatch);
    const QDateTime current = now();
    offsetSeconds_ += current.secsTo(QDateTime(current.date(), time));
}

} // namespace korvelin
