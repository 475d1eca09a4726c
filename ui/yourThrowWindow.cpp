#include "ui/yourThrowWindow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "computer/checkoutRoute.h"
#include "game/personalRoutes.h"
#include "game/playerThrow.h"
#include "settings/settingsStoreC.h"
#include "stats/dartHistoryC.h"

namespace qm {

namespace {

constexpr int viewSide = 400;
constexpr double viewScale = 1.1;  // pixels per board unit

// Blue for the fewest points, through green and yellow to red for the most.
QRgb heatColour(double share) {
    const double h = (1.0 - std::clamp(share, 0.0, 1.0)) * 240.0;
    return QColor::fromHsvF(static_cast<float>(h / 360.0), 0.85f, 0.9f).rgb();
}

QString percent(double chance) {
    return QStringLiteral("%1%").arg(chance * 100.0, 0, 'f', 1);
}

QString oneDecimal(double value) {
    return QString::number(value, 'f', 1);
}

}  // namespace

throwBoardView::throwBoardView(QWidget* parent) : QWidget(parent) {
    setFixedSize(viewSide, viewSide);
    setAccessibleName(QStringLiteral("Expected points at every aim point"));
}

QPointF throwBoardView::toWidget(double x, double y) const {
    return {viewSide / 2.0 + x * viewScale, viewSide / 2.0 - y * viewScale};
}

void throwBoardView::show(pictureS picture) {
    picture_ = std::move(picture);
    heat_ = QImage();
    if (picture_.map) {
        const expectedMapS& map = *picture_.map;
        heat_ = QImage(expectedMapS::side, expectedMapS::side, QImage::Format_ARGB32);
        heat_.fill(Qt::transparent);
        float low = std::numeric_limits<float>::max();
        float high = 0.0f;
        const int edge = expectedMapS::half * expectedMapS::half;
        for (int y = -expectedMapS::half; y <= expectedMapS::half; ++y) {
            for (int x = -expectedMapS::half; x <= expectedMapS::half; ++x) {
                if (x * x + y * y <= edge) {
                    low = std::min(low, map.at(x, y));
                    high = std::max(high, map.at(x, y));
                }
            }
        }
        for (int y = -expectedMapS::half; y <= expectedMapS::half; ++y) {
            for (int x = -expectedMapS::half; x <= expectedMapS::half; ++x) {
                if (x * x + y * y <= edge) {
                    heat_.setPixel(x + expectedMapS::half, expectedMapS::half - y,
                                   heatColour((map.at(x, y) - low) / std::max(1e-6f, high - low)));
                }
            }
        }
    }
    update();
}

void throwBoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(40, 40, 40));
    if (!heat_.isNull()) {
        const double span = expectedMapS::side * viewScale;
        painter.drawImage(QRectF(viewSide / 2.0 - span / 2, viewSide / 2.0 - span / 2, span, span),
                          heat_);
    }
    // The rings and the sector lines, and the numbers round the board.
    const virtualBoardC board;
    painter.setPen(QPen(QColor(255, 255, 255, 150), 1));
    painter.setBrush(Qt::NoBrush);
    for (const double r : {7.5, 17.0, 95.0, 105.0, 159.0, 169.0}) {
        painter.drawEllipse(toWidget(0, 0), r * viewScale, r * viewScale);
    }
    for (int k = 0; k < 20; ++k) {
        const double a = (18.0 * k + 9.0) * std::numbers::pi / 180.0;
        painter.drawLine(toWidget(17 * std::cos(a), 17 * std::sin(a)),
                         toWidget(169 * std::cos(a), 169 * std::sin(a)));
        const double n = 18.0 * k * std::numbers::pi / 180.0;
        const QPointF at = toWidget(178 * std::cos(n), 178 * std::sin(n));
        painter.drawText(QRectF(at.x() - 10, at.y() - 7, 20, 14), Qt::AlignCenter,
                         QString::number(board.sectorNumber(k)));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    for (const boardPointS& d : picture_.darts) {
        painter.drawEllipse(toWidget(d.x, d.y), 1.6, 1.6);
    }
    if (!picture_.scatter) {
        return;
    }
    // Where darts aimed at the best point land: its ellipses, around the aim and the bias.
    const normalScatterS& s = *picture_.scatter;
    const scatterAxesS axes = principalAxes(s);
    painter.save();
    painter.translate(toWidget(picture_.best.x + s.biasX, picture_.best.y + s.biasY));
    painter.rotate(-axes.angle * 180.0 / std::numbers::pi);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 2));
    for (const double k : {1.0, 2.0}) {
        painter.drawEllipse(QPointF(0, 0), k * axes.along * viewScale, k * axes.across * viewScale);
    }
    painter.restore();
    const QPointF best = toWidget(picture_.best.x, picture_.best.y);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(best - QPointF(6, 6), best + QPointF(6, 6));
    painter.drawLine(best - QPointF(6, -6), best + QPointF(6, -6));
}

