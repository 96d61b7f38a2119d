// Placeholder bodies of the trainer until its engine lands.
#include "rummy/trainer.h"

#include <stdexcept>

namespace dm {

std::string formatPosition(const RummyPosition&) { return {}; }

std::optional<RummyPosition> parsePosition(const std::string&, std::string& error)
{
    error = "not yet supported";
    return std::nullopt;
}

RummyHint rummyHint(const RummyPosition&, const HintOptions&) { return {}; }

}  // namespace dm
