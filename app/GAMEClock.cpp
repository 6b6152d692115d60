// The game window's chess clock and the endings the players decide: the clock faces, the time
// control, pausing, a fallen flag, resigning and agreeing a draw, and what a timed or ended
// game adds to its record.
#include "GAME.h"

#include "ClientArea.h"
#include "ClockFace.h"
#include "GameClock.h"
#include "MoveGate.h"
#include "TimeControlDialog.h"
#include "UserSettings.h"
#include "board/brdChessboard.h"
#include "board/platform/Platform.h"
#include "engine/ChessEngine.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QTimer>

#include <algorithm>

namespace quorrin {

namespace {

using platform::TwipsToPixelsX;
using platform::TwipsToPixelsY;

// The strip of clock faces to the right of the move lists, in twips; the window grows by its
// width while a game is timed.
constexpr int StripLeft = 9960;
constexpr int StripGrowth = 1740;
constexpr int FaceWidth = 1575;
constexpr int FaceHeight = 1500;
constexpr int TopFace = 120;
constexpr int BottomFace = 6225 - FaceHeight;
constexpr int ClientWidth = 9915;
constexpr int ClientHeight = 6495;

const QString PauseCloser = QStringLiteral("pause");
const QString EndingCloser = QStringLiteral("ended");

void SetTag(std::vector<PgnTag>& tags, const std::string& name, const std::string& value) {
    const auto found =
        std::find_if(tags.begin(), tags.end(), [&](const PgnTag& tag) { return tag.Name == name; });
    if (found != tags.end()) {
        found->Value = value;
    } else {
        tags.push_back({name, value});
    }
}

void RemoveTag(std::vector<PgnTag>& tags, const std::string& name) {
    std::erase_if(tags, [&](const PgnTag& tag) { return tag.Name == name; });
}

// Adds a sentence to a comment.
void Append(std::string& comment, const std::string& text) {
    comment += comment.empty() ? text : " " + text;
}

} // namespace

void GAME::BuildClock() {
    clockWhite_ = new ClockFace(true, client_);
    clockBlack_ = new ClockFace(false, client_);
    boardCover_ = new QLabel(tr("Paused"), client_);
    boardCover_->setObjectName(QStringLiteral("lblPaused"));
    boardCover_->setAccessibleName(tr("The clock is paused"));
    static_cast<QLabel*>(boardCover_)->setAlignment(Qt::AlignCenter);
    boardCover_->setStyleSheet(
        QStringLiteral("background: #303030; color: white; font-size: 28px; font-weight: bold"));
    boardCover_->setGeometry(brdChessboard1_->geometry());
    boardCover_->hide();
    // The face of the side at the top of the board stands at the top.
    const auto placeFaces = [this] {
        const bool whiteBelow = brdChessboard1_->SideView() == 0;
        const QRect top(TwipsToPixelsX(StripLeft), TwipsToPixelsY(TopFace),
                        TwipsToPixelsX(FaceWidth), TwipsToPixelsY(FaceHeight));
        const QRect bottom = top.translated(0, TwipsToPixelsY(BottomFace - TopFace));
        clockWhite_->setGeometry(whiteBelow ? bottom : top);
        clockBlack_->setGeometry(whiteBelow ? top : bottom);
    };
    placeFaces();
    connect(brdChessboard1_, &brdChessboard::SideViewChanged, this, placeFaces);
    UseTimeSource(steadyTime_);
}

void GAME::UseTimeSource(const TimeSource& time) {
    delete clock_;
    clock_ = new GameClock(time, clockWhite_, clockBlack_, this);
    connect(clock_, &GameClock::FlagFell, this, &GAME::clock_FlagFell);
    ClockNewGame();
}

void GAME::BuildClockMenus(QMenu* mnuGame, QMenu* mnuActions) {
    const auto add = [this](QMenu* menu, const QString& caption, const char* name,
                            void (GAME::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mnuActionsResign_ =
        add(mnuActions, tr("Resign"), "mnuActionsResign", &GAME::mnuActionsResign_Click);
    mnuActionsAgreeDraw_ =
        add(mnuActions, tr("Agree Draw"), "mnuActionsAgreeDraw", &GAME::mnuActionsAgreeDraw_Click);
    mnuActionsPause_ =
        add(mnuActions, tr("Pause Clock"), "mnuActionsPause", &GAME::mnuActionsPause_Click);
    mnuActionsPause_->setCheckable(true);
    add(mnuGame, tr("Time Control..."), "mnuGameTimeControl", &GAME::mnuGameTimeControl_Click);
    nextControl_ = SavedTimeControl();
}

void GAME::SetTimeControl(const TimeControl& control) {
    nextControl_ = control;
    if (brdChessboard1_->State().MoveHistory.empty() && !ending_) {
        ClockNewGame();
    }
}

void GAME::mnuGameTimeControl_Click() {
    TimeControlDialog dialog(nextControl_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (const std::optional<TimeControl> chosen = dialog.Chosen()) {
        SaveTimeControl(*chosen);
        SetTimeControl(*chosen);
    }
}

void GAME::ClockNewGame() {
    clock_->Clock().Reset(nextControl_, brdChessboard1_->State().WhitesTurn);
    gate_->Open(PauseCloser);
    boardCover_->hide();
    mnuActionsPause_->setChecked(false);
    ShowClock(nextControl_.Timed());
    clock_->Refresh();
    UpdateClockCommands();
}

void GAME::ShowClock(bool shown) {
    clockWhite_->setVisible(shown);
    clockBlack_->setVisible(shown);
    client_->SetDesignSize(QSize(TwipsToPixelsX(ClientWidth + (shown ? StripGrowth : 0)),
                                 TwipsToPixelsY(ClientHeight)));
    if (layout() != nullptr) {
        layout()->activate();
    }
}

void GAME::ClockMoveMade() {
    ChessClock& clock = clock_->Clock();
    if (!clock.Timed()) {
        return;
    }
    // After Undo or a game taken up from a file, the next move sets the clocks going again.
    if (clock.Paused() && gate_->IsOpen()) {
        clock.Resume();
        mnuActionsPause_->setChecked(false);
    }
    clock.MoveMade();
    clock_->Refresh();
    UpdateClockCommands();
}

void GAME::ClockMoveUndone() {
    ChessClock& clock = clock_->Clock();
    if (!clock.Timed() ||
        clock.RemainingAfterMoves().size() <= brdChessboard1_->State().MoveHistory.size()) {
        return;
    }
    // The times before the undone move, stopped without hiding the board: taking a move back
    // never costs or gives time by accident.
    clock.TakeBack();
    gate_->Open(PauseCloser);
    boardCover_->hide();
    mnuActionsPause_->setChecked(clock.Paused());
    clock_->Refresh();
    UpdateClockCommands();
}

void GAME::mnuActionsPause_Click() {
    ChessClock& clock = clock_->Clock();
    if (mnuActionsPause_->isChecked()) {
        clock.Pause();
        gate_->Close(PauseCloser, tr("The clock is paused."));
        boardCover_->raise();
        boardCover_->show();
    } else {
        clock.Resume();
        gate_->Open(PauseCloser);
        boardCover_->hide();
    }
    clock_->Refresh();
}

QString GAME::MoveRefusal() {
    // A flag is noticed the moment anyone asks to move, whatever the timer has done.
    if (clock_->Clock().Timed()) {
        clock_->Refresh();
    }
    return gate_->Refusal();
}

void GAME::clock_FlagFell(bool bWhite) {
    if (ending_) {
        return;
    }
    const bool drawn = !brdChessboard1_->Engine().CouldCheckmate(!bWhite);
    const QString message =
        bWhite ? (drawn ? tr("White's time is up, but Black cannot checkmate. Draw.")
                        : tr("White's time is up. Black wins."))
               : (drawn ? tr("Black's time is up, but White cannot checkmate. Draw.")
                        : tr("Black's time is up. White wins."));
    EndGame(drawn    ? QStringLiteral("1/2-1/2")
            : bWhite ? QStringLiteral("0-1")
                     : QStringLiteral("1-0"),
            QStringLiteral("time forfeit"),
            bWhite ? QStringLiteral("White's time is up.") : QStringLiteral("Black's time is up."),
            message);
}

void GAME::mnuActionsResign_Click() {
    const bool white = brdChessboard1_->State().WhitesTurn;
    EndGame(white ? QStringLiteral("0-1") : QStringLiteral("1-0"), QStringLiteral("normal"),
            white ? QStringLiteral("White resigns.") : QStringLiteral("Black resigns."),
            white ? tr("White resigns. Black wins.") : tr("Black resigns. White wins."));
}

void GAME::mnuActionsAgreeDraw_Click() {
    EndGame(QStringLiteral("1/2-1/2"), QStringLiteral("normal"), QStringLiteral("Draw agreed."),
            tr("Draw agreed."));
}

void GAME::EndGame(const QString& result, const QString& termination, const QString& comment,
                   const QString& message) {
    ending_ = Ending{result, termination, comment};
    gate_->Close(EndingCloser, tr("The game is over."));
    ChessClock& clock = clock_->Clock();
    if (clock.Timed() && !clock.Paused()) {
        clock.Pause();
    }
    boardCover_->hide();
    gate_->Open(PauseCloser);
    clock_->Refresh();
    UpdateClockCommands();
    UpdateClaimDraw();
    ArchiveGame();
    if (boardBusy_) {
        pendingMessage_ = message;
    } else {
        ShowMessage(message);
    }
}

void GAME::LiftEnding() {
    ending_.reset();
    pendingMessage_.clear();
    gate_->Open(EndingCloser);
    UpdateClockCommands();
}

void GAME::UpdateClockCommands() {
    if (mnuActionsResign_ == nullptr || clock_ == nullptr) {
        return;
    }
    const ChessClock& clock = clock_->Clock();
    const bool inPlay = !ending_ && brdChessboard1_->Engine().Outcome().Kind == OutcomeKind::InPlay;
    mnuActionsResign_->setEnabled(inPlay && !boardBusy_);
    mnuActionsAgreeDraw_->setEnabled(inPlay && !boardBusy_);
    const bool started = !clock.RemainingAfterMoves().empty() || clock.Paused();
    mnuActionsPause_->setEnabled(clock.Timed() && started && inPlay && !boardBusy_);
}

void GAME::AdoptClock(const PgnGame& game) {
    const auto control = [&game](std::string_view name) -> std::optional<SideTimeControl> {
        const std::string_view text = game.Tag(name);
        if (text.empty()) {
            return std::nullopt;
        }
        const ReadResult<SideTimeControl> read = ReadTimeControl(text);
        return read ? std::optional(*read) : std::nullopt;
    };
    const std::optional<SideTimeControl> both = control("TimeControl");
    const std::optional<SideTimeControl> white = control("WhiteTimeControl");
    const std::optional<SideTimeControl> black = control("BlackTimeControl");
    TimeControl taken{white ? *white : both.value_or(SideTimeControl{}),
                      black ? *black : both.value_or(SideTimeControl{})};
    ChessClock& clock = clock_->Clock();
    if (!taken.Timed()) {
        // A game without times goes on without a clock.
        clock.Reset(TimeControl{}, brdChessboard1_->State().WhitesTurn);
        ShowClock(false);
        clock_->Refresh();
        UpdateClockCommands();
        return;
    }
    const std::size_t plies = brdChessboard1_->State().MoveHistory.size();
    std::vector<std::optional<Millis>> afterMoves(plies);
    for (std::size_t ply = 0; ply < plies && ply < comments_.AfterMove.size(); ++ply) {
        if (std::optional<ClockComment> read = ReadClockComment(comments_.AfterMove[ply])) {
            afterMoves[ply] = read->Remaining;
            comments_.AfterMove[ply] = read->Rest;
        }
    }
    clock.Restore(taken, afterMoves, brdChessboard1_->State().StartWhitesTurn);
    mnuActionsPause_->setChecked(clock.Paused());
    ShowClock(true);
    clock_->Refresh();
    UpdateClockCommands();
    // Our own tags are written afresh from the clock.
    for (const char* name : {"TimeControl", "WhiteTimeControl", "BlackTimeControl"}) {
        RemoveTag(tags_, name);
    }
}

void GAME::AddClockRecord(std::vector<PgnTag>& tags, PgnComments& comments) const {
    const ChessClock& clock = clock_->Clock();
    if (clock.Timed()) {
        const TimeControl& control = clock.Control();
        if (control.Handicap()) {
            SetTag(tags, "TimeControl", "?");
            SetTag(tags, "WhiteTimeControl", TimeControlText(control.White));
            SetTag(tags, "BlackTimeControl", TimeControlText(control.Black));
        } else {
            SetTag(tags, "TimeControl", TimeControlText(control.White));
        }
        const std::vector<Millis>& times = clock.RemainingAfterMoves();
        if (comments.AfterMove.size() < times.size()) {
            comments.AfterMove.resize(times.size());
        }
        for (std::size_t ply = 0; ply < times.size(); ++ply) {
            std::string& comment = comments.AfterMove[ply];
            const std::string stamp = "[%clk " + ClockCommentTime(times[ply]) + "]";
            comment = comment.empty() ? stamp : stamp + " " + comment;
        }
    }
    if (ending_) {
        SetTag(tags, "Termination", ending_->Termination.toStdString());
        const std::size_t plies = brdChessboard1_->State().MoveHistory.size();
        if (plies == 0) {
            Append(comments.BeforeFirstMove, ending_->Comment.toStdString());
        } else {
            if (comments.AfterMove.size() < plies) {
                comments.AfterMove.resize(plies);
            }
            Append(comments.AfterMove[plies - 1], ending_->Comment.toStdString());
        }
    }
}

} // namespace quorrin
