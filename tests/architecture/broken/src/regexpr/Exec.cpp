// Drawn wrongly on purpose: the architecture checks must refuse it.
#include "Local.h"
#include "data/Tables.h"
