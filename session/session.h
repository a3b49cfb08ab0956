#pragma once

// The program's core: the one place that knows what the simulator does with
// what the user types and presses. It owns the gear pair, the view and the
// dialogue's state, takes the program's events one function each, and
// answers what the front end must do next: show texts (named by their
// identifiers, so that any language can stand behind them), then draw a
// frame, wait for a line, do nothing or end. The window (GLUT and the
// console), the page and gearpair view only translate their events into
// these calls and present the answers.

#include <cstddef>

#include "dialogue/count_reading.h"
#include "dialogue/texts.h"
#include "draw/seam.h"
#include "geometry/exact_gear.h"
#include "geometry/gear_pair.h"
#include "geometry/study.h"
#include "scene/view_commands.h"
#include "scene/view_state.h"

namespace gearmesh {

// Where a console text goes.
enum class TextStream {
    Out,  // standard output: the dialogue
    Err,  // standard error: what went wrong
};

struct SessionText {
    ConsoleText text;
    TextStream stream;
};

// What the front end does once it has shown the texts of an answer.
enum class SessionAction {
    Nothing,     // nothing more: the picture stays as it is
    OpenWindow,  // the first counts are in: the window opens and draws its
                 // first frame, as every redraw does (Session::redraw)
    DrawFrame,   // draw the session's frame now (the view has moved on already)
    AskLine,     // the dialogue waits for the next line of input
    End,         // the program ends with exitStatus
};

// The most texts one event shows: the key help.
constexpr int SESSION_REPLY_TEXTS = 8;

// The answer to one event.
struct SessionReply {
    SessionText texts[SESSION_REPLY_TEXTS];
    int textCount;  // texts[0] to texts[textCount - 1], in the order shown
    SessionAction action;
    int exitStatus;  // with End: 0 for Escape, 1 when the input ended before any counts
};

// Where the program is: asking for tooth counts, running (the keys drive
// the picture), or ended.
enum class SessionPhase { Asking, Running, Ended };

// The view command of one of the window's view keys: '1' '2' '3' show the
// drive gear, the driven gear or the mesh; 'w' 'W' zoom out and in; 'r' 'R'
// run the mesh forward and in reverse; 's' steps it. False for any other key
// ('z' and Escape are the session's own).
bool viewCommandOfKey(int key, ViewCommand& command);

// Whether key is one of the shift keys, 'x' and 'X', which work only in the
// study view.
bool isShiftKey(int key);

// The mode key that shows mode: '1', '2' or '3'.
char modeKeyOf(DrawMode mode);

// The Escape key's code.
constexpr int ESCAPE_KEY = 27;
// Exit status when the input ends before the first counts were read.
constexpr int EXIT_INPUT_ENDED = 1;
// The shift keys move the profile shift by a tenth, within this many tenths
// either side of zero (-1 to +1).
constexpr int SHIFT_TENTHS_LIMIT = 10;

class Session {
   public:
    Session();

    // The dialogue's opening: title, heading and prompt; asks for a line.
    SessionReply start();
    // One line typed at the dialogue (length bytes of UTF-8, a line feed at
    // its end optional), read by the dialogue's rules. Ignored (Nothing)
    // unless the dialogue is asking.
    SessionReply typedLine(const char* utf8, std::size_t length);
    // The input has ended while the dialogue asks: before the first counts
    // the program ends (status EXIT_INPUT_ENDED); later the pair and the
    // view stay as they were and the keys drive them again.
    SessionReply inputEnded();
    // A key pressed in the window or the page: a character code, or
    // ESCAPE_KEY. Ignored (Nothing) unless running. In the study view 'X'
    // adds a tenth to gear 1's profile shift and 'x' takes one away (gear 2
    // gets the opposite), within SHIFT_TENTHS_LIMIT tenths; each sets the
    // pair up again and then acts as a press of the current mode key. A
    // shift key beyond the limit, or outside the study view, does nothing.
    SessionReply key(int key);
    // The window shows its picture again (shown, exposed, resized): as at
    // every redraw the view moves on (the mesh turns a step), then the frame
    // is drawn. Nothing before the first counts or after the end.
    SessionReply redraw();
    // The same frame drawn again without a mesh step (a resized page).
    // Nothing before the first counts or after the end.
    SessionReply repaint();
    // Presses key count times without drawing, as a replay does: the view
    // ends where count presses leave it. The shift keys apply whether or
    // not the study view is on. Returns the presses that took effect; stops
    // at the first that does not.
    long replayKey(int key, long count);
    // Turns the study view on or off. Running, the same frame is drawn
    // again (no mesh step); while the dialogue asks it only takes effect.
    SessionReply setStudy(bool on);

    // The profile shift the next counts are set up with: gear 1 gets
    // +shift, gear 2 -shift (-1 to 1; 0 at start). The shift keys change it
    // by tenths from the nearest tenth.
    void setShift(double shift);

    SessionPhase phase() const;
    // The pair and the view to draw; meaningful once the first counts are in.
    const GearPair& pair() const;
    const ViewState& view() const;
    // Whether the first counts have been read.
    bool hasPair() const;
    bool study() const;
    // Gear 1's profile shift (gear 2 has the opposite).
    double shift() const;
    // The exact model of the pair and what the study view shows of it.
    const ExactPair& exact() const;
    const PairStudy& pairStudy() const;

   private:
    // The view-changing keys: the change, then the step that the redraw
    // they ask for makes. False for keys that are not view keys.
    bool pressViewKey(int key);
    // A shift key ('x' or 'X'): false, changing nothing, beyond the limit.
    bool pressShiftKey(int key);
    // Sets up the pair of counts z1, z2 at the current shift, classic and exact.
    void setUpPair(int z1, int z2);

    GearPair gearPair_ = GearPair();
    ViewState view_ = ViewState();
    CountReading reading_ = CountReading();
    SessionPhase phase_ = SessionPhase::Asking;
    bool hasPair_ = false;
    // The mode shown before 'z' asked again, restored if the input ends.
    DrawMode modeBeforeDialogue_ = DrawMode::Drive;
    double shift_ = 0.0;
    bool study_ = false;
    ExactPair exact_ = ExactPair();
    PairStudy pairStudy_ = PairStudy();
};

// Draws the session's frame with dc, bounded, as every front end shows it:
// the classic figure, and over it the study view when it is on.
void drawSessionFrame(DrawContext& dc, const Session& session);

}  // namespace gearmesh
