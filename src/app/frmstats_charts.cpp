#include "app/frmstats_charts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <algorithm>
#include <QEvent>
#include <QLocale>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

namespace dm {

namespace {

QString number(double v) { return QLocale().toString(v, 'g', 4); }

}  // namespace

StatsChart::StatsChart(const QString& title, QWidget* parent) : QChartView(parent), title_(title)
{
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::StrongFocus);  // Tab reaches it; a screen reader reads the description
    setAccessibleName(title);
    setMinimumHeight(220);
    fresh();
}

void StatsChart::fresh()
{
    auto* chart = new QChart;
    chart->setTitle(title_);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    setChart(chart);  // the old chart is deleted with its series
    applyTheme();
}

void StatsChart::applyTheme()
{
    // A dark window gets the dark theme; the fonts follow the window's at any scale.
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    chart()->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart()->setBackgroundBrush(palette().color(QPalette::Base));
    chart()->setTitleBrush(palette().color(QPalette::Text));
    QFont title = font();
    title.setBold(true);
    chart()->setTitleFont(title);
    chart()->legend()->setFont(font());
    chart()->legend()->setLabelColor(palette().color(QPalette::Text));
    for (QAbstractAxis* axis : chart()->axes()) {
        QFont labels = font();
        if (axis->type() == QAbstractAxis::AxisTypeBarCategory)
            labels.setPointSizeF(labels.pointSizeF() * 0.9);  // a name per bar pair: little room
        axis->setLabelsFont(labels);
        axis->setTitleFont(font());
        axis->setLabelsColor(palette().color(QPalette::Text));
        axis->setTitleBrush(palette().color(QPalette::Text));
    }
}

void StatsChart::changeEvent(QEvent* e)
{
    QChartView::changeEvent(e);
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::FontChange)
        applyTheme();
}

void StatsChart::showEmpty(const QString& why)
{
    fresh();
    chart()->setTitle(title_ + QStringLiteral(": ") + why);
    description_ = why;
    setAccessibleDescription(description_);
}

void StatsChart::setLines(const std::vector<ChartLine>& lines, const QString& xTitle, const QString& yTitle,
                          const QString& rightTitle)
{
    fresh();
    auto* x = new QValueAxis;
    x->setTitleText(xTitle);
    x->setLabelFormat(QStringLiteral("%d"));
    auto* y = new QValueAxis;
    y->setTitleText(yTitle);
    chart()->addAxis(x, Qt::AlignBottom);
    chart()->addAxis(y, Qt::AlignLeft);
    QValueAxis* right = nullptr;
    if (!rightTitle.isEmpty()) {
        right = new QValueAxis;
        right->setTitleText(rightTitle);
        chart()->addAxis(right, Qt::AlignRight);
    }
    QStringList words;
    // Each axis spans its points, widened when they all lie on one value.
    struct Span {
        double lo = 1e300, hi = -1e300;
        void add(double v) { lo = std::min(lo, v), hi = std::max(hi, v); }
        void apply(QValueAxis* axis) const
        {
            if (!axis || lo > hi)
                return;
            axis->setRange(lo == hi ? lo - 1 : lo, lo == hi ? hi + 1 : hi);
            axis->applyNiceNumbers();
        }
    };
    Span xs, ys, rights;
    for (const ChartLine& line : lines) {
        for (const QPointF& p : line.points) {
            xs.add(p.x());
            (line.rightAxis && right ? rights : ys).add(p.y());
        }
    }
    for (const ChartLine& line : lines) {
        auto* series = new QLineSeries;
        series->setName(line.name);
        QList<QPointF> points(line.points.begin(), line.points.end());
        series->replace(points);
        chart()->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(line.rightAxis && right ? right : y);
        if (line.points.empty())
            continue;
        const auto [lo, hi] = std::minmax_element(line.points.begin(), line.points.end(),
                                                  [](QPointF a, QPointF b) { return a.y() < b.y(); });
        words << QStringLiteral("%1: from %2 at %3 %4 to %5 at %3 %6; lowest %7, highest %8.")
                     .arg(line.name, number(line.points.front().y()), xTitle.toLower(),
                          number(line.points.front().x()), number(line.points.back().y()),
                          number(line.points.back().x()), number(lo->y()), number(hi->y()));
    }
    xs.apply(x);
    ys.apply(y);
    rights.apply(right);
    chart()->legend()->setVisible(lines.size() > 1);
    applyTheme();
    description_ = words.join(QLatin1Char(' '));
    setAccessibleDescription(description_);
    setToolTip(description_);
}

void StatsChart::setBars(const QStringList& categories,
                         const std::vector<std::pair<QString, std::vector<double>>>& sets, const QString& yTitle)
{
    fresh();
    auto* series = new QBarSeries;
    QStringList words;
    double top = 0;
    for (const auto& [name, values] : sets) {
        auto* set = new QBarSet(name);
        QStringList parts;
        for (size_t i = 0; i < values.size(); ++i) {
            *set << values[i];
            top = std::max(top, values[i]);
            parts << QStringLiteral("%1 %2").arg(categories.value(static_cast<int>(i)).replace(QLatin1Char('\n'), QLatin1Char(' ')),
                                                 number(values[i]));
        }
        series->append(set);
        words << QStringLiteral("%1: %2.").arg(name, parts.join(QStringLiteral(", ")));
    }
    chart()->addSeries(series);
    auto* names = new QBarCategoryAxis;
    names->append(categories);

    auto* values = new QValueAxis;
    values->setTitleText(yTitle);
    values->setRange(0, top > 0 ? top * 1.05 : 1);
    values->applyNiceNumbers();
    chart()->addAxis(names, Qt::AlignBottom);
    chart()->addAxis(values, Qt::AlignLeft);
    series->attachAxis(names);
    series->attachAxis(values);
    applyTheme();
    description_ = words.join(QLatin1Char(' '));
    setAccessibleDescription(description_);
    setToolTip(description_);
}

}  // namespace dm
