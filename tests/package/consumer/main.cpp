// A program that uses the installed board: the form from GameForm.ui, a move through
// MovePiece, and the PieceMovement signal it raises. Exit code 0 when all is as expected.
#include "ui_GameForm.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    Ui::GameForm form;
    form.setupUi(&window);
    window.show();

    QString heard;
    QObject::connect(form.brdChessboard1, &quorrin::brdChessboard::PieceMovement,
                     [&heard](bool bWhite, const QString& sFrom, const QString& sTo) {
                         heard = (bWhite ? "White " : "Black ") + sFrom + "-" + sTo;
                     });
    const bool moved = form.brdChessboard1->MovePiece("e2", "e4");
    std::printf("moved %d, heard \"%s\", DarkSquareColor %u, SideView %d, width %d\n", moved,
                qPrintable(heard), form.brdChessboard1->DarkSquareColor(),
                form.brdChessboard1->SideView(), form.brdChessboard1->width());
    return moved && heard == "White e2-e4" && form.brdChessboard1->DarkSquareColor() == 32768 &&
                   form.brdChessboard1->SideView() == 1
               ? 0
               : 1;
}
