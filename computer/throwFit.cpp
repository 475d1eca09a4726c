#include "computer/throwFit.h"

#include <cmath>
#include <cstdio>

namespace qm {

std::string aimKindName(aimKind kind) {
    switch (kind) {
        case aimKind::trebles:
            return "Trebles";
        case aimKind::doubles:
            return "Doubles";
        case aimKind::bull:
            return "Bull";
        case aimKind::all:
            break;
    }
    return "All darts";
}

aimKind kindOf(const dartS& target) {
    if (target.number == 25) {
        return aimKind::bull;
    }
    if (target.type == 3) {
        return aimKind::trebles;
    }
    return target.type == 2 ? aimKind::doubles : aimKind::all;
}

scatterFitS fitScatter(const std::vector<boardPointS>& offsets) {
    scatterFitS fit;
    fit.darts = static_cast<int>(offsets.size());
    if (offsets.size() < 2) {
        fit.scatter.sigmaX = fit.scatter.sigmaY = 0.0;  // not a spread at all
        return fit;
    }
    double mx = 0.0;
    double my = 0.0;
    for (const boardPointS& o : offsets) {
        mx += o.x;
        my += o.y;
    }
    const auto n = static_cast<double>(offsets.size());
    mx /= n;
    my /= n;
    double sxx = 0.0;
    double syy = 0.0;
    double sxy = 0.0;
    for (const boardPointS& o : offsets) {
        sxx += (o.x - mx) * (o.x - mx);
        syy += (o.y - my) * (o.y - my);
        sxy += (o.x - mx) * (o.y - my);
    }
    fit.scatter.biasX = mx;
    fit.scatter.biasY = my;
    fit.scatter.sigmaX = std::sqrt(sxx / (n - 1.0));
    fit.scatter.sigmaY = std::sqrt(syy / (n - 1.0));
    fit.scatter.rho = sxx > 0.0 && syy > 0.0 ? sxy / std::sqrt(sxx * syy) : 0.0;
    return fit;
}

throwFitS fitThrow(const std::vector<fitDartS>& darts, const virtualBoardC& board) {
    std::array<std::vector<boardPointS>, aimKinds.size()> offsets;
    for (const fitDartS& d : darts) {
        const boardPointS aim = board.getCoordinates(d.target.type, d.target.number);
        const boardPointS offset{d.landing.x - aim.x, d.landing.y - aim.y};
        offsets[static_cast<std::size_t>(kindOf(d.target))].push_back(offset);
        if (kindOf(d.target) != aimKind::all) {
            offsets[static_cast<std::size_t>(aimKind::all)].push_back(offset);
        }
    }
    throwFitS fit;
    for (std::size_t k = 0; k < offsets.size(); ++k) {
        fit.kinds[k] = fitScatter(offsets[k]);
    }
    return fit;
}

}  // namespace qm

namespace qm {

fittedChancesC::fittedChancesC(const throwFitS& fit, const virtualBoardC& board)
    : board_(&board), fit_(fit) {
    for (const aimKind kind : aimKinds) {
        if (fit.of(kind).enough()) {
            kinds_[static_cast<std::size_t>(kind)].emplace(fit.of(kind).scatter, board);
        }
    }
}

std::vector<hitChanceS> fittedChancesC::workOut(const dartS& target) const {
    const auto own = static_cast<std::size_t>(kindOf(target));
    const scatterChancesC& by =
        kinds_[own] ? *kinds_[own] : *kinds_[static_cast<std::size_t>(aimKind::all)];
    return outcomesOf(by.regionChances(board_->getCoordinates(target.type, target.number)));
}

std::string fitKey(const throwFitS& fit) {
    std::string key;
    for (const scatterFitS& k : fit.kinds) {
        const normalScatterS& s = k.scatter;
        std::array<char, 160> text{};
        std::snprintf(text.data(), text.size(), "%d:%a,%a,%a,%a,%a;", k.darts, s.biasX, s.biasY,
                      s.sigmaX, s.sigmaY, s.rho);
        key += text.data();
    }
    return key;
}

}  // namespace qm
