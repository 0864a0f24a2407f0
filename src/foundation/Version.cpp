#include "foundation/Version.h"
