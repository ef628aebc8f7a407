// What the program's text boxes accept: the data files are code page 936,
// so a character it cannot hold would be saved as '?'. The boxes refuse
// such characters as they are typed or pasted and name them.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// The characters of text that code page 936 cannot hold, each once, in
// order of first appearance; empty when every character fits.
std::string UnmappableCharacters(std::string_view utf8);

// The message telling the user which characters were refused.
std::string RefusedInputText(std::string_view characters);

}  // namespace quillet
