// Links that reopen a picture: what they read, what they write, and that a
// session opened from the link a session writes stands where it stood.

#include "session/link.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace gearmesh {

namespace {

SessionReply type(Session& session, const char* line) {
    return session.typedLine(line, std::strlen(line));
}

// A session as the page runs it: counts in, first frame drawn, every key
// that took effect written to the log.
struct LoggedSession {
    Session session;
    KeyLog log;

    LoggedSession(const char* counts, double shift, bool study) {
        session.setShift(shift);
        session.setStudy(study);
        session.start();
        type(session, counts);
        session.redraw();
        log.countsEntered(session.shift());
    }

    void press(char key) {
        if (session.key(key).action == SessionAction::DrawFrame) {
            log.pressed(key, session);
        }
    }
};

void expectSameFrame(const Session& a, const Session& b) {
    EXPECT_EQ(a.shift(), b.shift());
    EXPECT_EQ(a.study(), b.study());
    EXPECT_EQ(a.pair().gears[0].teeth, b.pair().gears[0].teeth);
    EXPECT_EQ(a.pair().gears[1].flankStartRadius, b.pair().gears[1].flankStartRadius);
    const ViewState& v = a.view();
    const ViewState& w = b.view();
    EXPECT_EQ(v.drawMode, w.drawMode);
    EXPECT_EQ(v.viewScale, w.viewScale);
    EXPECT_EQ(v.rollStep, w.rollStep);
    // The single-gear views draw no turn: what an earlier mesh left in the
    // view does not show.
    if (v.drawMode == DrawMode::Mesh) {
        EXPECT_EQ(v.theta1, w.theta1);
        EXPECT_EQ(v.theta2, w.theta2);
        EXPECT_EQ(v.totalAngle1, w.totalAngle1);
        EXPECT_EQ(v.totalAngle2, w.totalAngle2);
        EXPECT_EQ(v.contactCount, w.contactCount);
    }
}

}  // namespace

TEST(readLink, ReadsEveryPart) {
    Link link;
    ASSERT_EQ(readLink("#z=20,40&keys=3W3s5&study=1&lang=en", link), LinkProblem::None);
    EXPECT_EQ(link.counts, "20,40");
    ASSERT_EQ(link.keys.size(), 3u);
    EXPECT_EQ(link.keys[0].key, '3');
    EXPECT_EQ(link.keys[0].count, 1);
    EXPECT_EQ(link.keys[1].key, 'W');
    EXPECT_EQ(link.keys[1].count, 3);
    EXPECT_EQ(link.keys[2].key, 's');
    EXPECT_EQ(link.keys[2].count, 5);
    EXPECT_TRUE(link.study);
    EXPECT_EQ(link.language, "en");

    // "." separates a count from a following digit key.
    ASSERT_EQ(readLink("keys=s5.1&shift=-0.3", link), LinkProblem::None);
    ASSERT_EQ(link.keys.size(), 2u);
    EXPECT_EQ(link.keys[1].key, '1');
    EXPECT_EQ(link.shift, -0.3);
    ASSERT_EQ(readLink("z=12%2C30", link), LinkProblem::None);
    EXPECT_EQ(link.counts, "12,30");
    ASSERT_EQ(readLink("", link), LinkProblem::None);
    EXPECT_TRUE(link.counts.empty());
}

TEST(linkFragment, WritesAShiftThatReadsBackToTheSameDouble) {
    // Plain notation however small (readLink takes no exponent), nothing more
    // than it needs, and every shift a link may hold survives the round trip.
    for (const char* text : {"0.3", "-1", "0.00001", "-0.0000000000000000000000000001",
                             "0.12345678901234567", "0.999999999999999999"}) {
        Link link;
        ASSERT_EQ(readLink(std::string("shift=") + text, link), LinkProblem::None) << text;
        const std::string fragment = linkFragment(link);
        EXPECT_EQ(fragment.find('e'), std::string::npos) << fragment;
        Link again;
        ASSERT_EQ(readLink(fragment, again), LinkProblem::None) << fragment;
        EXPECT_EQ(again.shift, link.shift) << fragment;
    }
    Link link;
    ASSERT_EQ(readLink("shift=0.30", link), LinkProblem::None);
    EXPECT_EQ(linkFragment(link), "shift=0.3");
    ASSERT_EQ(readLink("shift=1", link), LinkProblem::None);
    EXPECT_EQ(linkFragment(link), "shift=1");
}

