#include "Outcome.h"

namespace quorrin {

std::string_view DrawReasonName(DrawReason eReason) {
    switch (eReason) {
    case DrawReason::InsufficientMaterial:
        return "insufficient-material";
    case DrawReason::FivefoldRepetition:
        return "fivefold-repetition";
    case DrawReason::SeventyFiveMoveRule:
        return "seventy-five-move-rule";
    case DrawReason::ThreefoldRepetition:
        return "threefold-repetition";
    case DrawReason::FiftyMoveRule:
        return "fifty-move-rule";
    }
    return {};
}

std::string_view GameOutcome::Result() const {
    switch (Kind) {
    case OutcomeKind::Checkmate:
        return WhiteWins ? "1-0" : "0-1";
    case OutcomeKind::Stalemate:
    case OutcomeKind::Drawn:
        return "1/2-1/2";
    case OutcomeKind::InPlay:
        break;
    }
    return "*";
}

} // namespace quorrin
