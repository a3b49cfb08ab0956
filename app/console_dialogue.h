#pragma once

#include "session/session.h"

namespace gearmesh {

// Shows the texts of reply on the console in language: each on standard
// output or standard error, in the console's encoding, flushed at once.
void writeReplyTexts(const SessionReply& reply, Language language);

// The dialogue at the console, in language: shows reply's texts and, for
// as long as the session asks for lines, reads standard input a line at a
// time and hands each line (or the end of the input) to session, showing
// its answers. Returns the first answer that asks for no further line.
// Blocks while it waits for input.
SessionReply runConsoleDialogue(Session& session, const SessionReply& reply, Language language);

}  // namespace gearmesh
