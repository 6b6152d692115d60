#include "GAME.h"

#include "AppResources.h"
#include "ClientArea.h"
#include "GameClock.h"
#include "MoveGate.h"
#include "OutOfSight.h"
#include "SoundPlayer.h"
#include "UserSettings.h"
#include "board/brdChessboard.h"
#include "board/platform/Platform.h"
#include "board/platform/WindowPlacement.h"
#include "engine/ChessEngine.h"
#include "frmAbout.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QIcon>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace quorrin {

namespace {

using platform::TwipsToPixelsX;
using platform::TwipsToPixelsY;

// A rectangle given in twips, in pixels.
QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
            TwipsToPixelsY(height)};
}

// Black king f8, white queen d7, white king g6, pawns b5 g5 (black) and b4 g4 (white): after
// the queen goes from d7 to e6, Black has no legal move.
const QString TestLayout = QStringLiteral("XXXXXXXXXXBKXXXX"
                                          "XXXXXXWQXXXXXXXX"
                                          "XXXXXXXXXXXXWKXX"
                                          "XXBPXXXXXXXXBPXX"
                                          "XXWPXXXXXXXXWPXX"
                                          "XXXXXXXXXXXXXXXX"
                                          "XXXXXXXXXXXXXXXX"
                                          "XXXXXXXXXXXXXXXX");

QListWidget* MakeMoveList(const char* name, const QRect& where, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(where);
    // The lists show the moves; they are not for choosing, so nothing in them is ever
    // selected, current or focused.
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    QPalette colours = list->palette();
    colours.setColor(QPalette::Base, QColor(0xE0, 0xE0, 0xE0));
    list->setPalette(colours);
    return list;
}

} // namespace

GAME::GAME(SoundPlayer& sounds, const QString& statePath, QWidget* parent)
    : QMainWindow(parent), sounds_(sounds) {
    EnsureAppResources();
    setObjectName(QStringLiteral("GAME"));
    setWindowTitle(QStringLiteral("Quorrin "));
    setWindowIcon(QIcon(QStringLiteral(":/images/quorrin-32.png")));
    setAccessibleName(QStringLiteral("Quorrin"));

    gate_ = new MoveGate(this);
    BuildClientArea();
    BuildArchive();
    BuildMenus();
    ConnectBoard();
    BuildClock();

    // The board reads its saved properties before the load handler looks at them: the
    // compiled-in state, under the options the player set in an earlier run.
    brdChessboard1_->ReadProperties(PlayerOptionStore(statePath, QStringLiteral("brdChessboard1")));
    brdChessboard1_->SetExtentTwips(6135, 6135);
    mnuBoardTurn_->setChecked(PlayerOptionStore(statePath, QStringLiteral("GAME"))
                                  .Read(QStringLiteral("TurnBoardAfterEachMove"), false)
                                  .toBool());

    // The layout is fixed by design: the window keeps the size of its client area and menus.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    CentreOnScreen(*this);
    Form_Load();
}

GAME::~GAME() {
    delete about_;
}