yourThrowWindow::yourThrowWindow(std::filesystem::path dataDir, settingsStoreC& store,
                                 const virtualBoardC& board, const vPlayerC& chart, QWidget* parent)
    : QDialog(parent), dataDir_(std::move(dataDir)), store_(store), board_(board), chart_(chart) {
    setObjectName(QStringLiteral("YourThrow"));
    setWindowTitle(QStringLiteral("Your throw"));
    playerBox_ = new QComboBox(this);
    playerBox_->setObjectName(QStringLiteral("ThrowPlayer"));
    kindBox_ = new QComboBox(this);
    kindBox_->setObjectName(QStringLiteral("ThrowKind"));
    for (const aimKind kind : aimKinds) {
        kindBox_->addItem(QString::fromStdString(aimKindName(kind)), static_cast<int>(kind));
    }
    auto* choose = new QFormLayout;
    choose->addRow(QStringLiteral("&Player:"), playerBox_);
    choose->addRow(QStringLiteral("&Darts aimed at:"), kindBox_);

    view_ = new throwBoardView(this);
    view_->setObjectName(QStringLiteral("ThrowBoard"));
    figures_ = new QLabel(this);
    figures_->setObjectName(QStringLiteral("ThrowFigures"));
    figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    figures_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    figures_->setWordWrap(true);
    figures_->setMinimumWidth(320);
    auto* aimPage = new QWidget(this);
    auto* aimLayout = new QHBoxLayout(aimPage);
    aimLayout->addWidget(view_);
    auto* side = new QVBoxLayout;
    side->addLayout(choose);
    side->addWidget(figures_, 1);
    aimLayout->addLayout(side);

    routes_ = new QTableWidget(0, 6, this);
    routes_->setObjectName(QStringLiteral("RoutesTable"));
    routes_->setHorizontalHeaderLabels({QStringLiteral("Score"), QStringLiteral("Darts"),
                                        QStringLiteral("Your route"), QStringLiteral("Chance"),
                                        QStringLiteral("Chart's route"), QStringLiteral("Chance")});
    routes_->verticalHeader()->hide();
    routes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    routes_->horizontalHeader()->setStretchLastSection(true);

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("ThrowTabs"));
    tabs->addTab(aimPage, QStringLiteral("&Where to aim"));
    tabs->addTab(routes_, QStringLiteral("&Checkout routes"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);

    connect(playerBox_, &QComboBox::currentIndexChanged, this, &yourThrowWindow::readPlayer);
    connect(kindBox_, &QComboBox::currentIndexChanged, this, &yourThrowWindow::showKind);
}

void yourThrowWindow::showFor(const QString& player) {
    const playerListsS lists = store_.readPlayerLists();
    QStringList names;
    for (const auto* list : {&lists.humans, &lists.computers}) {
        for (const std::string& name : *list) {
            names << QString::fromStdString(name);
        }
    }
    {
        const QSignalBlocker quiet(playerBox_);
        playerBox_->clear();
        playerBox_->addItems(names);
        playerBox_->setCurrentIndex(std::max(0, playerBox_->findText(player)));
    }
    readPlayer();
}

