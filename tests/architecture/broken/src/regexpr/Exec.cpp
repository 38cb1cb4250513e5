// Drawn wrongly on purpose: the architecture checks must refuse it.
#include "data/Tables.h"
#include "Local.h"
