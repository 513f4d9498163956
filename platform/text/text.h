#pragma once
// Text and number runtime: the string and number conversions that the windows use on their
// Windows-1252 texts, plus the UTF-8 conversion at the terminal's edge.
//
// All texts are Windows-1252 bytes in std::string / std::string_view, except where a function
// says it takes or gives UTF-8. Number texts always use a point as the decimal separator and a
// comma as the thousands separator, whatever the machine's locale. No function throws.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// ---- Reading numbers ------------------------------------------------------------------------

// The number at the start of `s`: blanks (space, tab) skipped, then an optional sign, digits,
// an optional point with digits, and an optional exponent (e or E, optional sign, digits; taken
// only when a digit follows). Reading stops at the first character that cannot continue the
// number; 0 when there is none. "12abc" gives 12, "1e" gives 1. A value too large for a double
// gives infinity with its sign, one too small gives 0.
double Val(std::string_view s);

// The whole of `s` as a number, or nullopt when it is not one. Blanks (space, tab) around it are
// ignored. Form: optional sign, digits with an optional point and decimals (at least one digit in
// all), optional exponent. Commas are taken as thousands separators anywhere between two digits
// of the integer part ("1,234" and "1,2" are 1234 and 12), never at its ends or after the point.
// A value beyond the range of a double ("1e309") is not a number; one too small for it is 0.
std::optional<double> ToNumber(std::string_view s);

// True when `s` as a whole is a number by the rules of `ToNumber`; empty or blank gives false.
bool IsNumeric(std::string_view s);

// ---- Rounding to whole numbers, halves to the even neighbour ---------------------------------

// 0.5 gives 0, 1.5 and 2.5 give 2, -1.5 gives -2. Infinities and NaN come back unchanged.
double RoundHalfEven(double v);

// As `RoundHalfEven`, then clamped to -32768..32767; NaN gives 0.
std::int16_t RoundHalfEven16(double v);

// As `RoundHalfEven`, then clamped to the 32-bit range; NaN gives 0.
std::int32_t RoundHalfEven32(double v);

// ---- Writing numbers ------------------------------------------------------------------------

// Shortest decimal text of `v` rounded to 15 significant digits: point as separator, no trailing
// zeros, no point for whole numbers, "0" for either zero. Plain notation while the rounded
// magnitude lies in [1e-15, 1e15); outside it the digits get an exponent with a sign and at least
// two digits: "1E+15", "1.5E-16", "1E+100". Not-a-number gives "NaN", infinities "Infinity" and
// "-Infinity". 0.1 + 0.2 gives "0.3", 100.0 * 7 / 21 gives "33.3333333333333". The few largest
// doubles, which 15 digits would round past the largest one, get the shortest digits that read
// back as themselves: the largest is "1.7976931348623157E+308". So every finite value's text
// reads back (ToNumber, Val) as a finite number.
std::string Decimal(double v);

// `v` rounded to a whole number (halves to even) with a comma between groups of three digits:
// 1234 gives "1,234", -1234 "-1,234". A result of 0 gives the empty text. Magnitudes beyond
// 15 significant digits are written with those digits followed by zeros. Not-a-number and
// infinities give the texts of `Decimal`.
std::string ThousandsWhole(double v);

// `ThousandsWhole` of the number in `s` when `IsNumeric(s)` ("1,234" and "1234" both give
// "1,234", "0" gives ""); any other text comes back unchanged.
std::string FormatThousandsText(std::string_view s);

// `v` with exactly two decimals and no thousands separators: 2 gives "2.00", 12.497 "12.50".
// Rounds the exact binary value, halves away from zero: 0.125 (exact in binary) gives "0.13",
// while 2.675 (just below it in binary) gives "2.67". A result of zero never carries a minus
// sign. Not-a-number and infinities give the texts of `Decimal`.
std::string TwoDecimals(double v);

