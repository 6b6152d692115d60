// Helpers for driving the game window in tests: a sound player that records its requests, and
// a timer that answers message boxes and pop-up menus, both writing into one event log so
// that the order of messages and sounds can be checked.
#pragma once

#include "SoundPlayer.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class QMenu;

namespace quorrin::test {

// Entries look like "sound click.wav", "message Stalemate", "popup mnuWhitePawnPromotion".
using EventLog = QStringList;

class RecordingSoundPlayer final : public SoundPlayer {
public:
    explicit RecordingSoundPlayer(EventLog& log) : log_(log) {}
    bool Play(const QString& filePath) override;

    QStringList Paths; // every path requested, in order

private:
    EventLog& log_;
};

// Drops the offscreen platform's notes that it cannot grab the mouse, raise windows or pass
// size hints on (these calls work as far as the tests need); other messages go through.
void IgnoreOffscreenPlatformWarnings();

class DialogAnswerer final : public QObject {
    Q_OBJECT

public:
    // Chooses in a pop-up menu: the caption of the item to pick, or "" to dismiss it.
    using PopupPolicy = std::function<QString(QMenu&)>;

    explicit DialogAnswerer(EventLog& log);

    // The next pop-up picks this caption ("" dismisses). Without a queued answer, the policy
    // decides, and without a policy the pop-up is dismissed.
    void QueuePopupAnswer(const QString& caption);
    void SetPopupPolicy(PopupPolicy policy);

private:
    void Answer();

    EventLog& log_;
    QTimer timer_;
    std::deque<QString> popupAnswers_;
    PopupPolicy policy_;
};

} // namespace quorrin::test
