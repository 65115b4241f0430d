#pragma once

// Day numbers: days since 1899-12-30, the fraction being the time of day.
double EncodeDate(int year, int month, int day);
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond);

// Whether a day number lies in the calendar, 0001-01-01 to the end of 9999-12-31.
bool IsCalendarDay(double dayNumber);

struct TDateTimeParts {
    int year, month, day, hour, minute, second, millisecond;
};
// The calendar date and time of a day number, to the nearest millisecond; all zero outside the calendar.
TDateTimeParts DecodeDateTime(double dayNumber);
