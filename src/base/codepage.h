// Windows-1252, the code page of project text. Core strings hold these bytes; conversion to
// UTF-8 happens only at the edges (JSON descriptions, the host).
#pragma once

#include <string>
#include <string_view>

namespace velk {

// Characters outside the code page become '?', as the old ANSI conversion did by default.
std::string Utf16ToCp1252(std::u16string_view units);
std::string Cp1252ToUtf8(std::string_view bytes);
// The Unicode code point of one byte; the five unused bytes give the C1 control of that number.
char32_t Cp1252ToCodePoint(char byte);
// Invalid UTF-8 and characters outside the code page become '?'.
std::string Utf8ToCp1252(std::string_view utf8);
// The system's conversion of names it hands to code-page programs (file names, the command
// line): a character outside the code page becomes its best fit where the system's table has
// one ("Łódź" becomes "Lódz", a full-width "Ａ" becomes "A"), else '?'. The table
// kept here is a subset of the system's: Latin Extended-A, the caron and hook letters of
// Latin Extended-B, the full-width ASCII forms and a few spaces and dashes; Cyrillic, CJK and
// emoji have no best fit. Invalid UTF-8 becomes '?'.
std::string Utf8ToCp1252BestFit(std::string_view utf8);

// Upper- and lower-casing of code-page bytes as the system's ANSI case conversions do it.
char Cp1252Upper(char c);
std::string Cp1252UpperString(std::string_view text);
char Cp1252Lower(char c);
std::string Cp1252LowerString(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace velk