// ---- Letter case (Windows-1252) -------------------------------------------------------------
// Letters are A-Z, a-z, 0xC0-0xDE and 0xE0-0xFE (but for the signs 0xD7 and 0xF7), the pairs
// 0x8A/0x9A, 0x8C/0x9C, 0x8E/0x9E and 0x9F/0xFF. 0xDF and 0xB5 have no other case.

// The small letter of `c`; any other byte unchanged.
char ToLowerChar(char c);

// The capital of `c`; any other byte unchanged.
char ToUpperChar(char c);

std::string LCase(std::string_view s);
std::string UCase(std::string_view s);

// First letter of every word capital, every other letter small. A word begins at the start and
// after a space, tab, LF, VT, FF, CR or NUL.
std::string ProperCase(std::string_view s);

// Comparisons of the lower-cased bytes. `CompareIgnoreCase` compares them as unsigned bytes and
// gives -1, 0 or 1; a text that is a prefix of the other sorts first.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
int CompareIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);

// ---- Pieces of texts ------------------------------------------------------------------------

// Trims of the space character only (tabs and other blanks stay).
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string Trim(std::string_view s);

// The first `n` characters; all of `s` when it is shorter, "" when n <= 0.
std::string Left(std::string_view s, int n);

// The characters at positions start1 .. start1 + len - 1 (counted from 1) that exist in `s`;
// a negative `len` means up to the end. Positions before 1 or past the end give nothing, so
// Mid("abc", 0, 2) is "a" and Mid("abc", 5) is "".
std::string Mid(std::string_view s, int start1, int len = -1);

// The position (from 1) of the first `needle` in `hay`, 0 when absent. An empty needle is found
// at 1, except in an empty text, where the result is 0.
int InStr(std::string_view hay, std::string_view needle);

// Every occurrence of `what`, from left to right and without overlap, replaced by `with`; the
// replacement is not searched again. An empty `what` leaves `s` unchanged.
std::string ReplaceAll(std::string_view s, std::string_view what, std::string_view with);

// As `ReplaceAll`, with `what` matched regardless of letter case.
std::string ReplaceAllIgnoreCase(std::string_view s, std::string_view what, std::string_view with);

// The text as a C string carries it: everything before its first NUL, all of it without one.
// Texts that enter the windows through the platform's C-string messages (list entries, chat
// lines, typed texts) end there.
std::string UpToNul(std::string_view s);

// ---- UTF-8 at the edge ----------------------------------------------------------------------

// Windows-1252 bytes as UTF-8. Every byte has a character: 0x80-0x9F as Windows-1252 defines
// them, and the five bytes it leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) as U+0081 etc.
std::string ToUtf8(std::string_view cp1252);

// UTF-8 as Windows-1252 bytes; nullopt when the UTF-8 is malformed (also overlong forms and
// surrogates) or a character has no Windows-1252 byte. The reverse of `ToUtf8` for every byte.
std::optional<std::string> FromUtf8(std::string_view utf8);

// Windows-1252 bytes as readable UTF-8 for scripts and transcripts: backslash is written \\,
// CR \r, LF \n, tab \t, NUL \0; other control bytes (0x01-0x1F, 0x7F) and the five undefined
// bytes as \xHH with two capital hex digits; every other byte as its UTF-8 character.
std::string EscapeBytes(std::string_view cp1252);

// UTF-8 (or any bytes) with its control bytes written as `EscapeBytes` writes them (\0, \t, \r,
// \n, \xHH); every other byte, a backslash too, stays as it is. For quoting a line as written.
std::string EscapeControls(std::string_view bytes);

// The reverse of `EscapeBytes`: UTF-8 with the escapes \\, \r, \n, \t, \0 and \xHH (hex digits
// of either case) as Windows-1252 bytes. Nullopt for an unknown or cut-off escape, malformed
// UTF-8 or a character without a Windows-1252 byte. Characters that `EscapeBytes` would have
// escaped are also taken as they stand.
std::optional<std::string> UnescapeUtf8(std::string_view utf8_with_escapes);

}  // namespace text
