#include "session/link.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dialogue/count_reading.h"

namespace gearmesh {

namespace {

// The keys a link replays, the view keys and the shift keys; 'z' and
// Escape never are.
bool isLinkKey(char c) {
    ViewCommand command;
    return viewCommandOfKey(c, command) || isShiftKey(c);
}

// Whether key is a mode key, which restarts the mesh.
bool isModeKey(char key) {
    ViewCommand command;
    return viewCommandOfKey(key, command) &&
           (command == ViewCommand::ShowDrive || command == ViewCommand::ShowDriven ||
            command == ViewCommand::ShowMesh);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The text of a part with its percent-escapes decoded ("%2C" is a comma).
std::string decoded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

LinkProblem readKeys(const std::string& text, std::vector<KeyRun>& keys) {
    long presses = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '.' && i > 0 && i + 1 < text.size() && isDigit(text[i + 1])) {
            ++i;  // separates a count, or a digit key, from the digit key after it
            continue;
        }
        const char key = text[i];
        if (!isLinkKey(key)) {
            return LinkProblem::UnknownKey;
        }
        ++i;
        long count = 1;
        if (i < text.size() && isDigit(text[i])) {
            count = 0;
            while (i < text.size() && isDigit(text[i])) {
                count = count * 10 + (text[i] - '0');
                if (count > MAX_LINK_PRESSES) {
                    return LinkProblem::TooManyPresses;
                }
                ++i;
            }
        }
        presses += count;
        if (presses > MAX_LINK_PRESSES) {
            return LinkProblem::TooManyPresses;
        }
        if (count > 0) {
            keys.push_back(KeyRun{key, count});
        }
    }
    return LinkProblem::None;
}

bool readShift(const std::string& text, double& shift) {
    if (text.empty() || text.size() > 32) {
        return false;
    }
    for (const char c : text) {
        if (!(isDigit(c) || c == '.' || c == '-' || c == '+')) {
            return false;  // no blanks, exponents, "inf" or "nan"
        }
    }
    char* end = nullptr;
    errno = 0;
    shift = std::strtod(text.c_str(), &end);
    return *end == '\0' && errno == 0 && std::fabs(shift) <= 1.0;
}

// The line the dialogue reads for the counts of z: the comma as a space.
std::string countsLine(const std::string& counts) {
    std::string line = counts;
    line[line.find(',')] = ' ';
    return line;
}

// The two counts of z, separated by a comma, read by the dialogue's own rules.
bool readCounts(const std::string& text, std::string& counts) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos) {
        return false;
    }
    const std::string line = countsLine(text);
    CountReading reading{};
    if (readCountLine(reading, line.data(), line.size()) != LineResult::COMPLETE) {
        return false;
    }
    counts = text;
    return true;
}

void addRun(std::vector<KeyRun>& runs, char key, long count) {
    if (!runs.empty() && runs.back().key == key) {
        runs.back().count += count;
    } else {
        runs.push_back(KeyRun{key, count});
    }
}

bool isZoomKey(char key) {
    return key == 'w' || key == 'W';
}

// A shift as the shortest decimal that reads back to the same double, in
// plain notation, as readShift reads it (no exponent). A shift read from a
// link was written in at most 32 characters, so one is found.
std::string shiftText(double shift) {
    char text[64];
    for (int decimals = 0; decimals <= 40; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, shift + 0.0);
        if (std::strtod(text, nullptr) == shift) {
            break;
        }
    }
    return text;
}

}  // namespace

LinkProblem readLink(const std::string& fragment, Link& link) {
    link = Link{};
    std::string rest = !fragment.empty() && fragment[0] == '#' ? fragment.substr(1) : fragment;
    while (!rest.empty()) {
        const std::size_t amp = rest.find('&');
        const std::string part = rest.substr(0, amp);
        rest = amp == std::string::npos ? "" : rest.substr(amp + 1);
        if (part.empty()) {
            continue;
        }
        const std::size_t equals = part.find('=');
        const std::string name = part.substr(0, equals);
        const std::string value =
            equals == std::string::npos ? "" : decoded(part.substr(equals + 1));
        if (name == "z") {
            if (!readCounts(value, link.counts)) {
                return LinkProblem::BadCounts;
            }
        } else if (name == "keys") {
            link.keys.clear();
            const LinkProblem problem = readKeys(value, link.keys);
            if (problem != LinkProblem::None) {
                return problem;
            }
        } else if (name == "shift") {
            link.hasShift = readShift(value, link.shift);
            if (!link.hasShift) {
                return LinkProblem::BadShift;
            }
        } else if (name == "study") {
            if (value != "0" && value != "1") {
                return LinkProblem::BadStudy;
            }
            link.hasStudy = true;
            link.study = value == "1";
        } else if (name == "lang") {
            Language language;
            if (!languageOfCode(value.c_str(), language)) {
                return LinkProblem::BadLanguage;
            }
            link.language = value;
        } else {
            return LinkProblem::UnknownPart;
        }
    }
    return LinkProblem::None;
}

