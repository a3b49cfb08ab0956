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
    BadCounts,       // z is not two counts the dialogue accepts
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

// Opens link in session, which has started and not yet read counts: sets
// the shift, types the counts, sets the study view and replays the keys
// without drawing. Returns the answer of the last event: with counts,
// OpenWindow when no key was replayed (the window's first frame, as every
// redraw draws it), else DrawFrame for the frame the last key asks for;
// the frames before it are replayed, not drawn. BadCounts when the
// dialogue refuses the counts; the session is then still asking.
LinkProblem openLink(Session& session, const Link& link, SessionReply& last);

// The keys that took effect since the counts, kept short: what a press
// leaves behind decides what of the earlier presses still matters. A mode
// key or a shift key restarts the mesh, so only the zoom before it and the
// shift stay; the rest is dropped. The log replays to the frame on screen.
class KeyLog {
   public:
    // New counts were entered at this profile shift: the log starts again.
    void countsEntered(double shift);
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
