// Drawn wrongly on purpose: the architecture checks must refuse it.
#include <QString>
