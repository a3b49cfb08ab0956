// The core, event by event, as every front end drives it: what it shows,
// when it draws, and how the view moves.

#include "session/session.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "draw/recorder.h"
#include "tests/support/recording_context.h"

namespace gearmesh {

namespace {

std::vector<ConsoleText> textsOf(const SessionReply& r, TextStream stream) {
    std::vector<ConsoleText> texts;
    for (int i = 0; i < r.textCount; ++i) {
        if (r.texts[i].stream == stream) {
            texts.push_back(r.texts[i].text);
        }
    }
    return texts;
}

SessionReply type(Session& session, const char* line) {
    return session.typedLine(line, std::strlen(line));
}

// A session with the counts read, its window opened and its first frame drawn.
void startWith(Session& session, const char* counts) {
    session.start();
    ASSERT_EQ(type(session, counts).action, SessionAction::OpenWindow);
    ASSERT_EQ(session.redraw().action, SessionAction::DrawFrame);
}

const std::vector<ConsoleText> OPENING(std::begin(DIALOGUE_OPENING), std::end(DIALOGUE_OPENING));
const std::vector<ConsoleText> HELP(std::begin(KEY_HELP), std::end(KEY_HELP));

}  // namespace

TEST(Session, DialogueShowsItsTextsAtTheirMoments) {
    Session session;
    const SessionReply opening = session.start();
    EXPECT_EQ(textsOf(opening, TextStream::Out), OPENING);
    EXPECT_EQ(opening.action, SessionAction::AskLine);

    // One count: the dialogue waits for the second without a prompt.
    const SessionReply first = type(session, "20\n");
    EXPECT_EQ(first.textCount, 0);
    EXPECT_EQ(first.action, SessionAction::AskLine);

    // A bad word drops what was read: the error line, the prompt again.
    const SessionReply bad = type(session, "40x\n");
    EXPECT_EQ(textsOf(bad, TextStream::Err), std::vector<ConsoleText>{ConsoleText::BAD_COUNT});
    EXPECT_EQ(textsOf(bad, TextStream::Out), std::vector<ConsoleText>{ConsoleText::PROMPT});
    EXPECT_EQ(bad.action, SessionAction::AskLine);
    EXPECT_EQ(session.phase(), SessionPhase::Asking);

    const SessionReply done = type(session, "12 30\n");
    EXPECT_EQ(textsOf(done, TextStream::Out), HELP);
    EXPECT_EQ(done.action, SessionAction::OpenWindow);
    EXPECT_EQ(session.pair().gears[0].teeth, 12);
    EXPECT_EQ(session.pair().gears[1].teeth, 30);
    EXPECT_EQ(session.view().drawMode, DrawMode::Drive);

    // Lines are only read while the dialogue asks.
    EXPECT_EQ(type(session, "20 40\n").action, SessionAction::Nothing);
    EXPECT_EQ(session.pair().gears[0].teeth, 12);
}

TEST(Session, NewCountsKeepThePictureUntilTheNextRedraw) {
    Session session;
    startWith(session, "20 40\n");
    session.key('3');
    session.key('W');
    const SessionReply again = session.key('z');
    EXPECT_EQ(textsOf(again, TextStream::Out), OPENING);
    EXPECT_EQ(again.action, SessionAction::AskLine);
    // Keys wait while the dialogue asks.
    EXPECT_EQ(session.key('s').action, SessionAction::Nothing);

    const SessionReply done = type(session, "30 15\n");
    EXPECT_EQ(textsOf(done, TextStream::Out), HELP);
    EXPECT_EQ(done.action, SessionAction::Nothing);
    EXPECT_EQ(session.view().drawMode, DrawMode::Drive);
    EXPECT_EQ(session.view().viewScale, 0.2);
    EXPECT_EQ(session.pair().gears[0].teeth, 30);
}

TEST(Session, InputEndingEndsTheProgramOnlyBeforeTheFirstCounts) {
    Session first;
    first.start();
    type(first, "20\n");
    const SessionReply ended = first.inputEnded();
    EXPECT_EQ(textsOf(ended, TextStream::Err), std::vector<ConsoleText>{ConsoleText::INPUT_ENDED});
    EXPECT_EQ(ended.action, SessionAction::End);
    EXPECT_EQ(ended.exitStatus, EXIT_INPUT_ENDED);

    Session later;
    startWith(later, "20 40\n");
    later.key('3');
    later.key('s');
    const double theta = later.view().theta1;
    later.key('z');
    type(later, "50\n");
    const SessionReply kept = later.inputEnded();
    EXPECT_EQ(kept.action, SessionAction::Nothing);
    EXPECT_EQ(later.phase(), SessionPhase::Running);
    EXPECT_EQ(later.view().drawMode, DrawMode::Mesh);
    EXPECT_EQ(later.pair().gears[0].teeth, 20);
    EXPECT_EQ(later.key('s').action, SessionAction::DrawFrame);
    EXPECT_EQ(later.view().theta1, theta + later.view().angleStep);
}

TEST(Session, KeysDrawOnlyWhenTheyDoSomething) {
    Session session;
    EXPECT_EQ(session.key('3').action, SessionAction::Nothing);
    EXPECT_EQ(session.redraw().action, SessionAction::Nothing);
    startWith(session, "20 40\n");
    for (int key : {'1', '2', '3', 's', 'r', 'R', 'w', 'W'}) {
        EXPECT_EQ(session.key(key).action, SessionAction::DrawFrame) << static_cast<char>(key);
    }
    for (int key : {int{'Z'}, int{'S'}, int{'x'}, int{' '}, int{'4'}, 0, 255, 256, -1}) {
        EXPECT_EQ(session.key(key).action, SessionAction::Nothing) << key;
    }
    const SessionReply quit = session.key(ESCAPE_KEY);
    EXPECT_EQ(quit.action, SessionAction::End);
    EXPECT_EQ(quit.exitStatus, 0);
    EXPECT_EQ(quit.textCount, 0);
    EXPECT_EQ(session.key('s').action, SessionAction::Nothing);
    EXPECT_EQ(session.repaint().action, SessionAction::Nothing);
}

TEST(Session, UnlistedKeysNeitherChangeNorRedraw) {
    Session session;
    startWith(session, "20 40\n");
    session.key('3');
    session.key('s');
    const ViewState before = session.view();
    for (int key : {int{'S'}, int{'Z'}, int{'q'}, int{'0'}, int{'4'}, int{' '}, int{'\r'}, 255}) {
        EXPECT_EQ(session.key(key).action, SessionAction::Nothing) << key;
    }
    const ViewState& after = session.view();
    EXPECT_EQ(after.drawMode, before.drawMode);
    EXPECT_EQ(after.theta1, before.theta1);
    EXPECT_EQ(after.totalAngle1, before.totalAngle1);
    EXPECT_EQ(after.viewScale, before.viewScale);
    EXPECT_EQ(after.rollStep, before.rollStep);
}

TEST(Session, RedrawStepsTheMeshAndRepaintDoesNot) {
    Session session;
    startWith(session, "20 40\n");
    session.key('3');
    const double angle = session.view().totalAngle1;
    EXPECT_EQ(angle, 0.0);
    EXPECT_EQ(session.repaint().action, SessionAction::DrawFrame);
    EXPECT_EQ(session.view().totalAngle1, angle);
    EXPECT_EQ(session.redraw().action, SessionAction::DrawFrame);
    EXPECT_EQ(session.view().totalAngle1, angle + session.view().angleStep);
}

TEST(Session, ReplayLeavesTheViewWherePressesLeaveIt) {
    Session pressed;
    Session replayed;
    startWith(pressed, "12 30\n");
    startWith(replayed, "12 30\n");
    const struct {
        int key;
        long count;
    } presses[] = {{'3', 1}, {'W', 7}, {'R', 1}, {'s', 123}, {'r', 1}, {'s', 45}};
    for (const auto& p : presses) {
        for (long i = 0; i < p.count; ++i) {
            pressed.key(p.key);
        }
        EXPECT_EQ(replayed.replayKey(p.key, p.count), p.count);
    }
    const ViewState& a = pressed.view();
    const ViewState& b = replayed.view();
    EXPECT_EQ(a.drawMode, b.drawMode);
    EXPECT_EQ(a.viewScale, b.viewScale);
    EXPECT_EQ(a.rollStep, b.rollStep);
    EXPECT_EQ(a.theta1, b.theta1);
    EXPECT_EQ(a.totalAngle2, b.totalAngle2);
    ASSERT_EQ(a.contactCount, b.contactCount);
    for (int i = 0; i < a.contactCount; ++i) {
        EXPECT_EQ(a.contactPoints[i].x, b.contactPoints[i].x);
    }
    EXPECT_EQ(replayed.replayKey('q', 5), 0);
    EXPECT_EQ(replayed.replayKey('z', 1), 0);
    EXPECT_EQ(replayed.phase(), SessionPhase::Running);
}

TEST(Session, ShiftKeysWorkInTheStudyViewByWholeTenths) {
    Session session;
    startWith(session, "12 30\n");
    // Outside the study view the shift keys do nothing.
    EXPECT_EQ(session.key('X').action, SessionAction::Nothing);
    EXPECT_EQ(session.shift(), 0.0);

    session.key('3');
    session.key('W');
    session.key('R');
    session.key('s');
    const double scale = session.view().viewScale;
    const double before = session.view().totalAngle1;
    // The toggle draws the same frame again: no step.
    EXPECT_EQ(session.setStudy(true).action, SessionAction::DrawFrame);
    EXPECT_EQ(session.view().totalAngle1, before);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(session.key('X').action, SessionAction::DrawFrame);
    }
    // Exactly the shift that reading "0.3" gives, classic and exact alike.
    EXPECT_EQ(session.shift(), 0.3);
    GearPair expected;
    computeGearPair(expected, 12, 30, 0.3);
    EXPECT_EQ(session.pair().gears[0].shift, 0.3);
    EXPECT_EQ(session.pair().gears[1].shift, -0.3);
    EXPECT_EQ(session.pair().gears[0].flankStartRadius, expected.gears[0].flankStartRadius);
    EXPECT_EQ(session.pair().gears[1].contactLimit, expected.gears[1].contactLimit);
    EXPECT_EQ(session.exact().contactRatio, exactPair(12, 30, 0.3).contactRatio);
    // As the mode key: forward, back at the first step, the zoom kept.
    EXPECT_EQ(session.view().drawMode, DrawMode::Mesh);
    EXPECT_EQ(session.view().totalAngle1, 0.0);
    EXPECT_EQ(session.view().rollStep, session.view().angleStep);
    EXPECT_EQ(session.view().viewScale, scale);

