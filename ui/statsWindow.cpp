#include "ui/statsWindow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QBitmap>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusBar>
#include <algorithm>

#include "settings/settingsStoreC.h"
#include "ui/practiceView.h"
#include "ui/queuedReportSink.h"
#include "ui/soundPlayer.h"

namespace qm {

namespace {

constexpr int windowWidth = 793;
constexpr int windowHeight = 597;

QDate toQDate(const civilDate& date) {
    return QDate(date.year, date.month, date.day);
}

std::int64_t dayNumberOf(const QDate& date) {
    return dayNumber({date.year(), date.month(), date.day()});
}

QImage loadPicture(const char* name) {
    return QImage(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(name)));
}

QPixmap keyed(const QImage& image, QRgb key) {
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(key, Qt::MaskInColor)));
    return pixmap;
}

// A plain QWidget is "filler" to assistive technology; this one is a window of its own, named
// by its title, so that screen readers list it.
QAccessibleInterface* statsWindowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("qm::TForm4") && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

TForm4::TForm4(settingsStoreC& store, soundPlayer& sounds, promptService& prompts,
               std::filesystem::path dataDir, QWidget* parent)
    : QWidget(parent, Qt::Window),
      store_(store),
      sounds_(sounds),
      prompts_(prompts),
      dataDir_(std::move(dataDir)) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Statistics"));
    static const bool accessibleAsWindow = [] {
        QAccessible::installFactory(statsWindowAccessible);
        return true;
    }();
    (void)accessibleAsWindow;
    buildControls();
    loadPictures();
    setFixedSize(windowWidth, windowHeight);
    move(0, 0);
    readers_.setMaxThreadCount(1);
    resetForPlayer();
}

TForm4::~TForm4() {
    // The workers report to this window: none may outlive it.
    cancelRead();
    readers_.waitForDone();
}

