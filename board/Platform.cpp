// The platform layer on Qt: screen metrics and the left-button state.
#include "board/Platform.h"

#include <QGuiApplication>
#include <QScreen>

namespace quorrin::platform {

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int NormalTwipsPerPixel = 15;

// numerator / denominator to the nearest whole number, halves going to the even neighbour.
int DivideRoundHalfEven(long long numerator, long long denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const bool negative = numerator < 0;
    const long long magnitude = negative ? -numerator : numerator;
    long long quotient = magnitude / denominator;
    const long long twiceRemainder = 2 * (magnitude % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 == 1)) {
        ++quotient;
    }
    return static_cast<int>(negative ? -quotient : quotient);
}

// 1440 / dpi made a whole number; the normal 15 when there is no screen to ask.
int TwipsPerPixelAt(qreal dpi) {
    if (!(dpi >= 1.0)) {
        return NormalTwipsPerPixel;
    }
    // Whole hundredths of a dot per inch are plenty to decide the rounding.
    const long long hundredths = static_cast<long long>(dpi * 100.0 + 0.5);
    const int twips = DivideRoundHalfEven(TwipsPerInch * 100LL, hundredths);
    return twips >= 1 ? twips : 1;
}

const QScreen* PrimaryScreen() {
    return qGuiApp != nullptr ? QGuiApplication::primaryScreen() : nullptr;
}

} // namespace

int TwipsPerPixelX() {
    const QScreen* screen = PrimaryScreen();
    return TwipsPerPixelAt(screen != nullptr ? screen->logicalDotsPerInchX() : 0.0);
}

int TwipsPerPixelY() {
    const QScreen* screen = PrimaryScreen();
    return TwipsPerPixelAt(screen != nullptr ? screen->logicalDotsPerInchY() : 0.0);
}

int TwipsToPixelsX(int twips) {
    return DivideRoundHalfEven(twips, TwipsPerPixelX());
}
int TwipsToPixelsY(int twips) {
    return DivideRoundHalfEven(twips, TwipsPerPixelY());
}
int PixelsToTwipsX(int pixels) {
    return pixels * TwipsPerPixelX();
}
int PixelsToTwipsY(int pixels) {
    return pixels * TwipsPerPixelY();
}

QSize ScreenSize() {
    const QScreen* screen = PrimaryScreen();
    return screen != nullptr ? screen->geometry().size() : QSize();
}

bool LeftButtonDown() {
    return (QGuiApplication::mouseButtons() & Qt::LeftButton) != Qt::NoButton;
}

} // namespace quorrin::platform