TEST(readLink, RefusesWhatItCannotReplay) {
    Link link;
    EXPECT_EQ(readLink("z=20", link), LinkProblem::BadCounts);
    EXPECT_EQ(readLink("z=20,40,60", link), LinkProblem::BadCounts);
    EXPECT_EQ(readLink("keys=3z", link), LinkProblem::UnknownKey);
    EXPECT_EQ(readLink("keys=3%1B", link), LinkProblem::UnknownKey);
    EXPECT_EQ(readLink("keys=s100001", link), LinkProblem::TooManyPresses);
    EXPECT_EQ(readLink("keys=s60000W40001", link), LinkProblem::TooManyPresses);
    EXPECT_EQ(readLink("keys=s99999999999999999999", link), LinkProblem::TooManyPresses);
    EXPECT_EQ(readLink("keys=s60000W40000", link), LinkProblem::None);
    EXPECT_EQ(readLink("shift=1.1", link), LinkProblem::BadShift);
    EXPECT_EQ(readLink("shift=nan", link), LinkProblem::BadShift);
    EXPECT_EQ(readLink("study=2", link), LinkProblem::BadStudy);
    EXPECT_EQ(readLink("lang=de", link), LinkProblem::BadLanguage);
    EXPECT_EQ(readLink("zoom=3", link), LinkProblem::UnknownPart);

    // Counts are judged by the dialogue's own rules.
    EXPECT_EQ(readLink("z=0,40", link), LinkProblem::BadCounts);
    EXPECT_EQ(readLink("z=20,150", link), LinkProblem::BadCounts);
    EXPECT_EQ(readLink("z=20,4O", link), LinkProblem::BadCounts);
    EXPECT_EQ(readLink("z=%EF%BC%92%EF%BC%90,40", link), LinkProblem::None);  // full-width 20
}

TEST(openLink, ShowsTheFrameTheSameKeysDraw) {
    Link link;
    ASSERT_EQ(readLink("z=20,40&keys=3W3s5", link), LinkProblem::None);
    Session opened;
    opened.start();
    SessionReply counts;
    openLink(opened, link, counts);
    EXPECT_EQ(counts.action, SessionAction::OpenWindow);
    EXPECT_EQ(finishLink(opened, link).action, SessionAction::DrawFrame);

    LoggedSession pressed("20 40\n", 0.0, false);
    for (const char key : std::string("3WWWsssss")) {
        pressed.press(key);
    }
    expectSameFrame(opened, pressed.session);

    // Counts alone: the window's first frame.
    ASSERT_EQ(readLink("z=12,30&study=1&shift=0.3", link), LinkProblem::None);
    Session first;
    first.start();
    openLink(first, link, counts);
    EXPECT_EQ(counts.action, SessionAction::OpenWindow);
    EXPECT_EQ(finishLink(first, link).action, SessionAction::Nothing);
    EXPECT_TRUE(first.study());
    EXPECT_EQ(first.pair().gears[0].shift, 0.3);
}

TEST(KeyLog, ItsLinkReopensThePictureOnScreen) {
    // Random presses, the study view on so that the shift keys work: the
    // log's short link, written and read back, replays to the same frame.
    std::mt19937 random(2026);
    const char keys[] = "123srRwWxXsss";
    for (int trial = 0; trial < 40; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        LoggedSession pressed(trial % 2 == 0 ? "12 30\n" : "20 40\n", trial % 3 == 0 ? 0.2 : 0.0,
                              true);
        const int presses = 1 + static_cast<int>(random() % 300);
        for (int i = 0; i < presses; ++i) {
            pressed.press(keys[random() % (sizeof keys - 1)]);
        }
        Link link = pressed.log.link(pressed.session);
        const std::string fragment = linkFragment(link);
        Link read;
        ASSERT_EQ(readLink(fragment, read), LinkProblem::None) << fragment;
        EXPECT_EQ(linkFragment(read), fragment);
        Session opened;
        opened.start();
        SessionReply counts;
        openLink(opened, read, counts);
        finishLink(opened, read);
        expectSameFrame(opened, pressed.session);
    }
}

TEST(KeyLog, KeepsOnlyWhatStillMatters) {
    LoggedSession pressed("20 40\n", 0.0, true);
    for (const char key : std::string("3RssWw2sssW3ss")) {
        pressed.press(key);
    }
    EXPECT_EQ(linkFragment(pressed.log.link(pressed.session)), "z=20,40&keys=WwW.3s2&study=1");
    // A shift key restarts the mesh at the new shift.
    pressed.press('X');
    pressed.press('s');
    EXPECT_EQ(linkFragment(pressed.log.link(pressed.session)),
              "z=20,40&keys=WwW.3s&shift=0.1&study=1");
}

}  // namespace gearmesh
