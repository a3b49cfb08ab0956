#include "app/console_dialogue.h"

#include <cstdio>
#include <string>

#include "console/console.h"

namespace gearmesh {

void writeReplyTexts(const SessionReply& reply, Language language) {
    for (int i = 0; i < reply.textCount; ++i) {
        const SessionText& t = reply.texts[i];
        writeConsoleText(t.stream == TextStream::Err ? stderr : stdout, t.text, language);
    }
}

SessionReply runConsoleDialogue(Session& session, const SessionReply& reply, Language language) {
    writeReplyTexts(reply, language);
    if (reply.action != SessionAction::AskLine) {
        return reply;
    }
    // An end of input typed at an earlier dialogue (Ctrl-D) must not end this one.
    std::clearerr(stdin);
    std::string line;
    for (;;) {
        const SessionReply next = readConsoleLine(line)
                                      ? session.typedLine(line.data(), line.size())
                                      : session.inputEnded();
        writeReplyTexts(next, language);
        if (next.action != SessionAction::AskLine) {
            return next;
        }
    }
}

}  // namespace gearmesh
