#pragma once
// Floating-point numbers as users read and type them: formatting by a mask
// and converting text back, with the decimal and thousands separators of the
// user's settings (read from the system at start-up on Windows; '.' and ','
// until then, and tests set them as they need).

#include <string>

// The separators in use. Both are process-wide, as the user's settings are.
extern char DecimalSeparator;
extern char ThousandSeparator;

// Value written by Mask. A mask holds up to three sections separated by ";":
// positive numbers, negative numbers (without a sign of their own; an absent
// or empty section uses the first with a leading "-"), and numbers that round
// to zero (absent or empty: the first section). In a section:
//   "0"  a digit, or 0 where the number has none there;
//   "#"  a digit, or nothing where the number has none there;
//   "."  the decimal separator; the placeholders after it give the number of
//        decimals (value rounded half away from zero); trailing zeros up to
//        the last "0" are dropped;
//   ","  (anywhere before the decimal point) thousands separators between
//        groups of three integer digits;
//   text in '...' or "..." and any other character are copied as they are.
// An empty mask gives the shortest text that reads back to the same value.
std::string FormatFloat(const std::string& Mask, double Value);

// Text as a number: optional blanks, an optional sign, digits with at most one
// DecimalSeparator (digits on at least one side), an optional exponent
// ("E" or "e", optional sign, digits), optional blanks. Raises EConvertError
// "'%s' is not a valid floating point value" for anything else, also for
// numbers outside the range of a double.
double StrToFloat(const std::string& S);
bool TryStrToFloat(const std::string& S, double& Value);
