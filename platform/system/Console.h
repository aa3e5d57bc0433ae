#pragma once

namespace korvan {

// Lets the person who started the program from a console read its messages.
// A Windows program without a window has no console of its own: it attaches
// to its parent's, if there is one, and sends standard output and error
// there, except a stream already going to a file or a pipe, which is kept.
// Nothing to do on Linux.
void ShowOutputInParentConsole();

}  // namespace korvan
