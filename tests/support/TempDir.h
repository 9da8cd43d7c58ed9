// Helpers shared by tests: scratch folders and the locations of test data.
#pragma once

#include <QString>
#include <QTemporaryDir>

// The folder of checked-in test data (tests/data).
inline QString testDataDir() { return QStringLiteral(LUMATOY_TEST_DATA); }
// The folder of checked-in golden images (tests/render/golden).
inline QString goldenDir() { return QStringLiteral(LUMATOY_GOLDEN_DIR); }
