// A project unit using only earlier folders. Never compiled.
#pragma once

#include "engine/cBeam.h"
#include "project/cGeometry.h"
