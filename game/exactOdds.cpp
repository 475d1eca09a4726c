#include "game/exactOdds.h"

#include <algorithm>
#include <stdexcept>

namespace qm {

namespace {

// One player's visits from every score, laid out for the tables' inner loops: the chance to
// check out, to stay, and each other score left with its chance, scaled to a table's stride.
struct visitRowsS {
    std::vector<double> checkout;
    std::vector<double> stays;
    std::vector<double> moves;  // the chance of leaving some other score
    std::vector<std::vector<std::size_t>> left;
    std::vector<std::vector<double>> chance;

    visitRowsS(const visitChancesC& visits, std::size_t stride) {
        const auto size = static_cast<std::size_t>(visits.highest()) + 1;
        checkout.assign(size, 0.0);
        stays.assign(size, 0.0);
        moves.assign(size, 0.0);
        left.resize(size);
        chance.resize(size);
        for (std::int32_t score = 2; score <= visits.highest(); ++score) {
            const auto s = static_cast<std::size_t>(score);
            for (const leftChanceS& o : visits.from(score)) {
                if (o.left == 0) {
                    checkout[s] = o.chance;
                } else if (o.left == score) {
                    stays[s] = o.chance;
                } else {
                    moves[s] += o.chance;
                    left[s].push_back(static_cast<std::size_t>(o.left) * stride);
                    chance[s].push_back(o.chance);
                }
            }
        }
    }

    // The chance of the player to throw from `score` but for staying: a checkout, or a score
    // left from which the other, to throw next, loses. `other` is the other's chance to win
    // with the other to throw, read at each score left (scaled) plus `at`.
    [[nodiscard]] double rest(std::size_t score, const std::vector<double>& other,
                              std::size_t at) const {
        const std::vector<std::size_t>& lefts = left[score];
        const std::vector<double>& chances = chance[score];
        double lost = 0.0;
        for (std::size_t i = 0; i < lefts.size(); ++i) {
            lost += chances[i] * other[lefts[i] + at];
        }
        return checkout[score] + moves[score] - lost;
    }
};

}  // namespace

legChancesC::legChancesC(const visitChancesC& first, const visitChancesC& second)
    : first_(&first), second_(&second), highest_(first.highest()) {
    if (second.highest() != highest_) {
        throw std::invalid_argument("both players' visits must go up to the same score");
    }
    const auto stride = static_cast<std::size_t>(highest_) + 1;
    firstToThrow_.assign(stride * stride, 0.0);
    secondToThrow_.assign(stride * stride, 0.0);
    // The first's visits leave scores a' of the first: rows of the tables. The second's leave
    // scores b' of the second: places within a row.
    const visitRowsS firstRows(first, stride);
    const visitRowsS secondRows(second, 1);
    // Row by row of the first's score: the first's chance at (a, b) needs the second's at
    // (a', b) for every a' below a, the second's at (a, b) the first's at (a, b') for every b'
    // below b; both tables are kept by (a, b), so each sum reads along rows already in cache.
    std::vector<double> firstLost(stride);
    for (std::size_t a = 2; a < stride; ++a) {
        // The first's sums for the whole row at once: every row they read is finished, and a
        // row at a time is a plain multiply-add the compiler runs several lanes wide.
        std::fill(firstLost.begin(), firstLost.end(), 0.0);
        for (std::size_t i = 0; i < firstRows.left[a].size(); ++i) {
            const double chance = firstRows.chance[a][i];
            const double* row = &secondToThrow_[firstRows.left[a][i]];
            for (std::size_t b = 2; b < stride; ++b) {
                firstLost[b] += chance * row[b];
            }
        }
        for (std::size_t b = 2; b < stride; ++b) {
            const double firstRest = firstRows.checkout[a] + firstRows.moves[a] - firstLost[b];
            const double secondRest = secondRows.rest(b, firstToThrow_, a * stride);
            const double firstStays = firstRows.stays[a];
            const double secondStays = secondRows.stays[b];
            // x = firstRest + firstStays (1 - y) and y = secondRest + secondStays (1 - x).
            const double loop = 1.0 - firstStays * secondStays;
            const double x =
                loop > 0.0 ? (firstRest + firstStays * (1.0 - secondRest - secondStays)) / loop
                           : 0.5;  // neither ever scores: nobody can win
            firstToThrow_[a * stride + b] = x;
            secondToThrow_[a * stride + b] = secondRest + secondStays * (1.0 - x);
        }
    }
}

std::size_t legChancesC::at(std::int32_t a, std::int32_t b) const {
    return static_cast<std::size_t>(a) * static_cast<std::size_t>(highest_ + 1) +
           static_cast<std::size_t>(b);
}

double legChancesC::firstWins(std::int32_t a, std::int32_t b, bool firstToThrow) const {
    if (a < 2 || b < 2 || a > highest_ || b > highest_) {
        throw std::out_of_range("no leg with those scores");
    }
    return firstToThrow ? firstToThrow_[at(a, b)] : 1.0 - secondToThrow_[at(a, b)];
}

double legChancesC::firstWinsPartWay(std::int32_t a, std::int32_t b, bool firstToThrow,
                                     std::int32_t start, int thrown) const {
    (void)firstWins(a, b, firstToThrow);  // the range check
    double chance = 0.0;
    if (firstToThrow) {
        for (const leftChanceS& o : first_->partWay(start, thrown, a)) {
            chance += o.chance * (o.left == 0 ? 1.0 : 1.0 - secondToThrow_[at(o.left, b)]);
        }
        return chance;
    }
    for (const leftChanceS& o : second_->partWay(start, thrown, b)) {
        chance += o.chance * (o.left == 0 ? 1.0 : 1.0 - firstToThrow_[at(a, o.left)]);
    }
    return 1.0 - chance;
}

exactOddsC::exactOddsC() = default;

std::string exactOddsC::keyOf(const modelS& model) {
    return model.fitted
               ? "fit " + fitKey(*model.fitted)
               : "strength " + std::to_string(std::clamp(model.strength, minStrength, maxStrength));
}

const visitChancesC& exactOddsC::visits(const modelS& model, std::int32_t start) {
    const std::string key = keyOf(model);
    std::unique_ptr<dartOutcomesC>& darts = darts_[key];
    if (!darts) {
        if (model.fitted) {
            darts = std::make_unique<fittedChancesC>(*model.fitted, board_);
        } else {
            darts = std::make_unique<dartChancesC>(
                static_cast<float>(std::clamp(model.strength, minStrength, maxStrength)), board_);
        }
    }
    std::unique_ptr<visitChancesC>& visits = visits_[{key, start}];
    if (!visits) {
        visits = std::make_unique<visitChancesC>(*darts, chart_, start);
    }
    return *visits;
}

const visitChancesC& exactOddsC::visits(std::int32_t strength, std::int32_t start) {
    return visits(modelS{strength, std::nullopt}, start);
}

const legChancesC& exactOddsC::leg(const modelS& first, const modelS& second, std::int32_t start) {
    std::unique_ptr<legChancesC>& leg = legs_[{keyOf(first), keyOf(second), start}];
    if (!leg) {
        leg = std::make_unique<legChancesC>(visits(first, start), visits(second, start));
    }
    return *leg;
}

const legChancesC& exactOddsC::leg(std::int32_t first, std::int32_t second, std::int32_t start) {
    return leg(modelS{first, std::nullopt}, modelS{second, std::nullopt}, start);
}

namespace {

// The first player's chance to win the match from the start of a leg, by the legs and sets won
// and who begins it, over what each leg's chance is from its start.
class matchWalkC {
  public:
    matchWalkC(const oddsQuestionS& q, const legChancesC& leg)
        : legsNeeded_((q.bestOfLegs + 1) / 2),
          setsNeeded_((q.bestOfSets + 1) / 2),
          sets_(q.bestOfSets > 1),
          fresh_{leg.firstWins(q.startScore, q.startScore, true),
                 leg.firstWins(q.startScore, q.startScore, false)} {}

