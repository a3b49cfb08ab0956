#pragma once

// Links that reopen a picture: the fragment of the page's address,
//
//   z=20,40&keys=3W3s5&study=1&shift=0.3&lang=en
//
// every part optional. z: the two counts as typed; keys: the keys that took
// effect since the counts, each optionally followed by a decimal repeat
// count ("3W3s5" is 3, W three times, s five times; "." separates a count
// from a following digit key, "s5.1"); shift: the profile shift when the
// counts were entered; study: the study view's final state (0 or 1); lang:
// ja or en. Replayed through the core (session/session.h) without drawing
// the frames in between, a link shows the frame the same keys draw.

#include <string>
#include <vector>

#include "session/session.h"

namespace gearmesh {

// Most presses a link may replay.
constexpr long MAX_LINK_PRESSES = 100000;

// One key pressed count times in a row.
struct KeyRun {
    char key;
    long count;
};

// What a link holds. Parts it does not name keep these defaults.
struct Link {
    std::string counts;  // as typed, the two counts separated by a comma; "" for none
    std::vector<KeyRun> keys;
    bool hasShift = false;
    double shift = 0.0;
    bool hasStudy = false;
    bool study = false;
    std::string language;  // "ja", "en" or "" for none
};

// Why a link cannot be read.
enum class LinkProblem {
    None,
    BadCounts,       // z is not two counts, separated by a comma, that the dialogue reads
    UnknownKey,      // keys holds a character that is no key a link replays
    TooManyPresses,  // keys adds up to more than MAX_LINK_PRESSES presses
    BadShift,        // shift is not a number from -1 to 1
    BadStudy,        // study is neither 0 nor 1
    BadLanguage,     // lang is neither ja nor en
    UnknownPart,     // a part other than z, keys, shift, study and lang
};

// Reads fragment (the address after "#", with or without the "#") into
// link; LinkProblem::None when it can be replayed. Percent-escapes are
// decoded. An empty fragment is a link with no parts.
LinkProblem readLink(const std::string& fragment, Link& link);

// The fragment of link (without "#"), in the short form readLink reads:
// parts in the order z, keys, shift, study, lang, those at their defaults
// left out.
std::string linkFragment(const Link& link);

// Opens link, as readLink read it, in session, which has started and not
// yet read counts: sets the shift, types the counts (countsReply is the
// dialogue's answer: its key help, OpenWindow), sets the study view, moves
// the view on as the window's first frame does, and replays every press of
// the keys but the last without drawing. The session's frame is then the
// one before the link's own: draw it, then finishLink, so that the link's
// frame starts from the drawing state it leaves, as in the window. Without
// counts only the shift and the study view are set (countsReply Nothing).
void openLink(Session& session, const Link& link, SessionReply& countsReply);

// The last press of link's keys, after openLink: DrawFrame for the frame
// the link shows, or Nothing when it has no keys (the frame drawn after
// openLink is the link's own).
SessionReply finishLink(Session& session, const Link& link);

// The keys that took effect since the counts, kept short: what a press
// leaves behind decides what of the earlier presses still matters. A mode
// key or a shift key restarts the mesh, so only the zoom before it and the
// shift stay; the rest is dropped. The log replays to the frame on screen.
class KeyLog {
   public:
    // New counts were entered at this profile shift: the log starts again,
    // with the presses a link replayed after them, if any.
    void countsEntered(double shift, const std::vector<KeyRun>& replayed = {});
    // key took effect; session is the core after it.
    void pressed(char key, const Session& session);
    // The link to what the session shows now (counts as "Z1,Z2").
    Link link(const Session& session) const;

   private:
    double shift_ = 0.0;
    // Zoom presses before the last restart, and the presses since it (the
    // restarting key first).
    std::vector<KeyRun> zoom_;
    std::vector<KeyRun> sinceRestart_;
};

}  // namespace gearmesh