    // Down to -1 and no further: a press beyond does nothing, not even a redraw.
    EXPECT_EQ(session.replayKey('x', 100), 13);
    EXPECT_EQ(session.shift(), -1.0);
    EXPECT_EQ(session.key('x').action, SessionAction::Nothing);
    EXPECT_EQ(session.key('X').action, SessionAction::DrawFrame);
    EXPECT_EQ(session.shift(), -0.9);

    // The shift and the study view stay with new counts.
    session.key('z');
    type(session, "20 40\n");
    EXPECT_TRUE(session.study());
    EXPECT_EQ(session.pair().gears[0].shift, -0.9);
}

TEST(Session, ReplayedShiftKeysApplyWithoutTheStudyView) {
    Session session;
    startWith(session, "20 40\n");
    EXPECT_EQ(session.replayKey('X', 2), 2);
    EXPECT_EQ(session.shift(), 0.2);
    EXPECT_FALSE(session.study());
    // Before the counts the toggle only takes effect.
    Session fresh;
    EXPECT_EQ(fresh.setStudy(true).action, SessionAction::Nothing);
    EXPECT_TRUE(fresh.study());
    // So it does while the dialogue asks again: the picture stays.
    startWith(fresh, "20 40\n");
    fresh.key('3');
    fresh.key('z');
    EXPECT_EQ(fresh.setStudy(false).action, SessionAction::Nothing);
    EXPECT_FALSE(fresh.study());
}