std::string linkFragment(const Link& link) {
    std::string parts;
    const auto add = [&parts](const std::string& part) {
        parts += (parts.empty() ? "" : "&") + part;
    };
    if (!link.counts.empty()) {
        add("z=" + link.counts);
    }
    if (!link.keys.empty()) {
        std::string keys;
        for (const KeyRun& run : link.keys) {
            // A digit key right after another key would read as its count.
            if (!keys.empty() && isDigit(run.key)) {
                keys += '.';
            }
            keys += run.key;
            if (run.count != 1) {
                keys += std::to_string(run.count);
            }
        }
        add("keys=" + keys);
    }
    if (link.hasShift && link.shift != 0.0) {
        add("shift=" + shiftText(link.shift));
    }
    if (link.hasStudy && link.study) {
        add("study=1");
    }
    if (!link.language.empty()) {
        add("lang=" + link.language);
    }
    return parts;
}

void openLink(Session& session, const Link& link, SessionReply& countsReply) {
    countsReply = SessionReply{};
    if (link.hasShift) {
        session.setShift(link.shift);
    }
    if (link.counts.empty()) {
        if (link.hasStudy) {
            session.setStudy(link.study);
        }
        return;
    }
    const std::string line = countsLine(link.counts);
    countsReply = session.typedLine(line.data(), line.size());
    if (link.hasStudy) {
        // The toggle changes no view: where it comes among the presses does not matter.
        session.setStudy(link.study);
    }
    session.redraw();
    for (std::size_t i = 0; i < link.keys.size(); ++i) {
        const bool last = i + 1 == link.keys.size();
        session.replayKey(link.keys[i].key, last ? link.keys[i].count - 1 : link.keys[i].count);
    }
}

SessionReply finishLink(Session& session, const Link& link) {
    SessionReply reply{};
    if (!link.keys.empty() && session.hasPair() &&
        session.replayKey(link.keys.back().key, 1) == 1) {
        reply.action = SessionAction::DrawFrame;
    }
    return reply;
}

void KeyLog::countsEntered(double shift, const std::vector<KeyRun>& replayed) {
    shift_ = shift;
    zoom_.clear();
    sinceRestart_ = replayed;
}

void KeyLog::pressed(char key, const Session& session) {
    const bool modeKey = isModeKey(key);
    const bool shiftKey = isShiftKey(key);
    if (!modeKey && !shiftKey) {
        addRun(sinceRestart_, key, 1);
        return;
    }
    // A restart: of what came before, only the zoom and the shift remain.
    for (const KeyRun& run : sinceRestart_) {
        if (isZoomKey(run.key)) {
            addRun(zoom_, run.key, run.count);
        }
    }
    sinceRestart_.clear();
    // Counts entered at the shift of now, then the mode key, give the same
    // pair and view, whatever shift keys came before.
    shift_ = session.shift();
    if (shiftKey) {
        key = modeKeyOf(session.view().drawMode);
    }
    sinceRestart_.push_back(KeyRun{key, 1});
}

Link KeyLog::link(const Session& session) const {
    Link link;
    if (!session.hasPair()) {
        return link;
    }
    link.counts = std::to_string(session.pair().gears[0].teeth) + "," +
                  std::to_string(session.pair().gears[1].teeth);
    link.keys = zoom_;
    for (const KeyRun& run : sinceRestart_) {
        addRun(link.keys, run.key, run.count);
    }
    link.hasShift = shift_ != 0.0;
    link.shift = shift_;
    link.hasStudy = session.study();
    link.study = session.study();
    return link;
}

}  // namespace gearmesh
