// The offscreen platform says at every turn that it cannot grab the mouse, raise or resize a
// window. Quiets those lines and passes every other message on to the handler installed
// before; installing it twice changes nothing.
#pragma once

#include <QString>
#include <QtGlobal>

namespace quorrin::testing {

inline void QuietOffscreenPlatform() {
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support"))) {
                previous(type, context, message);
            }
        });
}

} // namespace quorrin::testing
