#include "core/band_prediction_step.h"

#include "core/figures_text.h"
#include "core/strict_value.h"

namespace vorelin {

PredictionStep PredictAtTypedFrequency(const BandTable& table, std::string_view typed,
                                       std::span<const MisreadRow> misread) {
    const WholeValue frequency = ReadWholeValue(typed);
    if (!frequency.Read())
        return {std::nullopt, 0,
                "No settings were predicted: the frequency " + RefusalText(typed, frequency)};
    BandPrediction prediction = PredictBandRow(table, static_cast<float>(frequency.value));
    // That row is the answer; a second one would make two.
    if (prediction.reason == kPredictionOnRow) return {std::nullopt, prediction.below, {}};
    if (!prediction.Ok())
        return {std::nullopt, 0, "No settings were predicted. " + std::string(prediction.reason)};
    const std::optional<MisreadRow> flagged = FlaggedNeighbour(prediction, misread);
    PredictionStep step{std::move(prediction.row), prediction.below + 1, {}};
    if (flagged) {
        // Named as it stands once the predicted row is in.
        const std::size_t neighbour = flagged->row < step.row ? flagged->row : flagged->row + 1;
        step.message =
            "The predicted row lies beside row " + std::to_string(neighbour + 1) +
            ", which is likely misread: check its settings, and predict again once they are right.";
    }
    return step;
}

std::string MisreadTip(const MisreadRow& misread) {
    return "Likely misread: the load lies " + FigureText(misread.deviation) +
           " from its neighbours' trend (|ΔΓ|); readings within the accuracy explain at most " +
           FigureText(misread.allowance) + ".";
}

} // namespace vorelin
