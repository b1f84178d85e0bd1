// An engine unit that reaches up into the project folder: the layering
// check must refuse it. Never compiled.
#pragma once

#include "components/cSteelSection.h"
#include "project/cProject.h"