void TForm4::buildControls() {
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setPlaceholderText(QStringLiteral("Human"));
    ComboBox1->setGeometry(16, 48, 140, 24);
    ComboBox1->setAccessibleName(QStringLiteral("Human players"));
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setPlaceholderText(QStringLiteral("AI"));
    ComboBox2->setGeometry(16, 82, 140, 24);
    ComboBox2->setAccessibleName(QStringLiteral("Computer players"));
    connect(ComboBox1, &QComboBox::activated, this, &TForm4::ComboBox1Select);
    connect(ComboBox2, &QComboBox::activated, this, &TForm4::ComboBox2Select);

    const char* captions[] = {"PPD (overall)",   "PPD (last 10 legs)", "PPD (last 10 legs won)",
                              "Legs played",     "Legs  won",          "Legs lost",
                              "Number of 180's", "Best finish",        "Best leg (501 in X darts)"};
    const int captionNumbers[] = {1, 2, 3, 4, 5, 6, 7, 8, 18};
    const int frameLeft[] = {168, 376, 584};
    for (int f = 0; f < 3; ++f) {
        auto* bevel = new QFrame(this);
        bevel->setObjectName(QStringLiteral("Bevel%1").arg(f + 1));
        bevel->setFrameShape(QFrame::Box);
        bevel->setFrameShadow(QFrame::Sunken);
        bevel->setGeometry(frameLeft[f], 42, f == 2 ? 193 : 200, 100);
        for (int r = 0; r < 3; ++r) {
            const int i = 3 * f + r;
            auto* caption = new QLabel(QLatin1String(captions[i]), this);
            caption->setObjectName(QStringLiteral("Label%1").arg(captionNumbers[i]));
            caption->setGeometry(frameLeft[f] + 6, 50 + 30 * r, 150, 20);
            values_[i] = new QLabel(QStringLiteral("-"), this);
            values_[i]->setObjectName(QStringLiteral("Label%1").arg(9 + i));
            // Right-aligned against the frame's edge and wide enough for ten digits, so a
            // history of millions of legs is shown whole; the caption keeps its place.
            const int right = frameLeft[f] + (f == 2 ? 190 : 196);
            const int width = std::max(
                40, values_[i]->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 4);
            values_[i]->setGeometry(right - width, 50 + 30 * r, width, 20);
            values_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }

    auto* from = new QLabel(QStringLiteral("From:"), this);
    from->setObjectName(QStringLiteral("Label20"));
    from->setGeometry(16, 152, 40, 22);
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setGeometry(56, 150, 110, 26);
    auto* to = new QLabel(QStringLiteral("To:"), this);
    to->setObjectName(QStringLiteral("Label21"));
    to->setGeometry(180, 152, 26, 22);
    DateTimePicker2 = new QDateEdit(this);
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    DateTimePicker2->setGeometry(206, 150, 110, 26);
    for (QDateEdit* picker : {DateTimePicker1, DateTimePicker2}) {
        picker->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
        picker->setCalendarPopup(false);
    }
    Button3 = new QPushButton(QStringLiteral("PPD Chart"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(330, 150, 100, 26);
    connect(Button3, &QPushButton::clicked, this, &TForm4::Button3Click);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(444, 152, 220, 22);
    ProgressBar1->setRange(0, 100);
    buildDartFigures();
    // The practice page, a window of its own over the drills kept in the dart history: Ctrl+P
    // here, and Options / Practice statistics in the main window.
    auto* practice = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    connect(practice, &QShortcut::activated, this, &TForm4::showPractice);
    Button1 = new QPushButton(QStringLiteral("Close"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(680, 150, 97, 26);
    connect(Button1, &QPushButton::clicked, this, &QWidget::close);
    // A window of its own closes with Escape, like a dialog.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    // The chart's menu from the keyboard: the Menu key and Shift+F10, opened on the chart.
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto* menuKey = new QShortcut(key, this);
        connect(menuKey, &QShortcut::activated, this, [this] {
            const QPoint centre(chartLeft + ppdChartS::frameWidth / 2,
                                chartTop + ppdChartS::frameHeight / 2);
            chartMenu()->popup(mapToGlobal(centre));
        });
    }

    auto* chartFrame = new QFrame(this);
    chartFrame->setObjectName(QStringLiteral("Bevel4"));
    chartFrame->setFrameShape(QFrame::Box);
    chartFrame->setFrameShadow(QFrame::Sunken);
    chartFrame->setGeometry(chartLeft, chartTop, ppdChartS::frameWidth, ppdChartS::frameHeight);
    chartFrame->setAttribute(Qt::WA_TransparentForMouseEvents);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, windowHeight - 22, windowWidth, 22);
    const char* initial[] = {"Info panel", "System info"};
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(QLatin1String(initial[i]), StatusBar1);
        panels_[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
        StatusBar1->addWidget(panels_[i], 1);
    }
}

void TForm4::loadPictures() {
    const QImage select = loadPicture("STATS_SELECT");
    const QImage ppd = loadPicture("STATS_PPD");
    const QImage legs = loadPicture("STATS_LEGS");
    const QImage info = loadPicture("STATS_INFO");
    auto keyOf = [](const QImage& image) { return image.isNull() ? QRgb(0) : image.pixel(1, 1); };
    // The information caption takes its transparent colour from the player caption.
    pictures_ = {keyed(select, keyOf(select)), keyed(ppd, keyOf(ppd)), keyed(legs, keyOf(legs)),
                 keyed(info, keyOf(select))};
}

QString TForm4::infoText() const {
    return panels_[0]->text();
}
QString TForm4::systemInfoText() const {
    return panels_[1]->text();
}

void TForm4::showInfo(const std::string& text) {
    panels_[0]->setText(QString::fromStdString(text));
}

void TForm4::showSystemInfo(const std::string& text) {
    panels_[1]->setText(QString::fromStdString(text));
}

void TForm4::playSound(const std::string& name) {
    sounds_.play(name);
}

int progressShift(std::int64_t maximum) {
    int shift = 0;
    while ((maximum >> shift) > INT32_MAX) {
        ++shift;
    }
    return shift;
}

void TForm4::startProgress(std::int64_t maximum) {
    ProgressBar1->setVisible(true);
    progressShift_ = progressShift(maximum);
    // A range of 0..0 would turn the bar into a busy indicator; an empty file shows it empty.
    ProgressBar1->setRange(
        0, static_cast<int>(std::clamp<std::int64_t>(maximum >> progressShift_, 1, INT32_MAX)));
    ProgressBar1->setValue(0);
}

void TForm4::setProgress(std::int64_t position) {
    ProgressBar1->setValue(
        static_cast<int>(std::clamp<std::int64_t>(position >> progressShift_, 0, INT32_MAX)));
}

void TForm4::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) {
        return;  // restored from minimised: what was shown stays
    }
    const playerListsS lists = store_.readPlayerLists();
    ComboBox1->clear();
    ComboBox2->clear();
    for (const auto& name : lists.humans) {
        ComboBox1->addItem(QString::fromStdString(name));
    }
    for (const auto& name : lists.computers) {
        ComboBox2->addItem(QString::fromStdString(name));
    }
    resetOnShow();
}

void TForm4::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    cancelRead();
    sounds_.play("OPEN");
}

void TForm4::cancelRead() {
    ++readSerial_;
    reading_ = false;
}

void TForm4::resetFigures() {
    for (QLabel* value : values_) {
        value->setText(QStringLiteral("-"));
    }
    showDartFigures({});
    summary_.reset();
}

