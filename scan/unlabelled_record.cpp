#include "scan/unlabelled_record.h"

#include "text/text_slice.h"

namespace vandrel {

namespace {

std::size_t indexOf(Legend::Name name) {
    return static_cast<std::size_t>(name);
}

}  // namespace

void UnlabelledRecord::begin() {
    lines_ = 0;
    for (bool& has : has_) {
        has = false;
    }
}

std::string UnlabelledRecord::take(std::string_view line) {
    const std::size_t index = lines_++;
    if (index >= legend_.lines) {
        return "its line " + std::to_string(index + 1) + " of numbers has no line in the legend";
    }
    std::size_t count = 0;
    for (std::size_t at = 0;;) {
        const std::string_view number = NextWord(line, at);
        if (number.empty()) {
            break;
        }
        if (!isNumbersLine(number)) {
            return "its line " + std::to_string(index + 1) + " holds \"" + std::string(number) +
                   "\", which is no number";
        }
        if (count < legend_.counts[index]) {
            const std::size_t name = indexOf(legend_.names[index][count]);
            values_[name].assign(number);
            has_[name] = true;
        }
        ++count;
    }
    if (count != legend_.counts[index]) {
        return "its line " + std::to_string(index + 1) + " holds " + std::to_string(count) +
               " numbers where the legend names " + std::to_string(legend_.counts[index]) + " (" +
               legend_.text[index] + ")";
    }
    return {};
}

bool UnlabelledRecord::range(RecordField& field) {
    const auto value = [this](Legend::Name name) { return values_[indexOf(name)].view(); };
    const auto has = [this](Legend::Name name) { return has_[indexOf(name)]; };
    field.isDistance = true;
    if (has(Legend::Name::RG)) {
        field.distanceText = value(Legend::Name::RG);
        field.rateText = has(Legend::Name::RR) ? value(Legend::Name::RR) : std::string_view();
        return true;
    }
    if (!has(Legend::Name::X) || !has(Legend::Name::Y) || !has(Legend::Name::Z)) {
        return false;
    }
    const bool moving = has(Legend::Name::VX) && has(Legend::Name::VY) && has(Legend::Name::VZ);
    field.measured = &fromPosition_.compute(
        {value(Legend::Name::X), value(Legend::Name::Y), value(Legend::Name::Z)},
        moving
            ? VectorTexts{value(Legend::Name::VX), value(Legend::Name::VY), value(Legend::Name::VZ)}
            : VectorTexts{});
    return true;
}

VectorTexts UnlabelledRecord::velocity() const {
    const auto has = [this](Legend::Name name) { return has_[indexOf(name)]; };
    if (!has(Legend::Name::VX) || !has(Legend::Name::VY) || !has(Legend::Name::VZ)) {
        return {};
    }
    return {values_[indexOf(Legend::Name::VX)].view(), values_[indexOf(Legend::Name::VY)].view(),
            values_[indexOf(Legend::Name::VZ)].view()};
}

}  // namespace vandrel
