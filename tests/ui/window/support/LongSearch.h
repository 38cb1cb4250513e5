#pragma once
// A search that keeps the engine busy on every record until the search's work bound
// ends it, so that a test can act while it runs.

#include <QString>
#include <cstdint>
#include <string>

#include "tests/ui/window/support/DirectoryBuilder.h"

// No match is possible, and every digit can be read three ways.
inline const QString kHostilePhoneExpression = QStringLiteral("(\\d|\\d|\\d)*x");

// The engine steps that one more record of the same kind costs a search whose
// expression has already run.
int64_t StepsPerRecord(const QString& expression, const std::string& text);
// Half as many records again as the work bound of one search allows.
int64_t RecordsPastTheBound(int64_t stepsPerRecord);

// Nineteen-digit numbers from kFirstHostileNumber on, enough for
// kHostilePhoneExpression to pass the work bound, in city 1 under one subscriber.
TDirectoryWriter HostilePhonesDirectory();
constexpr int64_t kFirstHostileNumber = 9'000'000'000'000'000'000;
