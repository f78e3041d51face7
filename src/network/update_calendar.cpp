#include "network/update_calendar.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace lirabo::network {

namespace {

constexpr double kMsecsPerDay = 24.0 * 60 * 60 * 1000;

}  // namespace

double DayCountOf(const QDate& Date)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(Date));
}

double DayCountOf(const QDateTime& Local)
{
    return DayCountOf(Local.date()) + Local.time().msecsSinceStartOfDay() / kMsecsPerDay;
}

}  // namespace lirabo::network
