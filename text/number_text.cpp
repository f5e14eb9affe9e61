#include "text/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

#include "text/item_characters.h"

namespace vandrel {

namespace {

constexpr int kSignificantDigits = 15;

using detail::isDigit;

}  // namespace

std::string NumberToText(double value) {
    if (value == 0) {
        return "0";  // either sign
    }
    if (!std::isfinite(value)) {
        // The scanner refuses such distances; a caller that slips one in
        // still gets a readable text.
        return std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    }
    // Scientific form first: it rounds to exactly 15 significant digits.
    char scientific[64];
    const auto [end, error] = std::to_chars(scientific, scientific + sizeof scientific, value,
                                            std::chars_format::scientific, kSignificantDigits - 1);
    (void)error;  // 64 characters always hold "-d.dddddddddddddde-ddd"
    const std::string_view form(scientific, static_cast<std::size_t>(end - scientific));

    const bool negative = form.front() == '-';
    const std::size_t exponentMark = form.find('e');
    std::string digits;
    for (const char c : form.substr(0, exponentMark)) {
        if (isDigit(c)) {
            digits += c;
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    int exponent = 0;
    const std::string_view exponentText = form.substr(exponentMark + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);

    std::string text = negative ? "-" : "";
    if (exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
        return text;
    }
    const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= wholeDigits) {
        text += digits;
        text.append(wholeDigits - digits.size(), '0');
    } else {
        text.append(digits, 0, wholeDigits);
        text += '.';
        text.append(digits, wholeDigits);
    }
    return text;
}

std::string NumberToText(std::int32_t count) {
    return std::to_string(count);
}

std::string NumberToSignedText(double wholeValue) {
    const std::string digits = NumberToText(wholeValue);
    return digits.front() == '-' ? digits : " " + digits;
}

namespace {

// The number's characters without blanks, in the form std::from_chars takes:
// no "+" sign, at least one digit before the point, "e" as the exponent mark.
class NumberText {
  public:
    void add(char c) {
        if (size_ < sizeof small_) {
            small_[size_] = c;
        } else {
            if (large_.empty()) {
                large_.assign(small_, size_);
            }
            large_ += c;
        }
        ++size_;
    }
    void dropBack(std::size_t count) {
        size_ -= count;
        if (!large_.empty()) {
            large_.resize(size_);
        }
    }
    std::size_t size() const { return size_; }
    const char* data() const { return large_.empty() ? small_ : large_.data(); }

  private:
    char small_[64];
    std::string large_;
    std::size_t size_ = 0;
};

class NumberScanner {
  public:
    explicit NumberScanner(std::string_view text) : text_(text) {}

    char peek() {
        while (position_ < text_.size() && detail::isBlank(text_[position_])) {
            ++position_;
        }
        return position_ < text_.size() ? text_[position_] : '\0';
    }
    void take() { ++position_; }
    std::size_t mark() const { return position_; }
    void rewind(std::size_t mark) { position_ = mark; }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
};

}  // namespace

double TextToNumber(std::string_view text) {
    NumberScanner scanner(text);
    NumberText number;
    bool negative = false;
    if (scanner.peek() == '+' || scanner.peek() == '-') {
        negative = scanner.peek() == '-';
        scanner.take();
    }
    number.add('0');  // "5" becomes "05" and ".5" "0.5": both read the same
    // Where the value's first non-zero digit stands relative to the point;
    // decides between infinity and zero when the value is out of range.
    long long magnitude = 0;
    bool seenNonZero = false;
    bool anyDigit = false;
    while (isDigit(scanner.peek())) {
        const char digit = scanner.peek();
        seenNonZero = seenNonZero || digit != '0';
        magnitude += seenNonZero ? 1 : 0;
        number.add(digit);
        anyDigit = true;
        scanner.take();
    }
    if (scanner.peek() == '.') {
        scanner.take();
        number.add('.');
        while (isDigit(scanner.peek())) {
            const char digit = scanner.peek();
            if (!seenNonZero) {
                seenNonZero = digit != '0';
                magnitude -= seenNonZero ? 0 : 1;
            }
            number.add(digit);
            anyDigit = true;
            scanner.take();
        }
    }
    if (!anyDigit) {
        return 0;
    }
    if (scanner.peek() == 'E' || scanner.peek() == 'e') {
        const std::size_t beforeMark = scanner.mark();
        scanner.take();
        const std::size_t markSize = number.size();
        number.add('e');
        if (scanner.peek() == '+' || scanner.peek() == '-') {
            if (scanner.peek() == '-') {
                number.add('-');
            }
            scanner.take();
        }
        long long exponent = 0;
        bool exponentDigits = false;
        while (isDigit(scanner.peek())) {
            exponent = std::min(exponent * 10 + (scanner.peek() - '0'), 1'000'000'000LL);
            number.add(scanner.peek());
            exponentDigits = true;
            scanner.take();
        }
        if (exponentDigits) {
            const bool exponentNegative = number.data()[markSize + 1] == '-';
            magnitude += exponentNegative ? -exponent : exponent;
        } else {
            // A mark without digits is not part of the number: "1.5E" reads 1.5.
            number.dropBack(number.size() - markSize);
            scanner.rewind(beforeMark);
        }
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

}  // namespace vandrel
