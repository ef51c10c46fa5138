#pragma once
// cRunHarness lives beside cKillRecorder, which it extends.
#include "fake/cKillHarness.h"
