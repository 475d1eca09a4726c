#pragma once

#include <cstdint>

namespace qm {

// A date of the proleptic Gregorian calendar, as the leg records store it.
struct civilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend constexpr bool operator==(const civilDate&, const civilDate&) = default;
};

// True for a real calendar day (month 1 to 12, day within that month).
bool isCalendarDate(const civilDate& date);

// Whole days since 1970-01-01; only meaningful for calendar dates.
std::int64_t dayNumber(const civilDate& date);
civilDate fromDayNumber(std::int64_t days);

// Today's local date.
civilDate localToday();

}  // namespace qm