    // After a leg won by `winner` (0 or 1), from these legs and sets, the next leg begun by
    // `starter`.
    double after(int winner, std::array<std::int32_t, 2> legs, std::array<std::int32_t, 2> sets,
                 int starter) {
        ++legs[static_cast<std::size_t>(winner)];
        if (!sets_) {
            if (legs[static_cast<std::size_t>(winner)] >= legsNeeded_) {
                return winner == 0 ? 1.0 : 0.0;
            }
        } else if (legs[static_cast<std::size_t>(winner)] >= legsNeeded_) {
            ++sets[static_cast<std::size_t>(winner)];
            legs = {0, 0};
            if (sets[static_cast<std::size_t>(winner)] >= setsNeeded_) {
                return winner == 0 ? 1.0 : 0.0;
            }
        }
        return fromLegStart(legs, sets, starter);
    }

    double fromLegStart(std::array<std::int32_t, 2> legs, std::array<std::int32_t, 2> sets,
                        int starter) {
        const std::array<std::int32_t, 5> key{legs[0], legs[1], sets[0], sets[1], starter};
        if (const auto known = memo_.find(key); known != memo_.end()) {
            return known->second;
        }
        const double leg = fresh_[static_cast<std::size_t>(starter)];
        const double chance = leg * after(0, legs, sets, 1 - starter) +
                              (1.0 - leg) * after(1, legs, sets, 1 - starter);
        memo_[key] = chance;
        return chance;
    }

  private:
    std::int32_t legsNeeded_;
    std::int32_t setsNeeded_;
    bool sets_;
    std::array<double, 2> fresh_;  // the first's chance from a leg's start, by who begins it
    std::map<std::array<std::int32_t, 5>, double> memo_;
};

}  // namespace

oddsS exactOddsC::odds(const oddsQuestionS& question) {
    const std::optional<visitPartWayS>& partWay = question.partWay;
    const auto thrower = static_cast<std::size_t>(question.state.toThrow);
    if (partWay && (partWay->thrown < 0 || partWay->thrown > 2 ||
                    partWay->start < question.state.remaining.at(thrower) ||
                    partWay->start > question.startScore)) {
        throw std::invalid_argument("a visit part-way that no visit can reach");
    }
    gameSettingsS settings;
    settings.startScore = question.startScore;
    settings.bestOfLegs = question.bestOfLegs;
    settings.bestOfSets = question.bestOfSets;
    checkMatchState(settings, question.state);
    const matchStateS& s = question.state;
    const legChancesC& table =
        leg(modelS{question.strengths[0], question.fitted[0]},
            modelS{question.strengths[1], question.fitted[1]}, question.startScore);
    const bool firstToThrow = s.toThrow == 0;
    const double legChance =
        partWay ? table.firstWinsPartWay(s.remaining[0], s.remaining[1], firstToThrow,
                                         partWay->start, partWay->thrown)
                : table.firstWins(s.remaining[0], s.remaining[1], firstToThrow);
    matchWalkC walk(question, table);
    const int next = 1 - s.legStarter;
    const double first = legChance * walk.after(0, s.legs, s.sets, next) +
                         (1.0 - legChance) * walk.after(1, s.legs, s.sets, next);
    oddsS odds;
    odds.chance = {first, 1.0 - first};
    odds.exact = true;
    return odds;
}

}  // namespace qm
