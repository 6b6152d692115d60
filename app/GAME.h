// The game window: one board, a move list per side, the game's menus, and the answers to the
// board's events (list entries, message boxes, sounds and the promotion pop-up).
#pragma once

#include "engine/Pgn.h"
#include "engine/PgnListing.h"
#include "engine/clock/ChessClock.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class QAction;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;

namespace quorrin {

class ChessEngine;
class ClientArea;
class ClockFace;
class GameClock;
class MoveGate;
class SoundPlayer;
class brdChessboard;
class frmAbout;
class GameArchive;
struct ListedText;

class GAME final : public QMainWindow {
    Q_OBJECT

public:
    // The window's saved state, compiled into the program: the board's six properties, and
    // the window's own options under "GAME/" (TurnBoardAfterEachMove, off when absent).
    static inline const QString SavedStatePath = QStringLiteral(":/state/GAME.ini");

    // Builds the window and its board, lets the board read its saved properties from the INI
    // file at statePath, then runs the load handler. Sounds go to sounds, which must outlive
    // the window.
    explicit GAME(SoundPlayer& sounds, const QString& statePath = SavedStatePath,
                  QWidget* parent = nullptr);
    ~GAME() override;

    // The control of this run's games from the next new game on (at once when no move has been
    // made), without keeping it in the player's settings: the command line's --time-control.
    void SetTimeControl(const TimeControl& control);
    // The clock reads time from time (which must outlive the window) instead of the system's
    // monotonic clock; the game starts afresh. For tests that drive time by hand.
    void UseTimeSource(const TimeSource& time);

    // Keeps the game as it stands in the archive of games played (GAMEArchive.cpp); the window
    // calls it after every move, undo, ending and game loaded.
    void ArchiveGame();
    // Brings back the game a run that ended without quitting (a crash, a kill) left in the
    // archive, and says so; false when there was none. main calls it once the window is shown,
    // unless the command line names a game to open: the interrupted one then stays in Recent
    // Games.
    bool RecoverInterruptedGame();
    // Opens the game (PGN) or position (a FEN line) in the file at path, as Record > Open
    // Game... does: a file that cannot be read, or holds no game, leaves the game as it was and
    // says why in a message box.
    void OpenFile(const QString& path);
    // The most bytes a game file or a pasted text may hold (LargestPgnText unless tests set
    // another).
    void SetLargestGameText(std::uint64_t bytes) { largestGameText_ = bytes; }

private:
    void BuildClientArea();
    void BuildMenus();
    void ConnectBoard();

    void Form_Load();

    void mnuGameNew_Click();
    // The players' names (GAMEPlayers.cpp): kept for the next game, and this game's too.
    void mnuGamePlayers_Click();
    void mnuBoardView_Click();
    void mnuBoardLock_Click();
    void mnuBoardHighlight_Click();
    void mnuBoardCoordinates_Click();
    void mnuBoardLegalMoves_Click();
    // With "Turn Board After Each Move" checked, shows the side to move at the bottom.
    void TurnToSideToMove(bool whiteToMove);
    void mnuActionsUndo_Click();
    void mnuFileQuit_Click();
    void mnuaboutchess_Click();
    void cmdMovePiece_Click();
    void cmdTestStalemate_Click();

    void brdChessboard1_PieceMovement(bool bWhite, const QString& sFrom, const QString& sTo);
    void brdChessboard1_KingInCheck(bool bWhite, bool bCheckmate);
    void brdChessboard1_PawnPromotion(bool bWhite, int& eChoice);
    void brdChessboard1_Stalemate();
    void brdChessboard1_MoveUndo(bool bWhite);
    void brdChessboard1_Draw(DrawReason eReason);
    // A whole game came to the board at once: its moves fill the lists.
    void brdChessboard1_GameLoaded();
    // While a move is being made (in its pop-up, message box or sound), nothing else may
    // change the game.
    void brdChessboard1_BusyChanged(bool bBusy);

