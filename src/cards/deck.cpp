#include "cards/deck.h"
// placeholder: filled in by its owner
