#pragma once
// Shadows src/data/Tables.h for any target that has both folders on its path.