    // Keeping and sharing games (GAMERecord.cpp): the "Record" menu after "Game", and
    // "Claim Draw" at the end of "Actions".
    void BuildRecordMenu(QMenuBar* bar);
    void mnuRecordOpen_Click();
    // Save Game writes to the game's file, when it has one, and else asks as Save Game As.
    void mnuRecordSave_Click();
    void mnuRecordSaveAs_Click();
    // Writes the game to the file at path, a link to one, or a new file; refuses anything else
    // (a folder, a device, a FIFO) and says why. The game's file from then on.
    void SaveGameTo(const QString& path);
    void mnuRecordCopyGame_Click();
    void mnuRecordCopyPosition_Click();
    void mnuRecordPaste_Click();
    void mnuRecordEnterMove_Click();
    void mnuActionsClaimDraw_Click();
    // The game as PGN, with the tags of a loaded game, else the players' names and today's date.
    QString GameText() const;
    // Loads the game (PGN) or position (FEN) in text; shows why when it cannot, leaving the
    // game on the board as it was. A list of several games to pick from has the title given.
    void LoadText(const QByteArray& text);
    void LoadText(std::string text, const QString& title);
    // Loads a game of game's text listed: the only one that can be read, or the one the player
    // picks from a list of that title; nothing when cancelled, and why when none can be.
    void LoadListedGame(const ListedText& game, const QString& title);
    // A list of rows to choose one from, in a dialog of that name and title; nullopt when
    // cancelled.
    std::optional<std::size_t> PickRow(const char* name, const QString& title,
                                       const QStringList& rows, int width);
    // Puts a game played elsewhere on the board with its tags and comments, then shows the one
    // message its last move deserves.
    void AdoptGame(const ChessEngine& played, const PgnGame& game);
    // Makes a move through the gate: refused silently while the gate is closed.
    bool PlayMove(const Move& move);
    // A new game began: the record's own state starts afresh.
    void RecordNewGame();
    // Enables "Claim Draw" while a claim is open; forgets a claim whose move was taken back.
    // Called whenever the position or the game's ending changes.
    void UpdateClaimDraw();
    // The draw that may be claimed now: none once the game is drawn, decided or claimed.
    std::optional<DrawReason> OpenClaim() const;

    // The chess clock and the endings the players decide (GAMEClock.cpp): "Time Control..." in
    // "Game", and "Resign", "Agree Draw" and "Pause Clock" at the end of "Actions".
    void BuildClock();
    void BuildClockMenus(QMenu* mnuGame, QMenu* mnuActions);
    void mnuGameTimeControl_Click();
    void mnuActionsResign_Click();
    void mnuActionsAgreeDraw_Click();
    void mnuActionsPause_Click();
    // A new game on the board: the clock starts afresh under the control chosen.
    void ClockNewGame();
    // The move the board is making was accepted: the clocks switch.
    void ClockMoveMade();
    // The last move was taken back: the clocks show what they showed before it, stopped.
    void ClockMoveUndone();
    // What moves the gate lets through now; a flag that has fallen by now closes it first.
    QString MoveRefusal();
    void clock_FlagFell(bool bWhite);
    // Ends the game as the players or the clock decided: result ("1-0", "0-1", "1/2-1/2"),
    // the Termination tag's value, a comment after the last move saying how, and the message
    // shown (not shown while a move is still being made: it follows when the move is done).
    void EndGame(const QString& result, const QString& termination, const QString& comment,
                 const QString& message);
    // A new game, a loaded one or Undo lifts an ending.
    void LiftEnding();
    void ShowClock(bool shown);
    void UpdateClockCommands();
    // The loaded game's time control and clock comments, when it has them: the clock takes
    // them up, paused. The comments keep the rest of their text.
    void AdoptClock(const PgnGame& game);
    // The tags and comments a timed or ended game adds to those it was loaded with.
    void AddClockRecord(std::vector<PgnTag>& tags, PgnComments& comments) const;

    // Looking back and making moves again (GAMEReview.cpp): "Redo Move" after "Undo Last
    // Move", the "Review" submenu at the end of "Actions", and the move lists' entries.
    void BuildReviewMenus(QMenu* mnuActions);
    // Shows the position after plies moves; nullopt, or the game's length, the game itself.
    void Browse(std::optional<std::size_t> plies);
    // Back to the game from an earlier position shown, before a command that changes the game.
    void ReturnToGame();
    // The window follows the board: caption, gate, clock and the mark in the lists.
    void ReviewChanged();
    void MarkShownMove(std::optional<std::size_t> shown);
    void UpdateReviewCommands();
    void mnuActionsRedo_Click();
    void mnuReviewContinue_Click();

