// The board's eight properties: accessors, first placement, loading and saving.
#include "board/PropertyStore.h"
#include "board/brdChessboard.h"
#include "board/brdChessboard_p.h"

#include <limits>
#include <optional>

namespace quorrin {

namespace {

const QString DarkSquareColorKey = QStringLiteral("DarkSquareColor");
const QString LightSquareColorKey = QStringLiteral("LightSquareColor");
const QString LockedKey = QStringLiteral("Locked");
const QString SideViewKey = QStringLiteral("SideView");
const QString HighlightMoveKey = QStringLiteral("HighlightMove");
const QString HighlightMoveColorKey = QStringLiteral("HighlightMoveColor");
const QString CoordinatesKey = QStringLiteral("Coordinates");
const QString ShowLegalMovesKey = QStringLiteral("ShowLegalMoves");

// A saved whole number of 32 bits, signed or unsigned, or nothing when the stored value is
// not one. Stores hand back numbers as text (INI) or as numbers.
std::optional<qint64> ReadWhole(const PropertyStore& store, const QString& key) {
    const QVariant value = store.Read(key, QVariant());
    if (!value.isValid() || value.typeId() == QMetaType::Bool) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint32>::min() ||
        number > std::numeric_limits<quint32>::max()) {
        return std::nullopt;
    }
    return number;
}

// A colour keeps all 32 bits; a negative number is read as its 32-bit pattern.
quint32 ReadColour(const PropertyStore& store, const QString& key, quint32 defaultValue) {
    const std::optional<qint64> number = ReadWhole(store, key);
    return number ? static_cast<quint32>(*number) : defaultValue;
}

qint32 ReadInt32(const PropertyStore& store, const QString& key, qint32 defaultValue) {
    const std::optional<qint64> number = ReadWhole(store, key);
    return number ? static_cast<qint32>(static_cast<quint32>(*number)) : defaultValue;
}

// "true"/"false" in any case, or a number (non-zero is true).
bool ReadFlag(const PropertyStore& store, const QString& key, bool defaultValue) {
    const QVariant value = store.Read(key, QVariant());
    if (value.typeId() == QMetaType::Bool) {
        return value.toBool();
    }
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    return ok ? number != 0 : defaultValue;
}

} // namespace

quint32 brdChessboard::DarkSquareColor() const {
    return d_func()->props_.darkSquareColor;
}

void brdChessboard::setDarkSquareColor(quint32 value) {
    Q_D(brdChessboard);
    d->props_.darkSquareColor = value;
    emit PropertyChanged(DarkSquareColorKey);
    emit DarkSquareColorChanged(value);
    d->RepaintBoard();
}

quint32 brdChessboard::LightSquareColor() const {
    return d_func()->props_.lightSquareColor;
}

void brdChessboard::setLightSquareColor(quint32 value) {
    Q_D(brdChessboard);
    d->props_.lightSquareColor = value;
    emit PropertyChanged(LightSquareColorKey);
    emit LightSquareColorChanged(value);
    d->RepaintBoard();
}

bool brdChessboard::Locked() const {
    return d_func()->props_.locked;
}

void brdChessboard::setLocked(bool value) {
    Q_D(brdChessboard);
    d->props_.locked = value;
    emit PropertyChanged(LockedKey);
    emit LockedChanged(value);
}

qint32 brdChessboard::SideView() const {
    return d_func()->props_.sideView;
}

void brdChessboard::setSideView(qint32 value) {
    Q_D(brdChessboard);
    d->props_.sideView = value;
    emit PropertyChanged(SideViewKey);
    emit SideViewChanged(value);
    d->LayOutSquares();
    if (d->props_.coordinates) {
        d->RepaintBoard(); // the letters and digits go to the new edge squares
    }
}

bool brdChessboard::HighlightMove() const {
    return d_func()->props_.highlightMove;
}

void brdChessboard::setHighlightMove(bool value) {
    Q_D(brdChessboard);
    d->props_.highlightMove = value;
    emit PropertyChanged(HighlightMoveKey);
    emit HighlightMoveChanged(value);
    d->DrawSquare(State().LastMoveFrom, true);
    d->DrawSquare(State().LastMoveTo, true);
}

