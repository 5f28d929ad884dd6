#include "FloatFormat.h"

#include "Exceptions.h"
#include "SysUtils.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

char DecimalSeparator = '.';
char ThousandSeparator = ',';

namespace {

// The sections of a mask; quoted text may hold ";".
std::vector<std::string> SplitSections(const std::string& Mask) {
    std::vector<std::string> out(1);
    char quote = 0;
    for (char c : Mask) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            if (out.size() == 3) break;  // a fourth section is never used
            out.emplace_back();
            continue;
        }
        out.back() += c;
    }
    return out;
}

// What a section asks of the number.
struct TSectionShape {
    int integerPlaces = 0;  // "0" and "#" before the decimal point
    int minInteger = 0;     // places from the first "0" on, before the point
    int decimals = 0;       // places after the point
    int minDecimals = 0;    // places up to the last "0" after the point
    bool thousands = false;
};

TSectionShape ShapeOf(const std::string& Section) {
    TSectionShape s;
    bool afterPoint = false, seenZero = false;
    char quote = 0;
    for (char c : Section) {
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        switch (c) {
            case '"':
            case '\'': quote = c; break;
            case '.': afterPoint = true; break;
            case ',':
                if (!afterPoint) s.thousands = true;
                break;
            case '0':
            case '#':
                if (afterPoint) {
                    ++s.decimals;
                    if (c == '0') s.minDecimals = s.decimals;
                } else {
                    ++s.integerPlaces;
                    if (c == '0') seenZero = true;
                    if (seenZero) ++s.minInteger;
                }
                break;
            default: break;
        }
    }
    return s;
}

// |Value| rounded half away from zero to Decimals places, as integer digits
// (no leading zeros; empty for zero) and exactly Decimals fraction digits.
// Rounding works on the 15 significant digits a double holds reliably, so
// 2.675 shows as "2.68" as a user expects.
void DecimalDigits(double Value, int Decimals, std::string& Integer, std::string& Fraction) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(Value), std::chars_format::scientific, 14);
    const std::string_view text(buf, static_cast<size_t>(r.ptr - buf));
    const size_t e = text.find('e');
    std::string mantissa;
    for (char c : text.substr(0, e))
        if (c != '.') mantissa += c;
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
    // digits d0 d1 ... with the decimal point after d0 shifted by exponent:
    // the point sits after pointAt digits (may be <= 0 or beyond the digits).
    const int pointAt = exponent + 1;
    std::string digits = mantissa;
    int point = pointAt;
    if (point < 0) {
        digits.insert(0, static_cast<size_t>(-point), '0');
        point = 0;
    }
    const int keep = point + Decimals;
    if (static_cast<int>(digits.size()) < keep) digits.append(static_cast<size_t>(keep - static_cast<int>(digits.size())), '0');
    const bool roundUp = keep < static_cast<int>(digits.size()) && keep >= 0 && digits[static_cast<size_t>(keep)] >= '5';
    digits.resize(static_cast<size_t>(keep));
    if (roundUp) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<size_t>(i)] == '9') {
                digits[static_cast<size_t>(i)] = '0';
            } else {
                ++digits[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            ++point;
        }
    }
    Integer = digits.substr(0, static_cast<size_t>(point));
    Fraction = digits.substr(static_cast<size_t>(point));
    const size_t first = Integer.find_first_not_of('0');
    Integer = first == std::string::npos ? std::string() : Integer.substr(first);
}

bool IsZero(const std::string& Integer, const std::string& Fraction) {
    return Integer.empty() && Fraction.find_first_not_of('0') == std::string::npos;
}