TEST(Session, PairsInContactOverOnePitchAverageTheContactRatio) {
    for (const char* counts : {"20 40\n", "12 12\n", "12 30\n", "149 149\n"}) {
        SCOPED_TRACE(counts);
        Session session;
        startWith(session, counts);
        session.key('3');
        int total = 0;
        double positions[STUDY_CONTACT_CAPACITY];
        for (int k = 0; k < 40; ++k) {
            total += contactsOnPath(session.pairStudy(), session.pair(), session.view().theta1,
                                    positions);
            session.key('s');
        }
        EXPECT_NEAR(total / 40.0, session.pairStudy().contactRatio, 1.0 / 40 + 1e-9);
    }
}

TEST(drawSessionFrame, StudyViewFollowsTheToggleAndTheShiftKeys) {
    // The texts of the frame the session draws now: the shift line is the
    // study legend's last, below the classic five.
    const auto texts = [](const Session& session) {
        RecordingContext frame;
        drawSessionFrame(frame.dc, session);
        std::vector<std::string> found;
        for (int i = 0; i < frame.recorder.recordedTextCount(); ++i) {
            found.push_back(frame.recorder.recordedText(i).text);
        }
        return found;
    };
    Session session;
    startWith(session, "12 30\n");
    EXPECT_EQ(texts(session).size(), 5u);
    session.setStudy(true);
    EXPECT_EQ(texts(session).back(), "profile shift: x1 = +0.00, x2 = +0.00");
    session.key('3');
    EXPECT_EQ(session.replayKey('X', 3), 3);
    // Legend, study legend, the chart's five labels.
    ASSERT_EQ(texts(session).size(), 13u);
    EXPECT_EQ(texts(session)[7], "profile shift: x1 = +0.30, x2 = -0.30");
    for (int i = 0; i < 6; ++i) {
        session.key('x');
    }
    EXPECT_EQ(texts(session)[7], "profile shift: x1 = -0.30, x2 = +0.30");
    session.setStudy(false);
    EXPECT_EQ(texts(session).size(), 5u);
}

}  // namespace gearmesh
