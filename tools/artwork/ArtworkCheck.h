// Checks a folder of generated pictures against what the game expects of them.
#pragma once

#include <QDir>
#include <QStringList>

namespace quorrin::artwork {

// One line per fault, empty when every picture is present, of the right size and kind (each
// piece picture at every density of Scales):
// the piece layers obey the AND/OR composition rule with a piece in every cell and a clear
// margin around it, the drag icons are translucent pictures with a piece on a transparent
// ground, and the opaque pictures have no alpha channel.
QStringList CheckArtwork(const QDir& assets);

} // namespace quorrin::artwork
