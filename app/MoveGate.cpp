#include "MoveGate.h"

namespace quorrin {

MoveGate::MoveGate(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("moveGate"));
}

QString MoveGate::Refusal() const {
    const std::pair<int, QString>* earliest = nullptr;
    for (const auto& [closer, closing] : closers_) {
        if (earliest == nullptr || closing.first < earliest->first) {
            earliest = &closing;
        }
    }
    return earliest != nullptr ? earliest->second : QString();
}

void MoveGate::Close(const QString& closer, const QString& reason) {
    const auto found = closers_.find(closer);
    if (found != closers_.end()) {
        found->second.second = reason;
    } else {
        closers_.emplace(closer, std::pair(closings_++, reason));
    }
    emit Changed();
}

void MoveGate::Open(const QString& closer) {
    if (closers_.erase(closer) > 0) {
        emit Changed();
    }
}

} // namespace quorrin
