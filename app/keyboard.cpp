#include "app/keyboard.h"

#include <cstdlib>

#include "app/console_dialogue.h"

namespace gearmesh {

namespace {

// Does what the session answered, once its texts are on the console.
void present(WindowProgram& program, const SessionReply& reply) {
    switch (reply.action) {
    case SessionAction::Nothing:
    case SessionAction::AskLine:
    case SessionAction::OpenWindow:
        // The window is open already, and keeps its picture until the next redraw.
        break;
    case SessionAction::DrawFrame:
        drawSessionFrame(program.dc, program.session);
        break;
    case SessionAction::End:
        std::exit(reply.exitStatus);
    }
}

}  // namespace

void keyboard(WindowProgram& program, unsigned char key) {
    const SessionReply reply = program.session.key(key);
    // 'z' asks on the console: the window's loop waits until the dialogue ends.
    present(program, runConsoleDialogue(program.session, reply, program.language));
}

void display(WindowProgram& program) {
    present(program, program.session.redraw());
}

}  // namespace gearmesh