void TForm4::resetForPlayer() {
    resetFigures();
    for (QDateEdit* picker : {DateTimePicker1, DateTimePicker2}) {
        picker->setMaximumDate(QDate::currentDate());
        picker->clearMinimumDate();
        picker->setEnabled(false);
    }
    Button3->setEnabled(false);
    playerName.clear();
    cancelRead();
    chart_.reset();
    update();
    ProgressBar1->setVisible(false);
    panels_[0]->clear();
    panels_[1]->clear();
}

void TForm4::resetOnShow() {
    resetFigures();
    playerName.clear();
    cancelRead();
    chart_.reset();  // a new opening shows no chart of the player shown before
    update();
    ComboBox1->setCurrentIndex(-1);
    ComboBox2->setCurrentIndex(-1);
    DateTimePicker1->setEnabled(false);
    DateTimePicker2->setEnabled(false);
    Button3->setEnabled(false);
    ProgressBar1->setVisible(false);
    panels_[0]->clear();
    panels_[1]->clear();
}

void TForm4::ComboBox1Select() {
    selectPlayer(ComboBox1->currentText());
    ComboBox2->setCurrentIndex(-1);
}

void TForm4::ComboBox2Select() {
    selectPlayer(ComboBox2->currentText());
    ComboBox1->setCurrentIndex(-1);
}

void TForm4::selectPlayer(const QString& name) {
    resetForPlayer();
    playerName = name;
    reading_ = true;
    const std::uint64_t serial = readSerial_.load();
    readers_.start([this, serial, dir = dataDir_, player = playerName.toStdString()] {
        queuedReportSink report(this, *this, readSerial_, serial);
        statsSummaryC summary;
        const bool whole = loadSummary(dir, player, summary, report);
        report.deliver([this, whole, summary] { summaryRead(whole, summary); });
    });
}

void TForm4::summaryRead(bool whole, const statsSummaryC& summary) {
    summary_ = summary;
    if (whole) {
        showSummary();
    }
    drawPpdChart();
}

void TForm4::showSummary() {
    const auto texts = summary_.figureTexts();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        values_[i]->setText(QString::fromStdString(texts[i]));
    }
    Button3->setEnabled(true);
    // An empty history has no dates of its own: today stands in for both.
    const QDate first = summary_.firstDate ? toQDate(*summary_.firstDate) : QDate::currentDate();
    const QDate last = summary_.lastDate ? toQDate(*summary_.lastDate) : first;
    for (QDateEdit* picker : {DateTimePicker1, DateTimePicker2}) {
        picker->setEnabled(true);
        picker->setDateRange(first, std::max(first, last));
    }
    DateTimePicker1->setDate(first);
    DateTimePicker2->setDate(std::max(first, last));
}

void TForm4::Button3Click() {
    cancelRead();
    chart_.reset();  // the old chart goes before the new one is read
    update();
    drawPpdChart();
}

void TForm4::drawPpdChart() {
    const QDate start = DateTimePicker1->date();
    const QDate end = DateTimePicker2->date();
    reading_ = true;
    const std::uint64_t serial = readSerial_.load();
    readers_.start([this, serial, start, end, dir = dataDir_, player = playerName.toStdString()] {
        queuedReportSink report(this, *this, readSerial_, serial);
        std::vector<double> series;
        const bool whole =
            loadPpdSeries(dir, player, dayNumberOf(start), dayNumberOf(end), series, report);
        const dartFiguresReadS darts = readDartFigures(dir, player, start, end);
        report.deliver([this, whole, series = std::move(series), start, end, darts] {
            seriesRead(whole, series, start, end);
            showDartFigures(darts);
        });
    });
}

void TForm4::seriesRead(bool whole, const std::vector<double>& series, QDate start, QDate end) {
    reading_ = false;
    if (!whole) {
        showInfo("Failed to read statistics");
        return;
    }
    if (series.empty()) {
        showInfo("No data found in statistics file");
        return;
    }
    chart_ = layoutPpdChart(series, chartLeft, chartTop);
    chartStart_ = start;
    chartEnd_ = end;
    update();
}

void TForm4::showPractice() {
    if (practiceView_ == nullptr) {
        practiceView_ = new practiceView(store_, dataDir_, this);
    }
    practiceView_->refreshPlayers();
    practiceView_->refresh();
    practiceView_->show();
    practiceView_->raise();
}

void TForm4::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPoint at[] = {{16, 10}, {168, 10}, {376, 10}, {584, 10}};
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        painter.drawPixmap(at[i], pictures_[i]);
    }
    if (chart_) {
        paintChart(painter);
    }
}

}  // namespace qm
