#include "app/handlers/passages/date_ticks.h"

#include <cmath>

#include "text/calendar.h"

namespace vandrel {

namespace {

// The Julian day at which day number 0 (1970-Jan-01) begins.
constexpr double kJulianDayOfDayZero = 2440587.5;

enum class Unit { Hours, Days, Months, Years };

struct Step {
    Unit unit;
    int count;
    double days;  // roughly, to choose among the steps
};

constexpr Step kSteps[] = {
    {Unit::Hours, 1, 1 / 24.0},  {Unit::Hours, 3, 3 / 24.0},  {Unit::Hours, 6, 0.25},
    {Unit::Hours, 12, 0.5},      {Unit::Days, 1, 1},          {Unit::Days, 2, 2},
    {Unit::Days, 5, 5},          {Unit::Days, 10, 10},        {Unit::Months, 1, 30.44},
    {Unit::Months, 2, 60.9},     {Unit::Months, 3, 91.3},     {Unit::Months, 6, 182.6},
    {Unit::Years, 1, 365.25},    {Unit::Years, 2, 730.5},     {Unit::Years, 5, 1826},
    {Unit::Years, 10, 3652},     {Unit::Years, 20, 7305},     {Unit::Years, 50, 18262},
    {Unit::Years, 100, 36525},   {Unit::Years, 200, 73050},   {Unit::Years, 500, 182625},
    {Unit::Years, 1000, 365250}, {Unit::Years, 2000, 730500}, {Unit::Years, 5000, 1826250},
};

std::string label(double julianDay, Unit unit) {
    const std::string text = instantText(julianDay, "");  // "2020-Jan-05 06:00:00"
    if (text.empty()) {
        return {};
    }
    const std::size_t date = dateLength(text);
    switch (unit) {
        case Unit::Hours:
            return text.substr(0, date + 6);
        case Unit::Days:
            return text.substr(0, date);
        case Unit::Months:
            return text.substr(0, date - 3);
        case Unit::Years:
            return text.substr(0, date - 7);
    }
    return {};
}

int floorDiv(int value, int by) {
    return value >= 0 ? value / by : -((-value + by - 1) / by);
}

// The ticks at whole months or years: the first of a month whose number
// (counted from year 0) is a multiple of the step.
void addCalendarTicks(std::vector<DateTick>& ticks, double firstDay, double lastDay,
                      const Step& step) {
    const CalendarDate start =
        calendarDateOf(static_cast<DayNumber>(std::floor(firstDay - kJulianDayOfDayZero)));
    const int monthsPerStep = step.unit == Unit::Years ? 12 * step.count : step.count;
    int month = floorDiv(start.year * 12 + static_cast<int>(start.month) - 1, monthsPerStep) *
                monthsPerStep;
    for (;; month += monthsPerStep) {
        const CalendarDate date{floorDiv(month, 12),
                                static_cast<unsigned>(month - floorDiv(month, 12) * 12) + 1, 1};
        const auto day = dayNumberOf(date);
        if (!day) {
            if (date.year > start.year) {
                return;  // beyond the calendar's last year
            }
            continue;
        }
        const double julianDay = static_cast<double>(*day) + kJulianDayOfDayZero;
        if (julianDay > lastDay) {
            return;
        }
        if (julianDay >= firstDay) {
            ticks.push_back({julianDay, label(julianDay, step.unit)});
        }
    }
}

void addFixedTicks(std::vector<DateTick>& ticks, double firstDay, double lastDay,
                   const Step& step) {
    // Counted from midnight, so that days and hours fall on whole values.
    const double first = std::ceil((firstDay - 0.5) / step.days);
    for (double index = first;; ++index) {
        const double julianDay = index * step.days + 0.5;
        if (julianDay > lastDay) {
            return;
        }
        ticks.push_back({julianDay, label(julianDay, step.unit)});
    }
}

}  // namespace

std::vector<DateTick> dateTicks(double firstDay, double lastDay, int most) {
    std::vector<DateTick> ticks;
    if (!(lastDay > firstDay) || !std::isfinite(firstDay) || !std::isfinite(lastDay) || most < 1) {
        return ticks;
    }
    const Step* chosen = nullptr;
    for (const Step& step : kSteps) {
        if ((lastDay - firstDay) / step.days <= most) {
            chosen = &step;
            break;
        }
    }
    if (chosen == nullptr) {
        return ticks;  // more than the calendar's twenty thousand years
    }
    if (chosen->unit == Unit::Months || chosen->unit == Unit::Years) {
        addCalendarTicks(ticks, firstDay, lastDay, *chosen);
    } else {
        addFixedTicks(ticks, firstDay, lastDay, *chosen);
    }
    std::erase_if(ticks, [](const DateTick& tick) { return tick.label.empty(); });
    return ticks;
}

}  // namespace vandrel
