// Conversion between the Shift-JIS (code page 932) bytes that records keep and the UTF-8 that
// the program's own texts, the canvas and the desktop use. Used only at those boundaries.
// Never throws and never fails: an undecodable byte becomes U+FFFD, a character without a
// CP932 form becomes "?".
#pragma once

#include <cstddef>
#include <string>

std::string Cp932ToUtf8(const std::string& cp932);
std::string Utf8ToCp932(const std::string& utf8);
// The bytes the UTF-8 character at `text` takes when its lead and continuation bytes are well
// formed (2 to 4, never beyond `left`), otherwise 1: what a refused character costs on conversion.
std::size_t Utf8SequenceLength(const unsigned char* text, std::size_t left);
// The UTF-8 of one character.
std::string Utf8Of(char32_t code);
// True when every character of the text has the shape of UTF-8: a valid lead byte and its continuation bytes.
bool IsValidUtf8(const std::string& text);
// `utf8` without control characters: C0 (line ends and tabs included), DEL, C1, and the line and
// paragraph separators U+2028 and U+2029. Whatever is left is one line of text.
std::string WithoutControlCharacters(const std::string& utf8);
