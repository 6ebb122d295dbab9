#pragma once
// Bytes of drawing texts as CAD programs write them: UTF-8 in newer drawings, the
// Windows code page (cp1252) in older ones, and sometimes plain garbage. Layer names
// and entity types are upper-cased by these rules, and front ends use them to show
// such bytes as readable characters.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace mq {

// Length of the well-formed UTF-8 sequence at the start of `text` (1..4), or 0 when
// the first byte does not start one (stray continuation byte, overlong form,
// surrogate, beyond U+10FFFF, cut short).
std::size_t Utf8SequenceLength(std::string_view text);
bool IsValidUtf8(std::string_view text);

// The Unicode code point of a cp1252 byte; bytes the code page leaves undefined map
// to the C1 control of the same number.
char32_t Cp1252ToUnicode(unsigned char byte);

// Upper case as a drawing's name is compared: ASCII letters always; when the text is
// not valid UTF-8 it is taken as cp1252 and its accented small letters are upper-cased
// too (so no small letter of the code page is left in the byte range the layer
// language reserves for its two-letter codes). Valid UTF-8 keeps its other bytes.
std::string UpperCaseDrawingText(std::string_view text);

// The parts one after the other (a message, a name built from pieces).
std::string JoinText(std::initializer_list<std::string_view> parts);

// The code point as UTF-8.
void AppendUtf8(std::string& out, char32_t code_point);

}  // namespace mq
