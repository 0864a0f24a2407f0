#pragma once

// The shared procedures that every window calls, in one include.
#include "foundation/ComboFillers.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "foundation/UiProcedures.h"
