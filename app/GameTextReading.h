// Reading a game file or a pasted text and listing its games off the window's thread, with a
// progress dialog that appears when the work takes a while and can be cancelled.
#pragma once

#include "engine/PgnListing.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace quorrin {

// How far a piece of work has gone, and whether it should stop: shared by the thread doing it
// and the window's thread.
struct ReadingProgress {
    std::atomic<std::uint64_t> Done{0};
    std::atomic<std::uint64_t> Total{0}; // 0 when not known
    std::atomic<bool> Cancelled{false};

    // Notes how far the work has gone; false once it has been cancelled.
    bool GoOn(std::uint64_t done) {
        Done = done;
        return !Cancelled;
    }
};

// Runs work on another thread while this one goes on handling events. A progress dialog, a child
// of parent saying label, appears once the work has taken longer than a moment; its Cancel sets
// Cancelled, and the call returns false as soon as the work has seen it and stopped (work must
// ask GoOn now and then). True when the work ran to its end uncancelled.
bool RunWithProgress(QWidget* parent, const QString& label,
                     const std::function<void(ReadingProgress&)>& work);

// A game text and its games.
struct ListedText {
    std::string Text;
    std::vector<PgnEntry> Entries;
    QString Refusal; // why the text was not read or listed, in the player's language; else empty
};

// Why the file at path will not be read, from what the system says of it without opening it: a
// folder, a device, a pipe or a socket (reading one could block or never end); empty otherwise,
// missing files included (opening them says why).
QString RefusalToRead(const QString& path);

// Reads the file at path into game, a piece at a time, and lists its games. A file that cannot
// be opened, or from which more than limit bytes are read (whatever size it reports), is refused
// (game.Refusal). Stops early, with game left incomplete, when progress is cancelled.
void ReadGameFile(const QString& path, std::uint64_t limit, ReadingProgress& progress,
                  ListedText& game);

// Lists the games of game.Text into game.Entries; stops early when progress is cancelled.
void ListGames(ReadingProgress& progress, ListedText& game);

} // namespace quorrin
