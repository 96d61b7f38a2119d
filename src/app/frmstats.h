#pragma once
// The "Statistics" window: a page per game, each with its period, figures and charts,
// read from the hand history. Lives in the module "dunmere-stats.so".
#include <QPointer>
#include <QWidget>

#include "app/stats_module.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QTabWidget;
class QTableWidget;

namespace dm {

class StatsChart;

// One game's page: the period chooser, then the figures the history sends back.
class StatsPage : public QWidget {
public:
    StatsPage(const StatsWindowArgs& args, HistoryGame game, QWidget* parent);
    HistoryGame game() const { return game_; }
    StatsQuery query() const;
    // Asks the history again; the figures come in a moment later.
    virtual void refresh() = 0;
    bool filled() const { return filled_; }
    std::function<void()> onFilled;

protected:
    // A label in the page's form: caption on the left, the figure on the right.
    QLabel* addFigure(QFormLayout* form, const QString& caption, const QString& name);
    void addPeriodRow(QFormLayout* form);
    // Asks one of the history's questions; an answer to an older one is dropped.
    template <class Stats, class Page>
    void ask(void (HandHistory::*question)(const StatsQuery&, std::function<void(const Stats&)>), Page* page,
             void (Page::*show)(const Stats&))
    {
        const int asked = ++asked_;
        QPointer<Page> self(page);
        (args_.history->*question)(query(), [self, asked, show](const Stats& s) {
            if (self && asked == static_cast<StatsPage*>(self.data())->asked_)
                (self.data()->*show)(s);
        });
    }
    void markFilled();

    StatsWindowArgs args_;
    HistoryGame game_;
    QComboBox* period_ = nullptr;
    bool filled_ = false;
    int asked_ = 0;  // the number of the latest question
};

class RummyStatsPage : public StatsPage {
public:
    RummyStatsPage(const StatsWindowArgs& args, QWidget* parent);
    void refresh() override;
    void show(const RummyStats& s);

private:
    QTableWidget* levels_ = nullptr;
    QLabel* streaks_ = nullptr;
    StatsChart* bank_ = nullptr;
    StatsChart* chance_ = nullptr;
};

class PokerStatsPage : public StatsPage {
public:
    PokerStatsPage(const StatsWindowArgs& args, QWidget* parent);
    void refresh() override;
    void show(const PokerStats& s);

private:
    QLabel* hands_ = nullptr;
    QLabel* wagered_ = nullptr;
    QLabel* won_ = nullptr;
    QLabel* returns_ = nullptr;
    QLabel* run_ = nullptr;
    QLabel* luck_ = nullptr;
    StatsChart* curve_ = nullptr;
    StatsChart* finals_ = nullptr;
};

class frmStats : public QWidget {
public:
    explicit frmStats(const StatsWindowArgs& args);
    QTabWidget* pages() const { return tabs_; }
    StatsPage* page(HistoryGame game) const;

private:
    void exportHands();
    void resetHands();
    StatsPage* current() const;

    StatsWindowArgs args_;
    QTabWidget* tabs_ = nullptr;
    RummyStatsPage* rummy_ = nullptr;
    PokerStatsPage* poker_ = nullptr;
};

}  // namespace dm
