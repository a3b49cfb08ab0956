#include "session/session.h"

#include <cmath>

#include "draw/frame.h"
#include "scene/display.h"
#include "scene/study_figure.h"
#include "scene/view_commands.h"

namespace gearmesh {

namespace {

SessionReply reply(SessionAction action) {
    SessionReply r{};
    r.action = action;
    return r;
}

void addText(SessionReply& r, ConsoleText text, TextStream stream) {
    if (r.textCount < SESSION_REPLY_TEXTS) {
        r.texts[r.textCount] = SessionText{text, stream};
        ++r.textCount;
    }
}

template <std::size_t N>
void addTexts(SessionReply& r, const ConsoleText (&texts)[N]) {
    for (const ConsoleText text : texts) {
        addText(r, text, TextStream::Out);
    }
}

}  // namespace

bool viewCommandOfKey(int key, ViewCommand& command) {
    switch (key) {
    case '1':
        command = ViewCommand::ShowDrive;
        return true;
    case '2':
        command = ViewCommand::ShowDriven;
        return true;
    case '3':
        command = ViewCommand::ShowMesh;
        return true;
    case 'w':
        command = ViewCommand::ZoomOut;
        return true;
    case 'W':
        command = ViewCommand::ZoomIn;
        return true;
    case 'r':
        command = ViewCommand::Forward;
        return true;
    case 'R':
        command = ViewCommand::Reverse;
        return true;
    case 's':
        command = ViewCommand::Step;
        return true;
    default:
        return false;
    }
}

bool isShiftKey(int key) {
    return key == 'x' || key == 'X';
}

char modeKeyOf(DrawMode mode) {
    switch (mode) {
    case DrawMode::Drive:
        return '1';
    case DrawMode::Driven:
        return '2';
    case DrawMode::Mesh:
        break;
    }
    return '3';
}

Session::Session() {
    // The window opens on the drive gear.
    view_.drawMode = DrawMode::Drive;
}

SessionReply Session::start() {
    phase_ = SessionPhase::Asking;
    reading_ = CountReading{};
    SessionReply r = reply(SessionAction::AskLine);
    addTexts(r, DIALOGUE_OPENING);
    return r;
}

SessionReply Session::typedLine(const char* utf8, std::size_t length) {
    if (phase_ != SessionPhase::Asking) {
        return reply(SessionAction::Nothing);
    }
    switch (readCountLine(reading_, utf8, length)) {
    case LineResult::MORE:
        return reply(SessionAction::AskLine);
    case LineResult::BAD_COUNT: {
        SessionReply r = reply(SessionAction::AskLine);
        addText(r, ConsoleText::BAD_COUNT, TextStream::Err);
        addText(r, ConsoleText::PROMPT, TextStream::Out);
        return r;
    }
    case LineResult::COMPLETE:
        break;
    }
    setUpPair(reading_.counts[0], reading_.counts[1]);
    resetView(view_, gearPair_);
    phase_ = SessionPhase::Running;
    // The window draws its first frame when it opens; after 'z' it keeps its
    // picture until the next redraw.
    SessionReply r = reply(hasPair_ ? SessionAction::Nothing : SessionAction::OpenWindow);
    hasPair_ = true;
    addTexts(r, KEY_HELP);
    return r;
}

SessionReply Session::inputEnded() {
    if (phase_ != SessionPhase::Asking) {
        return reply(SessionAction::Nothing);
    }
    SessionReply r = reply(SessionAction::Nothing);
    addText(r, ConsoleText::INPUT_ENDED, TextStream::Err);
    if (!hasPair_) {
        phase_ = SessionPhase::Ended;
        r.action = SessionAction::End;
        r.exitStatus = EXIT_INPUT_ENDED;
        return r;
    }
    // The pair and the view stay as they were before 'z'.
    view_.drawMode = modeBeforeDialogue_;
    phase_ = SessionPhase::Running;
    return r;
}

SessionReply Session::key(int key) {
    if (phase_ != SessionPhase::Running) {
        return reply(SessionAction::Nothing);
    }
    if (key == 'z') {
        // The dialogue asks again; the picture stays until the next redraw.
        modeBeforeDialogue_ = view_.drawMode;
        view_.drawMode = DrawMode::Drive;
        return start();
    }
    if (key == ESCAPE_KEY) {
        phase_ = SessionPhase::Ended;
        SessionReply r = reply(SessionAction::End);
        r.exitStatus = 0;
        return r;
    }
    if (isShiftKey(key)) {
        const bool pressed = study_ && pressShiftKey(key);
        return reply(pressed ? SessionAction::DrawFrame : SessionAction::Nothing);
    }
    // Unlisted keys do nothing, not even a redraw.
    return reply(pressViewKey(key) ? SessionAction::DrawFrame : SessionAction::Nothing);
}

SessionReply Session::redraw() {
    if (!hasPair_ || phase_ == SessionPhase::Ended) {
        return reply(SessionAction::Nothing);
    }
    advanceView(view_, gearPair_);
    return reply(SessionAction::DrawFrame);
}

SessionReply Session::repaint() {
    if (!hasPair_ || phase_ == SessionPhase::Ended) {
        return reply(SessionAction::Nothing);
    }
    return reply(SessionAction::DrawFrame);
}

long Session::replayKey(int key, long count) {
    if (phase_ != SessionPhase::Running) {
        return 0;
    }
    const bool shiftKey = isShiftKey(key);
    long done = 0;
    while (done < count && (shiftKey ? pressShiftKey(key) : pressViewKey(key))) {
        ++done;
    }
    return done;
}

SessionReply Session::setStudy(bool on) {
    study_ = on;
    // While the dialogue asks after 'z' the picture stays as it is.
    return phase_ == SessionPhase::Running ? repaint() : reply(SessionAction::Nothing);
}

bool Session::pressShiftKey(int key) {
    const int tenths = static_cast<int>(std::lround(shift_ * 10.0)) + (key == 'X' ? 1 : -1);
    if (tenths < -SHIFT_TENTHS_LIMIT || tenths > SHIFT_TENTHS_LIMIT) {
        return false;
    }
    // Whole tenths: three presses from zero give the double that "0.3" reads as.
    shift_ = tenths / 10.0;
    setUpPair(gearPair_.gears[0].teeth, gearPair_.gears[1].teeth);
    // Then as a press of the current mode key: forward, from the first step, zoom kept.
    return pressViewKey(modeKeyOf(view_.drawMode));
}

void Session::setUpPair(int z1, int z2) {
    computeGearPair(gearPair_, z1, z2, shift_);
    exact_ = exactPair(z1, z2, shift_);
    pairStudy_ = studyOf(exact_);
}

bool Session::pressViewKey(int key) {
    ViewCommand command;
    if (!viewCommandOfKey(key, command)) {
        return false;
    }
    applyViewCommand(view_, command);
    advanceView(view_, gearPair_);
    return true;
}

void Session::setShift(double shift) {
    shift_ = shift;
}

SessionPhase Session::phase() const {
    return phase_;
}

const GearPair& Session::pair() const {
    return gearPair_;
}

const ViewState& Session::view() const {
    return view_;
}

bool Session::hasPair() const {
    return hasPair_;
}

bool Session::study() const {
    return study_;
}

double Session::shift() const {
    return shift_;
}

const ExactPair& Session::exact() const {
    return exact_;
}

const PairStudy& Session::pairStudy() const {
    return pairStudy_;
}

void drawSessionFrame(DrawContext& dc, const Session& session) {
    beginFrame(dc, FrameDrawing::Bounded);
    drawFigure(dc, session.pair(), session.view());
    if (session.study()) {
        drawStudyFigure(dc, session.pair(), session.view(), session.exact(), session.pairStudy());
    }
    endFrame(dc);
}

}  // namespace gearmesh
