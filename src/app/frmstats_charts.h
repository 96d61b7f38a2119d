#pragma once
// The charts of the "Statistics" window: themed to the window's palette, keyboard
// reachable, and described in words for screen readers.
#include <QChartView>
#include <QString>
#include <vector>

namespace dm {

struct ChartLine {
    QString name;
    std::vector<QPointF> points;
    bool rightAxis = false;  // a second value axis on the right
};

class StatsChart : public QChartView {
public:
    StatsChart(const QString& title, QWidget* parent);
    // Lines over a numeric x axis; the words describe what they show.
    void setLines(const std::vector<ChartLine>& lines, const QString& xTitle, const QString& yTitle,
                  const QString& rightTitle = {});
    // Bars in two or more sets over named categories.
    void setBars(const QStringList& categories, const std::vector<std::pair<QString, std::vector<double>>>& sets,
                 const QString& yTitle);
    void showEmpty(const QString& why);
    const QString& description() const { return description_; }

protected:
    void changeEvent(QEvent* e) override;

private:
    void fresh();
    void applyTheme();
    QString title_;
    QString description_;
};

}  // namespace dm
