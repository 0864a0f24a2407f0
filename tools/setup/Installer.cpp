#include "Installer.h"
