#pragma once
// The rummy pages of "Hand Analysis": the chances of each choice of the decision on the
// table, best first, with the hand told in words; and the run's account of the choices.
#include <QWidget>
#include <array>
#include <optional>

#include "app/rummy_session.h"
#include "rummy/trainer.h"
#include "store/prefs.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace dm {

class RummyAnalysisPage : public QWidget {
    Q_OBJECT
public:
    explicit RummyAnalysisPage(QWidget* parent = nullptr);

    // The decision of `pos` is being worked out.
    void showWorking(const RummyPosition& pos);
    void showHint(const RummyPosition& pos, const RummyHint& hint);
    // A choice of the session, as it was scored.
    void showReview(const ScoredChoice& c);
    // Back to the table: the next hint or working line shows.
    void leaveReview();
    // No decision to show: the computer's turn, the hand over, or not yet dealt.
    void showIdle(const QString& text);
    // The card the user points at on the table; kNoCard for none.
    void pointAt(int card);
    // The hand so far, newest first.
    void setHistory(const QStringList& lines);
    // The back design that stands for the stock.
    void setBackDesign(int design) { backDesign_ = design; }

    bool reviewing() const { return reviewing_ > 0; }
    const RummyPosition& position() const { return pos_; }
    QTableWidget* choiceList() const { return choices_; }

private:
    void fillChoices();
    void markRows();
    void describe();

    QLabel* heading_ = nullptr;
    QLabel* status_ = nullptr;  // the "working" line, or why there is nothing to show
    QTableWidget* choices_ = nullptr;
    QListWidget* history_ = nullptr;

    RummyPosition pos_;
    std::optional<RummyHint> hint_;  // empty while working or idle
    bool idle_ = true;
    int pointed_ = kNoCard;
    std::optional<RummyChoice> chosen_;  // under review: what the user chose
    int reviewing_ = 0;                  // number of the choice under review, 0: the table's
    double reviewCost_ = 0;
    int backDesign_ = kFirstBackDesign + 1;
};

class RummySessionPage : public QWidget {
    Q_OBJECT
public:
    explicit RummySessionPage(RummySession& session, QWidget* parent = nullptr);
    void refresh();
    void setBackDesign(int design) { backDesign_ = design; }

signals:
    void review(const ScoredChoice& c);

private:
    void reviewSelected();

    RummySession& session_;
    std::array<QLabel*, 5> figures_{};
    QTableWidget* costly_ = nullptr;
    QPushButton* show_ = nullptr;
    QPushButton* reset_ = nullptr;
    int backDesign_ = kFirstBackDesign + 1;
};

// "42.5 %" of a share 0..1.
QString chanceText(double share);

}  // namespace dm
