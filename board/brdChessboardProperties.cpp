// The board's six properties: accessors, first placement, loading and saving.
#include "board/PropertyStore.h"
#include "board/brdChessboard.h"

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
    return darkSquareColor_;
}

void brdChessboard::setDarkSquareColor(quint32 value) {
    darkSquareColor_ = value;
    emit PropertyChanged(DarkSquareColorKey);
    RepaintBoard();
}

quint32 brdChessboard::LightSquareColor() const {
    return lightSquareColor_;
}

void brdChessboard::setLightSquareColor(quint32 value) {
    lightSquareColor_ = value;
    emit PropertyChanged(LightSquareColorKey);
    RepaintBoard();
}

bool brdChessboard::Locked() const {
    return locked_;
}

void brdChessboard::setLocked(bool value) {
    locked_ = value;
    emit PropertyChanged(LockedKey);
}

qint32 brdChessboard::SideView() const {
    return sideView_;
}

void brdChessboard::setSideView(qint32 value) {
    sideView_ = value;
    emit PropertyChanged(SideViewKey);
    LayOutSquares();
}

bool brdChessboard::HighlightMove() const {
    return highlightMove_;
}

void brdChessboard::setHighlightMove(bool value) {
    highlightMove_ = value;
    emit PropertyChanged(HighlightMoveKey);
    DrawSquare(State().LastMoveFrom, true);
    DrawSquare(State().LastMoveTo, true);
}

quint32 brdChessboard::HighlightMoveColor() const {
    return highlightMoveColor_;
}

void brdChessboard::setHighlightMoveColor(quint32 value) {
    highlightMoveColor_ = value;
    emit PropertyChanged(HighlightMoveColorKey);
    DrawSquare(State().LastMoveFrom, true);
    DrawSquare(State().LastMoveTo, true);
}

void brdChessboard::InitProperties() {
    darkSquareColor_ = DefaultDarkSquareColor;
    lightSquareColor_ = DefaultLightSquareColor;
    sideView_ = DefaultSideView;
    highlightMove_ = DefaultHighlightMove;
    highlightMoveColor_ = DefaultHighlightMoveColor;
    SetExtentTwips(8 * templateWidthTwips_, 8 * templateHeightTwips_);
}

void brdChessboard::ReadProperties(const PropertyStore& store) {
    darkSquareColor_ = ReadColour(store, DarkSquareColorKey, DefaultDarkSquareColor);
    lightSquareColor_ = ReadColour(store, LightSquareColorKey, DefaultLightSquareColor);
    locked_ = ReadFlag(store, LockedKey, DefaultLocked);
    sideView_ = ReadInt32(store, SideViewKey, DefaultSideView);
    highlightMove_ = ReadFlag(store, HighlightMoveKey, DefaultHighlightMove);
    highlightMoveColor_ = ReadColour(store, HighlightMoveColorKey, DefaultHighlightMoveColor);
    setSideView(sideView_);
    // The squares keep their pictures, so the loaded colours and frame setting are drawn now
    // rather than on the host's next paint.
    RepaintBoard();
}

void brdChessboard::WriteProperties(PropertyStore& store) const {
    store.Write(DarkSquareColorKey, QVariant::fromValue(darkSquareColor_));
    store.Write(LightSquareColorKey, QVariant::fromValue(lightSquareColor_));
    store.Write(LockedKey, QVariant::fromValue(locked_));
    store.Write(SideViewKey, QVariant::fromValue(sideView_));
    store.Write(HighlightMoveKey, QVariant::fromValue(highlightMove_));
    store.Write(HighlightMoveColorKey, QVariant::fromValue(highlightMoveColor_));
}

} // namespace quorrin
