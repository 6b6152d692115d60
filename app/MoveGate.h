// The one gate every move passes on its way to the board, whatever brings it: a drag, the
// keys, a typed move, the hidden Move Piece button, a move made again. Whatever must stop play
// for a while (a paused clock, a game looked back at, a game that has ended) closes it with
// its reason and opens it again when it is over.
#pragma once

#include <QObject>
#include <QString>

#include <map>

namespace quorrin {

class MoveGate final : public QObject {
    Q_OBJECT

public:
    explicit MoveGate(QObject* parent = nullptr);

    // Why moves are refused now: the reason of the earliest closer still closing the gate, or
    // "" when it is open.
    QString Refusal() const;
    bool IsOpen() const { return closers_.empty(); }

    // Closes the gate for closer (a word naming it) with the reason told to the player; a
    // closer that closes again only changes its reason.
    void Close(const QString& closer, const QString& reason);
    // Takes closer's closing back; the gate opens when no closer is left.
    void Open(const QString& closer);

signals:
    void Changed();

private:
    std::map<QString, std::pair<int, QString>> closers_; // closer: order of closing, reason
    int closings_ = 0;
};

} // namespace quorrin
