#pragma once

#include <cstdio>
#include <string_view>

namespace korvan {

// Lets the person who started the program from a console read its messages.
// A Windows program without a window has no console of its own: it attaches
// to its parent's, if there is one, and sends standard output and error
// there, except a stream already going to a file or a pipe, which is kept.
// Nothing to do on Linux.
void ShowOutputInParentConsole();

// Writes UTF-8 text to `stream` so that every character reads right where
// it goes: on a Windows console through the console's wide call, whatever
// its code page; to a file or a pipe (and on Linux, anywhere) as the UTF-8
// bytes, in the stream's own mode.
void WriteText(std::FILE* stream, std::string_view text);

}  // namespace korvan
