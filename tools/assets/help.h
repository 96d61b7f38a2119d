#pragma once
// The player's manual, "dunmere.hlp": a small HTML page set for the help viewer,
// opening on the contents (anchor "contents").
#include <QString>
#include <span>

namespace dm::assets {

QString helpText();

// One step of the strategy ladder as the manual explains it, best first.
struct LadderStep {
    const char* caption;  // exactly as the table's label shows it
    int keep;             // cards to hold
    int pays;             // credits for a final hand of this class; 0 for drawing hands
    const char* meaning;
};
// The tool has no link to the poker rules, so a test holds these to the game's own.
std::span<const LadderStep> helpLadder();

}  // namespace dm::assets