void GAME::BuildClientArea() {
    client_ = new ClientArea(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    // The window keeps this size by design; should something stretch it anyway (a resize
    // without a window manager), the client area grows with it and keeps its colour.
    client_->SetDesignSize(QSize(TwipsToPixelsX(9915), TwipsToPixelsY(6495)));
    client_->SetBackColor(QColor(0x40, 0x40, 0x40));
    client_->SetPicture(QPixmap(QStringLiteral(":/images/background.png")));
    // Line1: white, two pixels wide, under the board and the lists.
    client_->AddLine(QLine(TwipsToPixelsX(120), TwipsToPixelsY(6360), TwipsToPixelsX(9840),
                           TwipsToPixelsY(6360)),
                     Qt::white, 2);
    setCentralWidget(client_);

    brdChessboard1_ = new brdChessboard(client_);
    brdChessboard1_->setObjectName(QStringLiteral("brdChessboard1"));
    brdChessboard1_->move(TwipsToPixelsX(120), TwipsToPixelsY(120));

    lstWhiteMoves_ = MakeMoveList("lstWhiteMoves", TwipsRect(6360, 120, 1695, 6105), client_);
    lstBlackMoves_ = MakeMoveList("lstBlackMoves", TwipsRect(8160, 120, 1695, 6105), client_);
    lstWhiteMoves_->setAccessibleName(tr("White's moves"));
    lstBlackMoves_->setAccessibleName(tr("Black's moves"));

    // Below the client height: these work, but a player does not see them. Out of sight, so
    // out of the focus chain too: keys never go to a box nobody sees. Kept out of the screen
    // reader's sight before they are given a caption, which makes them known to it.
    txtMovePiece_ = new QLineEdit(client_);
    cmdMovePiece_ = new QPushButton(client_);
    cmdTestStalemate_ = new QPushButton(client_);
    for (QWidget* hidden :
         {static_cast<QWidget*>(txtMovePiece_), static_cast<QWidget*>(cmdMovePiece_),
          static_cast<QWidget*>(cmdTestStalemate_)}) {
        KeepOutOfSight(*hidden);
        hidden->setFocusPolicy(Qt::NoFocus);
    }
    txtMovePiece_->setText(QStringLiteral("e2e4"));
    txtMovePiece_->setObjectName(QStringLiteral("txtMovePiece"));
    txtMovePiece_->setGeometry(TwipsRect(3480, 6840, 615, 375));
    cmdMovePiece_->setText(tr("Move Piece"));
    cmdMovePiece_->setObjectName(QStringLiteral("cmdMovePiece"));
    cmdMovePiece_->setGeometry(TwipsRect(4200, 6840, 1095, 375));
    cmdTestStalemate_->setText(tr("Test Stalemate"));
    cmdTestStalemate_->setObjectName(QStringLiteral("cmdTestStalemate"));
    cmdTestStalemate_->setGeometry(TwipsRect(360, 6840, 1335, 375));
    connect(cmdMovePiece_, &QPushButton::clicked, this, &GAME::cmdMovePiece_Click);
    connect(cmdTestStalemate_, &QPushButton::clicked, this, &GAME::cmdTestStalemate_Click);
}

void GAME::BuildMenus() {
    QMenuBar* bar = menuBar();
    const auto named = [](QAction* action, const char* name) {
        action->setObjectName(QLatin1String(name));
        return action;
    };
    const auto menu = [bar](const QString& caption, const char* name) {
        auto* created = new QMenu(caption, bar);
        created->setObjectName(QLatin1String(name));
        created->menuAction()->setObjectName(QLatin1String(name));
        return created;
    };

    //: The menu of the game being played (noun).
    QMenu* mnuGame = menu(tr("Game"), "mnuGame");
    QAction* mnuGameNew = named(mnuGame->addAction(tr("New Game")), "mnuGameNew");
    mnuGameNew->setShortcut(QKeySequence::New);
    connect(mnuGameNew, &QAction::triggered, this, &GAME::mnuGameNew_Click);
    named(mnuGame->addSeparator(), "sep2");

    //: The chess board's menu (noun).
    QMenu* mnuBoard = menu(tr("Board"), "mnuBoard");
    connect(named(mnuBoard->addAction(tr("Reverse Board")), "mnuBoardView"), &QAction::triggered,
            this, &GAME::mnuBoardView_Click);
    mnuBoardLock_ = named(mnuBoard->addAction(tr("Drag-and-Drop")), "mnuBoardLock");
    mnuBoardLock_->setCheckable(true);
    connect(mnuBoardLock_, &QAction::triggered, this, &GAME::mnuBoardLock_Click);
    mnuBoardHighlight_ = named(mnuBoard->addAction(tr("Highlight Move")), "mnuBoardHighlight");
    mnuBoardHighlight_->setCheckable(true);
    connect(mnuBoardHighlight_, &QAction::triggered, this, &GAME::mnuBoardHighlight_Click);
    named(mnuBoard->addSeparator(), "sepBoardTurn");
    mnuBoardTurn_ = named(mnuBoard->addAction(tr("Turn Board After Each Move")), "mnuBoardTurn");
    mnuBoardTurn_->setCheckable(true);
    connect(mnuBoardTurn_, &QAction::triggered, this, [this] {
        SaveOption(QStringLiteral("GAME/TurnBoardAfterEachMove"), mnuBoardTurn_->isChecked());
        TurnToSideToMove(brdChessboard1_->State().WhitesTurn);
    });
    mnuBoardCoordinates_ = named(mnuBoard->addAction(tr("Coordinates")), "mnuBoardCoordinates");
    mnuBoardCoordinates_->setCheckable(true);
    connect(mnuBoardCoordinates_, &QAction::triggered, this, &GAME::mnuBoardCoordinates_Click);
    mnuBoardLegalMoves_ = named(mnuBoard->addAction(tr("Show Legal Moves")), "mnuBoardLegalMoves");
    mnuBoardLegalMoves_->setCheckable(true);
    connect(mnuBoardLegalMoves_, &QAction::triggered, this, &GAME::mnuBoardLegalMoves_Click);
    mnuGame->addMenu(mnuBoard);

    QMenu* mnuActions = menu(tr("Actions"), "mnuActions");
    QAction* mnuActionsUndo = named(mnuActions->addAction(tr("Undo Last Move")), "mnuActionsUndo");
    mnuActionsUndo->setShortcut(QKeySequence::Undo);
    connect(mnuActionsUndo, &QAction::triggered, this, &GAME::mnuActionsUndo_Click);
    mnuActionsClaimDraw_ = named(mnuActions->addAction(tr("Claim Draw")), "mnuActionsClaimDraw");
    mnuActionsClaimDraw_->setEnabled(false);
    connect(mnuActionsClaimDraw_, &QAction::triggered, this, &GAME::mnuActionsClaimDraw_Click);
    connect(mnuActions, &QMenu::aboutToShow, this, &GAME::UpdateClaimDraw);
    mnuGame->addMenu(mnuActions);
    BuildClockMenus(mnuGame, mnuActions);
    BuildReviewMenus(mnuActions);
    connect(named(mnuGame->addAction(tr("Players...")), "mnuGamePlayers"), &QAction::triggered,
            this, &GAME::mnuGamePlayers_Click);

    named(mnuGame->addSeparator(), "sep1");
    connect(named(mnuGame->addAction(tr("Quit")), "mnuFileQuit"), &QAction::triggered, this,
            &GAME::mnuFileQuit_Click);
    bar->addMenu(mnuGame);
    BuildRecordMenu(bar);

    QMenu* mnuHelp = menu(tr("Help"), "mnuHelp");
    bar->addMenu(mnuHelp);
    mnuHelp->menuAction()->setVisible(false);

    // The promotion menus are never shown in the bar, only popped up at the pointer.
    struct Promotion {
        const char* name;
        const char* caption;
        int piece;
    };
    const auto promotionMenu = [&](const char* name, std::initializer_list<Promotion> items) {
        QMenu* popup = menu(tr("Reclaim Piece"), name);
        for (const Promotion& item : items) {
            const int piece = item.piece;
            connect(named(popup->addAction(tr(item.caption)), item.name), &QAction::triggered, this,
                    [this, piece] { PromotionChoice_ = piece; });
        }
        bar->addMenu(popup);
        popup->menuAction()->setVisible(false);
        return popup;
    };
    mnuWhitePawnPromotion_ =
        promotionMenu("mnuWhitePawnPromotion", {{"mnuWQ", QT_TR_NOOP("Queen"), WhiteQueen},
                                                {"mnuWR", QT_TR_NOOP("Rook"), WhiteRook},
                                                {"mnuWB", QT_TR_NOOP("Bishop"), WhiteBishop},
                                                {"mnuWN", QT_TR_NOOP("Knight"), WhiteKnight}});
    mnuBlackPawnPromotion_ =
        promotionMenu("mnuBlackPawnPromotion", {{"mnuBQ", QT_TR_NOOP("Queen"), BlackQueen},
                                                {"mnuBR", QT_TR_NOOP("Rook"), BlackRook},
                                                {"mnuBB", QT_TR_NOOP("Bishop"), BlackBishop},
                                                {"mnuBN", QT_TR_NOOP("Knight"), BlackKnight}});

    QMenu* mnuabout = menu(tr("About"), "mnuabout");
    connect(named(mnuabout->addAction(tr("About Quorrin")), "mnuaboutchess"), &QAction::triggered,
            this, &GAME::mnuaboutchess_Click);
    bar->addMenu(mnuabout);

    // F10 opens the first menu, so that every command can be reached without a mouse; the
    // arrow keys walk the menus from there.
    auto* openMenus = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(openMenus, &QShortcut::activated, this,
            [bar, mnuGame] { bar->setActiveAction(mnuGame->menuAction()); });
}

void GAME::ConnectBoard() {
    // Direct connections: each answer, box, sound or pop-up included, runs to its end before
    // the board goes on with the move, and PawnPromotion writes eChoice in place.
    connect(brdChessboard1_, &brdChessboard::PieceMovement, this,
            &GAME::brdChessboard1_PieceMovement, Qt::DirectConnection);
    connect(brdChessboard1_, &brdChessboard::KingInCheck, this, &GAME::brdChessboard1_KingInCheck,
            Qt::DirectConnection);
    connect(brdChessboard1_, &brdChessboard::PawnPromotion, this,
            &GAME::brdChessboard1_PawnPromotion, Qt::DirectConnection);
    connect(brdChessboard1_, &brdChessboard::Stalemate, this, &GAME::brdChessboard1_Stalemate,
            Qt::DirectConnection);
    connect(brdChessboard1_, &brdChessboard::MoveUndo, this, &GAME::brdChessboard1_MoveUndo,
            Qt::DirectConnection);
    connect(brdChessboard1_, &brdChessboard::Draw, this, &GAME::brdChessboard1_Draw,
            Qt::DirectConnection);
    connect(brdChessboard1_, &brdChessboard::GameLoaded, this, &GAME::brdChessboard1_GameLoaded);
    connect(brdChessboard1_, &brdChessboard::BusyChanged, this, &GAME::brdChessboard1_BusyChanged);
    brdChessboard1_->SetMoveGate([this] { return MoveRefusal(); });
    for (const char* name :
         {"mnuGameNew", "mnuActionsUndo", "mnuActionsClaimDraw", "mnuRecordOpen", "mnuRecordRecent",
          "mnuRecordPaste", "mnuRecordEnterMove", "cmdMovePiece", "cmdTestStalemate",
          "mnuGameTimeControl", "mnuActionsResign", "mnuActionsAgreeDraw", "mnuActionsPause"}) {
        QObject* command = findChild<QAction*>(QLatin1String(name));
        gameCommands_.append(command != nullptr ? command
                                                : findChild<QPushButton*>(QLatin1String(name)));
    }
}

void GAME::brdChessboard1_BusyChanged(bool bBusy) {
    boardBusy_ = bBusy;
    for (QObject* command : std::as_const(gameCommands_)) {
        if (auto* action = qobject_cast<QAction*>(command)) {
            action->setEnabled(!bBusy);
        } else if (auto* button = qobject_cast<QPushButton*>(command)) {
            button->setEnabled(!bBusy);
        }
    }
    UpdateReviewCommands();
    if (!bBusy) {
        UpdateClaimDraw();
        UpdateClockCommands();
        // The message of an ending that came while the move was being made.
        if (!pendingMessage_.isEmpty()) {
            ShowMessage(std::exchange(pendingMessage_, QString()));
        }
    }
}

void GAME::Form_Load() {
    // A check mark on "Drag-and-Drop" means dragging is allowed.
    mnuBoardLock_->setChecked(!brdChessboard1_->Locked());
    mnuBoardHighlight_->setChecked(brdChessboard1_->HighlightMove());
    mnuBoardCoordinates_->setChecked(brdChessboard1_->Coordinates());
    mnuBoardLegalMoves_->setChecked(brdChessboard1_->ShowLegalMoves());
    TurnToSideToMove(brdChessboard1_->State().WhitesTurn);
}

void GAME::mnuGameNew_Click() {
    ReturnToGame();
    if (brdChessboard1_->NewGame()) {
        RecordNewGame();
    }
}

void GAME::mnuBoardView_Click() {
    brdChessboard1_->setSideView(brdChessboard1_->SideView() == 0 ? 1 : 0);
    // Kept only from here: the turns after each move are no choice of the player's.
    SaveOption(QStringLiteral("brdChessboard1/SideView"), brdChessboard1_->SideView());
}

void GAME::mnuBoardLock_Click() {
    // The action has already toggled its own check mark.
    brdChessboard1_->setLocked(!mnuBoardLock_->isChecked());
    SaveOption(QStringLiteral("brdChessboard1/Locked"), brdChessboard1_->Locked());
}

void GAME::mnuBoardHighlight_Click() {
    brdChessboard1_->setHighlightMove(mnuBoardHighlight_->isChecked());
    SaveOption(QStringLiteral("brdChessboard1/HighlightMove"), brdChessboard1_->HighlightMove());
}

void GAME::mnuBoardCoordinates_Click() {
    brdChessboard1_->setCoordinates(mnuBoardCoordinates_->isChecked());
    SaveOption(QStringLiteral("brdChessboard1/Coordinates"), brdChessboard1_->Coordinates());
}

void GAME::mnuBoardLegalMoves_Click() {
    brdChessboard1_->setShowLegalMoves(mnuBoardLegalMoves_->isChecked());
    SaveOption(QStringLiteral("brdChessboard1/ShowLegalMoves"), brdChessboard1_->ShowLegalMoves());
}

void GAME::TurnToSideToMove(bool whiteToMove) {
    // Through the property, so that the store and PropertyChanged see an ordinary write.
    if (mnuBoardTurn_->isChecked()) {
        brdChessboard1_->setSideView(whiteToMove ? 0 : 1);
    }
}

void GAME::mnuActionsUndo_Click() {
    // Undo also takes back an ending the players or the clock decided. The lists and the
    // clocks follow in the MoveUndo answer.
    ReturnToGame();
    LiftEnding();
    brdChessboard1_->UndoLastMove();
    UpdateClaimDraw();
}

void GAME::mnuFileQuit_Click() {
    close();
    QCoreApplication::quit();
}

void GAME::mnuaboutchess_Click() {
    if (about_ == nullptr) {
        about_ = new frmAbout();
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void GAME::cmdMovePiece_Click() {
    if (!gate_->IsOpen()) {
        return;
    }
    // Only the first two and the last two characters count: "e2e4", "e2-e4" and "e2 e4" alike.
    const QString text = txtMovePiece_->text();
    // A move abandoned because the game ended meanwhile (a flag fell in the promotion pop-up)
    // was no bad move.
    if (!brdChessboard1_->MovePiece(text.left(2), text.right(2)) && gate_->IsOpen()) {
        ShowMessage(tr("Illegal move or bad syntax"));
    }
}

void GAME::cmdTestStalemate_Click() {
    if (brdChessboard1_->NewGame(TestLayout, true)) {
        RecordNewGame();
    }
}

void GAME::brdChessboard1_PieceMovement(bool bWhite, const QString& sFrom, const QString& sTo) {
    // The clocks switch as the move is accepted, before its sound and messages.
    ClockMoveMade();
    QListWidget* list = bWhite ? lstWhiteMoves_ : lstBlackMoves_;
    list->addItem(sFrom + QLatin1Char('-') + sTo);
    list->scrollToBottom();
    TurnToSideToMove(!bWhite);
    // "Claim Draw" follows the position once the move is complete.
    QTimer::singleShot(0, this, &GAME::UpdateClaimDraw);
    PlaySound(QStringLiteral("click.wav"));
}

QString GAME::CheckMessage(bool bWhite, bool bCheckmate) {
    if (bCheckmate) {
        return bWhite ? tr("White checkmated") : tr("Black checkmated");
    }
    return bWhite ? tr("White king in check") : tr("Black king in check");
}

void GAME::brdChessboard1_KingInCheck(bool bWhite, bool bCheckmate) {
    ShowMessage(CheckMessage(bWhite, bCheckmate));
    if (bCheckmate) {
        // The win sound follows once the player has closed the box.
        PlaySound(QStringLiteral("win.wav"));
    }
}

void GAME::brdChessboard1_PawnPromotion(bool bWhite, int& eChoice) {
    // A chosen item has stored its piece by the time the pop-up returns. A dismissed pop-up
    // leaves the previous value (0 the first time, -1 later), which the board makes a queen.
    // At the pointer, or beside the square for a move made by keys.
    (bWhite ? mnuWhitePawnPromotion_ : mnuBlackPawnPromotion_)->exec(brdChessboard1_->PopupPoint());
    eChoice = PromotionChoice_;
    PromotionChoice_ = -1;
}

void GAME::brdChessboard1_Stalemate() {
    ShowMessage(tr("Stalemate"));
}

void GAME::brdChessboard1_MoveUndo(bool bWhite) {
    // A comment read with the game belongs to its move: it goes with it.
    const std::size_t plies = brdChessboard1_->Engine().State().MoveHistory.size();
    if (comments_.AfterMove.size() > plies) {
        comments_.AfterMove.resize(plies);
    }
    QListWidget* list = bWhite ? lstWhiteMoves_ : lstBlackMoves_;
    if (list->count() > 0) {
        delete list->takeItem(list->count() - 1);
        list->scrollToBottom();
    }
    TurnToSideToMove(bWhite);
    ClockMoveUndone();
}

void GAME::PlaySound(const QString& fileName) {
    SoundFile_ = SoundFilePath(fileName);
    SoundResult_ = sounds_.Play(SoundFile_);
}

void GAME::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quorrin"), text, QMessageBox::Ok, this);
    // Nobody's time runs while the box is open.
    ChessClock& clock = clock_->Clock();
    clock.Hold();
    clock_->Refresh();
    box.exec();
    clock.Release();
    clock_->Refresh();
}

void GAME::ClearMoveLists() {
    lstWhiteMoves_->clear();
    lstBlackMoves_->clear();
}

} // namespace quorrin
