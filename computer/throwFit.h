#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "computer/normalScatter.h"
#include "computer/virtualBoardC.h"
#include "match/dart.h"

namespace qm {

// The kinds of target a player's scatter is fitted for: a treble's ring, a double's and the
// bull's are thrown differently. `all` pools every dart, singles too.
enum class aimKind { trebles, doubles, bull, all };
inline constexpr std::array<aimKind, 4> aimKinds{aimKind::trebles, aimKind::doubles, aimKind::bull,
                                                 aimKind::all};
[[nodiscard]] std::string aimKindName(aimKind kind);
// A target's kind; a single counts to `all` only.
[[nodiscard]] aimKind kindOf(const dartS& target);

// One dart whose target and landing point are both known.
struct fitDartS {
    dartS target;
    boardPointS landing;
};

// Fewer darts than this say too little of a scatter to show or use a figure.
inline constexpr int minFitDarts = 30;

struct scatterFitS {
    normalScatterS scatter;
    int darts = 0;
    [[nodiscard]] bool enough() const { return darts >= minFitDarts && scatter.usable(); }
};

// The normal scatter of offsets from their aim points: their mean, and their covariance
// with n - 1 below it (the unbiased one).
[[nodiscard]] scatterFitS fitScatter(const std::vector<boardPointS>& offsets);

// A player's scatter, per kind of target and pooled.
struct throwFitS {
    std::array<scatterFitS, aimKinds.size()> kinds;

    [[nodiscard]] const scatterFitS& of(aimKind kind) const {
        return kinds[static_cast<std::size_t>(kind)];
    }
    // Fitted at all: enough darts pooled.
    [[nodiscard]] bool usable() const { return of(aimKind::all).enough(); }
    // The scatter a dart at `target` lands by: its kind's where that rests on enough darts,
    // else the pooled one.
    [[nodiscard]] const normalScatterS& forTarget(const dartS& target) const {
        const scatterFitS& own = of(kindOf(target));
        return own.enough() ? own.scatter : of(aimKind::all).scatter;
    }
};

// The outcomes of a dart thrown by a fitted scatter: each target by the scatter its darts land
// by (throwFitS::forTarget).
class fittedChancesC final : public dartOutcomesC {
  public:
    fittedChancesC(const throwFitS& fit, const virtualBoardC& board);

  private:
    [[nodiscard]] std::vector<hitChanceS> workOut(const dartS& target) const override;

    const virtualBoardC* board_;
    throwFitS fit_;
    std::array<std::optional<scatterChancesC>, aimKinds.size()> kinds_;
};

// A fit as text that tells fits apart, digit for digit: a key to keep what was worked out for it.
[[nodiscard]] std::string fitKey(const throwFitS& fit);

// Each dart's offset is its landing point less its target's aim point: a ring or a bed is a
// region, but the player is taken to aim where the computer does, at the target's aim point
// (the middle of a treble or double bed, the bull's centre).
[[nodiscard]] throwFitS fitThrow(const std::vector<fitDartS>& darts, const virtualBoardC& board);

}  // namespace qm