std::string Apply(const std::string& Section, const TSectionShape& Shape, std::string Integer, std::string Fraction) {
    if (static_cast<int>(Integer.size()) < Shape.minInteger)
        Integer.insert(0, static_cast<size_t>(Shape.minInteger - static_cast<int>(Integer.size())), '0');
    int shownDecimals = Shape.decimals;
    while (shownDecimals > Shape.minDecimals && Fraction[static_cast<size_t>(shownDecimals - 1)] == '0') --shownDecimals;

    const int length = static_cast<int>(Integer.size());
    auto emitInteger = [&](std::string& out, int from, int to) {  // digit indices [from, to)
        for (int i = from; i < to; ++i) {
            out += Integer[static_cast<size_t>(i)];
            const int fromRight = length - 1 - i;
            if (Shape.thousands && fromRight > 0 && fromRight % 3 == 0) out += ThousandSeparator;
        }
    };

    std::string out;
    int integerPlace = 0, decimalPlace = 0;
    bool afterPoint = false;
    char quote = 0;
    for (char c : Section) {
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                out += c;
            continue;
        }
        switch (c) {
            case '"':
            case '\'': quote = c; break;
            case ',':
                if (afterPoint) out += c;
                break;
            case '.':
                if (afterPoint) {  // only the first point counts; others are text
                    out += c;
                    break;
                }
                if (Shape.integerPlaces == 0) emitInteger(out, 0, length);
                if (shownDecimals > 0) out += DecimalSeparator;
                afterPoint = true;
                break;
            case '0':
            case '#':
                if (afterPoint) {
                    if (decimalPlace < shownDecimals) out += Fraction[static_cast<size_t>(decimalPlace)];
                    ++decimalPlace;
                } else {
                    // Place p (from the left) stands for the digit that many
                    // places from the right; the first place takes all the
                    // digits the mask has no places for.
                    const int fromRight = Shape.integerPlaces - 1 - integerPlace;
                    const int digit = length - 1 - fromRight;
                    if (integerPlace == 0)
                        emitInteger(out, 0, std::max(digit + 1, 0));
                    else if (digit >= 0)
                        emitInteger(out, digit, digit + 1);
                    ++integerPlace;
                }
                break;
            default: out += c; break;
        }
    }
    // A mask without any place before the point (or at all) still shows the
    // integer part, right where the point would be.
    if (!afterPoint && Shape.integerPlaces == 0 && length > 0) out += Integer;
    return out;
}

std::string Shortest(double Value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, Value);
    std::string s(buf, r.ptr);
    for (char& c : s) {
        if (c == '.') c = DecimalSeparator;
        if (c == 'e') c = 'E';
    }
    return s;
}

}  // namespace

std::string FormatFloat(const std::string& Mask, double Value) {
    if (std::isnan(Value)) return "NAN";
    if (std::isinf(Value)) return Value > 0 ? "INF" : "-INF";
    if (Mask.empty()) return Shortest(Value == 0 ? 0.0 : Value);

    const std::vector<std::string> sections = SplitSections(Mask);
    // Rounded by the first section: that decides whether the number counts as zero.
    std::string integer, fraction;
    const TSectionShape first = ShapeOf(sections[0]);
    DecimalDigits(Value, first.decimals, integer, fraction);
    if (IsZero(integer, fraction)) {
        if (sections.size() >= 3 && !sections[2].empty()) {
            const TSectionShape shape = ShapeOf(sections[2]);
            DecimalDigits(0.0, shape.decimals, integer, fraction);
            return Apply(sections[2], shape, integer, fraction);
        }
        return Apply(sections[0], first, integer, fraction);
    }
    if (Value < 0) {
        if (sections.size() >= 2 && !sections[1].empty()) {
            const TSectionShape shape = ShapeOf(sections[1]);
            DecimalDigits(Value, shape.decimals, integer, fraction);
            return Apply(sections[1], shape, integer, fraction);
        }
        std::string out = Apply(sections[0], first, integer, fraction);
        out.insert(out.begin(), '-');
        return out;
    }
    return Apply(sections[0], first, integer, fraction);
}

bool TryStrToFloat(const std::string& S, double& Value) {
    size_t i = 0, n = S.size();
    while (i < n && S[i] == ' ') ++i;
    while (n > i && S[n - 1] == ' ') --n;
    std::string plain;  // in the form from_chars reads
    if (i < n && (S[i] == '+' || S[i] == '-')) {
        if (S[i] == '-') plain += '-';
        ++i;
    }
    int digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const char c = S[i];
        if (c >= '0' && c <= '9') {
            plain += c;
            ++digits;
        } else if (c == DecimalSeparator && !point) {
            plain += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < n && (S[i] == 'e' || S[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < n && (S[i] == '+' || S[i] == '-')) plain += S[i++];
        int exponentDigits = 0;
        for (; i < n && S[i] >= '0' && S[i] <= '9'; ++i, ++exponentDigits) plain += S[i];
        if (exponentDigits == 0) return false;
    }
    if (i != n) return false;
    double v = 0;
    const char* begin = plain.data();
    const char* end = plain.data() + plain.size();
    const auto r = std::from_chars(begin, end, v);
    if (r.ec != std::errc() || r.ptr != end || !std::isfinite(v)) return false;
    Value = v;
    return true;
}

double StrToFloat(const std::string& S) {
    double v = 0;
    if (!TryStrToFloat(S, v)) throw EConvertError(Format("'%s' is not a valid floating point value", S));
    return v;
}
