// The platform layer on Qt: screen metrics and the left-button state.
#include "board/platform/Platform.h"

#include <QGuiApplication>
#include <QScreen>

#if defined(QUORRIN_HAVE_XCB) && QT_CONFIG(xcb)
#define QUORRIN_ASKS_X_SERVER 1
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#endif

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

#ifdef QUORRIN_ASKS_X_SERVER
// The application's connection to the X server; null on any other platform.
xcb_connection_t* XConnection() {
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}
#endif

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
#ifdef QUORRIN_ASKS_X_SERVER
    if (xcb_connection_t* connection = XConnection()) {
        // The server's own pointer state, whichever client the last button event went to.
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_query_pointer_reply_t* reply =
            xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr);
        if (reply != nullptr) {
            const bool down = (reply->mask & XCB_BUTTON_MASK_1) != 0;
            std::free(reply);
            return down;
        }
    }
#endif
    return (QGuiApplication::mouseButtons() & Qt::LeftButton) != Qt::NoButton;
}

bool ReadsLeftButtonItself() {
#ifdef QUORRIN_ASKS_X_SERVER
    return XConnection() != nullptr;
#else
    return false;
#endif
}

} // namespace quorrin::platform
