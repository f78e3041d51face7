#pragma once

class QDate;
class QDateTime;

namespace lirabo::network {

// Day counts since 30 December 1899, as "UpdatedDate" keeps them: a date is
// a whole number, a local date and time adds the time of day as fraction.
double DayCountOf(const QDate& Date);
double DayCountOf(const QDateTime& Local);

}  // namespace lirabo::network
