#pragma once
// cTempFolder lives beside cTempPath, of which it is one use.
#include "integration/cTempPath.h"
