// The game window: one board, a move list per side, the game's menus, and the answers to the
// board's events (list entries, message boxes, sounds and the promotion pop-up).
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>

class QAction;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace quorrin {

class ClientArea;
class SoundPlayer;
class brdChessboard;
class frmAbout;

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

private:
    void BuildClientArea();
    void BuildMenus();
    void ConnectBoard();

    void Form_Load();

    void mnuGameNew_Click();
    void mnuBoardView_Click();
    void mnuBoardLock_Click();
    void mnuBoardHighlight_Click();
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

    // Plays a sound file from the program's folder and returns when it has finished.
    void PlaySound(const QString& fileName);
    // A modal box with the text, an OK button, no icon and the title "Quorrin".
    void ShowMessage(const QString& text);
    void ClearMoveLists();

    SoundPlayer& sounds_;
    QString SoundFile_;        // full path of the last sound played
    bool SoundResult_ = false; // result of the last sound call; kept, not read
    int PromotionChoice_ = 0;  // the piece chosen in the promotion pop-up

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
    QMenu* mnuWhitePawnPromotion_ = nullptr;
    QMenu* mnuBlackPawnPromotion_ = nullptr;

    QPointer<frmAbout> about_;
};

} // namespace quorrin