QString yourThrowWindow::figuresText() const {
    return figures_->text();
}

void yourThrowWindow::readPlayer() {
    darts_.clear();
    const std::string player = playerBox_->currentText().toStdString();
    if (!player.empty()) {
        dartHistoryC history(dataDir_ / dartHistoryFileName, dartHistoryC::mode::readOnly);
        darts_ = fitDartsOf(history, player);
    }
    fit_ = fitThrow(darts_, board_);
    showKind();
    showRoutes();
}

void yourThrowWindow::showKind() {
    const auto kind = static_cast<aimKind>(kindBox_->currentData().toInt());
    const scatterFitS& fit = fit_.of(kind);
    throwBoardView::pictureS picture;
    for (const fitDartS& d : darts_) {
        if (kind == aimKind::all || kindOf(d.target) == kind) {
            picture.darts.push_back(d.landing);
        }
    }
    if (!fit.enough()) {
        figures_->setText(QStringLiteral("%1: %2 darts with a known target and landing point: "
                                         "not enough darts yet (%3 wanted).\n\nPlay practice "
                                         "drills and click each dart where it landed.")
                              .arg(kindBox_->currentText())
                              .arg(fit.darts)
                              .arg(minFitDarts));
        figures_->setAccessibleDescription(figures_->text());
        view_->show(std::move(picture));
        return;
    }
    const normalScatterS& s = fit.scatter;
    const scatterChancesC chances(s, board_);
    expectedMapS map = expectedPointsMap(s);
    const bestAimS best = bestAim(chances, map, board_);
    figures_->setText(
        QStringLiteral(
            "%1: fitted from %2 darts\n"
            "Bias: %3 across, %4 up (board units)\n"
            "Spread: %5 across, %6 up, correlation %7\n\n"
            "Best aim for points: (%8, %9), %10 points a dart\n"
            "Treble 20: %11 points a dart\n"
            "Treble 19: %12 points a dart\n\n"
            "Colours: the points one dart scores on average aimed at each point "
            "(red most). Ellipses: one and two deviations, where about two darts in five "
            "and six in seven land aimed at the cross.")
            .arg(kindBox_->currentText())
            .arg(fit.darts)
            .arg(oneDecimal(s.biasX), oneDecimal(s.biasY), oneDecimal(s.sigmaX),
                 oneDecimal(s.sigmaY), QString::number(s.rho, 'f', 2))
            .arg(best.aim.x)
            .arg(best.aim.y)
            .arg(QString::number(best.points, 'f', 2), QString::number(best.treble20, 'f', 2),
                 QString::number(best.treble19, 'f', 2)));
    figures_->setAccessibleDescription(figures_->text());
    picture.map = std::move(map);
    picture.scatter = s;
    picture.best = best.aim;
    view_->show(std::move(picture));
}

void yourThrowWindow::showRoutes() {
    routes_->setRowCount(0);
    if (!fit_.usable()) {
        return;
    }
    fittedChancesC outcomes(fit_, board_);
    const personalRoutesC table(outcomes, chart_);
    routes_->setRowCount((personalRoutesC::highest - 1) * 3);
    int row = 0;
    for (std::int32_t score = personalRoutesC::highest; score >= 2; --score) {
        for (int inHand = 3; inHand >= 1; --inHand) {
            const personalRouteS& r = table.at(score, inHand);
            const QStringList cells{QString::number(score),
                                    QString::number(inHand),
                                    QString::fromStdString(routeText(r.route)),
                                    percent(r.chance),
                                    QString::fromStdString(routeText(r.chartRoute)),
                                    percent(r.chartChance)};
            for (int c = 0; c < cells.size(); ++c) {
                routes_->setItem(row, c, new QTableWidgetItem(cells[c]));
            }
            ++row;
        }
    }
}

}  // namespace qm