    // Plays a sound file from the program's folder and returns when it has finished.
    void PlaySound(const QString& fileName);
    // A modal box with the text, an OK button, no icon and the title "Quorrin".
    void ShowMessage(const QString& text);
    // "White checkmated", "Black king in check".
    static QString CheckMessage(bool bWhite, bool bCheckmate);
    void ClearMoveLists();

    SoundPlayer& sounds_;
    QString SoundFile_;        // full path of the last sound played
    bool SoundResult_ = false; // result of the last sound call; kept, not read
    int PromotionChoice_ = 0;  // the piece chosen in the promotion pop-up

    // The file Save Game writes to: the one the game was last saved to, or opened from when it
    // held this game alone and nothing the writer leaves out; empty when Save Game must ask.
    QString gameFile_;
    // The file Open Game is reading while its game is loaded; cleared when a save would lose
    // part of the file (its other games, or what the game's reading skipped).
    QString openingFile_;
    std::uint64_t largestGameText_ = LargestPgnText;
    std::vector<PgnTag> tags_;                // of the game loaded, kept when it is saved
    PgnComments comments_;                    // the same for its comments
    std::optional<std::size_t> claimedAtPly_; // a draw was claimed with this many moves made
    MoveGate* gate_ = nullptr;
    // The commands that change the game, disabled while a move is being made.
    QList<QObject*> gameCommands_;

    ClientArea* client_ = nullptr;
    brdChessboard* brdChessboard1_ = nullptr;
    QListWidget* lstWhiteMoves_ = nullptr;
    QListWidget* lstBlackMoves_ = nullptr;
    QLineEdit* txtMovePiece_ = nullptr;
    QPushButton* cmdMovePiece_ = nullptr;
    QPushButton* cmdTestStalemate_ = nullptr;

    QAction* mnuBoardLock_ = nullptr;
    QAction* mnuBoardHighlight_ = nullptr;
    QAction* mnuBoardTurn_ = nullptr;
    QAction* mnuBoardCoordinates_ = nullptr;
    QAction* mnuBoardLegalMoves_ = nullptr;
    QAction* mnuActionsClaimDraw_ = nullptr;
    QAction* mnuRecordEnterMove_ = nullptr;
    QMenu* mnuWhitePawnPromotion_ = nullptr;
    QMenu* mnuBlackPawnPromotion_ = nullptr;

    QPointer<frmAbout> about_;

    SteadyTimeSource steadyTime_;
    GameClock* clock_ = nullptr;
    ClockFace* clockWhite_ = nullptr;
    ClockFace* clockBlack_ = nullptr;
    QWidget* boardCover_ = nullptr; // hides the board while the clock is paused
    TimeControl nextControl_;       // for the next new game
    struct Ending {
        QString Result;
        QString Termination;
        QString Comment;
    };
    std::optional<Ending> ending_;
    QString pendingMessage_; // an ending's message, shown once the move being made is done
    bool boardBusy_ = false;
    QAction* mnuActionsResign_ = nullptr;
    QAction* mnuActionsAgreeDraw_ = nullptr;
    QAction* mnuActionsPause_ = nullptr;

    bool browsing_ = false; // an earlier position is shown
    QAction* mnuActionsRedo_ = nullptr;
    QAction* mnuReviewBack_ = nullptr;
    QAction* mnuReviewForward_ = nullptr;
    QAction* mnuReviewStart_ = nullptr;
    QAction* mnuReviewEnd_ = nullptr;
    QAction* mnuReviewContinue_ = nullptr;

    // The archive of games played (GAMEArchive.cpp): Record > Recent Games..., and a new game's
    // entry in the archive (the file a game loaded from it goes on in, when set).
    void BuildArchive();
    void mnuRecordRecent_Click();
    void ArchiveNewGame();
    GameArchive* archive_ = nullptr;
    QString archiveContinued_;
    QString archiveWarning_; // why games are not kept, shown once the move being made is done
    bool archiveWarned_ = false;
};

} // namespace quorrin