quint32 brdChessboard::HighlightMoveColor() const {
    return d_func()->props_.highlightMoveColor;
}

void brdChessboard::setHighlightMoveColor(quint32 value) {
    Q_D(brdChessboard);
    d->props_.highlightMoveColor = value;
    emit PropertyChanged(HighlightMoveColorKey);
    emit HighlightMoveColorChanged(value);
    d->DrawSquare(State().LastMoveFrom, true);
    d->DrawSquare(State().LastMoveTo, true);
}

bool brdChessboard::Coordinates() const {
    return d_func()->props_.coordinates;
}

void brdChessboard::setCoordinates(bool value) {
    Q_D(brdChessboard);
    d->props_.coordinates = value;
    emit PropertyChanged(CoordinatesKey);
    emit CoordinatesChanged(value);
    d->RepaintBoard();
}

bool brdChessboard::ShowLegalMoves() const {
    return d_func()->props_.showLegalMoves;
}

void brdChessboard::setShowLegalMoves(bool value) {
    Q_D(brdChessboard);
    d->props_.showLegalMoves = value;
    emit PropertyChanged(ShowLegalMovesKey);
    emit ShowLegalMovesChanged(value);
    d->ShowHints(d->PieceInHand());
}

void brdChessboard::InitProperties() {
    Q_D(brdChessboard);
    d->props_.darkSquareColor = DefaultDarkSquareColor;
    d->props_.lightSquareColor = DefaultLightSquareColor;
    d->props_.sideView = DefaultSideView;
    d->props_.highlightMove = DefaultHighlightMove;
    d->props_.highlightMoveColor = DefaultHighlightMoveColor;
    d->props_.coordinates = DefaultCoordinates;
    d->props_.showLegalMoves = DefaultShowLegalMoves;
    d->ShowHints(NoSquare);
    SetExtentTwips(8 * d->grid_.TemplateWidthTwips(), 8 * d->grid_.TemplateHeightTwips());
}

void brdChessboard::ReadProperties(const PropertyStore& store) {
    Q_D(brdChessboard);
    d->props_.darkSquareColor = ReadColour(store, DarkSquareColorKey, DefaultDarkSquareColor);
    d->props_.lightSquareColor = ReadColour(store, LightSquareColorKey, DefaultLightSquareColor);
    d->props_.locked = ReadFlag(store, LockedKey, DefaultLocked);
    d->props_.sideView = ReadInt32(store, SideViewKey, DefaultSideView);
    d->props_.highlightMove = ReadFlag(store, HighlightMoveKey, DefaultHighlightMove);
    d->props_.highlightMoveColor =
        ReadColour(store, HighlightMoveColorKey, DefaultHighlightMoveColor);
    d->props_.coordinates = ReadFlag(store, CoordinatesKey, DefaultCoordinates);
    d->props_.showLegalMoves = ReadFlag(store, ShowLegalMovesKey, DefaultShowLegalMoves);
    d->ShowHints(d->PieceInHand());
    setSideView(d->props_.sideView);
    // The squares keep their pictures, so the loaded colours and frame setting are drawn now
    // rather than on the host's next paint.
    d->RepaintBoard();
}

void brdChessboard::WriteProperties(PropertyStore& store) const {
    Q_D(const brdChessboard);
    store.Write(DarkSquareColorKey, QVariant::fromValue(d->props_.darkSquareColor));
    store.Write(LightSquareColorKey, QVariant::fromValue(d->props_.lightSquareColor));
    store.Write(LockedKey, QVariant::fromValue(d->props_.locked));
    store.Write(SideViewKey, QVariant::fromValue(d->props_.sideView));
    store.Write(HighlightMoveKey, QVariant::fromValue(d->props_.highlightMove));
    store.Write(HighlightMoveColorKey, QVariant::fromValue(d->props_.highlightMoveColor));
    store.Write(CoordinatesKey, QVariant::fromValue(d->props_.coordinates));
    store.Write(ShowLegalMovesKey, QVariant::fromValue(d->props_.showLegalMoves));
}

} // namespace quorrin
